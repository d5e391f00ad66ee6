#include "frmSplash.h"

#include "frmmain.h"

#include "data/DatabaseADO.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
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
    setStyleSheet(QStringLiteral("frmSplash { background: white; border: 1px solid #5a7fb0; }"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedSize(360, Twips::toPixels(1500));
}

bool frmSplash::load()
{
    if (OpenDatabase())
        return true;
    MessageBox::information(nullptr, QString::fromLatin1(FatalOpenMessage));
    return false;
}

void frmSplash::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    if (!m_started) {
        m_started = true;
        // The pause is a timer, so the window keeps painting and a clock change cannot stall it;
        // a precise one, since a coarse timer may end a long pause early.
        QTimer::singleShot(PauseMsec, Qt::PreciseTimer, this, &frmSplash::PerformChecks);
    }
}

void frmSplash::PerformChecks()
{
    // The backup reminder runs here, before the main window shows.
    auto *main = new frmmain;
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->load();
    main->show();
    Q_EMIT mainWindowShown();
    close();
}
