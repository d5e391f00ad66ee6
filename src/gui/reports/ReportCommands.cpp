#include "ReportCommands.h"

#include "ViewerClient.h"

#include "core/db/Recordset.h"
#include "core/platform/Clock.h"
#include "core/platform/SafeFile.h"
#include "core/reports/CalendarExport.h"
#include "core/reports/CsvExport.h"
#include "core/settings/AppPaths.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFileInfo>

void runReportCommand(QWidget *parent, Database &database, int position, const ReportSources &sources)
{
    ReportOutcome outcome;
    if (!runGuarded(parent, QStringLiteral("write the report"), [&] { outcome = makeReport(database, position, sources); }))
        return;
    if (!outcome.message.isEmpty())
        MessageBox::information(parent, outcome.message);
    if (!outcome.write)
        return;
    QString error;
    if (!SafeFile::write(reportFile(), outcome.bytes, &error)) {
        MessageBox::information(parent, fileFailureText(reportFile(), error));
        return;
    }
    showReportFile();
}

void showReportFile()
{
    showFileInViewer(reportFile());
}

void showFileInViewer(const QString &path)
{
    ViewerClient::instance().show(path);
}

void showReportViewer()
{
    // The blank page is the program's own; put it back when it is missing.
    if (!QFileInfo::exists(blankPageFile()))
        SafeFile::write(blankPageFile(), blankPage());
    ViewerClient::instance().raise(blankPageFile());
}

namespace {

// Asks for the file in the Reports folder, asks before replacing one, and writes it whole.
void saveExport(QWidget *parent, const QString &caption, const QString &filter, const QString &suffix,
                const QByteArray &bytes)
{
    QDir().mkpath(AppPaths::reportsFolder());
    const QString target = FileDialog::saveFile(parent, caption, AppPaths::reportsFolder(), filter, suffix);
    if (target.isEmpty())
        return;
    if (!FileDialog::mayWriteTo(parent, target))
        return;
    QString error;
    if (!SafeFile::write(target, bytes, &error))
        MessageBox::information(parent, fileFailureText(target, error));
}

} // namespace

void exportListCsv(QWidget *parent, const QAbstractItemModel &grid)
{
    if (grid.rowCount() == 0) {
        MessageBox::information(parent, QStringLiteral("No data to report"));
        return;
    }
    saveExport(parent, QStringLiteral("Export List as CSV"), QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"),
               gridCsv(grid));
}

void exportDueDateCalendar(QWidget *parent, Database &database)
{
    QVector<DueEvent> events;
    if (!runGuarded(parent, QStringLiteral("read the due dates"), [&] { events = dueEvents(database); }))
        return;
    if (events.isEmpty()) {
        MessageBox::information(parent, QStringLiteral("No data to report"));
        return;
    }
    saveExport(parent, QStringLiteral("Export Due Dates as Calendar"), QStringLiteral("Calendar files (*.ics)"),
               QStringLiteral("ics"), dueDateCalendar(events, Clock::now()));
}
