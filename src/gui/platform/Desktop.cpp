#include "Desktop.h"

#include <QDesktopServices>

namespace {
bool inTestMode = false;
bool testOpens = true;
QList<QUrl> opened;
} // namespace

namespace Desktop {

bool open(const QUrl &url)
{
    if (!url.isValid() || url.isEmpty())
        return false;
    if (inTestMode) {
        opened << url;
        return testOpens;
    }
    return QDesktopServices::openUrl(url);
}

void setTestMode(bool on)
{
    inTestMode = on;
    testOpens = true;
    opened.clear();
}

void setTestOpens(bool opens)
{
    testOpens = opens;
}

QList<QUrl> openedUrls()
{
    return opened;
}

} // namespace Desktop
