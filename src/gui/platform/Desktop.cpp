#include "Desktop.h"

#include <QDesktopServices>

namespace {
bool inTestMode = false;
QList<QUrl> opened;
} // namespace

namespace Desktop {

void open(const QUrl &url)
{
    if (!url.isValid() || url.isEmpty())
        return;
    if (inTestMode) {
        opened << url;
        return;
    }
    QDesktopServices::openUrl(url);
}

void setTestMode(bool on)
{
    inTestMode = on;
    opened.clear();
}

QList<QUrl> openedUrls()
{
    return opened;
}

} // namespace Desktop
