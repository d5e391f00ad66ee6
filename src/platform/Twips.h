#pragma once

#include <cmath>

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

} // namespace Twips
