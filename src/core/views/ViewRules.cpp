#include "ViewRules.h"

#include "core/itemlist/DisplayText.h"
#include "core/platform/DateText.h"
#include "core/platform/Utility.h"

#include <algorithm>

namespace {
constexpr int Backspace = 8, Del = 127;
} // namespace

GridQuery allItemsView(ViewState &g)
{
    g.DisplayMode = AllDisplay;
    return {g.SortFieldAll, g.SortOrderAll, QString(), g.LookupField};
}

std::optional<GridQuery> lookupView(ViewState &g)
{
    g.DisplayMode = LookupDisplay;
    if (g.LookupValue.isEmpty())
        return std::nullopt;
    return GridQuery {g.SortFieldLookup, g.SortOrderLookup, g.LookupValue, g.LookupField};
}

std::optional<GridQuery> chooseSort(ViewState &g, Field::Number field, SortOrders order)
{
    if (g.DisplayMode == AllDisplay) {
        g.SortFieldAll = field;
        g.SortOrderAll = order;
        return GridQuery {field, order, QString(), g.LookupField};
    }
    g.SortFieldLookup = field;
    g.SortOrderLookup = order;
    if (g.LookupValue.isEmpty())
        return std::nullopt; // an empty value would list every item under the lookup's name
    return GridQuery {field, order, g.LookupValue, g.LookupField};
}

GridQuery chooseLookup(ViewState &g, Field::Number field, const QString &value)
{
    g.LookupField = field;
    g.LookupValue = value;
    g.DisplayMode = LookupDisplay;
    return {g.SortFieldLookup, g.SortOrderLookup, value, field};
}

QString displayModeText(const ViewState &g)
{
    if (g.DisplayMode == AllDisplay)
        return allDisplayText();
    if (g.LookupValue.isEmpty())
        return emptyLookupDisplayText();
    return lookupDisplayText(g.LookupField, g.LookupValue);
}

LookupEntry lookupEntryKind(std::optional<int> position)
{
    const std::optional<Field::Number> field =
        position ? FieldTable::fieldAtLookupPosition(*position) : std::nullopt;
    if (!field)
        return LookupEntry::Text;
    switch (FieldTable::field(*field)->lookup) {
    case LookupRule::Date:
        return LookupEntry::Date;
    case LookupRule::Number:
        return LookupEntry::Number;
    case LookupRule::Text:
        break;
    }
    return LookupEntry::Text;
}

bool lookupKeyAccepted(std::optional<int> position, const QString &text, int keyChar)
{
    if (keyChar == Backspace || keyChar == Del)
        return true;
    if (text.size() >= LookupValueLimit)
        return false;
    switch (lookupEntryKind(position)) {
    case LookupEntry::Date:
        return keyChar == '/' || numericKey(keyChar) != 0;
    case LookupEntry::Number:
        return numericKey(keyChar) != 0;
    case LookupEntry::Text:
        break;
    }
    return true;
}

bool lookupEditAccepted(std::optional<int> position, const QString &after)
{
    if (after.size() > LookupValueLimit)
        return false;
    const LookupEntry kind = lookupEntryKind(position);
    if (kind == LookupEntry::Text)
        return true;
    return std::all_of(after.cbegin(), after.cend(), [kind](QChar c) {
        return (c >= u'0' && c <= u'9') || (kind == LookupEntry::Date && c == u'/');
    });
}

LookupRequest lookupRequest(int position, const QString &typed)
{
    LookupRequest request;
    const std::optional<Field::Number> field = FieldTable::fieldAtLookupPosition(position);
    if (!field) {
        request.error = QStringLiteral("Please choose what to look up by"); // the dialog never asks so
        return request;
    }
    if (lookupEntryKind(position) == LookupEntry::Date && !DateText::isDate(typed)) {
        request.error = QString::fromLatin1(LookupDateMessage);
        return request;
    }
    request.field = *field;
    request.value = typed;
    if (*field == Field::Tools || *field == Field::Locked)
        request.value.prepend(u'*');
    return request;
}
