#include "PickerPlace.h"

#include "core/platform/Twips.h"

#include <algorithm>

QPoint pickerPosition(const QRect &boxOnScreen, const QSize &pickerSize, const QRect &screenArea)
{
    int left = boxOnScreen.left() + boxOnScreen.width() - Twips::toPixels(1600);
    int top = boxOnScreen.top() + boxOnScreen.height();
    const int screenRight = screenArea.left() + screenArea.width();
    const int screenBottom = screenArea.top() + screenArea.height();
    if (top + pickerSize.height() > screenBottom)
        top = boxOnScreen.top() - pickerSize.height();
    left = std::max(std::min(left, screenRight - pickerSize.width()), screenArea.left());
    top = std::max(std::min(top, screenBottom - pickerSize.height()), screenArea.top());
    return {left, top};
}
