#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>

class ReportViewerWindow;

// The viewer program's side of its conversation with the main program (see ViewerProtocol):
// it keeps the single viewer window, opened, replaced, raised and closed as the main program
// asks, and tells what the window does.
class ViewerService : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Bytes from the main program; complete lines are carried out at once.
    void receive(const QByteArray &bytes);

    ReportViewerWindow *window() const { return m_window; }

    // The main program has ended (or closed its side): the viewer ends too, even while a box or
    // dialog of its own is open, which is closed as Esc would.
    void inputEnded();

Q_SIGNALS:
    // A line for the main program.
    void reply(const QByteArray &line);
    // No window is left: the program has nothing more to do.
    void finished();

private:
    void open(const QString &path);
    void closeWindow();

    void finish();

    QPointer<ReportViewerWindow> m_window;
    QByteArray m_buffer;
    // Once the program ends, requests are left unanswered: the main program sends them again
    // to the next viewer.
    bool m_finished = false;
};
