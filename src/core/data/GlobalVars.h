#pragma once

#include "ColumnLayout.h"
#include "FieldTable.h"

#include <QDateTime>
#include <QString>

// What lives for the whole run and several windows share, on the one user-interface thread.
// Windows get what they work on when they open; nothing here passes arguments between them.

enum DisplayModes : int { LookupDisplay = 0,
                          AllDisplay = 1 };

struct GlobalVars {
    // The item list's view: all items or the lookup's, each with its own sort.
    DisplayModes DisplayMode = AllDisplay;
    Field::Number SortFieldAll = Field::ServiceDate;
    SortOrders SortOrderAll = Ascending;
    Field::Number SortFieldLookup = Field::Name;
    SortOrders SortOrderLookup = Ascending;
    // The current lookup; an empty value means none has been made yet.
    Field::Number LookupField = Field::Name;
    QString LookupValue;

    // The columns the item list shows (set with its columns).
    ColumnLayout Columns;

    // Copies of the settings row, made by LoadSettings.
    int startupalarm = 0;
    int timerinterval = 0;
    int alservicedisabled = 0; // 1 = service alarms on, in spite of the name
    int alorderdisabled = 0; // 1 = order alarms on
    int AutoAddhstOn = 0;
    int AutoAddHstWarn = 0;
    // When the alarm monitor next shows the alarms.
    QDateTime NextAlarmCheck;
    // When a snoozing alarm monitor wakes.
    QDateTime SleepUntil;
};

GlobalVars &gv();

// Back to the values at start (tests).
void resetGlobalVars();
