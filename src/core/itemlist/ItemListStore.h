#pragma once

#include "LookupQuery.h"

#include "core/db/Database.h"
#include "core/db/FieldTable.h"

#include <QByteArrayView>
#include <QString>

// The item list's reading of the items with their companies: the only place with its SQL.

// The items that have a company, read one at a time in ID order: all of them, or those a
// lookup selects. Each gives its ID, its company's ID and the stored value of every column id
// but the parts (which come from repparts).
class ListedItems
{
public:
    ListedItems(Database &database, const LookupCondition &lookup);

    // Steps to the next item: true while there is one.
    bool next() { return m_query.next(); }

    qint64 id() const { return m_query.integer(0); }
    qint64 companyId() const { return m_query.integer(1); }
    // A text column's value, or false when it is Null.
    bool readText(int columnId, QString *text) const { return m_query.readText(statementColumn(columnId), text); }
    // A date column's stored text as raw UTF-8, valid until the next item.
    QByteArrayView isoDate(int columnId) const { return m_query.bytes(statementColumn(columnId)); }
    // A day count's or flag's value; Null reads as 0.
    qint64 number(int columnId) const { return m_query.integer(statementColumn(columnId)); }

private:
    // The statement has main.ID and main.manuID first, then every column id's value but the
    // parts'.
    static constexpr int statementColumn(int columnId)
    {
        return columnId < Column::RepParts ? columnId + 2 : columnId + 1;
    }

    Statement m_query;
};

// The statement that lists every item with its company (the benchmark's floor reads it as
// plain SQL): main.ID, main.manuID, then every column's value in column id order, the parts
// left out.
QString itemListStatement();
