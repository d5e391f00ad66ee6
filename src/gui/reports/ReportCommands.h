#pragma once

#include "core/reports/ReportCommand.h"

class Database;
class ItemListModel;
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

// The exports of the Reports menu write to a file the user names in the Reports folder (a name
// is proposed; an existing file is replaced only after a question). Each gives what the status
// bar says of the file written, or empty text when nothing was written.

// Reports > Export List as CSV: the item list as shown, for a spreadsheet reader.
QString exportListCsv(QWidget *parent, const ItemListModel &grid);
// Reports > Export All Fields as CSV: every item with every field and its company's details,
// for a transfer to another database.
QString exportAllFieldsCsv(QWidget *parent, Database &database);

// Reports > Export Due Dates as Calendar: every item's service and order days as an
// iCalendar file.
QString exportDueDateCalendar(QWidget *parent, Database &database);
