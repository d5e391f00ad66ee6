#pragma once

#include "core/db/FieldTable.h"
#include "core/itemlist/ViewState.h"

#include <QDate>
#include <QString>

// What the item list is loaded with.
struct GridQuery {
    int sortField = Field::ServiceDate;
    SortOrders sortOrder = Ascending;
    QString lookupValue; // empty: all items
    int lookupField = Field::Name;

    bool operator==(const GridQuery &) const = default;
};

// What reloads the item list besides the Display, Sort and Lookup commands.
enum class ListEvent { Started,
                       ItemSaved,
                       ItemDeleted,
                       DayPicked,
                       ColumnsChanged };

// The view after an event and what the list loads. Every load ends the selection;
// `clearPanes` also empties the detail panes.
struct ListChange {
    ViewState view;
    GridQuery query;
    bool clearPanes = true;
};

// The item list after an event, from the view shown before it:
// - Started, ColumnsChanged: all items by service date, ascending (at start that becomes the
//   all-items sort; a column change leaves the sorts as they are);
// - ItemSaved: all items with the all-items sort;
// - ItemDeleted: the view shown stays, loaded with the lookup view's sort (in either view);
// - DayPicked: the lookup of `day` as service date, by service date ascending; the lookup view's
//   own sort stays, and the panes keep what they show.
ListChange listAfter(const ViewState &before, ListEvent event, const QDate &day = QDate());
