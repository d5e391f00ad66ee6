// The main window's report commands: they hand the reports what the window shows.

#include "MainWindow.h"

#include "DetailPanel.h"
#include "gui/itemlist/ItemGrid.h"

#include "core/itemlist/ItemListModel.h"
#include "core/platform/Clock.h"
#include "core/settings/GlobalVars.h"
#include "gui/items/ImportPreviewDialog.h"
#include "gui/reports/ReportCommands.h"

#include <QStatusBar>
#include <QTableWidget>

void MainWindow::reportCommand(int position)
{
    const ViewState &view = gv().view;
    const ItemListModel *list = m_grid->itemModel();
    ReportSources sources;
    sources.grid = list;
    sources.history = m_historyPane->historyGrid()->model();
    sources.notes = m_historyPane->notesGrid()->model();
    sources.displayMode = view.DisplayMode;
    sources.lookupField = view.LookupField;
    sources.lookupValue = view.LookupValue;
    sources.noItemSelected = m_noItemSelected;
    if (!m_noItemSelected) {
        sources.itemName = reportItemName(*list, list->columnLayout(), m_grid->currentRow() - 1);
        sources.itemId = selectedItemId();
    }
    sources.serviceSwitch = gv().settings.serviceAlarms;
    sources.orderSwitch = gv().settings.orderAlarms;
    sources.today = Clock::today();
    runReportCommand(this, position, sources);
}

void MainWindow::exportListAsCsv()
{
    showExported(exportListCsv(this, *m_grid->itemModel()));
}

void MainWindow::exportAllFields()
{
    showExported(exportAllFieldsCsv(this));
}

void MainWindow::exportDueDates()
{
    showExported(exportDueDateCalendar(this));
}

void MainWindow::showExported(const QString &written)
{
    constexpr int ShownMsec = 15000;
    if (!written.isEmpty())
        statusBar()->showMessage(written, ShownMsec);
}

void MainWindow::importItemsCsv()
{
    if (ImportPreviewDialog *preview = importItemsFromCsv(m_import, this, m_grid->itemModel()->columnLayout()))
        connect(preview, &ImportPreviewDialog::imported, this, &MainWindow::itemSaved); // a new window every time
}

void MainWindow::openReportViewer()
{
    showReportViewer();
}
