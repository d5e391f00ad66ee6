#pragma once

#include "core/alarms/AlarmSchedule.h"

#include <QColor>
#include <QDialog>
#include <QPointer>

class AlarmListModel;
class AppContext;
class SnoozeDialog;
class QPushButton;
class QTableView;

// "Pending Alarms": the alarms the rules find, one row each, in service-date order. A click
// highlights a row; Details or a double-click opens what the row's kind calls for: the service
// or order acknowledgement, or for a row past its service date the item editor. "Sleep"
// silences the alarm monitor.
class AlarmWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int RowHeightTwips = 855;
    static constexpr QColor LightRed = QColor(255, 192, 192); // a row past its service date

    // The evaluation reads the connection of `context` and follows its alarm switches as they
    // are at the time.
    explicit AlarmWindow(const AppContext &context, QWidget *parent = nullptr);

    // Evaluates the alarms afresh into the list, when the window opens and whenever the items
    // change; no row counts as selected afterwards. When the evaluation fails the user is told
    // and the list keeps what it showed: false then (a new window is then not shown).
    bool load();

    AlarmListModel *alarmModel() const { return m_model; }
    bool noAlarmSelected() const { return m_noAlarmSelected; }
    int alarmCurRow() const { return m_alarmCurRow; }

    // What a click and a double-click on a list row (from 0) do.
    void rowClicked(int row);
    void rowDoubleClicked(int row);

    // The buttons' commands.
    void showDetails(); // cmdDetails
    void openSleep(); // cmdSleep
    SnoozeDialog *sleepWindow() const;

Q_SIGNALS:
    // The details of a row are wanted: the acknowledgement of its item, or the item editor
    // (`fresh`: an open editor is closed and a new one opened for this item).
    void serviceAckWanted(qint64 itemId);
    void orderAckWanted(qint64 itemId);
    void itemEditorWanted(qint64 itemId, bool fresh);
    // The user chose to snooze for this duration (the window then closes).
    void sleepChosen(AlarmSchedule::SleepChoice choice);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openDetails(int row, bool freshEditor);

    const AppContext &m_context;
    AlarmListModel *m_model = nullptr;
    QPointer<SnoozeDialog> m_sleep;
    bool m_noAlarmSelected = true;
    int m_alarmCurRow = 0;
    int m_alarmPrevRow = 0;
    QTableView *flxAlarms = nullptr;
    QPushButton *m_detailsButton = nullptr;
    QPushButton *m_sleepButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
