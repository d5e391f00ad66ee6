#include "AlarmTray.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

namespace {

// The program's icon with a small red disc holding the text in its lower right corner.
QIcon badgedIcon(const QString &badge)
{
    QPixmap pixmap = QPixmap(QStringLiteral(":/logo.png")).scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (badge.isEmpty())
        return QIcon(pixmap);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(badge.size() > 2 ? 20 : 28);
    painter.setFont(font);
    const QRect disc(26, 26, 38, 38);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 30, 30));
    painter.drawEllipse(disc);
    painter.setPen(Qt::white);
    painter.drawText(disc, Qt::AlignCenter, badge);
    return QIcon(pixmap);
}

} // namespace

AlarmTray::AlarmTray(QObject *parent)
    : QObject(parent)
    , m_menu(new QMenu)
{
    m_menu->setObjectName(QStringLiteral("mnuTray"));
    auto add = [this](const char *name, const QString &text, void (AlarmTray::*wanted)()) {
        QAction *action = m_menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, wanted);
    };
    add("mnuTrayShow", QStringLiteral("Show Tarvo"), &AlarmTray::programWanted);
    add("mnuTrayAlarms", QStringLiteral("Show Alarms"), &AlarmTray::alarmsWanted);
    m_menu->addSeparator();
    add("mnuTrayQuit", QStringLiteral("Quit"), &AlarmTray::quitWanted);
}

// The menu is no child of a window: it goes with the tray.
AlarmTray::~AlarmTray()
{
    delete m_menu.data();
}

void AlarmTray::makeIcon()
{
    m_icon = new QSystemTrayIcon(this);
    m_icon->setObjectName(QStringLiteral("trayAlarms"));
    m_icon->setIcon(badgedIcon(QString()));
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::messageClicked, this, &AlarmTray::alarmsWanted);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            Q_EMIT alarmsWanted();
    });
    m_icon->show();
}

bool AlarmTray::possible()
{
    return trayAlarmsWanted() && QSystemTrayIcon::isSystemTrayAvailable();
}

void AlarmTray::remove()
{
    delete m_icon;
    m_icon = nullptr;
}

void AlarmTray::show(const AlarmCounts &counts)
{
    if (!m_icon) {
        makeIcon();
        m_badge.clear();
    }
    const QString badge = badgeText(counts.pastDue);
    if (badge != m_badge) {
        m_icon->setIcon(badgedIcon(badge));
        m_badge = badge;
    }
    m_icon->setToolTip(trayToolTip(counts));
}

void AlarmTray::showBalloon(const QString &title, const QString &text)
{
    if (m_icon)
        m_icon->showMessage(title, text, QSystemTrayIcon::Information);
}
