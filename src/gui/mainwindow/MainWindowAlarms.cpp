// The alarm monitor of the main window: the start-up alarm, the periodic check, the snooze,
// and the alarm window with the windows it opens.

#include "MainWindow.h"

#include "core/alarms/AlarmListModel.h"
#include "core/alarms/AlarmMonitor.h"
#include "core/alarms/AlarmRules.h"
#include "core/alarms/AlarmSchedule.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/platform/Clock.h"
#include "core/settings/GlobalVars.h"
#include "core/settings/Settings.h"
#include "gui/alarms/AlarmNotifier.h"
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
    // The start-up alarm is a check the user sees: its alarms are not told again.
    connect(m_monitor, &AlarmMonitor::startupDue, this, [this] {
        showAlarms();
        refreshTray(true, false);
    });
    connect(m_monitor, &AlarmMonitor::checkDue, this, &MainWindow::showAlarmsFromTimer);
    connect(m_monitor, &AlarmMonitor::woke, this, &MainWindow::woke);
    m_tray = new AlarmTray(this);
    connect(m_tray, &AlarmTray::alarmsWanted, this, &MainWindow::showAlarms);
    connect(m_tray, &AlarmTray::programWanted, this, [this] {
        showNormal();
        raise();
        activateWindow();
    });
    connect(m_tray, &AlarmTray::quitWanted, this, &QWidget::close);
    m_notifier = new AlarmNotifier(m_tray, this);
    connect(m_notifier, &AlarmNotifier::alarmsWanted, this, &MainWindow::showAlarms);
}

void MainWindow::refreshTray(bool checked, bool unseen)
{
    const bool icon = AlarmTray::possible();
    if (!icon)
        m_tray->remove();
    if (!icon && !checked)
        return;
    QVector<AlarmRow> rows;
    AlarmWindow *window = alarmWindow();
    if (window && !checked) {
        // The open alarm window holds the list evaluated last: no second evaluation. A check
        // evaluates afresh, since an open window keeps its list.
        rows = window->alarmModel()->rows();
    } else {
        const AppSettings &settings = gv().settings;
        try {
            rows = evaluateAlarms(db(), settings.serviceAlarms, settings.orderAlarms, Clock::today());
        } catch (const DbError &) {
            return; // the windows report failing statements; the icon keeps its last counts
        }
    }
    if (icon)
        m_tray->show(countAlarms(rows));
    if (checked)
        m_notifier->alarmsChecked(rows, unseen);
}

void MainWindow::showAlarmsFromTimer()
{
    // The desktop is told only when no window of the program was in front of the user.
    const bool unseen = QApplication::activeWindow() == nullptr;
    openAlarmWindow(false);
    refreshTray(true, unseen);
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
            auto *window = new AlarmWindow(gv().settings);
            if (!window->evaluated()) {
                delete window;
                return static_cast<AlarmWindow *>(nullptr);
            }
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
        ServiceAckDialog *window = keepIfLoaded(new ServiceAckDialog(itemId));
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
        OrderAckDialog *window = keepIfLoaded(new OrderAckDialog(itemId));
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
        m_alarms->loadAlarmData();
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
    if (runGuarded(this, QStringLiteral("read the settings"), [&] { settings = loadSettings(db()); }))
        useSettings(settings);
}

void MainWindow::useSettings(const AppSettings &settings)
{
    gv().settings = settings;
    m_monitor->setSettings(settings);
    // Options saved during a snooze show their status at once; the sleep runs on to its end.
    setPanelText(2, Settings::alarmStatusText(settings.interval));
    // The open windows that follow the options take the new ones.
    if (AlarmWindow *alarms = alarmWindow())
        alarms->setSettings(settings);
    if (ItemEditor *editor = itemEditor())
        editor->setSettings(settings);
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
