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
    return QStringLiteral("Alarm Status: ") + QString::number(interval.count)
        + (interval.hours ? QStringLiteral(" hour(s)") : QStringLiteral(" minutes"));
}

QDateTime nextCheck(int code, const QDateTime &now)
{
    const Interval interval = intervalForCode(code);
    return now.addSecs(qint64(interval.count) * (interval.hours ? 3600 : 60));
}

} // namespace Settings

SettingsRow readSettings(Database &database)
{
    Recordset settings(database, QStringLiteral("SELECT * FROM settings"));
    SettingsRow row;
    if (!settings.isEmpty()) {
        row.startupalarm = settings.integer(QStringLiteral("startupalarm"));
        row.timerinterval = settings.integer(QStringLiteral("timerinterval"));
        row.AutoAddHstWarn = settings.integer(QStringLiteral("AutoAddHstWarn"));
        row.AutoAddhstOn = settings.integer(QStringLiteral("AutoAddhstOn"));
        row.alservicedisabled = settings.integer(QStringLiteral("alservicedisabled"));
        row.alorderdisabled = settings.integer(QStringLiteral("alorderdisabled"));
        row.backupinterval = settings.text(QStringLiteral("backupinterval"));
    }
    return row;
}

QString LoadSettings(Database &database)
{
    const SettingsRow row = readSettings(database);
    GlobalVars &g = gv();
    g.startupalarm = row.startupalarm;
    g.timerinterval = row.timerinterval;
    g.AutoAddHstWarn = row.AutoAddHstWarn;
    g.AutoAddhstOn = row.AutoAddhstOn;
    g.alservicedisabled = row.alservicedisabled;
    g.alorderdisabled = row.alorderdisabled;
    g.NextAlarmCheck = Settings::nextCheck(g.timerinterval, Clock::now());
    return Settings::alarmStatusText(g.timerinterval);
}
