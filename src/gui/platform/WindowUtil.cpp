#include "WindowUtil.h"

#include "core/platform/Twips.h"

void SetTopMost(QWidget *window, bool on)
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

void bringToFront(QWidget *window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

bool runGuarded(QWidget *parent, const QString &purpose, const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const DbError &error) {
        MessageBox::information(parent, databaseFailureText(purpose, error.message()));
        return false;
    }
}

void setGeometryTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(Twips::toPixels(left, top, width, height));
}

void initResources()
{
    // The images live in the windows library, which is static: its resources need a nudge.
    Q_INIT_RESOURCE(tarvo);
}
