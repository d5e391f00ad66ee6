#include "ViewerClient.h"

#include "core/reports/ViewerProtocol.h"
#include "core/settings/AppPaths.h"
#include "gui/platform/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

ViewerClient &ViewerClient::instance()
{
    // Owned by the application, so that the viewer is told to close before the program ends.
    static ViewerClient *client = new ViewerClient(QCoreApplication::instance());
    return *client;
}

ViewerClient::~ViewerClient()
{
    if (!isRunning())
        return;
    // The end of its input closes the viewer's window; a viewer that hangs is ended.
    m_process->closeWriteChannel();
    if (!m_process->waitForFinished(3000))
        m_process->kill();
    m_process->waitForFinished(1000);
}

namespace {
QString viewerProgram;
}

QString ViewerClient::program()
{
    if (!viewerProgram.isEmpty())
        return viewerProgram;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tarvo-viewer"));
}

void ViewerClient::setProgram(const QString &path)
{
    viewerProgram = path;
}

void ViewerClient::show(const QString &path)
{
    send(QStringLiteral("show"), path);
}

void ViewerClient::raise(const QString &path)
{
    send(QStringLiteral("raise"), path);
}

void ViewerClient::close()
{
    if (isRunning())
        m_process->write(ViewerProtocol::line(QStringLiteral("close")));
}

bool ViewerClient::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

qint64 ViewerClient::processId() const
{
    return isRunning() ? m_process->processId() : 0;
}

void ViewerClient::send(const QString &verb, const QString &path)
{
    m_unanswered = ViewerProtocol::line(verb, path);
    m_resent = false;
    if (isRunning() && m_ending)
        return; // goes to the next viewer when this one has ended
    deliver();
}

void ViewerClient::deliver()
{
    if (!isRunning() && !start()) {
        m_unanswered.clear();
        MessageBox::information(nullptr, QStringLiteral("The report viewer could not be started."));
        return;
    }
    m_process->write(m_unanswered);
}

bool ViewerClient::start()
{
    if (m_process) {
        // It may be sending a signal right now (a request made from its `closed`).
        m_process->disconnect(this);
        m_process->deleteLater();
    }
    m_buffer.clear();
    m_ending = false;
    m_process = new QProcess(this);
    // The viewer's own messages to the terminal pass through; its answers come on its output.
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &ViewerClient::read);
    connect(m_process, &QProcess::finished, this, &ViewerClient::ended);
    m_process->start(program(), {QStringLiteral("--folder"), AppPaths::applicationFolder(), QStringLiteral("--database"), AppPaths::databaseFile()});
    return m_process->waitForStarted(10000);
}

void ViewerClient::read()
{
    m_buffer += m_process->readAllStandardOutput();
    for (const ViewerProtocol::Message &message : ViewerProtocol::take(m_buffer)) {
        if (message.verb == u"shown") {
            m_unanswered.clear();
            Q_EMIT shown(message.argument);
        } else if (message.verb == u"loaded") {
            Q_EMIT loaded(message.argument == u"1");
        } else if (message.verb == u"closed") {
            m_ending = true;
        }
    }
}

void ViewerClient::ended()
{
    // Closed by the user, or died: either way the next request starts a new viewer. A request
    // that met a closing viewer goes to a new one, once; one that a viewer died on does not.
    const QByteArray again = m_ending && !m_resent ? m_unanswered : QByteArray();
    Q_EMIT closed();
    if (again.isEmpty() || isRunning() || m_unanswered != again)
        return; // nothing to send again, or a new request was made from `closed`
    m_resent = true;
    deliver();
}
