#include "Settings.h"

#include "DatabaseADO.h"
#include "GlobalVars.h"

#include "core/platform/Clock.h"

namespace Settings {

Interval intervalForCode(int code)
{
    static const int minutes[] = {5, 10, 15, 20, 30, 45};
    static const int hours[] = {1, 2, 3, 4, 5, 6, 12, 24};
    if (code >= 1 && code <= 6)
        return {minutes[code - 1], false};
    if (code >= 7 && code <= 14)
        return {hours[code - 7], true};
    return {0, false};
}

QString alarmStatusText(int code)
{
    if (code == 0)
        return QStringLiteral("Alarm Status: OFF");
    const Interval interval = intervalForCode(code);
    return QStringLiteral("Alarm Status: ") + QString::number(interval.count) +
        (interval.hours ? QStringLiteral(" hour(s)") : QStringLiteral(" minutes"));
}

QDateTime nextCheck(int code, const QDateTime &now)
{
    const Interval interval = intervalForCode(code);
    return now.addSecs(qint64(interval.count) * (interval.hours ? 3600 : 60));
}

} // namespace Settings

QString LoadSettings(Database &database)
{
    Recordset settings(database, QStringLiteral("SELECT * FROM settings"));
    GlobalVars &g = gv();
    if (!settings.isEmpty()) {
        g.startupalarm = settings.integer(QStringLiteral("startupalarm"));
        g.timerinterval = settings.integer(QStringLiteral("timerinterval"));
        g.AutoAddHstWarn = settings.integer(QStringLiteral("AutoAddHstWarn"));
        g.AutoAddhstOn = settings.integer(QStringLiteral("AutoAddhstOn"));
        g.alservicedisabled = settings.integer(QStringLiteral("alservicedisabled"));
        g.alorderdisabled = settings.integer(QStringLiteral("alorderdisabled"));
    }
    g.NextAlarmCheck = Settings::nextCheck(g.timerinterval, Clock::now());
    return Settings::alarmStatusText(g.timerinterval);
}
