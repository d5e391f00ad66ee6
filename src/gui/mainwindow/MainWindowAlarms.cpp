// The alarm monitor of the main window: the start-up alarm, the periodic check, the snooze,
// and the alarm window with the windows it opens.

#include "MainWindow.h"

#include "core/alarms/AlarmListModel.h"
#include "core/alarms/AlarmMonitor.h"
#include "core/alarms/AlarmRules.h"
#include "core/alarms/AlarmSchedule.h"
#include "core/db/Recordset.h"
#include "core/platform/Clock.h"
#include "core/settings/AppContext.h"
#include "core/settings/Settings.h"
#include "gui/alarms/AlarmTray.h"
#include "gui/alarms/AlarmWindow.h"
#include "gui/alarms/OrderAckDialog.h"
#include "gui/alarms/ServiceAckDialog.h"
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

void MainWindow::connectAlarmMonitor()
{
    m_monitor = new AlarmMonitor(this);
    m_monitor->setBusyCheck(modalOpen);
    connect(m_monitor, &AlarmMonitor::startupDue, this, &MainWindow::showAlarms);
    connect(m_monitor, &AlarmMonitor::checkDue, this, &MainWindow::showAlarmsFromTimer);
    connect(m_monitor, &AlarmMonitor::woke, this, &MainWindow::woke);
    m_tray = new AlarmTray(this);
    connect(m_tray, &AlarmTray::alarmsWanted, this, &MainWindow::showAlarms);
}

void MainWindow::refreshTray(bool notify)
{
    if (!AlarmTray::possible()) {
        m_tray->remove();
        return;
    }
    AlarmCounts counts;
    if (AlarmWindow *window = alarmWindow()) {
        // The open alarm window holds the list just evaluated: no second evaluation.
        counts = countAlarms(window->alarmModel()->rows());
    } else {
        const AppSettings &settings = m_context.settings();
        try {
            counts = countAlarms(evaluateAlarms(m_context.database(), settings.serviceAlarms, settings.orderAlarms, Clock::today()));
        } catch (const DbError &) {
            return; // the windows report failing statements; the icon keeps its last counts
        }
    }
    m_tray->show(counts);
    if (notify)
        m_tray->notify(counts);
}

void MainWindow::showAlarmsFromTimer()
{
    // The desktop is told only when no window of the program was in front of the user.
    const bool unseen = QApplication::activeWindow() == nullptr;
    openAlarmWindow(false);
    refreshTray(unseen);
}

void MainWindow::showAlarms()
{
    openAlarmWindow(true);
}

AlarmWindow *MainWindow::alarmWindow() const
{
    return m_alarms;
}

void MainWindow::openAlarmWindow(bool activate)
{
    // A new window whose evaluation failed is not shown: the user has read why.
    showOnce(
        m_alarms, [this] {
            AlarmWindow *window = keepIfLoaded(new AlarmWindow(m_context));
            if (!window)
                return window;
            connect(window, &AlarmWindow::serviceAckWanted, this, &MainWindow::openServiceAck);
            connect(window, &AlarmWindow::orderAckWanted, this, &MainWindow::openOrderAck);
            connect(window, &AlarmWindow::itemEditorWanted, this,
                    [this](qint64 itemId, bool fresh) { openItemEditor(ItemEditor::EditAlarmItem, itemId, fresh); });
            connect(window, &AlarmWindow::sleepChosen, this, &MainWindow::sleepFor);
            return window;
        },
        activate);
}

// None opens for an item deleted meanwhile.
void MainWindow::openServiceAck(qint64 itemId)
{
    showOnce(m_serviceAck, [&] {
        ServiceAckDialog *window = keepIfLoaded(new ServiceAckDialog(m_context, itemId));
        if (window) {
            connect(window, &AckDialog::acknowledged, this, &MainWindow::acknowledged);
            connect(window, &ServiceAckDialog::historyEntryAdded, this, [this] { closeNow(m_editor); });
            connect(window, &ServiceAckDialog::entryWanted, this,
                    [this, window](EntryTarget target) { showEntryWindowFor(target, window->itemId(), window); });
        }
        return window;
    });
}

void MainWindow::openOrderAck(qint64 itemId)
{
    showOnce(m_orderAck, [&] {
        OrderAckDialog *window = keepIfLoaded(new OrderAckDialog(m_context, itemId));
        if (window)
            connect(window, &AckDialog::acknowledged, this, &MainWindow::acknowledged);
        return window;
    });
}

void MainWindow::acknowledged()
{
    // The alarm list shown loses the item's rows, and the item list shows its new state, as
    // after an editor save (whose tray count then reads the alarm list just evaluated).
    if (m_alarms)
        m_alarms->load();
    itemSaved();
}

void MainWindow::optionsSaved()
{
    applySettings();
    refreshTray(false); // the tray option may have changed too
}

void MainWindow::applySettings()
{
    AppSettings settings;
    if (runGuarded(this, QStringLiteral("read the settings"), [&] { settings = loadSettings(m_context.database()); }))
        useSettings(settings);
}

void MainWindow::useSettings(const AppSettings &settings)
{
    // The open windows read the options from the context when they act on them.
    m_context.setSettings(settings);
    m_monitor->setSettings(settings);
    // Options saved during a snooze show their status at once; the sleep runs on to its end.
    setPanelText(2, Settings::alarmStatusText(settings.interval));
}

void MainWindow::sleepFor(AlarmSchedule::SleepChoice choice)
{
    m_monitor->sleepFor(choice);
    setPanelText(2, QString::fromLatin1(SleepingStatus));
}

void MainWindow::woke()
{
    applySettings();
    showAlarmsFromTimer();
}
