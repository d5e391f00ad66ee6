#pragma once

#include <QObject>
#include <QTimer>

class Database;

inline constexpr const char *NotConnectedText = "Not connected to the server";

// Watches the server connection: when a statement finds it lost, it says so and tries to connect
// again, after 1 s, then 2 s, 4 s … at most 30 s apart, until a try or a user's next command
// finds the server again. A file database is never lost.
class ConnectionWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int FirstRetryMsec = 1000;
    static constexpr int LastRetryMsec = 30000;

    explicit ConnectionWatch(Database &database, QObject *parent = nullptr);
    ~ConnectionWatch() override;

    bool isLost() const { return m_lost; }

Q_SIGNALS:
    void lost();
    // Told once the statement that connected again is over, so that what answers may read.
    void restored();

private:
    void connectionLost();
    void connectionRestored();
    void retry();

    Database &m_database;
    QTimer m_retry;
    int m_delayMsec = FirstRetryMsec;
    bool m_lost = false;
};
