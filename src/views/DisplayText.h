#pragma once

#include <QString>

// The main window's status text for a lookup view:
// Display Mode: Lookup, ServiceDate= "12/6/2026"
QString lookupDisplayText(int field, const QString &value);
