#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>

class Database;

// State that several windows share, on the one user-interface thread.
struct AlarmRow {
    int kind = 0; // 0 service due, 1 order due, 2 past the service date
    int itemId = 0;
};

struct GlobalVars {
    Database *DbConnection = nullptr;

    // Item list view: 1 = all items, 0 = lookup.
    int DisplayMode = 1;
    int SortFieldAll = 7;
    int SortOrderAll = 0;
    int SortFieldLookup = 0;
    int SortOrderLookup = 0;
    int LookupField = 0;
    QString LookupValue;

    // Rows of the item list, indexed by grid row (row 0 is the heading row).
    bool NoItemSelected = true;
    QVector<int> RowID;
    QVector<int> RowManuID;
    int SelectedRow = 0;

    // Grid column of each column id 0..24 (0 = hidden) and whether it is shown.
    QVector<int> ColLoc = QVector<int>(25, 0);
    QVector<int> ColVisible = QVector<int>(25, 0);

    // Copies of the settings row, set by LoadSettings.
    int startupalarm = 0;
    int timerinterval = 0;
    int alservicedisabled = 0;
    int alorderdisabled = 0;
    int AutoAddhstOn = 0;
    int AutoAddHstWarn = 0;
    QDateTime NextAlarmCheck;
    QDateTime SleepUntil;

    // Openers set these before showing the next window.
    int ItemEditMode = 0; // 0 add, 1 edit the selected list row, 2 edit the selected alarm row
    bool EntryFromMainWindow = true;
    bool SelectCompanyMode = false;
    QVector<int> CompanyIDs;
    int CompanyEditRow = 0;
    bool SortNoPreset = true;
    int SortPreset = 0;
    bool LookupNoPreset = true;
    int LookupPreset = 0;
    int ViewReport = 0;

    QVector<AlarmRow> AlarmRows;
    int SelectedAlarmRow = 0;
    bool AlarmsPending = false;

    // The item ID of a list row, 0 when the row does not exist.
    int rowItemId(int row) const { return row >= 0 && row < RowID.size() ? RowID.at(row) : 0; }
    int alarmItemId(int row) const
    {
        return row >= 0 && row < AlarmRows.size() ? AlarmRows.at(row).itemId : 0;
    }
};

GlobalVars &gv();

// Back to the values at start (tests).
void resetGlobalVars();
