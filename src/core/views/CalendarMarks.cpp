#include "CalendarMarks.h"

#include "core/alarms/AlarmStore.h"
#include "core/platform/DateText.h"

QMap<QDate, DayMarks> monthMarks(Database &database, int year, int month)
{
    const QDate first(year, month, 1);
    QMap<QDate, DayMarks> marks;
    if (!first.isValid())
        return marks;
    const QDate last = first.addMonths(1).addDays(-1);
    for (ScheduledItems item = ScheduledItems::dueBetween(database, first, last); item.next();) {
        const QDate service = DateText::fromIso(item.serviceDate());
        const QString name = item.name();
        if (service >= first && service <= last)
            marks[service].services << name;
        const qint64 lead = item.leadDays();
        const QDate order = service.addDays(-lead);
        if (lead > 0 && order >= first && order <= last)
            marks[order].orders << name;
    }
    return marks;
}

QString dayMarksToolTip(const DayMarks &marks)
{
    constexpr int MostLines = 25;
    QStringList lines;
    for (const QString &name : marks.services)
        lines << QStringLiteral("Service: ") + name;
    for (const QString &name : marks.orders)
        lines << QStringLiteral("Order parts: ") + name;
    if (lines.size() > MostLines) {
        const qsizetype more = lines.size() - (MostLines - 1);
        lines.resize(MostLines - 1);
        lines << QStringLiteral("and %1 more").arg(more);
    }
    return lines.join(u'\n');
}
