#pragma once

#include "LookupQuery.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

class Database;
class Statement;

// The item list's reading of the items with their companies: the only place with its SQL.

// One item as the list reads it, valid while the reading is at it: its ID, its company's ID
// and the stored value of every column id but the parts (which come from repparts).
class ListedItem
{
public:
    explicit ListedItem(const Statement &row)
        : m_row(row)
    {
    }

    qint64 id() const;
    qint64 companyId() const;
    // A text column's value, or false when it is Null.
    bool readText(int columnId, QString *text) const;
    // A date column's stored text as raw UTF-8, valid until the next item.
    QByteArrayView isoDate(int columnId) const;
    // A day count's or flag's value; Null reads as 0.
    qint64 number(int columnId) const;

private:
    const Statement &m_row;
};

// Reads the items that have a company in ID order, all of them or those the lookup selects,
// handing each to `take`.
void readListedItems(Database &database, const LookupCondition &lookup,
                     const std::function<void(const ListedItem &)> &take);

// The statement that lists every item with its company (the benchmark's floor reads it as
// plain SQL): main.ID, main.manuID, then every column's value in column id order, the parts
// left out.
QString itemListStatement();
