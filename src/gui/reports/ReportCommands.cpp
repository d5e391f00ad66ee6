#include "ReportCommands.h"

#include "frmBrowser.h"

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

void runReportCommand(QWidget *parent, int position, const ReportSources &sources)
{
    ReportOutcome outcome;
    if (!runGuarded(parent, QStringLiteral("write the report"), [&] { outcome = makeReport(db(), position, sources); }))
        return;
    if (!outcome.message.isEmpty())
        MessageBox::information(parent, outcome.message);
    if (!outcome.write)
        return;
    // The viewer shows the old report from the file written now.
    closeReportViewer();
    QString error;
    if (!SafeFile::write(reportFile(), outcome.bytes, &error)) {
        MessageBox::information(parent, fileFailureText(reportFile(), error));
        return;
    }
    showReportFile();
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
    if (!FileDialog::mayWriteTo(parent, target))
        return;
    QString error;
    if (!SafeFile::write(target, gridCsv(grid), &error))
        MessageBox::information(parent, fileFailureText(target, error));
}
