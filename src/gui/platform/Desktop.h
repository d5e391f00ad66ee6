#pragma once

#include <QList>
#include <QUrl>

// Opens a document or address with the desktop's default program. An invalid URL opens
// nothing. False when the desktop could not open it (no program for it). Tests record the
// URLs instead of opening them, and say whether the desktop is to fail.
namespace Desktop {

bool open(const QUrl &url);

void setTestMode(bool on);
void setTestOpens(bool opens);
QList<QUrl> openedUrls();

} // namespace Desktop
