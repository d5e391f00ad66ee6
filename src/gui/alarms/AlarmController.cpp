#include "AlarmController.h"

#include "AlarmNotifier.h"
#include "AlarmTray.h"
#include "AlarmWindow.h"

#include "core/alarms/AlarmListModel.h"
#include "core/alarms/AlarmMonitor.h"
#include "core/alarms/AlarmRules.h"
#include "core/alarms/AlarmStore.h"
#include "core/settings/AppContext.h"
#include "gui/platform/WindowUtil.h"

#include <QApplication>

namespace {

const char *const SleepingStatus = "Alarm Status: Sleeping";

// A tick never cuts into a question, a message or the date picker.
bool modalOpen()
{
    return QApplication::activeModalWidget() != nullptr;
}

} // namespace

AlarmController::AlarmController(AppContext &context, QWidget *mainWindow)
    : QObject(mainWindow)
    , m_context(context)
    , m_mainWindow(mainWindow)
    , m_monitor(new AlarmMonitor(this))
    , m_tray(new AlarmTray(this))
    , m_notifier(new AlarmNotifier(m_tray, this))
{
    m_monitor->setBusyCheck(modalOpen);
    // The start-up alarm is a check the user sees: its alarms are not told again.
    connect(m_monitor, &AlarmMonitor::startupDue, this, [this] {
        showAlarms();
        refreshTray(true, false);
    });
    connect(m_monitor, &AlarmMonitor::checkDue, this, &AlarmController::showAlarmsFromTimer);
    connect(m_monitor, &AlarmMonitor::woke, this, &AlarmController::resumeAfterSleep);
    connect(m_tray, &AlarmTray::alarmsWanted, this, &AlarmController::showAlarms);
    connect(m_tray, &AlarmTray::programWanted, this, &AlarmController::showMainWindow);
    connect(m_tray, &AlarmTray::quitWanted, m_mainWindow, &QWidget::close);
    connect(m_notifier, &AlarmNotifier::alarmsWanted, this, &AlarmController::showAlarms);
}

AlarmWindow *AlarmController::alarmWindow() const
{
    return m_window;
}

void AlarmController::startMonitoring()
{
    refreshTray(false);
    m_monitor->start();
}

void AlarmController::refreshTray(bool checked, bool unseen)
{
    const bool icon = AlarmTray::possible();
    if (!icon)
        m_tray->remove();
    if (!icon && !checked)
        return;
    QVector<AlarmRow> rows;
    if (m_window && !checked) {
        // The open alarm window holds the list evaluated last: no second evaluation. A check
        // evaluates afresh, since an open window keeps its list.
        rows = m_window->alarmModel()->rows();
    } else {
        const AppSettings &settings = m_context.settings();
        try {
            rows = evaluateAlarms(m_context.database(), settings.serviceAlarms, settings.orderAlarms, alarmToday(m_context.database()));
        } catch (const DbError &) {
            return; // the windows report failing statements; the icon keeps its last counts
        }
    }
    if (icon)
        m_tray->show(countAlarms(rows));
    if (checked)
        m_notifier->alarmsChecked(rows, unseen);
}

void AlarmController::showAlarmsFromTimer()
{
    // The desktop is told only when no window of the program was in front of the user.
    const bool unseen = QApplication::activeWindow() == nullptr;
    openAlarmWindow(false);
    refreshTray(true, unseen);
}

void AlarmController::showMainWindow()
{
    m_mainWindow->showNormal();
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
}

void AlarmController::showAlarms()
{
    openAlarmWindow(true);
}

void AlarmController::openAlarmWindow(bool activate)
{
    // A new window whose evaluation failed is not shown: the user has read why.
    showOnce(
        m_window, [this] {
            AlarmWindow *window = keepIfLoaded(new AlarmWindow(m_context));
            if (!window)
                return window;
            connect(window, &AlarmWindow::serviceAckWanted, this, &AlarmController::serviceAckWanted);
            connect(window, &AlarmWindow::orderAckWanted, this, &AlarmController::orderAckWanted);
            connect(window, &AlarmWindow::itemEditorWanted, this, &AlarmController::itemEditorWanted);
            connect(window, &AlarmWindow::sleepChosen, this, &AlarmController::sleepFor);
            return window;
        },
        activate);
}

void AlarmController::reloadAlarms()
{
    if (m_window)
        m_window->load();
}

void AlarmController::optionsSaved()
{
    applySettings();
    refreshTray(false); // the tray option may have changed too
}

void AlarmController::applySettings()
{
    AppSettings settings;
    if (runGuarded(m_mainWindow, QStringLiteral("read the settings"), [&] { settings = loadSettings(m_context.database()); }))
        useSettings(settings);
}

void AlarmController::useSettings(const AppSettings &settings)
{
    // The open windows read the options from the context when they act on them.
    m_context.setSettings(settings);
    m_monitor->setSettings(settings);
    // Options saved during a snooze show their status at once; the sleep runs on to its end.
    emit statusChanged(Settings::alarmStatusText(settings.interval));
}

void AlarmController::sleepFor(AlarmSchedule::SleepChoice choice)
{
    m_monitor->sleepFor(choice);
    emit statusChanged(QString::fromLatin1(SleepingStatus));
}

void AlarmController::resumeAfterSleep()
{
    applySettings();
    showAlarmsFromTimer();
}
