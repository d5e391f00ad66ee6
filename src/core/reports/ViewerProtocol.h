#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What the main program and the report viewer program (tarvo-viewer) say to each other: one
// message a line, a verb and an optional argument (a path, percent-encoded so that no blank or
// line break in it can split the line).
//
// To the viewer:   show PATH  (the Reports commands: the open window closes, a new one shows PATH)
//                  raise PATH (View > Report Viewer: the open window comes forward unchanged, or
//                              a new one shows PATH)
//                  close
// From the viewer: shown PATH (a window shows PATH), loaded 1|0, closed (no window is left; the
//                  viewer program ends)
namespace ViewerProtocol {

struct Message {
    QString verb;
    QString argument;
    bool operator==(const Message &) const = default;
};

QByteArray line(const QString &verb, const QString &argument = QString());

// Takes the complete lines off the front of buffer; a partial last line stays for later.
QList<Message> take(QByteArray &buffer);

} // namespace ViewerProtocol
