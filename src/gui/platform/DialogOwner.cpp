#include "DialogOwner.h"

#include <QApplication>

#include <algorithm>

namespace {

bool alwaysOnTop(const QWidget *window)
{
    const Qt::WindowType type = window->windowType();
    return window->isVisible() && type != Qt::ToolTip && type != Qt::Popup
        && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

bool anyWindowOnTop()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), alwaysOnTop);
}

} // namespace

DialogOwner::DialogOwner(QWidget *asked)
{
    QWidget *window = QApplication::activeWindow();
    if (!window)
        window = QApplication::activeModalWidget();
    if (!window && asked)
        window = asked->window();
    m_window = window;
    m_focus = window ? window->focusWidget() : nullptr;
}

DialogOwner::~DialogOwner()
{
    if (!m_window || !m_window->isVisible())
        return;
    m_window->activateWindow();
    if (m_focus && m_focus->isVisible() && m_focus->isEnabled() && m_focus->window() == m_window)
        m_focus->setFocus(Qt::ActiveWindowFocusReason);
}

void DialogOwner::place(QWidget *dialog) const
{
    if ((m_window && alwaysOnTop(m_window)) || anyWindowOnTop())
        dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}
