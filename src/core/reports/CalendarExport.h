#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

class Database;

// Due dates as an iCalendar file any calendar program reads: UTF-8, CR LF line ends, lines
// folded at 75 octets (never inside a character), text values escaped.

namespace Ics {

// A text value: backslash, semicolon and comma escaped, every line break (CR LF, CR or LF) as \n.
QString escapeText(const QString &text);
QString unescapeText(const QString &value);

// One content line as it goes into the file: UTF-8, folded into lines of at most 75 octets
// (continuations begin with a blank), each ending in CR LF.
QByteArray foldLine(const QString &line);
void appendFolded(QByteArray &out, const QString &line);
// The content lines of a file: folded lines joined again, decoded from UTF-8.
QStringList unfoldLines(const QByteArray &file);

} // namespace Ics

// One all-day event of the calendar.
struct DueEvent {
    enum Kind { Service,
                Order };
    qint64 itemId = 0;
    Kind kind = Service;
    QDate day;
    QString summary;
    QString description;
    int alarmDays = 0; // a reminder this many days before; 0 = none
};

// For every item with a service date and an interval: "Service: Name at Location" on the
// service date, reminded the warning days before where set; and, where a lead time is set,
// "Order parts: Name from Company" that many days before. The description gives the tag,
// vendor, phone and parts. In item ID order, the service event first.
QVector<DueEvent> dueEvents(Database &database);

// The whole file. Each event's UID stays the same for the same item and kind in every export,
// so a calendar that reads the file again updates its events rather than doubling them; it
// holds the database's identity, so that the events of two databases in one calendar never
// replace each other.
QByteArray dueDateCalendar(const QVector<DueEvent> &events, const QDateTime &stamp, const QString &identity);
QString dueEventUid(const QString &identity, qint64 itemId, DueEvent::Kind kind);
