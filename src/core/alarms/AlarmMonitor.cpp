#include "AlarmMonitor.h"

#include "core/platform/Clock.h"

#include <QTimer>

namespace {

QTimer *makeTimer(QObject *parent, const char *name, int msec, bool singleShot)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(msec);
    timer->setSingleShot(singleShot);
    return timer;
}

} // namespace

AlarmMonitor::AlarmMonitor(QObject *parent)
    : QObject(parent)
    , m_check(makeTimer(this, "Timer1", 10000, false))
    , m_startup(makeTimer(this, "Timer2", 1000, true))
    , m_sleep(makeTimer(this, "tmrSleep", 10000, false))
{
    setObjectName(QStringLiteral("alarmMonitor"));
    connect(m_check, &QTimer::timeout, this, &AlarmMonitor::checkTick);
    connect(m_startup, &QTimer::timeout, this, &AlarmMonitor::startupTick);
    connect(m_sleep, &QTimer::timeout, this, &AlarmMonitor::sleepTick);
}

void AlarmMonitor::setSettings(const AppSettings &settings)
{
    m_interval = settings.interval;
    m_startupAlarm = settings.startupAlarm;
    m_nextCheck = Settings::nextCheck(settings.interval, Clock::now());
}

void AlarmMonitor::start()
{
    m_check->start();
    m_startupDue = true;
    if (!m_startupHeld)
        m_startup->start();
}

void AlarmMonitor::holdStartupAlarm(bool held)
{
    m_startupHeld = held;
    if (held)
        m_startup->stop();
    else if (m_startupDue)
        m_startup->start();
}

void AlarmMonitor::sleepFor(AlarmSchedule::SleepChoice choice)
{
    m_check->stop();
    m_sleep->start();
    m_sleepUntil = AlarmSchedule::sleepEnd(choice, Clock::now());
}

bool AlarmMonitor::sleeping() const
{
    return m_sleep->isActive();
}

bool AlarmMonitor::checking() const
{
    return m_check->isActive();
}

void AlarmMonitor::startupTick()
{
    if (busy()) {
        m_startup->start(); // once the box is answered
        return;
    }
    m_startupDue = false;
    m_startup->stop();
    if (m_startupAlarm)
        Q_EMIT startupDue();
}

void AlarmMonitor::checkTick()
{
    if (!busy() && AlarmSchedule::periodicCheckDue(m_interval, m_nextCheck, Clock::now()))
        Q_EMIT checkDue();
}

void AlarmMonitor::sleepTick()
{
    if (busy() || !AlarmSchedule::wakeDue(m_sleepUntil, Clock::now()))
        return;
    m_sleep->stop();
    m_check->start();
    // The wake shows the alarms: the next periodic check is one interval from now.
    m_nextCheck = Settings::nextCheck(m_interval, Clock::now());
    Q_EMIT woke();
}
