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
    for (const ScheduledItem &item : loadScheduleBetween(database, first, last)) {
        const QDate service = DateText::fromIso(item.serviceDate);
        if (service >= first && service <= last)
            marks[service].services << item.name;
        const QDate order = service.addDays(-item.leadDays);
        if (item.leadDays > 0 && order >= first && order <= last)
            marks[order].orders << item.name;
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
