// The main window's views: the display modes, the Sort and Lookup dialogs and the column
// settings. The dialogs answer with signals; the view state is kept in GlobalVars.

#include "frmmain.h"

#include "ItemGrid.h"

#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "core/shell/DisplayText.h"
#include "core/shell/ItemListModel.h"
#include "core/views/ViewRules.h"
#include "gui/platform/WindowUtil.h"
#include "gui/views/frmColumns.h"
#include "gui/views/frmLookup.h"
#include "gui/views/frmSort.h"

#include <QAction>

void frmmain::loadView(const GridQuery &query)
{
    LoadGrid(query.sortField, query.sortOrder, query.lookupValue, query.lookupField);
}

void frmmain::showAllItems()
{
    ClearLastClick();
    loadView(allItemsView(gv()));
    ClearData();
    setPanelText(1, displayModeText(gv()));
}

void frmmain::showLookupItems()
{
    const std::optional<GridQuery> query = lookupView(gv());
    ClearData();
    ClearLastClick();
    if (query) {
        loadView(*query);
    } else {
        // No lookup made yet: an empty list.
        m_grid->itemModel()->clear();
        m_grid->setCurrentRow(0);
        setAddButtonsEnabled(false);
    }
    setPanelText(1, displayModeText(gv()));
}

void frmmain::lookupMenuChosen()
{
    if (const auto *entry = qobject_cast<QAction *>(sender()))
        openLookupAt(entry->property("position").toInt());
}

void frmmain::sortMenuChosen()
{
    // The Sort menu's positions are field numbers; the dialog's list has no entry for 6.
    if (const auto *entry = qobject_cast<QAction *>(sender()))
        openSortAt(FieldTable::sortPositionOf(Field::Number(entry->property("position").toInt())));
}

void frmmain::openLookupDialog()
{
    openLookupAt(std::nullopt);
}

void frmmain::openSortDialog()
{
    openSortAt(std::nullopt);
}

void frmmain::openLookupAt(std::optional<int> position)
{
    frmLookup *dialog = showLookupDialog(position);
    connect(dialog, &frmLookup::lookupChosen, this, &frmmain::lookupChosen, Qt::UniqueConnection);
}

void frmmain::openSortAt(std::optional<int> position)
{
    frmSort *dialog = showSortDialog(position);
    connect(dialog, &frmSort::sortChosen, this, &frmmain::sortChosen, Qt::UniqueConnection);
}

void frmmain::openColumnSettings()
{
    frmColumns *window = showColumnSettings();
    connect(window, &frmColumns::columnsSaved, this, &frmmain::columnsSaved, Qt::UniqueConnection);
}

void frmmain::sortChosen(Field::Number field, SortOrders order)
{
    ClearData();
    ClearLastClick();
    const std::optional<GridQuery> query = chooseSort(gv(), field, order);
    if (!query)
        return;
    // The listed rows are current (every change reloads the list): sorted anew, not read again.
    if (m_grid->itemModel()->resort(query->lookupValue, query->lookupField, query->sortField, query->sortOrder))
        m_grid->setCurrentRow(0);
    else
        loadView(*query);
}

void frmmain::lookupChosen(Field::Number field, const QString &value)
{
    ClearData();
    ClearLastClick();
    loadView(chooseLookup(gv(), field, value));
    setPanelText(1, displayModeText(gv()));
}

void frmmain::columnsSaved()
{
    ClearData();
    ClearLastClick();
    runGuarded(this, QStringLiteral("set up the item list's columns"), [this] { SetupGridColumns(); });
    // All items in service-date order, whatever view was shown; the status names that view.
    LoadGrid(Field::ServiceDate, Ascending, QString(), Field::Name);
    gv().DisplayMode = AllDisplay;
    setPanelText(1, displayModeText(gv()));
}
