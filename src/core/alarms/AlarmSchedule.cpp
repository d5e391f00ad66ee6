#include "AlarmSchedule.h"

namespace AlarmSchedule {

namespace {

struct SleepDuration {
    const char *caption;
    int minutes;
};

constexpr SleepDuration Choices[SleepChoices] = {
    {"5 minutes", 5},
    {"10 minutes", 10},
    {"15 minutes", 15},
    {"30 minutes", 30},
    {"1 hour", 60},
    {"2 hours", 120},
    {"3 hours", 180},
    {"4 hours", 240},
    {"5 hours", 300},
    {"6 hours", 360},
};

} // namespace

bool periodicCheckDue(Settings::AlarmInterval interval, QDateTime &next, const QDateTime &now)
{
    // A code outside the list would give no interval at all, and the alarms would come at
    // every tick: it counts as OFF here.
    if (!Settings::checksPeriodically(interval))
        return false;
    if (next.isValid() && now <= next)
        return false;
    next = Settings::nextCheck(interval, now);
    return true;
}

QString sleepCaption(SleepChoice choice)
{
    return choice >= 0 && choice < SleepChoices ? QString::fromLatin1(Choices[choice].caption) : QString();
}

int sleepMinutes(SleepChoice choice)
{
    return choice >= 0 && choice < SleepChoices ? Choices[choice].minutes : 0;
}

QDateTime sleepEnd(SleepChoice choice, const QDateTime &now)
{
    return now.addSecs(qint64(sleepMinutes(choice)) * 60);
}

bool wakeDue(const QDateTime &until, const QDateTime &now)
{
    return !until.isValid() || now > until;
}

} // namespace AlarmSchedule
