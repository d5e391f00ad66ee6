#include "FieldTable.h"

namespace {

using K = FieldKind;
using C = CellText;
using L = LookupRule;

// By column id, then the ID, which has no column.
const FieldSpec Specs[] = {
    {0, 0, "Name", "Name", K::Text, C::Plain, L::Text, "Name", 2400, 1, "by Name"},
    {1, 1, "Tag", "Tag", K::Text, C::Plain, L::Text, "Tag", 1200, 2, "by Tag"},
    {2, 2, "location", "Location", K::Text, C::Plain, L::Text, "Location", 2010, 3, "by Location"},
    {3, 3, "hazmat", "Hazmat", K::Text, C::Plain, L::Text, "Hazmat", 1800, 0, "by Hazmat"},
    {4, 4, "part", "Part", K::Text, C::Plain, L::Text, "Part", 1500, 0, "by Part"},
    {5, 5, "serial", "Serial", K::Text, C::Plain, L::Text, "Serial", 1500, 0, "by Serial"},
    {6, 6, nullptr, "", K::Parts, C::Parts, L::Text, "Replacement Part(s)", 3600, 6, nullptr},
    {7, 7, "servicedate", "ServiceDate", K::Date, C::Date, L::Date, "Service Date", 1500, 4, "by Service Date"},
    {8, 8, "servicewarn", "ServiceWarn", K::Number, C::Days, L::Number, "Service Warning", 1500, 0,
     "by Service Warning"},
    {9, 9, "DateServiced", "DateServiced", K::Date, C::Date, L::Date, "Date Serviced", 1500, 0, "by Date Serviced"},
    {10, 10, "servicedby", "ServicedBy", K::Text, C::Plain, L::Text, "Serviced By", 1800, 0, "by Serviced By"},
    {11, 11, "tools", "Tools", K::Text, C::MultiLine, L::Text, "Tools", 2400, 0, "by Tools"},
    {12, 12, "dateinstalled", "DateInstalled", K::Date, C::Date, L::Date, "Date Installed", 1500, 0,
     "by Date Installed"},
    {13, 13, "leadtime", "LeadTime", K::Number, C::Days, L::Number, "Lead Time", 1200, 0, "by Lead Time"},
    {14, 14, "serviceinterval", "ServiceInterval", K::Number, C::Days, L::Number, "Service Interval", 1500, 0,
     "by Service Interval"},
    {15, 15, "purchaseorder", "PurchaseOrder", K::Text, C::Plain, L::Text, "Purchase Order", 1500, 0,
     "by Purchase Order"},
    {16, 16, "company", "Company", K::Company, C::Plain, L::Text, "Company", 2400, 5, "by Company"},
    {17, 17, "replacestock", "ReplaceStock", K::Flag, C::Stock, L::Text, "Replacement Stock", 1800, 0,
     "by Replacement Stock"},
    {18, 18, "refmanuals", "RefManuals", K::Text, C::Plain, L::Text, "Reference Manuals", 2400, 0,
     "by Reference Manuals"},
    {19, 19, "Locked", "Locked", K::Text, C::MultiLine, L::Text, "Equipment Locked", 2400, 0,
     "by Equipment Locked"},
    {20, 20, "custom1", "Custom1", K::Text, C::Plain, L::Text, "Custom 1", 1500, 0, "by Custom 1"},
    {21, 21, "custom2", "Custom2", K::Text, C::Plain, L::Text, "Custom 2", 1500, 0, "by Custom 2"},
    {22, 22, "custom3", "Custom3", K::Text, C::Plain, L::Text, "Custom 3", 1500, 0, "by Custom 3"},
    {23, -1, "ackservice", "", K::Flag, C::YesNo, L::Text, "Service Ack", 1200, 0, nullptr},
    {24, -1, "ackorder", "", K::Flag, C::YesNo, L::Text, "Order Ack", 1200, 0, nullptr},
    {-1, 23, "ID", "ID", K::Number, C::Plain, L::Number, nullptr, 0, 0, "by ID"},
};

constexpr int IdRow = Column::Count;

} // namespace

namespace Column {
bool isValid(int id)
{
    return id >= 0 && id < Count;
}
} // namespace Column

namespace Field {
bool isValid(int number)
{
    return number >= 0 && number < Count;
}
} // namespace Field

namespace FieldTable {

const FieldSpec *column(int id)
{
    return Column::isValid(id) ? &Specs[id] : nullptr;
}

const FieldSpec *field(int number)
{
    if (number == Field::ID)
        return &Specs[IdRow];
    return Field::isValid(number) ? &Specs[number] : nullptr;
}

std::optional<Column::Id> columnOf(Field::Number field)
{
    if (field < 0 || field >= Field::ID)
        return std::nullopt;
    return Column::Id(int(field));
}

std::optional<Field::Number> fieldOf(Column::Id column)
{
    if (column < 0 || column >= Column::AckService)
        return std::nullopt;
    return Field::Number(int(column));
}

std::optional<Field::Number> fieldAtLookupPosition(int position)
{
    if (position < 0 || position >= LookupPositions)
        return std::nullopt;
    // Positions skip the parts (6) and the replacement stock (17).
    const int field = position < 6 ? position : position < 16 ? position + 1
                                                              : position + 2;
    return Field::Number(field);
}

std::optional<int> lookupPositionOf(Field::Number field)
{
    if (!Field::isValid(field) || field == Field::RepParts || field == Field::ReplaceStock)
        return std::nullopt;
    return field < 6 ? int(field) : field < 17 ? field - 1
                                               : field - 2;
}

std::optional<Field::Number> fieldAtSortPosition(int position)
{
    if (position < 0 || position >= SortPositions)
        return std::nullopt;
    return Field::Number(position < 6 ? position : position + 1);
}

std::optional<int> sortPositionOf(Field::Number field)
{
    if (!Field::isValid(field) || field == Field::RepParts)
        return std::nullopt;
    return field < 6 ? int(field) : field - 1;
}

} // namespace FieldTable

QString fieldName(int field)
{
    const FieldSpec *info = FieldTable::field(field);
    return info ? QString::fromLatin1(info->name) : QString();
}
