#pragma once

#include <QUrl>

// What the program hands to the desktop to open. Only web and mail addresses and the
// program's own documents are ever opened: a local path typed into a company is never launched.
namespace DesktopUrl {

// "mailto:" + the address, percent-encoded. An empty address gives the bare "mailto:".
QUrl forEmail(const QString &address);

// An http or https address; a bare address gets "http://". Anything else (another scheme,
// a local path, empty text) gives an invalid URL, which opens nothing.
QUrl forWebSite(const QString &address);

} // namespace DesktopUrl
