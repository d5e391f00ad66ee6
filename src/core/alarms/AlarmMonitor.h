#pragma once

#include "AlarmSchedule.h"

#include "core/settings/Settings.h"

#include <QDateTime>
#include <QObject>

#include <functional>

class QTimer;

// The alarm monitor: the start-up alarm once, a second after the main window has loaded; the
// periodic check every notification interval; the snooze and the wake. Its timers (Timer1,
// Timer2, tmrSleep) only tick: what a tick does is decided here and told through the signals,
// which the main window connects. The ticks are public so that they can be run directly.
class AlarmMonitor : public QObject
{
    Q_OBJECT

public:
    explicit AlarmMonitor(QObject *parent = nullptr);

    // While this answers true (a question or a message is open) a tick does nothing; the
    // start-up alarm waits for the next tick.
    void setBusyCheck(std::function<bool()> busy) { m_busy = std::move(busy); }

    // New options: the start-up choice, and the next periodic check one interval from now.
    // A snooze runs on to its end.
    void setSettings(const AppSettings &settings);
    // The main window has loaded: the periodic check runs and the start-up alarm is due.
    void start();
    // A start-up backup holds the start-up alarm off until it is done.
    void holdStartupAlarm(bool held);
    // Snoozes: no periodic check until the chosen time has passed.
    void sleepFor(AlarmSchedule::SleepChoice choice);

    bool sleeping() const;
    bool checking() const;
    QDateTime nextCheck() const { return m_nextCheck; } // NextAlarmCheck

    void startupTick(); // Timer2
    void checkTick(); // Timer1
    void sleepTick(); // tmrSleep

Q_SIGNALS:
    // The start-up alarm, when the options ask for it.
    void startupDue();
    // The periodic check is due; the next one is set already.
    void checkDue();
    // A snooze is over and the periodic check runs again: the options are read again and the
    // alarms shown.
    void woke();

private:
    bool busy() const { return m_busy && m_busy(); }

    QTimer *m_check;
    QTimer *m_startup;
    QTimer *m_sleep;
    std::function<bool()> m_busy;
    Settings::AlarmInterval m_interval = Settings::AlarmInterval::Off;
    bool m_startupAlarm = false;
    bool m_startupDue = false; // from start until the start-up tick has run
    bool m_startupHeld = false;
    QDateTime m_nextCheck;
    QDateTime m_sleepUntil;
};
