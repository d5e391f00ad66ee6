#pragma once

#include "core/alarms/AlarmSchedule.h"
#include "core/settings/Settings.h"

#include <QColor>
#include <QDialog>
#include <QPointer>

class AlarmListModel;
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

    // `settings`: the alarm switches the evaluation follows; the opener gives them again when
    // they change.
    explicit AlarmWindow(const AppSettings &settings, QWidget *parent = nullptr);
    void setSettings(const AppSettings &settings) { m_settings = settings; }

    // Evaluates the alarms afresh into the list; no row counts as selected afterwards. When the
    // evaluation fails the user is told and the list keeps what it showed: false then.
    bool loadAlarmData();
    bool evaluated() const { return m_evaluated; } // the last evaluation ran through

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

    AppSettings m_settings;
    AlarmListModel *m_model = nullptr;
    QPointer<SnoozeDialog> m_sleep;
    bool m_noAlarmSelected = true;
    bool m_evaluated = false;
    int m_alarmCurRow = 0;
    int m_alarmPrevRow = 0;
    QTableView *flxAlarms = nullptr;
    QPushButton *m_detailsButton = nullptr;
    QPushButton *m_sleepButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
