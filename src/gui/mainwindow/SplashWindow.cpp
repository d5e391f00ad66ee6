#include "SplashWindow.h"

#include "MainWindow.h"

#include "core/alarms/AlarmMonitor.h"
#include "gui/alarms/AlarmController.h"

#include "core/maintenance/DatabaseFiles.h"
#include "core/platform/Twips.h"
#include "core/settings/AppContext.h"
#include "gui/maintenance/DatabaseCommands.h"
#include "gui/maintenance/ServerCommands.h"
#include "gui/platform/WindowUtil.h"

#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

SplashWindow::SplashWindow(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Loading Tarvo"));

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/logo.png")).scaledToHeight(72, Qt::SmoothTransformation));
    auto *name = new QLabel(QStringLiteral("Tarvo"), this);
    name->setObjectName(QStringLiteral("lblProduct"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    name->setFont(big);
    auto *loading = new QLabel(QStringLiteral("Loading......................."), this);
    loading->setObjectName(QStringLiteral("lblLoading"));

    auto *text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(loading);
    auto *row = new QHBoxLayout(this);
    row->addWidget(logo);
    row->addLayout(text, 1);
    // Dark text with the white, so that a dark theme's light text does not vanish on it.
    setStyleSheet(QStringLiteral("frmSplash { background: white; border: 1px solid #5a7fb0; } frmSplash QLabel { color: black; }"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedSize(360, Twips::toPixels(1500));

    // The pause is a timer, so the window keeps painting and a clock change cannot stall it;
    // a precise one, since a coarse timer may end a long pause early.
    m_pause = new QTimer(this);
    m_pause->setObjectName(QStringLiteral("tmrPause"));
    m_pause->setSingleShot(true);
    m_pause->setTimerType(Qt::PreciseTimer);
    m_pause->setInterval(PauseMsec);
    connect(m_pause, &QTimer::timeout, this, &SplashWindow::performChecks);
}

bool SplashWindow::load()
{
    DatabaseFiles::removeLeftoverCopies();
    return openStartDatabase(m_context.database());
}

void SplashWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    if (!m_pause->isActive() && !m_checked)
        m_pause->start();
}

void SplashWindow::performChecks()
{
    m_checked = true;
    // The backup reminder runs before the main window shows. A backup accepted there runs over
    // the shown main window with its start-up alarm held off, and when it is made the program
    // ends.
    const ReminderAnswer answer = askForBackup(this, m_context.database());
    auto *main = new MainWindow(m_context);
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->load();
    if (answer == ReminderAnswer::Yes)
        main->alarms()->monitor()->holdStartupAlarm(true);
    keepOnScreen(main);
    main->show();
    Q_EMIT mainWindowShown(main);
    if (answer == ReminderAnswer::Yes) {
        if (backUpDatabase(main, m_context.database()))
            return;
        main->alarms()->monitor()->holdStartupAlarm(false);
    }
    close();
}
