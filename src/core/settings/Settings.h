#pragma once

#include <QDateTime>
#include <QString>

class Database;

// The options of the one settings row and the alarm check interval they select.
namespace Settings {

// The timerinterval codes, in the order of the options window's notification list. A stored
// code outside the list gives no interval.
enum class AlarmInterval : int { Off = 0,
                                 Minutes5,
                                 Minutes10,
                                 Minutes15,
                                 Minutes20,
                                 Minutes30,
                                 Minutes45,
                                 Hour1,
                                 Hours2,
                                 Hours3,
                                 Hours4,
                                 Hours5,
                                 Hours6,
                                 Hours12,
                                 Hours24 };

struct Interval {
    int count = 0;
    bool hours = false; // minutes otherwise
};

// The check interval of a code; a code outside the list gives 0 minutes.
Interval intervalOf(AlarmInterval code);
// Whether the code is one of the list's intervals (OFF and unknown codes are not).
bool checksPeriodically(AlarmInterval code);

// Status bar panel 2: "Alarm Status: 10 minutes", "Alarm Status: 2 hour(s)", "Alarm Status: OFF".
QString alarmStatusText(AlarmInterval code);

// The next periodic alarm check: now plus the interval (now itself for OFF or an unknown code).
QDateTime nextCheck(AlarmInterval code, const QDateTime &now);

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

// The options the running program consults, as the rules read the row: a switch is on at 1,
// the history question is asked at any value but 0.
struct AppSettings {
    bool startupAlarm = false; // startupalarm: the alarm window opens at start-up
    Settings::AlarmInterval interval = Settings::AlarmInterval::Off; // timerinterval
    bool serviceAlarms = false; // alservicedisabled
    bool orderAlarms = false; // alorderdisabled
    bool autoAddHistory = false; // AutoAddhstOn
    bool askBeforeHistory = false; // AutoAddHstWarn

    bool operator==(const AppSettings &) const = default;
};
AppSettings appSettings(const SettingsRow &row);

// Reads the options of the settings row; the caller hands them to whoever consults them.
AppSettings loadSettings(Database &database);
