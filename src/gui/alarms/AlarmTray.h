#pragma once

#include "core/alarms/AlarmSummary.h"

#include <QObject>

class QSystemTrayIcon;

// The alarms outside the program's windows: an icon in the desktop's tray with the pending
// alarms in its tooltip and the past-due count drawn on it, and a notification. Where the
// desktop has no tray, or the user switched it off, there is no icon and nothing is said.
class AlarmTray : public QObject
{
    Q_OBJECT

public:
    explicit AlarmTray(QObject *parent = nullptr);

    // Whether the user wants the icon and the desktop has a tray for it.
    static bool possible();

    // Shows the icon with the counts, or removes it.
    void show(const AlarmCounts &counts);
    void remove();
    // A desktop notification of the counts, through a shown icon.
    void notify(const AlarmCounts &counts);

Q_SIGNALS:
    // The icon or its notification was clicked.
    void alarmsWanted();

private:
    void makeIcon();

    QSystemTrayIcon *m_icon = nullptr; // only while shown
    QString m_badge; // drawn on the icon now
};
