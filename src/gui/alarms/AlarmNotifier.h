#pragma once

#include "core/alarms/AlarmNews.h"

#include <QObject>

class AlarmTray;
class DesktopNotifier;

// Tells the desktop of the alarms that are new since the last check, when the user wants it:
// through the desktop's notification service, or, where none answers, in a balloon of the
// tray icon. Needs no tray: a desktop without one still gets the notice.
class AlarmNotifier : public QObject
{
    Q_OBJECT

public:
    explicit AlarmNotifier(AlarmTray *tray, QObject *parent = nullptr);

    // A check found these alarms: the ones new since the last check are told when `tell`
    // (no window of the program was in front of the user); all are remembered either way.
    void alarmsChecked(const QVector<AlarmRow> &rows, bool tell);

Q_SIGNALS:
    // The notice's "Show alarms" was chosen.
    void alarmsWanted();

private:
    AlarmTray *m_tray;
    DesktopNotifier *m_desktop;
    AlarmNews m_news;
};
