#include "ReportCommands.h"

#include "ViewerClient.h"

#include "core/data/AppPaths.h"
#include "core/data/DatabaseADO.h"
#include "core/platform/SafeFile.h"
#include "core/platform/Utility.h"
#include "core/reports/CsvExport.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFileInfo>

void runReportCommand(QWidget *parent, int position, const ReportSources &sources)
{
    ReportOutcome outcome;
    if (!runGuarded(parent, QStringLiteral("write the report"), [&] { outcome = makeReport(db(), position, sources); }))
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
    ViewerClient::instance().show(reportFile());
}

void showReportViewer()
{
    // The blank page is the program's own; put it back when it is missing.
    if (!QFileInfo::exists(blankPageFile()))
        SafeFile::write(blankPageFile(), blankPage());
    ViewerClient::instance().raise(blankPageFile());
}

void exportListCsv(QWidget *parent, const QAbstractItemModel &grid)
{
    if (grid.rowCount() == 0) {
        MessageBox::information(parent, QStringLiteral("No data to report"));
        return;
    }
    QDir(AppPaths::applicationFolder()).mkpath(QStringLiteral("Reports"));
    const QString target = FileDialog::saveFile(parent, QStringLiteral("Export List as CSV"), AppPaths::reportsFolder(),
                                                QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"));
    if (target.isEmpty())
        return;
    if (FileExists(target) && !MessageBox::confirm(parent, QStringLiteral("File already exsists; It will be overwritten")))
        return;
    QString error;
    if (!SafeFile::write(target, gridCsv(grid), &error))
        MessageBox::information(parent, fileFailureText(target, error));
}
