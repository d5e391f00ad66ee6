#pragma once

#include "DbBackend.h"
#include "SqlDialect.h"

#include <QByteArray>
#include <QHash>

#include <memory>

class QSocketNotifier;

struct pg_conn;
struct pg_result;

// A connection to a PostgreSQL server through libpq. Statements are prepared on the server once
// per connection and run with their values as real parameters; failures carry the server's
// SQLSTATE. A lost connection is said once, and the next statement outside a transaction
// connects again.
class PgBackend final : public DbBackend
{
public:
    // Connects to a libpq URI (postgresql://…) or key=value text. A non-empty password is given
    // to the server when it asks for one. Throws DbError: NeedsPassword when the server wants a
    // password that was not given or that it refused.
    PgBackend(const QString &address, const QString &password = QString());
    ~PgBackend() override;
    PgBackend(const PgBackend &) = delete;
    PgBackend &operator=(const PgBackend &) = delete;

    std::unique_ptr<DbCursor> prepare(const QString &sql) override;
    void exec(const QString &sql) override;
    void begin(Access access) override;
    void commit() override;
    void rollback() noexcept override;
    QStringList columnNames(const QString &table) override;
    QString integrityProblems() override;
    qint64 idCounter(const QString &table, const QString &column) override;
    void setIdCounter(const QString &table, const QString &column, qint64 value) override;
    const SqlDialect &dialect() const override { return m_dialect; }
    QString displayName() const override;
    bool reconnect() override;
    // Listens on the server's change channel; notices come in between statements, through the
    // event loop, and with the results of statements.
    void watchChanges(ChangeFeed *feed) override;

    // For the cursors: runs the prepared form of `sql` (placeholders already numbered) with the
    // values in text form, a null pointer for Null. The caller owns the result.
    pg_result *execute(const QString &sql, int count, const char *const *values);
    // The columns the prepared form of `sql` answers with, without running it.
    pg_result *describe(const QString &sql, int count);

private:
    void startSession();
    void ensureConnected();
    QByteArray preparedName(const QString &sql, int count);
    pg_result *checked(pg_result *result);
    [[noreturn]] void fail(pg_result *result);
    // Tells of the lost connection and throws it, with the server's or libpq's account.
    [[noreturn]] void throwLost(const QString &detail, const QString &sqlState = QString());
    bool connectionLost() const;
    void applyLockTimeout();
    pg_result *awaitResult();
    void listen();
    void readSocket();
    void collectNotices();

    pg_conn *m_conn = nullptr;
    SqlDialect m_dialect {SqlDialect::Engine::PostgreSql};
    QHash<QString, QByteArray> m_prepared;
    int m_lockTimeoutMsec = -1; // as the session has it

    bool m_inTransaction = false;
    bool m_lostInTransaction = false;
    bool m_resetWanted = false; // the connection was lost, whatever libpq says of it

    ChangeFeed *m_feed = nullptr;
    std::unique_ptr<QSocketNotifier> m_socketWatch; // on the session's socket, while listening
};
