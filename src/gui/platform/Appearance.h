#pragma once

#include <QColor>
#include <QPalette>

// Colours that read on light and dark desktops alike. Windows take their colours from the
// palette; where the program sets a colour of its own (a selected row, an alarm's row, a link)
// it sets the text with it, chosen to read on that background.
namespace Appearance {

// How well two colours read on each other: 1 (the same) to 21 (black on white).
double contrast(const QColor &a, const QColor &b);
// The text colour wanted on a background (white on the highlight of a selected row) where it
// reads there, else black or white, whichever reads better.
QColor textOn(const QColor &background, const QColor &wanted = QColor(Qt::white));
// The palette's link colour, or where it does not read on the window (a dark palette that
// leaves the default dark blue) a light blue that does.
QColor linkColour(const QPalette &palette);

// A dark palette for the Fusion style, for desktops whose dark theme does not reach the program.
QPalette darkPalette();
// TARVO_PALETTE=dark in the environment: the Fusion style with the dark palette. Called once,
// before the first window.
void applyRequestedLook();

} // namespace Appearance
