#pragma once

#include <QSize>

// The report viewer's browser follows the window (lengths in twips): 100 narrower than the
// inside when that is wider than 100, and reaching to 350 above the bottom when the inside is
// taller than the Save button's bottom edge plus 350. A dimension whose condition fails keeps
// its current value.
QSize viewerBrowserSize(const QSize &current, const QSize &inside, int saveBottom);
