// The main window's views: the display modes, the Sort and Lookup dialogs and the column
// settings. The dialogs answer with signals; the view state is kept in GlobalVars, and what the
// list shows after a save, a delete, a calendar pick or a column change is decided by listAfter.

#include "frmmain.h"

#include "ItemGrid.h"

#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
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

void frmmain::showListAfter(ListEvent event, const QDate &day)
{
    const ListChange change = listAfter(gv().view, event, day);
    gv().view = change.view;
    setPanelText(1, displayModeText(gv().view));
    if (change.clearPanes)
        ClearLastClick();
    loadView(change.query);
    if (change.clearPanes)
        ClearData();
}

void frmmain::showAllItems()
{
    ClearLastClick();
    loadView(allItemsView(gv().view));
    ClearData();
    setPanelText(1, displayModeText(gv().view));
}

void frmmain::showLookupItems()
{
    const std::optional<GridQuery> query = lookupView(gv().view);
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
    setPanelText(1, displayModeText(gv().view));
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

// An open dialog is raised as it is, without the position asked for.
void frmmain::openLookupAt(std::optional<int> position)
{
    showOnce(m_lookup, [this, position] {
        auto *dialog = new frmLookup(position);
        connect(dialog, &frmLookup::lookupChosen, this, &frmmain::lookupChosen);
        return dialog;
    });
}

void frmmain::openSortAt(std::optional<int> position)
{
    showOnce(m_sort, [this, position] {
        auto *dialog = new frmSort(position);
        connect(dialog, &frmSort::sortChosen, this, &frmmain::sortChosen);
        return dialog;
    });
}

// Opening the column settings closes the Lookup dialog.
void frmmain::openColumnSettings()
{
    showOnce(m_columns, [this] {
        closeNow(m_lookup);
        auto *window = new frmColumns;
        connect(window, &frmColumns::columnsSaved, this, &frmmain::columnsSaved);
        return window;
    });
}

void frmmain::sortChosen(Field::Number field, SortOrders order)
{
    ClearData();
    ClearLastClick();
    const std::optional<GridQuery> query = chooseSort(gv().view, field, order);
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
    loadView(chooseLookup(gv().view, field, value));
    setPanelText(1, displayModeText(gv().view));
}

void frmmain::columnsSaved()
{
    ClearData();
    ClearLastClick();
    runGuarded(this, QStringLiteral("set up the item list's columns"), [this] { SetupGridColumns(); });
    showListAfter(ListEvent::ColumnsChanged);
}
