#pragma once

#include "core/db/FieldTable.h"
#include "core/itemlist/ListChange.h"
#include "core/itemlist/ViewState.h"

#include <QDate>
#include <QObject>

#include <optional>

class Database;
class ItemGrid;
class ItemListModel;
class QPlainTextEdit;
struct ColumnLayout;

// The item list: its columns, its two views (all items, a lookup's items) each with its own
// sort, the chosen row, and the cell viewer that shows a long cell's whole text over the cell.
// It owns none of the widgets it drives; the main window lays them out and answers its signals.
class ItemListController : public QObject
{
    Q_OBJECT

public:
    ItemListController(Database &database, ItemGrid *grid, QPlainTextEdit *cellViewer, QObject *parent = nullptr);

    ItemGrid *grid() const { return m_grid; }
    ItemListModel *model() const;
    const ViewState &view() const { return m_view; }
    const ColumnLayout &columnLayout() const;

    // The columns from the Columns table; a failing statement throws DbError.
    void setupColumns();
    // The rows, sorted on a field number (order 0 ascending), all items or a lookup's. A refused
    // lookup or an empty one is told to the user.
    void loadGrid(int sortField, SortOrders sortOrder, const QString &lookupValue, int lookupField);
    // The column widths the user dragged, into the Columns table; throws DbError.
    void storeColumnWidths();
    // Whether the list shows items (the add buttons follow it).
    bool hasItems() const { return m_hasItems; }

    bool noItemSelected() const { return m_noItemSelected; }
    // The item of the chosen row; 0 when none is chosen.
    qint64 selectedItemId() const;
    // What a click on a list row (from 1) in a grid column does to the list; a double-click asks
    // for the row's item in the editor.
    void rowClicked(int row, int column);
    void rowDoubleClicked(int row);
    // Removes the choice of a row, and the cell viewer with it.
    void clearLastClick();

    // The views: what the Display, Sort and Lookup commands and the column settings show, and
    // the list after an event elsewhere.
    void showListAfter(ListEvent event, const QDate &day = QDate());
    void showAllItems();
    void showLookupItems();
    void sortChosen(Field::Number field, SortOrders order);
    void lookupChosen(Field::Number field, const QString &value);
    void columnsSaved();
    // Another program changed the items: the rows shown are read again for the same view and
    // sort, the chosen item stays chosen (its panes filled anew) and the list keeps its scroll
    // place. An item gone from the list takes the choice and the panes with it.
    void reloadInPlace();

Q_SIGNALS:
    // The text of the first status bar panel for the view shown.
    void viewChanged(const QString &text);
    // The list was loaded with items (true) or without.
    void itemsShown(bool any);
    // A row was chosen: the detail panes show its item and company.
    void rowChosen(int row);
    // The detail panes are to be emptied.
    void panesCleared();
    // A row's item is wanted in the item editor.
    void itemEditorWanted(qint64 itemId);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadView(const GridQuery &query);
    // Chooses the list row of an item; false when the list does not hold it.
    bool chooseItem(qint64 itemId);
    void setHasItems(bool any);
    void showCellViewer(int row, int column);
    QWidget *window() const;

    Database &m_database;
    ItemGrid *m_grid;
    QPlainTextEdit *m_cellViewer;
    ViewState m_view;
    std::optional<GridQuery> m_shown; // what the list was loaded with; none while it is empty
    bool m_hasItems = false;
    bool m_noItemSelected = true;
    int m_clickRow = 0;
    int m_lastClickRow = 0;
};
