#include "AlarmNotifier.h"

#include "AlarmTray.h"

#include "gui/platform/DesktopNotifier.h"

AlarmNotifier::AlarmNotifier(AlarmTray *tray, QObject *parent)
    : QObject(parent)
    , m_tray(tray)
    , m_desktop(new DesktopNotifier(this))
{
    connect(m_desktop, &DesktopNotifier::actionInvoked, this, &AlarmNotifier::alarmsWanted);
    connect(m_desktop, &DesktopNotifier::unanswered, m_tray, &AlarmTray::showBalloon);
}

void AlarmNotifier::alarmsChecked(const QVector<AlarmRow> &rows, bool tell)
{
    const AlarmCounts news = m_news.update(rows);
    if (tell && news.items > 0 && desktopNoticesWanted())
        m_desktop->notify(noticeTitle(news), noticeText(news), QStringLiteral("Show alarms"));
}
