#pragma once

#include "frmAddEntry.h"

// "Add History": a typed entry for the item's history.
class frmAddHst : public frmAddEntry
{
    Q_OBJECT

public:
    explicit frmAddHst(QWidget *parent = nullptr);
};

// Shows the window, or raises the open one unchanged.
frmAddHst *showAddHistory();
