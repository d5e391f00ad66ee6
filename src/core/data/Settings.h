#pragma once

#include <QDateTime>
#include <QString>

class Database;

// The options of the one settings row and the alarm check interval they select.
namespace Settings {

struct Interval {
    int count = 0;
    bool hours = false; // minutes otherwise
};

// The check interval of a timerinterval code 0..14; any other code gives 0 minutes.
Interval intervalForCode(int code);

// Status bar panel 2: "Alarm Status: 10 minutes", "Alarm Status: 2 hour(s)", "Alarm Status: OFF".
QString alarmStatusText(int code);

// The next periodic alarm check: now plus the interval (now itself for code 0 or out of range).
QDateTime nextCheck(int code, const QDateTime &now);

} // namespace Settings

// The alarm and history options of the one settings row, as stored (all 0 when the row is missing).
struct SettingsRow {
    int startupalarm = 0;
    int timerinterval = 0;
    int AutoAddHstWarn = 0;
    int AutoAddhstOn = 0;
    int alservicedisabled = 0; // 1 = service alarms on, in spite of the name
    int alorderdisabled = 0; // 1 = order alarms on
    QString backupinterval; // days, as stored
};
SettingsRow readSettings(Database &database);

// Copies the settings row into the shared variables, sets NextAlarmCheck and returns the
// alarm status text for panel 2.
QString LoadSettings(Database &database);
