#pragma once

#include "ColumnLayout.h"
#include "core/db/FieldTable.h"
#include "Settings.h"

#include <QString>

// What lives for the whole run and several windows share, on the one user-interface thread.
// Windows get what they work on when they open; nothing here passes arguments between them.

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

struct GlobalVars {
    ViewState view;

    // The columns the item list shows (set with its columns).
    ColumnLayout Columns;

    // The options last read from the settings row; the main window keeps them current.
    AppSettings settings;
};

GlobalVars &gv();

// Back to the values at start (tests).
void resetGlobalVars();
