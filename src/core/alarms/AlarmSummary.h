#pragma once

#include "AlarmRules.h"

#include <QString>
#include <QVector>

// The pending alarms counted in items, by kind, and the short texts the desktop shows outside
// the program's windows: the tray icon's tooltip and badge, and the notification. An item past
// its service date counts once, though both its service and its order may be late.
struct AlarmCounts {
    int services = 0; // items with a service due
    int orders = 0; // items with an order due
    int pastDue = 0; // items past the service date
    int items = 0; // items with any alarm
};

AlarmCounts countAlarms(const QVector<AlarmRow> &rows);

// "3 services and 2 orders pending, 1 past due"; "No alarms pending" when there are none.
QString alarmSummary(const AlarmCounts &counts);

// The tray icon's tooltip: the program, the number of items with alarms and the summary.
QString trayToolTip(const AlarmCounts &counts);

// The number drawn small on the tray icon: the past-due count, empty at none, "99+" above 99.
QString badgeText(int pastDue);

// Whether the tray icon is wanted, and whether the desktop is told of new alarms (each on
// unless switched off). Kept in the user's desktop settings, outside the database.
bool trayAlarmsWanted();
void setTrayAlarmsWanted(bool wanted);
bool desktopNoticesWanted();
void setDesktopNoticesWanted(bool wanted);
