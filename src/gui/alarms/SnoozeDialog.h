#pragma once

#include "core/alarms/AlarmSchedule.h"

#include <QDialog>

class QButtonGroup;
class QRadioButton;

// "Sleep for": silences the alarm monitor for one of ten durations. The first duration is
// chosen when the window opens; OK hands the choice over through sleepChosen and closes.
class SnoozeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SnoozeDialog(QWidget *parent = nullptr);

    AlarmSchedule::SleepChoice sleepChoice() const { return m_sleepChoice; }
    QRadioButton *option(int index) const;

    void ok(); // cmdOK

Q_SIGNALS:
    void sleepChosen(AlarmSchedule::SleepChoice choice);

private:
    QButtonGroup *m_options = nullptr; // optSleepFor(0..9)
    AlarmSchedule::SleepChoice m_sleepChoice = AlarmSchedule::Sleep5Minutes;
};
