#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QProcess;

// The main program's side of the report viewer, which runs as a program of its own
// (tarvo-viewer, beside this one) so that the web engine never loads here: started on the
// first request, reused while it runs, started again when it has ended or died. The viewer
// keeps the window's rules (one window; Open, Save, Save as PDF, Print, Close and their
// messages); this side only asks it to show a file.
class ViewerClient : public QObject
{
    Q_OBJECT

public:
    static ViewerClient &instance();
    ~ViewerClient() override;

    // The Reports commands: the open window is closed and a new one shows the file.
    void show(const QString &path);
    // View > Report Viewer: the open window comes forward as it is, or a new one shows the file.
    void raise(const QString &path);
    // Asks the viewer to close its window (and so to end).
    void close();

    bool isRunning() const;
    qint64 processId() const;

    // The viewer program, beside this one unless set otherwise (tests).
    static QString program();
    static void setProgram(const QString &path);

Q_SIGNALS:
    void shown(const QString &path);
    void loaded(bool ok);
    void closed();

private:
    explicit ViewerClient(QObject *parent)
        : QObject(parent)
    { }
    void send(const QString &verb, const QString &path);
    void deliver();
    bool start();
    void read();
    void ended();

    QProcess *m_process = nullptr;
    QByteArray m_buffer;
    // The last request the viewer has not answered yet. A viewer that is ending (its window
    // was closed as the request went out) leaves it unanswered; it goes once more to the next.
    QByteArray m_unanswered;
    bool m_ending = false;
    bool m_resent = false;
};
