#include "CalendarExport.h"

#include "core/alarms/AlarmStore.h"
#include "core/items/ItemStore.h"
#include "core/platform/DateText.h"

#include <QHash>

namespace Ics {

QString escapeText(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' || c == u';' || c == u',') {
            out += u'\\';
            out += c;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            out += QStringLiteral("\\n");
        } else {
            out += c;
        }
    }
    return out;
}

QString unescapeText(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            c = value.at(++i);
            if (c == u'n' || c == u'N')
                c = u'\n';
        }
        out += c;
    }
    return out;
}

void appendFolded(QByteArray &out, const QString &line)
{
    constexpr qsizetype Octets = 75;
    const QByteArray bytes = line.toUtf8();
    qsizetype from = 0;
    while (true) {
        // A continuation's leading blank counts towards its 75 octets.
        const qsizetype room = from == 0 ? Octets : Octets - 1;
        qsizetype cut = qMin(from + room, bytes.size());
        while (cut < bytes.size() && cut > from && (uchar(bytes.at(cut)) & 0xC0) == 0x80)
            --cut; // never between the bytes of one character
        if (from > 0)
            out += ' ';
        out.append(bytes.constData() + from, cut - from);
        out += "\r\n";
        if (cut >= bytes.size())
            return;
        from = cut;
    }
}

QByteArray foldLine(const QString &line)
{
    QByteArray out;
    appendFolded(out, line);
    return out;
}

QStringList unfoldLines(const QByteArray &file)
{
    QList<QByteArray> lines;
    for (const QByteArray &line : file.split('\n')) {
        const QByteArray bare = line.endsWith('\r') ? line.chopped(1) : line;
        if (!lines.isEmpty() && (bare.startsWith(' ') || bare.startsWith('\t')))
            lines.last() += bare.mid(1);
        else if (!bare.isEmpty())
            lines.append(bare);
    }
    QStringList out;
    for (const QByteArray &line : std::as_const(lines))
        out << QString::fromUtf8(line);
    return out;
}

} // namespace Ics

namespace {

QString dayText(const QDate &day)
{
    return day.toString(QStringLiteral("yyyyMMdd"));
}

} // namespace

QVector<DueEvent> dueEvents(Database &database)
{
    QHash<qint64, QString> parts;
    forEachRepPartsText(database, QStringLiteral("\n"),
                        [&](qint64 id, QString &&text) { parts.insert(id, text.trimmed()); });
    QVector<DueEvent> events;
    for (ScheduledItems item = ScheduledItems::withInterval(database); item.next();) {
        const QDate service = DateText::fromIso(item.serviceDate());
        if (!service.isValid())
            continue;
        const qint64 id = item.id();
        const QString name = item.name();
        const QString location = item.location();
        const QString company = item.company();
        const QString description = QStringLiteral("Tag: ") + item.tag() + QStringLiteral("\nVendor: ") + company
            + QStringLiteral("\nPhone: ") + item.phone() + QStringLiteral("\nParts:\n") + parts.value(id);
        DueEvent event {id, DueEvent::Service, service,
                        QStringLiteral("Service: ") + name
                            + (location.isEmpty() ? QString() : QStringLiteral(" at ") + location),
                        description, int(item.warnDays())};
        events.append(event);
        if (const int lead = int(item.leadDays()); lead > 0) {
            event.kind = DueEvent::Order;
            event.day = service.addDays(-lead);
            event.summary = QStringLiteral("Order parts: ") + name
                + (company.isEmpty() ? QString() : QStringLiteral(" from ") + company);
            event.alarmDays = 0;
            events.append(event);
        }
    }
    return events;
}

QString dueEventUid(const QString &identity, qint64 itemId, DueEvent::Kind kind)
{
    return QStringLiteral("%1item-%2-%3@tarvo")
        .arg(identity.isEmpty() ? QString() : identity + u'-')
        .arg(itemId)
        .arg(kind == DueEvent::Service ? QStringLiteral("service") : QStringLiteral("order"));
}

QByteArray dueDateCalendar(const QVector<DueEvent> &events, const QDateTime &stamp, const QString &identity)
{
    const QString stampText = stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QByteArray out;
    out.reserve(events.size() * 400 + 200);
    auto line = [&out](const QString &text) { Ics::appendFolded(out, text); };
    line(QStringLiteral("BEGIN:VCALENDAR"));
    line(QStringLiteral("VERSION:2.0"));
    line(QStringLiteral("PRODID:-//Tarvo//Due Dates//EN"));
    line(QStringLiteral("CALSCALE:GREGORIAN"));
    for (const DueEvent &event : events) {
        line(QStringLiteral("BEGIN:VEVENT"));
        line(QStringLiteral("UID:") + dueEventUid(identity, event.itemId, event.kind));
        line(QStringLiteral("DTSTAMP:") + stampText);
        line(QStringLiteral("DTSTART;VALUE=DATE:") + dayText(event.day));
        line(QStringLiteral("DTEND;VALUE=DATE:") + dayText(event.day.addDays(1)));
        line(QStringLiteral("SUMMARY:") + Ics::escapeText(event.summary));
        line(QStringLiteral("DESCRIPTION:") + Ics::escapeText(event.description));
        line(QStringLiteral("TRANSP:TRANSPARENT"));
        if (event.alarmDays > 0) {
            line(QStringLiteral("BEGIN:VALARM"));
            line(QStringLiteral("ACTION:DISPLAY"));
            line(QStringLiteral("DESCRIPTION:") + Ics::escapeText(event.summary));
            line(QStringLiteral("TRIGGER:-P%1D").arg(event.alarmDays));
            line(QStringLiteral("END:VALARM"));
        }
        line(QStringLiteral("END:VEVENT"));
    }
    line(QStringLiteral("END:VCALENDAR"));
    return out;
}
