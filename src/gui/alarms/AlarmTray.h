#pragma once

#include "core/alarms/AlarmSummary.h"

#include <QMenu>
#include <QObject>
#include <QPointer>

class QSystemTrayIcon;

// The alarms in the desktop's tray: the program's icon with the pending alarms in its tooltip,
// the past-due count drawn on it, and a menu to show the program, show the alarms or quit.
// Where the desktop has no tray, or the user switched it off, there is no icon.
class AlarmTray : public QObject
{
    Q_OBJECT

public:
    explicit AlarmTray(QObject *parent = nullptr);
    ~AlarmTray() override;

    // Whether the user wants the icon and the desktop has a tray for it.
    static bool possible();

    // Shows the icon with the counts, or removes it.
    void show(const AlarmCounts &counts);
    void remove();
    // A balloon beside a shown icon, for a desktop without a notification service.
    void showBalloon(const QString &title, const QString &text);

    // The icon's menu.
    QMenu *menu() const { return m_menu; }

Q_SIGNALS:
    // The icon, its balloon or "Show Alarms" was clicked.
    void alarmsWanted();
    // "Show Tarvo" and "Quit" of the icon's menu.
    void programWanted();
    void quitWanted();

private:
    void makeIcon();

    QSystemTrayIcon *m_icon = nullptr; // only while shown
    QPointer<QMenu> m_menu; // a window of its own, which may be closed before the tray goes
    QString m_badge; // drawn on the icon now
};
