#pragma once

#include "AlarmRules.h"

#include <QString>
#include <QVector>

// The pending alarms counted by kind, and the short texts the desktop shows outside the
// program's windows: the tray icon's tooltip and badge, and the notification.
struct AlarmCounts {
    int services = 0; // service due
    int orders = 0; // order due
    int pastDue = 0; // past the service date
    int total() const { return services + orders + pastDue; }
};

AlarmCounts countAlarms(const QVector<AlarmRow> &rows);

// "3 services and 2 orders pending, 1 past due"; "No alarms pending" when there are none.
QString alarmSummary(const AlarmCounts &counts);

// The tray icon's tooltip: the program, the number of pending alarms and the summary.
QString trayToolTip(const AlarmCounts &counts);

// The number drawn small on the tray icon: the past-due count, empty at none, "99+" above 99.
QString badgeText(int pastDue);

// Whether the tray icon and its notifications are wanted (on unless switched off). Kept in
// the user's desktop settings, outside the database.
bool trayAlarmsWanted();
void setTrayAlarmsWanted(bool wanted);
