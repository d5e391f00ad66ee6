#pragma once

#include <QList>
#include <QUrl>

#include <functional>

class QObject;

// Opens a document or address with the desktop's default program. An invalid URL opens
// nothing. Tests record the URLs instead of opening them, and say whether the desktop is to fail.
namespace Desktop {

// False when the desktop could not even be asked; whether a program took the address is not
// known (a web site, a mail address).
bool open(const QUrl &url);

// Opens a file of the program's own through xdg-open and waits for its outcome without
// blocking: `done` hears true when a program took it, false when xdg-open cannot be started or
// fails (no program for the file; what xdg-open prints is kept from the terminal). Nothing is
// heard once `context` is gone.
void openChecked(const QUrl &url, QObject *context, const std::function<void(bool opened)> &done);

void setTestMode(bool on);
void setTestOpens(bool opens);
QList<QUrl> openedUrls();

} // namespace Desktop
