#pragma once

#include "core/alarms/AlarmSchedule.h"

#include <QObject>
#include <QPointer>

class AlarmMonitor;
class AlarmNotifier;
class AlarmTray;
class AlarmWindow;
class AppContext;
class QWidget;
struct AppSettings;

// The alarms of the running program: the options they follow (kept in the context for every
// window), the monitor's start-up alarm, periodic check and snooze, the Pending Alarms window,
// the tray icon with its menu and the desktop notices. The rows of the alarm window ask for
// other windows through its signals.
class AlarmController : public QObject
{
    Q_OBJECT

public:
    // Messages go over `mainWindow`, whose child it is.
    AlarmController(AppContext &context, QWidget *mainWindow);

    AlarmMonitor *monitor() const { return m_monitor; }
    AlarmTray *tray() const { return m_tray; }
    // The alarm window, which exists once; null when none is open.
    AlarmWindow *alarmWindow() const;

    // The main window has loaded: the tray shows the alarms and the monitor starts.
    void startMonitoring();
    // View > Alarms, the tray and the start-up alarm: the alarm window, taking the keyboard.
    void showAlarms();
    // The items changed: an open alarm window evaluates its list again.
    void reloadAlarms();
    // The tray icon follows the pending alarms. After a check (`checked`) the notifier hears of
    // them too, and tells the desktop of the new ones when the check was `unseen`.
    void refreshTray(bool checked, bool unseen = false);

    // The options read: kept for the windows, the next alarm check and the status told.
    void useSettings(const AppSettings &settings);
    // Reads the settings again: the alarm status (shown at once, also during a snooze, which
    // runs on to its end) and the time of the next alarm check.
    void applySettings();
    // The options window stored new options, the tray's among them.
    void optionsSaved();

Q_SIGNALS:
    // The text of the alarm status panel.
    void statusChanged(const QString &text);
    // A row of the alarm window wants the acknowledgement of its item, or the item editor
    // (`fresh`: an open editor is closed and a new one opened for this item).
    void serviceAckWanted(qint64 itemId);
    void orderAckWanted(qint64 itemId);
    void itemEditorWanted(qint64 itemId, bool fresh);

private:
    // The alarm window; without `activate` (a timer shows it) the keyboard stays where it is.
    void openAlarmWindow(bool activate);
    // The periodic check and the wake: the alarm window shown without the keyboard, the tray told.
    void showAlarmsFromTimer();
    void sleepFor(AlarmSchedule::SleepChoice choice);
    // A snooze is over: the options are read again and the alarms shown.
    void resumeAfterSleep();
    // The tray menu's "Show Tarvo": the main window comes to the front.
    void showMainWindow();

    AppContext &m_context;
    QWidget *m_mainWindow;
    AlarmMonitor *m_monitor;
    AlarmTray *m_tray;
    AlarmNotifier *m_notifier;
    QPointer<AlarmWindow> m_window;
};
