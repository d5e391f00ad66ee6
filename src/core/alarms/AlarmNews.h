#pragma once

#include "AlarmSummary.h"

#include <QSet>
#include <QString>
#include <QVector>

// What the desktop is told after an alarm check: only what came since the check before, so
// that alarms already shown or told are not repeated at every check.
class AlarmNews
{
public:
    // The pending alarms a check found; gives what is new since the last check (rows not there
    // before, or rows that became past due), counted in items. The first check finds all new.
    AlarmCounts update(const QVector<AlarmRow> &rows);

private:
    QSet<qint64> m_known; // item and kind of each row of the last check
};

// The notice of new alarms: its title ("New alarms for 2 items") and text (as alarmSummary).
QString noticeTitle(const AlarmCounts &news);
QString noticeText(const AlarmCounts &news);
