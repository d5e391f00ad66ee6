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
#include "gui/alarms/AlarmTray.h"
#include "gui/alarms/frmAckOrder.h"
#include "gui/alarms/frmAckService.h"
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

frmAlarm *frmmain::alarmWindow() const
{
    return m_alarms;
}

void frmmain::openAlarmWindow(bool activate)
{
    // A new window whose evaluation failed is not shown: the user has read why.
    showOnce(
        m_alarms, [this] {
            auto *window = new frmAlarm(gv().settings);
            if (!window->evaluated()) {
                delete window;
                return static_cast<frmAlarm *>(nullptr);
            }
            connect(window, &frmAlarm::serviceAckWanted, this, &frmmain::openServiceAck);
            connect(window, &frmAlarm::orderAckWanted, this, &frmmain::openOrderAck);
            connect(window, &frmAlarm::itemEditorWanted, this,
                    [this](qint64 itemId, bool fresh) { openItemEditor(frmAdd::EditAlarmItem, itemId, fresh); });
            connect(window, &frmAlarm::sleepChosen, this, &frmmain::sleepFor);
            return window;
        },
        activate);
}

// None opens for an item deleted meanwhile.
void frmmain::openServiceAck(qint64 itemId)
{
    showOnce(m_serviceAck, [&] {
        frmAckService *window = keepIfLoaded(new frmAckService(itemId));
        if (window) {
            connect(window, &AckWindow::acknowledged, this, &frmmain::acknowledged);
            connect(window, &frmAckService::historyEntryAdded, this, [this] { closeNow(m_editor); });
            connect(window, &frmAckService::entryWanted, this,
                    [this, window](EntryTarget target) { showEntryWindowFor(target, window->itemId(), window); });
        }
        return window;
    });
}

void frmmain::openOrderAck(qint64 itemId)
{
    showOnce(m_orderAck, [&] {
        frmAckOrder *window = keepIfLoaded(new frmAckOrder(itemId));
        if (window)
            connect(window, &AckWindow::acknowledged, this, &frmmain::acknowledged);
        return window;
    });
}

void frmmain::acknowledged()
{
    // The alarm list shown loses the item's rows, and the item list shows its new state, as
    // after an editor save (whose tray count then reads the alarm list just evaluated).
    if (m_alarms)
        m_alarms->LoadAlarmData();
    itemSaved();
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
