#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the date picker opens, in screen pixels: just below its box, the left edge 1600 twips
// left of the box's right edge. A picker that would leave the screen area opens above the box
// instead, and is then pushed inside the area.
QPoint pickerPosition(const QRect &boxOnScreen, const QSize &pickerSize, const QRect &screenArea);
