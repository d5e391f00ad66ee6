#pragma once

#include <QString>

// The main window's first status bar panel: which items the list shows.

// "Display Mode: All"
QString allDisplayText();
// "Display Mode: Lookup" (no lookup made yet)
QString emptyLookupDisplayText();
// Display Mode: Lookup, ServiceDate= "12/6/2026"
QString lookupDisplayText(int field, const QString &value);
