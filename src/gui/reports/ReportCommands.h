#pragma once

#include "core/reports/ReportCommand.h"

class Database;
class QAbstractItemModel;
class QWidget;

// Runs a Reports menu command: its conditions and messages, then the report file, written
// whole or not at all, and the viewer opened anew on it. Nothing is opened when the file
// cannot be written; the user is told why.
void runReportCommand(QWidget *parent, Database &database, int position, const ReportSources &sources);

// The report just written, in a new viewer window (the open one closes).
void showReportFile();
// A file of the program's own (the manual) in a new viewer window.
void showFileInViewer(const QString &path);
// View > Report Viewer: the open viewer comes forward as it is, or a new one shows the blank
// page (written when it is missing).
void showReportViewer();

// Reports > Export List as CSV: the item list as shown, to a file the user names (asked before
// an existing file is replaced).
void exportListCsv(QWidget *parent, const QAbstractItemModel &grid);

// Reports > Export Due Dates as Calendar: every item's service and order days as an
// iCalendar file the user names (asked before an existing file is replaced).
void exportDueDateCalendar(QWidget *parent, Database &database);
