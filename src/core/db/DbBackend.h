#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class ChangeFeed;
class SqlDialect;

// The seam below Database and Statement: what each engine (the encrypted file, the server)
// gives them. Only the engines' own files speak to SQLite or libpq. Every failure throws DbError.

// One prepared statement of an engine, with the current row of its last run.
class DbCursor
{
public:
    virtual ~DbCursor() = default;

    // Binds by position, counting from 1. A null QVariant binds NULL.
    virtual void bind(int position, const QVariant &value) = 0;
    // Runs the statement at the first call, then steps: true while a row is there.
    virtual bool next() = 0;
    // Runs a statement that returns no rows.
    virtual void run() = 0;
    // Runs an INSERT into a table with an ID of its own and gives the new row's ID.
    virtual qint64 insert() = 0;
    // The rows the last run() or insert() changed.
    virtual int changes() const = 0;
    // Ready to run again, every value unbound.
    virtual void reset() = 0;

    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    virtual bool isNull(int column) const = 0;
    // Whole numbers as qint64, fractions as double, everything else (dates too) as text.
    virtual QVariant value(int column) const = 0;
    virtual bool readText(int column, QString *text) const = 0;
    // The value's UTF-8 text, valid until the next step.
    virtual QByteArrayView bytes(int column) const = 0;
    virtual qint64 integer(int column) const = 0;
};

// How long a statement waits for what another connection holds (the file's lock, the server's
// row locks) before it fails with DbError::Kind::Busy, and who is told when a wait begins and
// ends, so that the windows can say so. The same for every connection of either engine.
namespace LockWait {

inline constexpr int DefaultTimeoutMsec = 5000;
int timeoutMsec();
void setTimeoutMsec(int msec);
void setNotice(std::function<void(bool waiting)> notice);
void notify(bool waiting);

} // namespace LockWait

// Who is told when a server connection is lost (true) and when it is there again (false), so
// that the windows can say so and try again meanwhile.
namespace ConnectionNotice {

void setNotice(std::function<void(bool lost)> notice);
void notify(bool lost);

} // namespace ConnectionNotice

// One connection of an engine.
class DbBackend
{
public:
    virtual ~DbBackend() = default;

    virtual std::unique_ptr<DbCursor> prepare(const QString &sql) = 0;
    // Runs SQL text that carries no values (the schema's statements).
    virtual void exec(const QString &sql) = 0;

    enum class Access {
        Write, // on the file it takes the write lock at once
        Snapshot, // reads only, all from one moment (a copy of the whole database)
    };
    virtual void begin(Access access = Access::Write) = 0;
    virtual void commit() = 0;
    virtual void rollback() noexcept = 0;

    // The names of a table's columns, empty when the table is missing.
    virtual QStringList columnNames(const QString &table) = 0;
    // What the engine's own consistency check finds, empty when the database is sound.
    virtual QString integrityProblems() = 0;

    // The highest ID a table ever gave in that column (the file's AUTOINCREMENT counter, the
    // server's identity sequence), so that a copy gives no ID twice either; 0 when none.
    virtual qint64 idCounter(const QString &table, const QString &column) = 0;
    virtual void setIdCounter(const QString &table, const QString &column, qint64 value) = 0;

    // Connects again when the connection was lost, unless a transaction it was part of has not
    // ended yet: whether the connection is there now. Never throws. The file is always there.
    virtual bool reconnect() { return true; }

    virtual const SqlDialect &dialect() const = 0;
    // How a window title names the database: the file's name, or user@host/database.
    virtual QString displayName() const = 0;

    // From now on the tables other programs change are told to `feed`, which outlives the
    // connection. An engine without notices tells nothing.
    virtual void watchChanges(ChangeFeed * /*feed*/) { }
};
