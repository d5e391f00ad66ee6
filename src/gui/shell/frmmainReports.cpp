// The main window's report commands: they hand the reports what the window shows.

#include "frmmain.h"

#include "DetailPanel.h"
#include "ItemGrid.h"

#include "core/data/GlobalVars.h"
#include "core/platform/Clock.h"
#include "core/shell/ItemListModel.h"
#include "gui/items/frmImport.h"
#include "gui/reports/ReportCommands.h"

#include <QTableWidget>

void frmmain::reportCommand(int position)
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

void frmmain::exportListAsCsv()
{
    exportListCsv(this, *m_grid->itemModel());
}

void frmmain::exportDueDates()
{
    exportDueDateCalendar(this);
}

void frmmain::importItemsCsv()
{
    if (frmImport *preview = importItemsFromCsv(m_import, this, m_grid->itemModel()->columnLayout()))
        connect(preview, &frmImport::imported, this, &frmmain::itemSaved); // a new window every time
}

void frmmain::openReportViewer()
{
    showReportViewer();
}
