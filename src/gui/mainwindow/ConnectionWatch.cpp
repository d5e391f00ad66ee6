#include "ConnectionWatch.h"

#include "core/db/Database.h"

#include <QPointer>

ConnectionWatch::ConnectionWatch(Database &database, QObject *parent)
    : QObject(parent)
    , m_database(database)
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &ConnectionWatch::retry);
    ConnectionNotice::setNotice([watch = QPointer<ConnectionWatch>(this)](bool lost) {
        if (!watch)
            return;
        if (lost)
            watch->connectionLost();
        else
            watch->connectionRestored();
    });
}

ConnectionWatch::~ConnectionWatch()
{
    ConnectionNotice::setNotice(nullptr);
}

void ConnectionWatch::connectionLost()
{
    if (m_lost)
        return;
    m_lost = true;
    m_delayMsec = FirstRetryMsec;
    m_retry.start(m_delayMsec);
    emit lost();
}

void ConnectionWatch::connectionRestored()
{
    if (!m_lost)
        return;
    m_lost = false;
    m_retry.stop();
    // The notice comes from inside a statement: whoever reads again does so after it.
    QTimer::singleShot(0, this, &ConnectionWatch::restored);
}

void ConnectionWatch::retry()
{
    if (m_database.reconnect()) {
        connectionRestored();
        return;
    }
    m_delayMsec = qMin(2 * m_delayMsec, LastRetryMsec);
    m_retry.start(m_delayMsec);
}
