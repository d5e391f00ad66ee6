#include "Settings.h"

#include "SettingsStore.h"

namespace Settings {

Interval intervalOf(AlarmInterval interval)
{
    const int code = int(interval);
    static const int minutes[] = {5, 10, 15, 20, 30, 45};
    static const int hours[] = {1, 2, 3, 4, 5, 6, 12, 24};
    if (code >= 1 && code <= 6)
        return {minutes[code - 1], false};
    if (code >= 7 && code <= 14)
        return {hours[code - 7], true};
    return {0, false};
}

bool checksPeriodically(AlarmInterval code)
{
    return intervalOf(code).count > 0;
}

QString alarmStatusText(AlarmInterval code)
{
    if (code == AlarmInterval::Off)
        return QStringLiteral("Alarm Status: OFF");
    const Interval interval = intervalOf(code);
    return QStringLiteral("Alarm Status: ") + QString::number(interval.count)
        + (interval.hours ? QStringLiteral(" hour(s)") : QStringLiteral(" minutes"));
}

QDateTime nextCheck(AlarmInterval code, const QDateTime &now)
{
    const Interval interval = intervalOf(code);
    return now.addSecs(qint64(interval.count) * (interval.hours ? 3600 : 60));
}

} // namespace Settings

AppSettings appSettings(const SettingsRow &row)
{
    AppSettings settings;
    settings.startupAlarm = row.startupalarm == 1;
    settings.interval = Settings::AlarmInterval(row.timerinterval);
    settings.serviceAlarms = row.alservicedisabled == 1;
    settings.orderAlarms = row.alorderdisabled == 1;
    settings.autoAddHistory = row.AutoAddhstOn == 1;
    settings.askBeforeHistory = row.AutoAddHstWarn != 0;
    return settings;
}

AppSettings loadSettings(Database &database)
{
    return appSettings(readSettings(database));
}
