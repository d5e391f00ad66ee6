#pragma once

#include "ColumnLayout.h"

#include <QAbstractTableModel>
#include <QSet>
#include <QString>

#include <vector>

class Database;

// One item of the list, kept compactly (its texts share one buffer); cell texts are made when
// a cell is drawn.
struct ItemRow {
    enum TextSlot { Name, Tag, Location, Hazmat, Part, Serial, ServicedBy, Tools, PurchaseOrder,
                    Company, RefManuals, Locked, Custom1, Custom2, Custom3, TextSlots };
    enum DateSlot { ServiceDate, DateServiced, DateInstalled, DateSlots };

    int id = 0;
    int manuId = 0;
    QString texts;              // every text slot, one after the other
    quint32 end[TextSlots] = {}; // where each slot ends in texts
    quint32 textNull = 0;       // bit per text slot: the field is Null
    int day[DateSlots] = {0, 0, 0}; // Julian day; 0 = Null
    int servicewarn = 0;
    int leadtime = 0;
    int serviceinterval = 0;
    int replacestock = -1;
    int ackservice = 0;
    int ackorder = 0;
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
    enum class Outcome { Rows, NoRows, Refused };
    Outcome outcome = Outcome::NoRows;
    QString message; // to show the user; empty when there is nothing to say
};

// The item grid's rows: every item (or a lookup's items) with its company, sorted on one field.
// Column 0 is the fixed "ID" column; columns 1..K follow the column layout.
class ItemListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ItemListModel(QObject *parent = nullptr);

    void setLayout(const ColumnLayout &layout);
    const ColumnLayout &columnLayout() const { return m_layout; }

    // Reads the items (all of them when the lookup value is empty) sorted on a field index,
    // ascending for order 0. Fills RowID and RowManuID. Shows only the heading row when
    // nothing is found or the lookup is refused.
    ItemListLoad load(Database &database, int sortField, int sortOrder, const QString &lookupValue, int lookupField);

    // The text of a column id in a list row (row 1 is the first item).
    QString cellText(int row, int columnId) const;
    int gridColumnOf(int columnId) const { return columnId >= 0 && columnId < 25 ? m_layout.colLoc[columnId] : 0; }
    int columnIdAt(int gridColumn) const;
    int itemCount() const { return int(m_rows.size()); }

    // Rows painted in the selection colours (list rows, from 1).
    void setRowPainted(int row, bool painted);
    bool isRowPainted(int row) const { return m_painted.contains(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Sorts rows on a field index; exposed for the benchmark and tests.
    static void sortRows(std::vector<ItemRow> &rows, int sortField, int sortOrder);

private:
    void replaceRows(std::vector<ItemRow> rows);

    ColumnLayout m_layout;
    std::vector<ItemRow> m_rows;
    QSet<int> m_painted;
};
