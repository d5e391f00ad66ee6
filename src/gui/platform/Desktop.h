#pragma once

#include <QList>
#include <QUrl>

// Opens a document or address with the desktop's default program; the result is ignored.
// An invalid URL opens nothing. Tests record the URLs instead of opening them.
namespace Desktop {

void open(const QUrl &url);

void setTestMode(bool on);
QList<QUrl> openedUrls();

} // namespace Desktop
