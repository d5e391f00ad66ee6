// The alarm monitor of the main window: the start-up alarm, the periodic check, the snooze,
// and the alarm window with the windows it opens.

#include "frmmain.h"

#include "core/alarms/AlarmListModel.h"
#include "core/alarms/AlarmMonitor.h"
#include "core/alarms/AlarmRules.h"
#include "core/alarms/AlarmSchedule.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "core/data/Settings.h"
#include "core/platform/Clock.h"
#include "gui/alarms/AckWindow.h"
#include "gui/alarms/AlarmTray.h"
#include "gui/alarms/frmAlarm.h"
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

void frmmain::connectAlarmMonitor()
{
    m_monitor = new AlarmMonitor(this);
    m_monitor->setBusyCheck(modalOpen);
    connect(m_monitor, &AlarmMonitor::startupDue, this, &frmmain::showAlarms);
    connect(m_monitor, &AlarmMonitor::checkDue, this, &frmmain::showAlarmsFromTimer);
    connect(m_monitor, &AlarmMonitor::woke, this, &frmmain::woke);
    m_tray = new AlarmTray(this);
    connect(m_tray, &AlarmTray::alarmsWanted, this, &frmmain::showAlarms);
}

void frmmain::refreshTray(bool notify)
{
    if (!AlarmTray::possible()) {
        m_tray->remove();
        return;
    }
    AlarmCounts counts;
    if (frmAlarm *window = alarmWindow()) {
        // The open alarm window holds the list just evaluated: no second evaluation.
        counts = countAlarms(window->alarmModel()->rows());
    } else {
        const AppSettings &settings = gv().settings;
        try {
            counts = countAlarms(evaluateAlarms(db(), settings.serviceAlarms, settings.orderAlarms, Clock::today()));
        } catch (const DbError &) {
            return; // the windows report failing statements; the icon keeps its last counts
        }
    }
    m_tray->show(counts);
    if (notify)
        m_tray->notify(counts);
}

void frmmain::showAlarmsFromTimer()
{
    // The desktop is told only when no window of the program was in front of the user.
    const bool unseen = QApplication::activeWindow() == nullptr;
    openAlarmWindow(false);
    refreshTray(unseen);
}

void frmmain::showAlarms()
{
    openAlarmWindow(true);
}

void frmmain::openAlarmWindow(bool activate)
{
    frmAlarm *window = showAlarmWindow(gv().settings, activate);
    if (!window || window == m_alarms)
        return; // none could be evaluated (the user has been told), or the one met before
    m_alarms = window;
    connect(window, &frmAlarm::acknowledgementOpened, this, &frmmain::watchAcknowledgement);
    connect(window, &frmAlarm::itemEditorOpened, this, &frmmain::watchItemEditor);
    connect(window, &frmAlarm::sleepChosen, this, &frmmain::sleepFor);
}

void frmmain::watchAcknowledgement(AckWindow *window)
{
    // The list shows the item's new state, as after an editor save.
    connect(window, &AckWindow::acknowledged, this, &frmmain::itemSaved, Qt::UniqueConnection);
}

void frmmain::watchItemEditor(frmAdd *editor)
{
    connect(editor, &frmAdd::itemSaved, this, &frmmain::itemSaved, Qt::UniqueConnection);
}

void frmmain::optionsSaved()
{
    applySettings();
    refreshTray(false); // the tray option may have changed too
}

void frmmain::applySettings()
{
    AppSettings settings;
    if (runGuarded(this, QStringLiteral("read the settings"), [&] { settings = LoadSettings(db()); }))
        useSettings(settings);
}

void frmmain::useSettings(const AppSettings &settings)
{
    gv().settings = settings;
    m_monitor->setSettings(settings);
    // Options saved during a snooze show their status at once; the sleep runs on to its end.
    setPanelText(2, Settings::alarmStatusText(settings.interval));
    // The open windows that follow the options take the new ones.
    if (frmAlarm *alarms = alarmWindow())
        alarms->setSettings(settings);
    if (frmAdd *editor = itemEditor())
        editor->setSettings(settings);
}

void frmmain::sleepFor(AlarmSchedule::SleepChoice choice)
{
    m_monitor->sleepFor(choice);
    setPanelText(2, QString::fromLatin1(SleepingStatus));
}

void frmmain::woke()
{
    applySettings();
    showAlarmsFromTimer();
}
