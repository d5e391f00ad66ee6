#pragma once

#include "core/settings/Settings.h"

#include <QDateTime>
#include <QString>

// When the alarm monitor shows the alarms: the periodic check every notification interval, and
// the snooze. The times carry their date, so a check or a wake-up due after midnight still comes.
namespace AlarmSchedule {

// The periodic check at `now`: due when the interval is one of the list's (OFF, and any code
// outside the list, never checks) and `now` is later than `next`. When due, `next` moves on to
// now plus the interval.
bool periodicCheckDue(Settings::AlarmInterval interval, QDateTime &next, const QDateTime &now);

// The snooze durations, in the order the snooze window lists them.
enum SleepChoice : int {
    Sleep5Minutes,
    Sleep10Minutes,
    Sleep15Minutes,
    Sleep30Minutes,
    Sleep1Hour,
    Sleep2Hours,
    Sleep3Hours,
    Sleep4Hours,
    Sleep5Hours,
    Sleep6Hours
};
inline constexpr int SleepChoices = Sleep6Hours + 1;
QString sleepCaption(SleepChoice choice);
int sleepMinutes(SleepChoice choice); // 0 for a choice outside the list
QDateTime sleepEnd(SleepChoice choice, const QDateTime &now);

// Whether a snooze that lasts until `until` is over at `now`.
bool wakeDue(const QDateTime &until, const QDateTime &now);

} // namespace AlarmSchedule
