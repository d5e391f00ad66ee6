#include "CalendarMarks.h"

#include "core/db/Database.h"
#include "core/platform/DateText.h"

QMap<QDate, DayMarks> monthMarks(Database &database, int year, int month)
{
    const QDate first(year, month, 1);
    QMap<QDate, DayMarks> marks;
    if (!first.isValid())
        return marks;
    const QDate last = first.addMonths(1).addDays(-1);
    Statement query(database,
                    QStringLiteral("SELECT Name, servicedate, leadtime FROM main"
                                   " WHERE servicedate BETWEEN ?1 AND ?2"
                                   " OR (leadtime > 0 AND date(servicedate, '-' || leadtime || ' days') BETWEEN ?1 AND ?2)"
                                   " ORDER BY Name, ID"));
    query.bind(1, DateText::toIso(first)).bind(2, DateText::toIso(last));
    while (query.next()) {
        const QDate service = DateText::fromIso(query.text(1));
        const QString name = query.text(0);
        if (service >= first && service <= last)
            marks[service].services << name;
        const qint64 lead = query.integer(2);
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
