#pragma once

#include "core/db/FieldTable.h"

#include <QString>

enum DisplayModes : int { LookupDisplay = 0,
                          AllDisplay = 1 };

// The item list's view: all items or the lookup's, each with its own sort.
struct ViewState {
    DisplayModes DisplayMode = AllDisplay;
    Field::Number SortFieldAll = Field::ServiceDate;
    SortOrders SortOrderAll = Ascending;
    Field::Number SortFieldLookup = Field::Name;
    SortOrders SortOrderLookup = Ascending;
    // The current lookup; an empty value means none has been made yet.
    Field::Number LookupField = Field::Name;
    QString LookupValue;

    bool operator==(const ViewState &) const = default;
};
