#pragma once

#include <QRect>

// Screen lengths of the stored layout are in twips (1/1440 inch). The program fixes them at
// 15 twips per logical pixel, so a stored width reads back unchanged whatever the screen.
namespace Twips {

constexpr int PerPixel = 15;

constexpr int toPixels(int twips)
{
    return twips >= 0 ? (twips + PerPixel / 2) / PerPixel : -((-twips + PerPixel / 2) / PerPixel);
}

constexpr int fromPixels(int pixels)
{
    return pixels * PerPixel;
}

// A rectangle given in twips, in pixels.
constexpr QRect toPixels(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips
