// The main window's views: the display modes, the Sort and Lookup dialogs and the column
// settings. The dialogs answer with signals; the view state is kept in GlobalVars, and what the
// list shows after a save, a delete, a calendar pick or a column change is decided by listAfter.

#include "MainWindow.h"

#include "gui/itemlist/ItemGrid.h"

#include "core/db/Recordset.h"
#include "core/itemlist/ItemListModel.h"
#include "core/settings/AppContext.h"
#include "core/views/ViewRules.h"
#include "gui/platform/WindowUtil.h"
#include "gui/views/ColumnSettingsDialog.h"
#include "gui/views/LookupDialog.h"
#include "gui/views/SortDialog.h"

#include <QAction>

void MainWindow::loadView(const GridQuery &query)
{
    loadGrid(query.sortField, query.sortOrder, query.lookupValue, query.lookupField);
}

void MainWindow::showListAfter(ListEvent event, const QDate &day)
{
    const ListChange change = listAfter(m_view, event, day);
    m_view = change.view;
    setPanelText(1, displayModeText(m_view));
    if (change.clearPanes)
        clearLastClick();
    loadView(change.query);
    if (change.clearPanes)
        clearData();
}

void MainWindow::showAllItems()
{
    clearLastClick();
    loadView(allItemsView(m_view));
    clearData();
    setPanelText(1, displayModeText(m_view));
}

void MainWindow::showLookupItems()
{
    const std::optional<GridQuery> query = lookupView(m_view);
    clearData();
    clearLastClick();
    if (query) {
        loadView(*query);
    } else {
        // No lookup made yet: an empty list.
        m_grid->itemModel()->clear();
        m_grid->setCurrentRow(0);
        setAddButtonsEnabled(false);
    }
    setPanelText(1, displayModeText(m_view));
}

void MainWindow::lookupMenuChosen()
{
    if (const auto *entry = qobject_cast<QAction *>(sender()))
        openLookupAt(entry->property("position").toInt());
}

void MainWindow::sortMenuChosen()
{
    // The Sort menu's positions are field numbers; the dialog's list has no entry for 6.
    if (const auto *entry = qobject_cast<QAction *>(sender()))
        openSortAt(FieldTable::sortPositionOf(Field::Number(entry->property("position").toInt())));
}

void MainWindow::openLookupDialog()
{
    openLookupAt(std::nullopt);
}

void MainWindow::openSortDialog()
{
    openSortAt(std::nullopt);
}

// An open dialog is raised as it is, without the position asked for.
void MainWindow::openLookupAt(std::optional<int> position)
{
    showOnce(m_lookup, [this, position] {
        auto *dialog = new LookupDialog(position);
        connect(dialog, &LookupDialog::lookupChosen, this, &MainWindow::lookupChosen);
        return dialog;
    });
}

void MainWindow::openSortAt(std::optional<int> position)
{
    showOnce(m_sort, [this, position] {
        auto *dialog = new SortDialog(position);
        connect(dialog, &SortDialog::sortChosen, this, &MainWindow::sortChosen);
        return dialog;
    });
}

// Opening the column settings closes the Lookup dialog.
void MainWindow::openColumnSettings()
{
    showOnce(m_columns, [this] {
        closeNow(m_lookup);
        auto *window = new ColumnSettingsDialog(m_context.database());
        window->load();
        connect(window, &ColumnSettingsDialog::columnsSaved, this, &MainWindow::columnsSaved);
        return window;
    });
}

void MainWindow::sortChosen(Field::Number field, SortOrders order)
{
    clearData();
    clearLastClick();
    const std::optional<GridQuery> query = chooseSort(m_view, field, order);
    if (!query)
        return;
    // The listed rows are current (every change reloads the list): sorted anew, not read again.
    if (m_grid->itemModel()->resort(query->lookupValue, query->lookupField, query->sortField, query->sortOrder))
        m_grid->setCurrentRow(0);
    else
        loadView(*query);
}

void MainWindow::lookupChosen(Field::Number field, const QString &value)
{
    clearData();
    clearLastClick();
    loadView(chooseLookup(m_view, field, value));
    setPanelText(1, displayModeText(m_view));
}

void MainWindow::columnsSaved()
{
    clearData();
    clearLastClick();
    runGuarded(this, QStringLiteral("set up the item list's columns"), [this] { setupGridColumns(); });
    showListAfter(ListEvent::ColumnsChanged);
}
