#pragma once

#include "frmAddEntry.h"

// "Add Note": a typed note for the item.
class frmAddNote : public frmAddEntry
{
    Q_OBJECT

public:
    explicit frmAddNote(QWidget *parent = nullptr);
};

// Shows the window, or raises the open one unchanged.
frmAddNote *showAddNote();
