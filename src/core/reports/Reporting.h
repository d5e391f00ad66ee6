#pragma once

#include "core/alarms/AlarmRules.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVector>

#include <optional>

class Database;
class QAbstractItemModel;

// The HTML report writers. Each gives the whole file: ASCII with numeric entities, CR LF line
// ends, values escaped (see ReportText). Grids are read as they are shown: their heading texts
// and the display text of their cells.

// Report kinds of reportHistoryAndNotes and reportAlarms.
enum HistNotesKind : int { NotesReportKind = 0,
                           HistoryReportKind = 1 };
enum AlarmReportKind : int { ServiceAlarmReport = 0,
                             OrderAlarmReport = 1,
                             AllAlarmReport = 2 };

// Titles of the list reports, as markup: "All Data Report as of 12/6/2026" and
// "Lookup Data Report as of 12/6/2026 (Name= "Pump")" with the lookup value escaped.
QString allReportTitle(const QDate &today);
QString lookupReportTitle(const QDate &today, int lookupField, const QString &lookupValue);

// The item list, one table per row: the shown columns 1..C in groups of four (headings over
// values), then the row's ID from column 0. The title is markup.
QByteArray reportGrid(const QAbstractItemModel &grid, const QString &titleHtml);

// The history (kind 1) or notes (any other kind) of an item from the detail panel's grid of
// two columns (date, description); nothing when the grid has no rows.
std::optional<QByteArray> reportHistoryAndNotes(const QAbstractItemModel &grid, HistNotesKind kind, const QString &name,
                                                qint64 id, const QDate &today);

// Every company by name. With no company the file holds only its opening and title, and
// hasCompanies is false.
struct CompaniesReport {
    QByteArray bytes;
    bool hasCompanies = false;
};
CompaniesReport reportCompanies(Database &database, const QDate &today);

// Work sheets for the alarm rows as evaluateAlarms gives them: a service block (kind 0 or 2 of
// the report) for each service row, an order block (kind 1 or 2) for each order row; rows past
// the service date give none. Nothing when there are no rows at all. An item gone from the
// database meanwhile gives no block; one whose company is gone, its block with the company
// lines empty.
std::optional<QByteArray> reportAlarms(Database &database, AlarmReportKind kind, const QVector<AlarmRow> &alarms,
                                       const QDate &today);
