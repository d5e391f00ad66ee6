// The main window's report commands: they hand the reports what the window shows.

#include "MainWindow.h"

#include "DetailPanel.h"
#include "gui/itemlist/ItemGrid.h"

#include "core/itemlist/ItemListModel.h"
#include "core/platform/Clock.h"
#include "core/settings/AppContext.h"
#include "gui/items/ImportPreviewDialog.h"
#include "gui/reports/ReportCommands.h"

#include <QTableWidget>

void MainWindow::reportCommand(int position)
{
    const ViewState &view = m_view;
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
    sources.serviceSwitch = m_context.settings().serviceAlarms;
    sources.orderSwitch = m_context.settings().orderAlarms;
    sources.today = Clock::today();
    runReportCommand(this, m_context.database(), position, sources);
}

void MainWindow::exportListAsCsv()
{
    exportListCsv(this, *m_grid->itemModel());
}

void MainWindow::exportDueDates()
{
    exportDueDateCalendar(this, m_context.database());
}

void MainWindow::importItemsCsv()
{
    if (ImportPreviewDialog *preview = importItemsFromCsv(m_import, this, m_context, m_grid->itemModel()->columnLayout()))
        connect(preview, &ImportPreviewDialog::imported, this, &MainWindow::itemSaved); // a new window every time
}

void MainWindow::openReportViewer()
{
    showReportViewer();
}
