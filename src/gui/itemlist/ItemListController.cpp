#include "ItemListController.h"

#include "ItemGrid.h"

#include "core/itemlist/ItemListModel.h"
#include "core/settings/ColumnLayout.h"
#include "core/views/ViewRules.h"
#include "gui/platform/LongText.h"
#include "gui/platform/WindowUtil.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

ItemListController::ItemListController(Database &database, ItemGrid *grid, QPlainTextEdit *cellViewer, QObject *parent)
    : QObject(parent)
    , m_database(database)
    , m_grid(grid)
    , m_cellViewer(cellViewer)
{
    m_cellViewer->viewport()->installEventFilter(this);
    connect(m_grid, &ItemGrid::cellClicked, this, &ItemListController::rowClicked);
    connect(m_grid, &ItemGrid::cellDoubleClicked, this, [this](int row, int) { rowDoubleClicked(row); });
    connect(m_grid, &ItemGrid::scrolled, m_cellViewer, &QWidget::hide);
}

ItemListModel *ItemListController::model() const
{
    return m_grid->itemModel();
}

const ColumnLayout &ItemListController::columnLayout() const
{
    return model()->columnLayout();
}

QWidget *ItemListController::window() const
{
    return m_grid->window();
}

void ItemListController::setupColumns()
{
    const ColumnLayout layout = ColumnLayout::read(m_database);
    model()->setLayout(layout);
    m_grid->applyLayout(layout);
}

void ItemListController::loadGrid(int sortField, SortOrders sortOrder, const QString &lookupValue, int lookupField)
{
    m_noItemSelected = true;
    m_cellViewer->hide();
    m_shown = GridQuery {sortField, sortOrder, lookupValue, lookupField};
    ItemListLoad result;
    const bool ran = runGuarded(window(), QStringLiteral("load the item list"), [&] {
        result = model()->load(m_database, sortField, sortOrder, lookupValue, lookupField);
    });
    setHasItems(ran && result.outcome == ItemListLoad::Outcome::Rows);
    m_grid->setCurrentRow(0);
    if (!result.message.isEmpty())
        MessageBox::information(window(), result.message);
}

void ItemListController::storeColumnWidths()
{
    saveColumnWidths(m_database, columnLayout(), m_grid->columnWidths());
}

void ItemListController::setHasItems(bool any)
{
    m_hasItems = any;
    emit itemsShown(any);
}

qint64 ItemListController::selectedItemId() const
{
    return m_noItemSelected ? 0 : model()->itemIdAt(m_grid->currentRow());
}

void ItemListController::rowClicked(int row, int column)
{
    if (m_grid->rows() < 2)
        return;
    showCellViewer(row, column);
    model()->setRowSelected(row, true);
    m_clickRow = row;
    if (m_lastClickRow != m_clickRow && !m_noItemSelected)
        model()->setRowSelected(m_lastClickRow, false);
    m_lastClickRow = m_clickRow;
    m_grid->setCurrentRow(m_clickRow);
    m_noItemSelected = false;
    emit rowChosen(row);
}

void ItemListController::rowDoubleClicked(int row)
{
    const qint64 itemId = model()->itemIdAt(row);
    if (itemId != 0) // a list row there
        emit itemEditorWanted(itemId);
}

void ItemListController::showCellViewer(int row, int column)
{
    const int columnId = columnLayout().columnIdAt(column);
    if (columnId != Column::RepParts && columnId != Column::Tools && columnId != Column::Locked) {
        m_cellViewer->hide();
        return;
    }
    m_cellViewer->setGeometry(m_grid->cellRect(row, column));
    m_cellViewer->setPlainText(LongText::shownPart(model()->cellText(row, columnId)));
    m_cellViewer->show();
    m_cellViewer->raise();
}

void ItemListController::clearLastClick()
{
    if (!m_noItemSelected && m_grid->rows() >= 2) {
        model()->setRowSelected(m_lastClickRow, false);
        m_noItemSelected = true;
    }
    m_cellViewer->hide();
}

bool ItemListController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_cellViewer->viewport()) {
        rowDoubleClicked(m_grid->currentRow());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ItemListController::loadView(const GridQuery &query)
{
    loadGrid(query.sortField, query.sortOrder, query.lookupValue, query.lookupField);
}

// What the list shows after a save, a delete, a calendar pick or a column change is decided by
// listAfter; the Display, Sort and Lookup commands by the view rules.
void ItemListController::showListAfter(ListEvent event, const QDate &day)
{
    const ListChange change = listAfter(m_view, event, day);
    m_view = change.view;
    emit viewChanged(displayModeText(m_view));
    if (change.clearPanes)
        clearLastClick();
    loadView(change.query);
    if (change.clearPanes)
        emit panesCleared();
}

void ItemListController::showAllItems()
{
    clearLastClick();
    loadView(allItemsView(m_view));
    emit panesCleared();
    emit viewChanged(displayModeText(m_view));
}

void ItemListController::showLookupItems()
{
    const std::optional<GridQuery> query = lookupView(m_view);
    emit panesCleared();
    clearLastClick();
    if (query) {
        loadView(*query);
    } else {
        // No lookup made yet: an empty list.
        m_shown.reset();
        model()->clear();
        m_grid->setCurrentRow(0);
        setHasItems(false);
    }
    emit viewChanged(displayModeText(m_view));
}

void ItemListController::sortChosen(Field::Number field, SortOrders order)
{
    emit panesCleared();
    clearLastClick();
    const std::optional<GridQuery> query = chooseSort(m_view, field, order);
    if (!query)
        return;
    // The listed rows are current (every change reloads the list): sorted anew, not read again.
    if (model()->resort(query->lookupValue, query->lookupField, query->sortField, query->sortOrder)) {
        m_shown = *query;
        m_grid->setCurrentRow(0);
    } else
        loadView(*query);
}

void ItemListController::lookupChosen(Field::Number field, const QString &value)
{
    emit panesCleared();
    clearLastClick();
    loadView(chooseLookup(m_view, field, value));
    emit viewChanged(displayModeText(m_view));
}

void ItemListController::columnsSaved()
{
    emit panesCleared();
    clearLastClick();
    runGuarded(window(), QStringLiteral("set up the item list's columns"), [this] { setupColumns(); });
    showListAfter(ListEvent::ColumnsChanged);
}

void ItemListController::reloadInPlace()
{
    if (!m_shown)
        return;
    emit viewChanged(displayModeText(m_view)); // in place of a lost connection's notice
    const qint64 chosen = selectedItemId();
    const QPoint scrolled(m_grid->horizontalScrollBar()->value(), m_grid->verticalScrollBar()->value());
    m_cellViewer->hide();
    m_noItemSelected = true;
    ItemListLoad result;
    const bool ran = runGuarded(window(), QStringLiteral("load the item list"), [&] {
        result = model()->load(m_database, m_shown->sortField, m_shown->sortOrder, m_shown->lookupValue, m_shown->lookupField);
    });
    setHasItems(ran && result.outcome == ItemListLoad::Outcome::Rows);
    // No message here: a lookup that now finds nothing shows an empty list without a question.
    if (chosen != 0 && !chooseItem(chosen))
        emit panesCleared();
    if (m_noItemSelected)
        m_grid->setCurrentRow(0);
    m_grid->horizontalScrollBar()->setValue(scrolled.x());
    m_grid->verticalScrollBar()->setValue(scrolled.y());
}

bool ItemListController::chooseItem(qint64 itemId)
{
    for (int row = 1; row <= model()->itemCount(); ++row) {
        if (model()->itemIdAt(row) != itemId)
            continue;
        model()->setRowSelected(row, true);
        m_clickRow = m_lastClickRow = row;
        m_grid->setCurrentRow(row);
        m_noItemSelected = false;
        emit rowChosen(row);
        return true;
    }
    return false;
}
