#pragma once

#include <QDateTime>
#include <QString>

// When the alarm monitor shows the alarms: the periodic check every notification interval, and
// the snooze. The times carry their date, so a check or a wake-up due after midnight still comes.
namespace AlarmSchedule {

// The periodic check at `now`: due when the interval code is 1..14 (0 is OFF, and so is any code
// outside the list) and `now` is later than `next`. When due, `next` moves on to now plus the
// interval.
bool periodicCheckDue(int timerinterval, QDateTime &next, const QDateTime &now);

// The snooze durations, by index 0..9: 5, 10, 15 or 30 minutes, then 1 to 6 hours.
inline constexpr int SleepChoices = 10;
QString sleepCaption(int choice);
int sleepMinutes(int choice); // 0 for an index outside the list
QDateTime sleepEnd(int choice, const QDateTime &now);

// Whether a snooze that lasts until `until` is over at `now`.
bool wakeDue(const QDateTime &until, const QDateTime &now);

} // namespace AlarmSchedule
