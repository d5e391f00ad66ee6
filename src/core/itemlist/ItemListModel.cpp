#include "ItemListModel.h"

#include "ItemListStore.h"

#include "core/items/ItemStore.h"
#include "core/platform/DateText.h"
#include "core/platform/LineEnds.h"
#include "core/platform/ValueOrder.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

// Below this many items the parts are read item by item; above, in one scan of the table.
constexpr int SingleScanThreshold = 64;

// Where a column's value sits: its slot in an ItemRow.
struct Place {
    enum Store { None,
                 Text,
                 Date,
                 Number } store = None;
    int slot = 0;
};

struct Places {
    Place column[Column::Count];
};

// Slots in column id order, kind by kind, as the field table gives them.
const Places &places()
{
    static const Places table = [] {
        Places p;
        int filled[4] = {};
        for (int id = 0; id < Column::Count; ++id) {
            const FieldSpec &info = *FieldTable::column(id);
            Place::Store store = Place::None;
            switch (info.kind) {
            case FieldKind::Text:
            case FieldKind::Company: store = Place::Text; break;
            case FieldKind::Date: store = Place::Date; break;
            case FieldKind::Number:
            case FieldKind::Flag: store = Place::Number; break;
            case FieldKind::Parts: break;
            }
            if (store != Place::None)
                p.column[id] = {store, filled[store]++};
        }
        if (filled[Place::Text] != ItemRow::TextSlots || filled[Place::Date] != ItemRow::DateSlots
            || filled[Place::Number] != ItemRow::NumberSlots)
            qFatal("the item row's slots do not fit the field table");
        return p;
    }();
    return table;
}

const Place &placeOf(int columnId)
{
    static const Place none;
    return Column::isValid(columnId) ? places().column[columnId] : none;
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

ItemRow readRow(const ListedItems &item)
{
    ItemRow row;
    row.id = item.id();
    row.manuId = item.companyId();
    QString text;
    const Places &all = places();
    for (int id = 0; id < Column::Count; ++id) {
        const Place &place = all.column[id];
        switch (place.store) {
        case Place::Text:
            if (item.readText(id, &text))
                row.texts += LineEnds::toShown(text);
            else
                row.textNull |= 1u << place.slot;
            row.end[place.slot] = quint32(row.texts.size());
            break;
        case Place::Date:
            row.day[place.slot] = isoDay(item.isoDate(id));
            break;
        case Place::Number:
            row.number[place.slot] = int(item.number(id));
            break;
        case Place::None:
            break;
        }
    }
    row.texts.squeeze();
    return row;
}

QString numberText(const FieldSpec &info, qint64 value)
{
    switch (info.cell) {
    case CellText::Days:
        return value == 0 ? QString() : QString::number(value);
    case CellText::Stock:
        if (value == 0)
            return QStringLiteral("NO");
        return value == 1 ? QStringLiteral("YES") : QString();
    case CellText::YesNo:
        return value == 0 ? QStringLiteral("NO") : QStringLiteral("YES");
    default:
        return QString::number(value);
    }
}

// The number a field sorts by, or false for text fields and the parts.
bool numberKey(const ItemRow &row, int field, qint64 *key)
{
    if (field == Field::ID) {
        *key = row.id;
        return true;
    }
    const Place &place = placeOf(field);
    if (place.store == Place::Date) {
        // Null before every date.
        *key = row.day[place.slot] == 0 ? std::numeric_limits<qint64>::min() : row.day[place.slot];
        return true;
    }
    if (place.store == Place::Number) {
        *key = row.number[place.slot];
        return true;
    }
    return false;
}

template<typename Less>
std::vector<int> sortedOrder(int count, SortOrders sortOrder, Less less)
{
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    if (sortOrder == Ascending)
        std::stable_sort(order.begin(), order.end(), less);
    else
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return less(b, a); });
    return order;
}

// Puts rows[order[i]] at place i, in place: each row moves once along the cycles of the
// permutation, so the list never needs a second copy of its rows.
void applyOrder(std::vector<ItemRow> &rows, std::vector<int> &order)
{
    for (int start = 0; start < int(order.size()); ++start) {
        if (order[start] < 0)
            continue;
        ItemRow held = std::move(rows[start]);
        int target = start;
        for (;;) {
            const int source = order[target];
            order[target] = -1;
            if (source == start) {
                rows[target] = std::move(held);
                break;
            }
            rows[target] = std::move(rows[source]);
            target = source;
        }
    }
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

void ItemListModel::sortRows(std::vector<ItemRow> &rows, int sortField, SortOrders sortOrder)
{
    if (!Field::isValid(sortField))
        return; // no such field: the rows keep the order they were read in
    const int count = int(rows.size());
    std::vector<int> order;
    qint64 probe = 0;
    const Place &place = placeOf(sortField);
    if (sortField != Field::ID && place.store == Place::Text) {
        const int slot = place.slot;
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
        return; // the parts sort nothing
    }

    applyOrder(rows, order);
}

ItemListLoad ItemListModel::load(Database &database, int sortField, SortOrders sortOrder, const QString &lookupValue,
                                 int lookupField)
{
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
    for (ListedItems items(database, lookup); items.next();)
        rows.push_back(readRow(items));

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
        forEachRepPartsText(database, lineBreak, [&](qint64 id, QString &&text) {
            while (row != rows.end() && row->id < id)
                ++row;
            if (row != rows.end() && row->id == id)
                row->parts = std::move(text);
        });
    } else {
        for (ItemRow &row : rows)
            row.parts = replacementPartsText(database, row.id, lineBreak);
    }

    sortRows(rows, sortField, sortOrder);
    replaceRows(std::move(rows));
    m_lookupValue = lookupValue;
    m_lookupField = lookupField;
    result.outcome = ItemListLoad::Outcome::Rows;
    return result;
}

void ItemListModel::clear()
{
    replaceRows({});
}

bool ItemListModel::resort(const QString &lookupValue, int lookupField, int sortField, SortOrders sortOrder)
{
    if (m_rows.empty() || lookupValue != m_lookupValue || (!lookupValue.isEmpty() && lookupField != m_lookupField))
        return false;
    beginResetModel();
    std::sort(m_rows.begin(), m_rows.end(), [](const ItemRow &a, const ItemRow &b) { return a.id < b.id; });
    sortRows(m_rows, sortField, sortOrder);
    m_selected.clear();
    endResetModel();
    return true;
}

qint64 ItemListModel::itemIdAt(int row) const
{
    return row >= 1 && row <= int(m_rows.size()) ? m_rows[row - 1].id : 0;
}

qint64 ItemListModel::companyIdAt(int row) const
{
    return row >= 1 && row <= int(m_rows.size()) ? m_rows[row - 1].manuId : 0;
}

void ItemListModel::replaceRows(std::vector<ItemRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_selected.clear();
    endResetModel();
}

QString ItemListModel::cellText(int row, int columnId) const
{
    if (row < 1 || row > int(m_rows.size()) || !Column::isValid(columnId))
        return QString();
    const ItemRow &item = m_rows[row - 1];
    const Place &place = placeOf(columnId);
    switch (place.store) {
    case Place::Text:
        return item.text(place.slot).toString();
    case Place::Date:
        return item.day[place.slot] ? DateText::format(QDate::fromJulianDay(item.day[place.slot])) : QString();
    case Place::Number:
        return numberText(*FieldTable::column(columnId), item.number[place.slot]);
    case Place::None:
        return item.parts;
    }
    return QString();
}

void ItemListModel::setRowSelected(int row, bool selected)
{
    if (row < 1 || row > int(m_rows.size()) || selected == m_selected.contains(row))
        return;
    if (selected)
        m_selected.insert(row);
    else
        m_selected.remove(row);
    // The view draws a selected row in other colours; the whole row, since a layout may show
    // no column beside the ID.
    Q_EMIT dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1));
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
        return cellText(row, m_layout.columnIdAt(column));
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignTop);
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
