#pragma once

#include "core/db/FieldTable.h"
#include "core/itemlist/ViewState.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <span>

class Database;
class QAbstractItemModel;
struct ColumnLayout;

// The Reports menu: which report each entry writes, what it needs first, and where it goes.

// The positions of the menu's entries, by which the program and its tests name the reports.
namespace Report {
enum Position : int {
    All = 0,
    Lookup = 1,
    ItemHistory = 2,
    Companies = 3,
    ServiceAlarms = 4,
    OrderAlarms = 5,
    OrderAndServiceAlarms = 6,
    ItemNotes = 7,
    Count
};
} // namespace Report

// What the reports read, handed over by the main window at the moment of the command.
struct ReportSources {
    const QAbstractItemModel *grid = nullptr; // the item list; column 0 the item's ID
    const QAbstractItemModel *history = nullptr; // the selected item's history (date, text)
    const QAbstractItemModel *notes = nullptr; // and its notes
    int displayMode = AllDisplay;
    int lookupField = Field::Name;
    QString lookupValue;
    bool noItemSelected = true;
    QString itemName; // the selected item's name (see reportItemName)
    qint64 itemId = 0;
    int serviceSwitch = 0; // the settings' alarm switches, each on at 1
    int orderSwitch = 0;
    QDate today;
};

// The selected item's name as the reports give it: the text of its list row in the column that
// shows Name, or its ID when that column is hidden. Rows count from 0 here.
QString reportItemName(const QAbstractItemModel &grid, const ColumnLayout &layout, int row);

// What a report command comes to.
struct ReportOutcome {
    QString message; // shown first; empty when there is nothing to say
    bool write = false; // the bytes go to the report file and the viewer shows them
    QByteArray bytes;
};

// A Reports menu entry: its position, its caption and what it writes. Each report is defined
// by one entry; the menu is built from the list.
struct ReportEntry {
    Report::Position position;
    const char *caption;
    ReportOutcome (*write)(Database &database, const ReportSources &sources);
};

// The Reports menu's entries, in position order.
std::span<const ReportEntry> reportEntries();

// Checks the command's conditions and writes the report of a Reports menu position (nothing for
// a position past the list).
ReportOutcome makeReport(Database &database, int position, const ReportSources &sources);

// The report file every report overwrites, and the empty page the viewer shows otherwise, in
// the application folder.
QString reportFile();
QString blankPageFile();
// What blank.htm holds when the program writes it.
QByteArray blankPage();

// The message of a file that could not be written: the file, then what went wrong.
QString fileFailureText(const QString &path, const QString &error);
