#pragma once

#include "core/records/History.h"

#include <QTableWidget>

// A read-only grid of an item's history or notes, "Added On" and "Description": the main
// window's pane and Service Acknowledge show the same. Tab leaves it; the arrows move within.
class EntryGrid : public QTableWidget
{
    Q_OBJECT

public:
    EntryGrid(const char *name, int dateColumnWidth, QWidget *parent);

    // One row an entry, `rowHeight` pixels high; a description's whole text is its tooltip.
    void fill(const QVector<Entry> &entries, int rowHeight);
};
