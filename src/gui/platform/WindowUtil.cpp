#include "WindowUtil.h"

#include "Appearance.h"

#include "core/platform/Twips.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>

void setTopMost(QWidget *window, bool on)
{
    if (!window)
        return;
    const bool visible = window->isVisible();
    const QRect geometry = window->geometry();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) {
        // Changing the flags hides the window; put it back where it was.
        window->setGeometry(geometry);
        window->show();
    }
}

void bringToFront(QWidget *window, bool activate)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    if (activate)
        window->activateWindow();
}

void keepOnScreen(QWidget *window)
{
    // A window that never set its size gets the one showing would give it, not the toolkit's
    // placeholder size.
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    const QRect available = window->screen()->availableGeometry();
    // Before its first show the window manager's frame is unknown: leave room for a title bar.
    QMargins frame(window->geometry().left() - window->frameGeometry().left(),
                   window->geometry().top() - window->frameGeometry().top(),
                   window->frameGeometry().right() - window->geometry().right(),
                   window->frameGeometry().bottom() - window->geometry().bottom());
    if (frame.isNull()) {
        const int side = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        frame = QMargins(side, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + side, side, side);
    }
    const QRect room = available.marginsRemoved(frame);
    window->resize(window->size().boundedTo(room.size()).expandedTo(window->minimumSize()));
    if (!window->testAttribute(Qt::WA_Moved))
        return; // the window manager places it
    QRect placed(window->pos(), window->size());
    placed.moveRight(qMin(placed.right(), room.right()));
    placed.moveBottom(qMin(placed.bottom(), room.bottom()));
    placed.moveLeft(qMax(placed.left(), room.left()));
    placed.moveTop(qMax(placed.top(), room.top()));
    window->move(placed.topLeft());
}

namespace {

// Hands the keyboard back to the window that had it when a new window took it on showing,
// as some platforms and window managers do whatever the window asks.
class KeyboardReturn : public QObject
{
public:
    KeyboardReturn(QWidget *window, QWidget *owner)
        : QObject(window)
        , m_owner(owner)
    {
        window->installEventFilter(this);
        // Only the activation that comes with the showing; later ones are the user's.
        QTimer::singleShot(500, this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate) {
            if (m_owner && m_owner->isVisible())
                m_owner->activateWindow();
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> m_owner;
};

// Lets the focus into a list without making a row current.
class NoAutomaticCurrent : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A list being destroyed still hears of its focus going, as a plain widget by then.
        if (event->type() != QEvent::FocusIn)
            return false;
        auto *view = qobject_cast<QAbstractItemView *>(watched);
        if (!view || view->currentIndex().isValid())
            return false;
        view->viewport()->update(); // the focus frame
        return true;
    }
};

} // namespace

QPoint asidePlace(const QRect &area, const QSize &size, const QRect &avoid)
{
    const auto inArea = [&](int x, int y) {
        return QPoint(qBound(area.left(), x, qMax(area.left(), area.right() + 1 - size.width())),
                      qBound(area.top(), y, qMax(area.top(), area.bottom() + 1 - size.height())));
    };
    // In the order preferred when several cover equally little: right, below, left, above, the corners.
    const QPoint candidates[] = {
        inArea(avoid.right() + 1, avoid.top()),
        inArea(avoid.left(), avoid.bottom() + 1),
        inArea(avoid.left() - size.width(), avoid.top()),
        inArea(avoid.left(), avoid.top() - size.height()),
        inArea(area.right(), area.top()),
        inArea(area.right(), area.bottom()),
        inArea(area.left(), area.bottom()),
        inArea(area.left(), area.top()),
    };
    const auto covered = [&](const QPoint &at) {
        const QRect both = QRect(at, size) & avoid;
        return qint64(both.width()) * both.height();
    };
    QPoint best = candidates[0];
    for (const QPoint &at : candidates) {
        if (covered(at) < covered(best))
            best = at;
    }
    return best;
}

void showWithoutFocus(QWidget *window)
{
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    QWidget *owner = QApplication::activeWindow();
    if (owner && owner != window) {
        new KeyboardReturn(window, owner);
        // Before its first show the frame is not known: as keepOnScreen, allow for a title bar.
        const int side = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        const QMargins frame(side, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + side, side, side);
        const QRect area = owner->screen()->availableGeometry();
        const QPoint at = asidePlace(area, window->size().grownBy(frame), owner->frameGeometry());
        window->move(at);
    }
    window->show();
    // Where the screen leaves no room beside it, the window the user types in stays on top.
    if (owner && owner != window && owner->frameGeometry().intersects(window->frameGeometry()))
        owner->raise();
}

void noAutomaticCurrent(QAbstractItemView *view)
{
    view->installEventFilter(new NoAutomaticCurrent(view));
}

bool runGuarded(QWidget *parent, const QString &purpose, const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const DbError &error) {
        // A lost connection is no fault of the database: the plain account, without "said".
        if (error.kind() == DbError::Kind::ConnectionLost)
            MessageBox::information(parent, QStringLiteral("Could not %1.\r\n%2").arg(purpose, error.message()));
        else
            MessageBox::information(parent, databaseFailureText(purpose, error.message()));
        return false;
    }
}

void setGeometryTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(Twips::toPixels(left, top, width, height));
}

void setDefaultSizeTwips(QWidget *window, int width, int height)
{
    window->resize(QSize(Twips::toPixels(width), Twips::toPixels(height)).expandedTo(window->sizeHint()));
}

namespace {

// Asks for room for the whole form at its least size (its lists and text boxes as short as they
// may be), which the window gets where the screen has it.
class FormArea : public QScrollArea
{
public:
    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        return widget() ? widget()->minimumSizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
};

} // namespace

QScrollArea *scrollingForm(QWidget *form)
{
    auto *area = new FormArea;
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidget(form);
    // Tab within the form scrolls by itself; the keyboard can also come from outside it.
    QObject::connect(qApp, &QApplication::focusChanged, area, [area](QWidget *, QWidget *now) {
        if (now && area->widget() && area->widget()->isAncestorOf(now))
            area->ensureWidgetVisible(now);
    });
    return area;
}

QHBoxLayout *buttonRow(std::initializer_list<QWidget *> buttons, int minimumTwips)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    for (QWidget *button : buttons) {
        button->setMinimumWidth(Twips::toPixels(minimumTwips));
        row->addWidget(button);
    }
    return row;
}

void fitWidth(QLineEdit *box, int twips, const QString &sample)
{
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    const QMargins margins = box->textMargins();
    // The text, the frame on both sides, the box's own padding and room for the cursor.
    const int needed = box->fontMetrics().horizontalAdvance(sample) + 2 * frame + margins.left() + margins.right() + 8;
    box->setFixedWidth(qMax(Twips::toPixels(twips), needed));
}

void initResources()
{
    // The images live in the windows library, which is static: its resources need a nudge.
    Q_INIT_RESOURCE(tarvo);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/logo.png")));
    Appearance::applyRequestedLook();
}
