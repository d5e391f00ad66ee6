#pragma once

#include "DbBackend.h"
#include "SqlDialect.h"

#include <QElapsedTimer>

struct sqlite3;

// The encrypted database file through SQLCipher: the key, the connection's settings and the
// fold() function the lookups use.
class SqliteBackend final : public DbBackend
{
public:
    enum class Mode {
        ReadWrite, // an existing file that can be written
        ReadOnly, // nothing is written, not even a journal
        Create, // a new file
    };

    // Opens the file with the key; the open counts only when the file reads with it and, to
    // read and write, can be written. Throws DbError.
    SqliteBackend(const QString &path, Mode mode);
    ~SqliteBackend() override;
    SqliteBackend(const SqliteBackend &) = delete;
    SqliteBackend &operator=(const SqliteBackend &) = delete;

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

    qint64 lastInsertId() const;
    int changes() const;
    QString lastError() const;

    // Ends a wait for another program's lock that the last call into SQLite began.
    void waitOver();

private:
    static int waitForLock(void *backend, int tries);
    void configure();
    void checkWritable();
    [[noreturn]] void fail() const;

    sqlite3 *m_db = nullptr;
    QString m_path;
    bool m_waiting = false;
    QElapsedTimer m_waitClock;
    SqlDialect m_dialect {SqlDialect::Engine::SqlCipher};
};
