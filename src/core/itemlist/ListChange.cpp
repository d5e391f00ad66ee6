#include "ListChange.h"

#include "core/platform/DateText.h"

ListChange listAfter(const ViewState &before, ListEvent event, const QDate &day)
{
    ListChange change {before, GridQuery(), true};
    ViewState &view = change.view;
    switch (event) {
    case ListEvent::Started:
        view.SortFieldAll = Field::ServiceDate;
        view.SortOrderAll = Ascending;
        view.DisplayMode = AllDisplay;
        break; // the query's defaults: all items by service date
    case ListEvent::ColumnsChanged:
        view.DisplayMode = AllDisplay;
        break;
    case ListEvent::ItemSaved:
        view.DisplayMode = AllDisplay;
        change.query = {view.SortFieldAll, view.SortOrderAll, QString(), view.LookupField};
        break;
    case ListEvent::ItemDeleted:
        change.query = {view.SortFieldLookup, view.SortOrderLookup,
                        view.DisplayMode == AllDisplay ? QString() : view.LookupValue, view.LookupField};
        break;
    case ListEvent::DayPicked:
        view.DisplayMode = LookupDisplay;
        view.LookupField = Field::ServiceDate;
        view.LookupValue = DateText::format(day);
        change.query = {Field::ServiceDate, Ascending, view.LookupValue, Field::ServiceDate};
        change.clearPanes = false;
        break;
    }
    return change;
}
