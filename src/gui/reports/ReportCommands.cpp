#include "ReportCommands.h"

#include "ViewerClient.h"

#include "core/itemlist/ItemListModel.h"
#include "core/items/ItemTransfer.h"
#include "core/platform/Clock.h"
#include "core/platform/SafeFile.h"
#include "core/platform/Utility.h"
#include "core/reports/CalendarExport.h"
#include "core/reports/CsvExport.h"
#include "core/settings/AppPaths.h"
#include "core/settings/SettingsStore.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"

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

// What a save of `count` things of one kind tells the status bar.
QString writtenText(qsizetype count, const char *one, const char *many, const QString &target)
{
    return countedText(count, one, many) + QStringLiteral(" written to ") + QFileInfo(target).fileName();
}

// Asks for the file in the Reports folder, proposing a name, asks before replacing one, and
// writes it whole. The path written, or empty text.
QString saveExport(QWidget *parent, const QString &caption, const QString &proposedName, const QString &filter,
                   const QByteArray &bytes)
{
    SafeFile::makeFolder(AppPaths::reportsFolder());
    const QString proposed = QDir(AppPaths::reportsFolder()).filePath(proposedName);
    const QString target = FileDialog::saveFile(parent, caption, proposed, filter, QFileInfo(proposedName).suffix());
    if (target.isEmpty() || !FileDialog::mayWriteTo(parent, target))
        return QString();
    QString error;
    if (!SafeFile::write(target, bytes, &error)) {
        MessageBox::information(parent, fileFailureText(target, error));
        return QString();
    }
    return target;
}

const char *const CsvFilter = "CSV files (*.csv)";

} // namespace

QString exportListCsv(QWidget *parent, const ItemListModel &grid)
{
    if (grid.rowCount() == 0) {
        MessageBox::information(parent, QStringLiteral("No data to report"));
        return QString();
    }
    const QString target = saveExport(parent, QStringLiteral("Export List as CSV"), QStringLiteral("tarvo-list.csv"),
                                      QString::fromLatin1(CsvFilter), gridCsv(grid));
    return target.isEmpty() ? QString() : writtenText(grid.rowCount(), "item", "items", target);
}

QString exportAllFieldsCsv(QWidget *parent, Database &database)
{
    QByteArray bytes;
    int items = 0;
    if (!runGuarded(parent, QStringLiteral("read the items"), [&] { bytes = ItemTransfer::itemsCsv(database, &items); }))
        return QString();
    if (items == 0) {
        MessageBox::information(parent, QStringLiteral("No data to report"));
        return QString();
    }
    const QString target = saveExport(parent, QStringLiteral("Export All Fields as CSV"),
                                      QStringLiteral("tarvo-all-fields.csv"), QString::fromLatin1(CsvFilter), bytes);
    return target.isEmpty() ? QString() : writtenText(items, "item", "items", target);
}

QString exportDueDateCalendar(QWidget *parent, Database &database)
{
    QVector<DueEvent> events;
    QString identity;
    if (!runGuarded(parent, QStringLiteral("read the due dates"), [&] {
            events = dueEvents(database);
            identity = databaseIdentity(database);
        }))
        return QString();
    if (events.isEmpty()) {
        MessageBox::information(parent, QStringLiteral("No data to report"));
        return QString();
    }
    const QString target = saveExport(parent, QStringLiteral("Export Due Dates as Calendar"),
                                      QStringLiteral("tarvo-due-dates.ics"), QStringLiteral("Calendar files (*.ics)"),
                                      dueDateCalendar(events, Clock::now(), identity));
    return target.isEmpty() ? QString() : writtenText(events.size(), "event", "events", target);
}
