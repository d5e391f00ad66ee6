#include "ViewerLayout.h"

QSize viewerBrowserSize(const QSize &current, const QSize &inside, int saveBottom)
{
    QSize size = current;
    if (inside.width() > 100)
        size.setWidth(inside.width() - 100);
    if (saveBottom + 350 < inside.height())
        size.setHeight(inside.height() - saveBottom - 350);
    return size;
}
