#pragma once

#include "core/settings/ColumnLayout.h"

#include <QAbstractTableModel>
#include <QSet>
#include <QString>

#include <vector>

class Database;

// One item of the list, kept compactly (its texts share one buffer); cell texts are made when
// a cell is drawn. Values sit in slots by their kind, in column id order (see the field table).
struct ItemRow {
    static constexpr int TextSlots = 15; // text and company columns
    static constexpr int DateSlots = 3; // date columns
    static constexpr int NumberSlots = 6; // day counts and flags

    qint64 id = 0;
    qint64 manuId = 0;
    QString texts; // every text slot, one after the other
    quint32 end[TextSlots] = {}; // where each slot ends in texts
    quint32 textNull = 0; // bit per text slot: the field is Null
    int day[DateSlots] = {}; // Julian day; 0 = Null
    int number[NumberSlots] = {}; // day counts up to 999 and small codes
    QString parts; // the replacement parts, one per line

    QStringView text(int slot) const
    {
        const quint32 begin = slot == 0 ? 0 : end[slot - 1];
        return QStringView(texts).mid(begin, end[slot] - begin);
    }
    bool isNull(int slot) const { return textNull & (1u << slot); }
};

// What a load of the list came to.
struct ItemListLoad {
    enum class Outcome { Rows,
                         NoRows,
                         Refused };
    Outcome outcome = Outcome::NoRows;
    QString message; // to show the user; empty when there is nothing to say
};

// The item grid's rows: every item (or a lookup's items) with its company, sorted on one field.
// Rows count from 1 as the grid counts them (row 0 is the heading row). Column 0 is the fixed
// "ID" column; columns 1..K follow the column layout.
class ItemListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ItemListModel(QObject *parent = nullptr);

    void setLayout(const ColumnLayout &layout);
    const ColumnLayout &columnLayout() const { return m_layout; }

    // Reads the items (all of them when the lookup value is empty) sorted on a field number,
    // ascending or descending. Shows only the heading row when nothing is found or the lookup is
    // refused.
    ItemListLoad load(Database &database, int sortField, SortOrders sortOrder, const QString &lookupValue, int lookupField);
    // Shows only the heading row.
    void clear();
    // Sorts the listed rows anew, without reading them again, when they are the rows of the
    // same lookup (an empty value: all items); ties stay in ID order, as after a load. False
    // when the list holds other rows or none: it must then be loaded.
    bool resort(const QString &lookupValue, int lookupField, int sortField, SortOrders sortOrder);

    // The text of a column id in a list row.
    QString cellText(int row, int columnId) const;
    int itemCount() const { return int(m_rows.size()); }
    // The item ID and its company's ID of a list row; 0 for rows that do not exist.
    qint64 itemIdAt(int row) const;
    qint64 companyIdAt(int row) const;

    // Selected rows; the grid draws them in the selection colours.
    void setRowSelected(int row, bool selected);
    bool isRowSelected(int row) const { return m_selected.contains(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Sorts rows on a field number; exposed for the benchmark and tests.
    static void sortRows(std::vector<ItemRow> &rows, int sortField, SortOrders sortOrder);

private:
    void replaceRows(std::vector<ItemRow> rows);

    ColumnLayout m_layout;
    std::vector<ItemRow> m_rows;
    QSet<int> m_selected;
    // The lookup the listed rows were read for.
    QString m_lookupValue;
    int m_lookupField = 0;
};
