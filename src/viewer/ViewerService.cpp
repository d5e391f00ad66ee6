#include "ViewerService.h"

#include "ReportViewerWindow.h"

#include "core/reports/ViewerProtocol.h"
#include "gui/platform/WindowUtil.h"

#include <QApplication>

void ViewerService::receive(const QByteArray &bytes)
{
    m_buffer += bytes;
    if (m_finished)
        return;
    for (const ViewerProtocol::Message &message : ViewerProtocol::take(m_buffer)) {
        if (message.verb == u"show") {
            open(message.argument);
        } else if (message.verb == u"raise") {
            if (m_window && m_window->isVisible()) {
                bringToFront(m_window);
                Q_EMIT reply(ViewerProtocol::line(QStringLiteral("shown"), m_window->shownFile()));
            } else {
                open(message.argument);
            }
        } else if (message.verb == u"close") {
            closeWindow();
        }
        if (m_finished)
            return;
    }
}

void ViewerService::open(const QString &path)
{
    // The new window comes first, so that there is never a moment without one.
    auto *window = new ReportViewerWindow(path);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &ReportViewerWindow::pageLoaded, this,
            [this](bool ok) { Q_EMIT reply(ViewerProtocol::line(QStringLiteral("loaded"), ok ? QStringLiteral("1") : QStringLiteral("0"))); });
    // Once a window has gone, the program ends when it was the one shown. Asked after the window
    // is gone altogether: while it is being destroyed it is no longer a ReportViewerWindow, and
    // m_window may not be read as one.
    connect(
        window, &QObject::destroyed, this, [this] {
            if (!m_window && !m_finished)
                finish();
        },
        Qt::QueuedConnection);
    QPointer<ReportViewerWindow> old = m_window;
    m_window = window;
    window->show();
    // close(), not delete: a dialog of the old window (Save, Print) may be running its own loop
    // right now, and the window goes once that loop has ended.
    if (old)
        old->close();
    Q_EMIT reply(ViewerProtocol::line(QStringLiteral("shown"), path));
}

void ViewerService::inputEnded()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isModal())
            window->close();
    }
    closeWindow();
}

void ViewerService::closeWindow()
{
    if (m_window)
        m_window->close(); // deleted on close, once any dialog of its own has ended
    else
        finish();
}

void ViewerService::finish()
{
    m_finished = true;
    Q_EMIT reply(ViewerProtocol::line(QStringLiteral("closed")));
    Q_EMIT finished();
}
