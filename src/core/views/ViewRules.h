#pragma once

#include "core/db/FieldTable.h"
#include "core/itemlist/ListChange.h"

#include <QString>

#include <optional>

// The item list's two views (all items, a lookup's items), each with its own sort, and the
// rules of the Sort and Lookup dialogs.

// Display > All: the all-items view with its sort.
GridQuery allItemsView(ViewState &g);
// Display > Lookup: the lookup view with its sort, or nothing when no lookup was made yet.
std::optional<GridQuery> lookupView(ViewState &g);
// A sort chosen in the Sort dialog: kept as the current view's sort, that view reloaded;
// nothing to load while the lookup view has no lookup yet (its list stays empty).
std::optional<GridQuery> chooseSort(ViewState &g, Field::Number field, SortOrders order);
// A lookup made in the Lookup dialog: becomes the lookup view, with the lookup view's sort.
GridQuery chooseLookup(ViewState &g, Field::Number field, const QString &value);
// The text of the first status bar panel for the current view.
QString displayModeText(const ViewState &g);

// The Lookup dialog's entries: what a value is typed as.
enum class LookupEntry { Text,
                         Number,
                         Date };
// The kind of a list position; Text for no position (nothing chosen).
LookupEntry lookupEntryKind(std::optional<int> position);

inline constexpr int LookupValueLimit = 50;
inline constexpr const char *LookupDateMessage = "Date has incorrect form";

// Whether a key typed into the value box goes in: Backspace and DEL always; nothing past 50
// characters; a date entry takes digits and "/", a number entry digits, the others anything.
bool lookupKeyAccepted(std::optional<int> position, const QString &text, int keyChar);
// Whether a paste or drop that gives `after` is taken: digits (and "/" for a date entry) only.
bool lookupEditAccepted(std::optional<int> position, const QString &after);

// A lookup asked for at a list position with a typed value.
struct LookupRequest {
    QString error; // the message when it cannot run
    Field::Number field = Field::Name; // the field the position names
    QString value; // the value, with a leading "*" for Tools and Locked
    bool ok() const { return error.isEmpty(); }
};
// Date entries need a real date ("Date has incorrect form"). Tools and Equipment Locked hold
// several lines, so their value gets a leading "*": it is then found anywhere in the field.
LookupRequest lookupRequest(int position, const QString &typed);
