#pragma once

#include <QString>

#include <optional>

// Every value of an item that the list shows, sorts on or looks up, in one table.
//
// Three numberings meet here:
// - the column id 0..24: which value a column of the item list shows (the Columns table);
// - the field number 0..23: how sorts, lookups and the status bar name a field; 0..22 are the
//   column ids of the same values, 23 is the item's ID (the acknowledgement columns 23 and 24
//   are no fields);
// - menu and list positions: the Lookup menu and dialog list the field numbers without 6 and
//   17 (0..21); the Sort menu's positions are the field numbers themselves, its dialog's list the
//   field numbers without 6 (0..22).

namespace Column {
enum Id : int {
    Name,
    Tag,
    Location,
    Hazmat,
    Part,
    Serial,
    RepParts,
    ServiceDate,
    ServiceWarn,
    DateServiced,
    ServicedBy,
    Tools,
    DateInstalled,
    LeadTime,
    ServiceInterval,
    PurchaseOrder,
    Company,
    ReplaceStock,
    RefManuals,
    Locked,
    Custom1,
    Custom2,
    Custom3,
    AckService,
    AckOrder,
    Count
};
bool isValid(int id);
} // namespace Column

// Ascending or descending; any value but Ascending sorts descending.
enum SortOrders : int { Ascending = 0,
                        Descending = 1 };

namespace Field {
enum Number : int {
    Name,
    Tag,
    Location,
    Hazmat,
    Part,
    Serial,
    RepParts,
    ServiceDate,
    ServiceWarn,
    DateServiced,
    ServicedBy,
    Tools,
    DateInstalled,
    LeadTime,
    ServiceInterval,
    PurchaseOrder,
    Company,
    ReplaceStock,
    RefManuals,
    Locked,
    Custom1,
    Custom2,
    Custom3,
    ID,
    Count
};
bool isValid(int number);
} // namespace Field

// What a value is.
enum class FieldKind {
    Text, // text of main
    Number, // whole days, or the item's ID
    Date, // ISO text or Null
    Flag, // a stored code shown as "NO"/"YES"
    Parts, // the replacement parts, joined from repparts
    Company, // the company name, joined from orderinfo
};

// How the list writes a value into its cell.
enum class CellText {
    Plain, // the text as stored (Null: empty)
    MultiLine, // several lines; the grid shows the first
    Date, // the short date form
    Days, // the number, empty for 0
    Stock, // -1 empty, 0 "NO", 1 "YES", any other code nothing
    YesNo, // 0 "NO", anything else "YES"
    Parts, // one part per line
};

// How a lookup value is compared.
enum class LookupRule {
    Text, // "=" or, with "*", LIKE on the text before the first "*"
    Number, // a whole number; "*" is refused
    Date, // a real date, compared by day; "*" is refused
};

struct FieldSpec {
    int column; // column id, -1 for the ID
    int field; // field number, -1 for the acknowledgement columns
    const char *sql; // SQL column (of orderinfo for the company); null for the parts
    const char *name; // the name sorts, lookups and the status bar use; empty for the parts
    FieldKind kind;
    CellText cell;
    LookupRule lookup;
    const char *heading; // heading of the column in a new database
    int widthTwips; // its width there
    int place; // its place there; 0 = hidden
    const char *caption; // menu caption ("by Name"); null where no menu names it
};

namespace FieldTable {

// The value a column id shows; null for ids outside 0..24.
const FieldSpec *column(int id);
// The value a field number names; null for numbers outside 0..23.
const FieldSpec *field(int number);

// A field number's column id, when the field has one (not the ID).
std::optional<Column::Id> columnOf(Field::Number field);
// A column id's field number, when the column is a field (not the acknowledgements).
std::optional<Field::Number> fieldOf(Column::Id column);

// The Lookup menu and dialog: 22 positions.
constexpr int LookupPositions = 22;
std::optional<Field::Number> fieldAtLookupPosition(int position);
std::optional<int> lookupPositionOf(Field::Number field);

// The Sort dialog's list: 23 positions (the Sort menu's positions are the field numbers).
constexpr int SortPositions = 23;
std::optional<Field::Number> fieldAtSortPosition(int position);
std::optional<int> sortPositionOf(Field::Number field);

} // namespace FieldTable

// The name of a field number as sorts, lookups and the status bar give it ("Name", ...,
// "ServiceDate", ..., "ID"); empty text for 6 (the parts) and for numbers outside 0..23.
QString fieldName(int field);
