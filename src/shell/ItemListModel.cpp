#include "ItemListModel.h"

#include "LookupQuery.h"
#include "RepParts.h"

#include "data/Database.h"
#include "data/GlobalVars.h"
#include "data/ValueOrder.h"
#include "platform/DateText.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <numeric>

namespace {

// Below this many items the parts are read item by item; above, in one scan of the table.
constexpr int SingleScanThreshold = 64;

// Statement column of each text slot (see itemListStatement).
constexpr int TextColumn[ItemRow::TextSlots] = {2, 3, 4, 5, 6, 7, 11, 12, 16, 17, 19, 20, 21, 22, 23};
constexpr int DateColumn[ItemRow::DateSlots] = {8, 10, 13};

// Text slot of a column id or field index, -1 for the others.
int textSlotOf(int columnId)
{
    switch (columnId) {
    case 0: return ItemRow::Name;
    case 1: return ItemRow::Tag;
    case 2: return ItemRow::Location;
    case 3: return ItemRow::Hazmat;
    case 4: return ItemRow::Part;
    case 5: return ItemRow::Serial;
    case 10: return ItemRow::ServicedBy;
    case 11: return ItemRow::Tools;
    case 15: return ItemRow::PurchaseOrder;
    case 16: return ItemRow::Company;
    case 18: return ItemRow::RefManuals;
    case 19: return ItemRow::Locked;
    case 20: return ItemRow::Custom1;
    case 21: return ItemRow::Custom2;
    case 22: return ItemRow::Custom3;
    default: return -1;
    }
}

int dateSlotOf(int columnId)
{
    switch (columnId) {
    case 7: return ItemRow::ServiceDate;
    case 9: return ItemRow::DateServiced;
    case 12: return ItemRow::DateInstalled;
    default: return -1;
    }
}

// "yyyy-MM-dd" as a Julian day; 0 for Null or anything else.
int isoDay(QByteArrayView iso)
{
    if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-')
        return 0;
    auto number = [&](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const char c = iso[i];
            if (c < '0' || c > '9')
                return -1;
            value = value * 10 + (c - '0');
        }
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (!QDate::isValid(year, month, day))
        return 0;
    return int(QDate(year, month, day).toJulianDay());
}

// Stored multi-line text has CR LF line ends; the grid shows plain line breaks.
QString shownText(QString text)
{
    if (text.contains(u'\r'))
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

ItemRow readRow(const Statement &query)
{
    ItemRow row;
    row.id = int(query.integer(0));
    row.manuId = int(query.integer(1));
    for (int slot = 0; slot < ItemRow::TextSlots; ++slot) {
        if (query.isNull(TextColumn[slot]))
            row.textNull |= 1u << slot;
        else
            row.texts += shownText(query.text(TextColumn[slot]));
        row.end[slot] = quint32(row.texts.size());
    }
    row.texts.squeeze();
    for (int slot = 0; slot < ItemRow::DateSlots; ++slot)
        row.day[slot] = isoDay(query.bytes(DateColumn[slot]));
    row.servicewarn = int(query.integer(9));
    row.leadtime = int(query.integer(14));
    row.serviceinterval = int(query.integer(15));
    row.replacestock = int(query.integer(18));
    row.ackservice = int(query.integer(24));
    row.ackorder = int(query.integer(25));
    return row;
}

QString daysText(int days)
{
    return days == 0 ? QString() : QString::number(days);
}

QString yesNo(int flag)
{
    return flag == 0 ? QStringLiteral("NO") : QStringLiteral("YES");
}

// The number a field index sorts by, or false for text fields (and 6, which sorts nothing).
bool numberKey(const ItemRow &row, int field, qint64 *key)
{
    const int dateSlot = dateSlotOf(field);
    if (dateSlot >= 0) {
        // Null before every date.
        *key = row.day[dateSlot] == 0 ? std::numeric_limits<qint64>::min() : row.day[dateSlot];
        return true;
    }
    switch (field) {
    case 8: *key = row.servicewarn; return true;
    case 13: *key = row.leadtime; return true;
    case 14: *key = row.serviceinterval; return true;
    case 17: *key = row.replacestock; return true;
    case 23: *key = row.id; return true;
    default: return false;
    }
}

template <typename Less>
std::vector<int> sortedOrder(int count, int sortOrder, Less less)
{
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    if (sortOrder == 0)
        std::stable_sort(order.begin(), order.end(), less);
    else
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return less(b, a); });
    return order;
}

} // namespace

ItemListModel::ItemListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ItemListModel::setLayout(const ColumnLayout &layout)
{
    beginResetModel();
    m_layout = layout;
    endResetModel();
}

int ItemListModel::columnIdAt(int gridColumn) const
{
    if (gridColumn < 1 || gridColumn > m_layout.shown.size())
        return -1;
    return m_layout.shown.at(gridColumn - 1).id;
}

void ItemListModel::sortRows(std::vector<ItemRow> &rows, int sortField, int sortOrder)
{
    const int count = int(rows.size());
    std::vector<int> order;
    qint64 probe = 0;
    const int slot = textSlotOf(sortField);
    if (slot >= 0) {
        std::vector<QCollatorSortKey> keys;
        keys.reserve(count);
        for (const ItemRow &row : rows)
            keys.push_back(ValueOrder::sortKey(row.text(slot).toString()));
        order = sortedOrder(count, sortOrder, [&](int a, int b) {
            const bool nullA = rows[a].isNull(slot);
            const bool nullB = rows[b].isNull(slot);
            if (nullA != nullB)
                return nullA;
            return keys[a].compare(keys[b]) < 0;
        });
    } else if (!rows.empty() && numberKey(rows.front(), sortField, &probe)) {
        std::vector<qint64> keys(count);
        for (int i = 0; i < count; ++i)
            numberKey(rows[i], sortField, &keys[i]);
        order = sortedOrder(count, sortOrder, [&](int a, int b) { return keys[a] < keys[b]; });
    } else {
        return; // no such field: the rows keep the order they were read in
    }

    std::vector<ItemRow> sorted;
    sorted.reserve(count);
    for (int i : order)
        sorted.push_back(std::move(rows[i]));
    rows.swap(sorted);
}

ItemListLoad ItemListModel::load(Database &database, int sortField, int sortOrder, const QString &lookupValue,
                                 int lookupField)
{
    GlobalVars &g = gv();
    g.NoItemSelected = true;
    ItemListLoad result;
    replaceRows({}); // the old rows go before the new ones are read

    LookupCondition lookup;
    if (!lookupValue.isEmpty()) {
        lookup = buildLookup(lookupField, lookupValue);
        if (!lookup.ok()) {
            result.outcome = ItemListLoad::Outcome::Refused;
            result.message = lookup.error;
            return result;
        }
    }

    std::vector<ItemRow> rows;
    {
        Statement query(database, itemListStatement(lookup.condition));
        if (!lookup.condition.isEmpty())
            query.bind(1, lookup.value);
        while (query.next())
            rows.push_back(readRow(query));
    }

    if (rows.empty()) {
        result.outcome = ItemListLoad::Outcome::NoRows;
        if (!lookupValue.isEmpty())
            result.message = QString::fromLatin1(NotFoundMessage);
        return result;
    }

    const QString lineBreak = QStringLiteral("\n");
    if (rows.size() > SingleScanThreshold) {
        // Rows and parts both come in ID order: walk them side by side.
        auto row = rows.begin();
        forEachRepPartsText(database, lineBreak, [&](int id, QString &&text) {
            while (row != rows.end() && row->id < id)
                ++row;
            if (row != rows.end() && row->id == id)
                row->parts = std::move(text);
        });
    } else {
        for (ItemRow &row : rows)
            row.parts = RepPartsText(database, row.id, lineBreak);
    }

    sortRows(rows, sortField, sortOrder);

    const int count = int(rows.size());
    g.RowID = QVector<int>(count + 2, 0);
    g.RowManuID = QVector<int>(count + 2, 0);
    for (int i = 0; i < count; ++i) {
        g.RowID[i + 1] = rows[i].id;
        g.RowManuID[i + 1] = rows[i].manuId;
    }
    replaceRows(std::move(rows));
    result.outcome = ItemListLoad::Outcome::Rows;
    return result;
}

void ItemListModel::replaceRows(std::vector<ItemRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_painted.clear();
    endResetModel();
}

QString ItemListModel::cellText(int row, int columnId) const
{
    if (row < 1 || row > int(m_rows.size()))
        return QString();
    const ItemRow &item = m_rows[row - 1];
    const int slot = textSlotOf(columnId);
    if (slot >= 0)
        return item.text(slot).toString();
    const int dateSlot = dateSlotOf(columnId);
    if (dateSlot >= 0)
        return item.day[dateSlot] ? DateText::format(QDate::fromJulianDay(item.day[dateSlot])) : QString();
    switch (columnId) {
    case 6: return item.parts;
    case 8: return daysText(item.servicewarn);
    case 13: return daysText(item.leadtime);
    case 14: return daysText(item.serviceinterval);
    case 17:
        if (item.replacestock == 0)
            return QStringLiteral("NO");
        return item.replacestock == 1 ? QStringLiteral("YES") : QString();
    case 23: return yesNo(item.ackservice);
    case 24: return yesNo(item.ackorder);
    default: return QString();
    }
}

void ItemListModel::setRowPainted(int row, bool painted)
{
    if (row < 1 || row > int(m_rows.size()) || painted == m_painted.contains(row))
        return;
    if (painted)
        m_painted.insert(row);
    else
        m_painted.remove(row);
    Q_EMIT dataChanged(index(row - 1, 1), index(row - 1, columnCount() - 1),
                       {Qt::BackgroundRole, Qt::ForegroundRole});
}

int ItemListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ItemListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1 + int(m_layout.shown.size());
}

QVariant ItemListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = index.row() + 1;
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column == 0)
            return QString::number(m_rows[index.row()].id);
        return cellText(row, columnIdAt(column));
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignTop);
    case Qt::BackgroundRole:
        if (column == 0)
            return QGuiApplication::palette().brush(QPalette::Button);
        return isRowPainted(row) ? QGuiApplication::palette().brush(QPalette::Highlight) : QBrush(Qt::white);
    case Qt::ForegroundRole:
        if (column == 0)
            return QGuiApplication::palette().brush(QPalette::ButtonText);
        return isRowPainted(row) ? QBrush(Qt::white) : QBrush(Qt::black);
    default:
        return QVariant();
    }
}

QVariant ItemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignTop);
    if (role != Qt::DisplayRole)
        return QVariant();
    if (section == 0)
        return QStringLiteral("ID");
    if (section >= 1 && section <= m_layout.shown.size())
        return m_layout.shown.at(section - 1).heading;
    return QVariant();
}
