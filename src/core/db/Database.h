#pragma once

#include "DbBackend.h"
#include "SqlDialect.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

// The program's connection to its database: the encrypted file, or a PostgreSQL server. The
// stores hold the SQL and reach either engine through this class and Statement only; what the
// engines write differently they ask dialect() for.
class ChangeFeed;

class Database
{
public:
    static constexpr const char *Key = "tirbek";

    Database();
    ~Database();

    // Whether a database named on the command line is a server's (a libpq URI such as
    // postgresql://host/db, or key=value text such as "host=... dbname=...") rather than a file.
    static bool isServerAddress(const QString &target);
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens an existing file with the key. Never creates a file. The open counts only when the
    // file reads with the key, can be written and holds every table of the schema with its
    // columns; otherwise false and closed.
    bool open(const QString &path, QString *error = nullptr);
    // The same for reading only (checking a copy): nothing is written, not even a journal.
    bool openReadOnly(const QString &path, QString *error = nullptr);
    // Makes a new, empty encrypted file (the database tool only). Fails if the file exists.
    bool create(const QString &path, QString *error = nullptr);

    // Connects to a server database (a libpq URI or key=value text) that holds every table of
    // the schema. Throws DbError, NeedsPassword when the server asks for a password that was not
    // given or that it refused.
    void openServer(const QString &address, const QString &password = QString());
    // Connects to a server database whatever it holds (the database tool, before its schema).
    void connectServer(const QString &address, const QString &password = QString());

    // Works on an engine connection made elsewhere (a test wraps one to slow it down).
    void adopt(std::unique_ptr<DbBackend> backend, const QString &path);

    void close();
    bool isOpen() const { return m_backend != nullptr; }
    // The file's path, or the server's address.
    QString path() const { return m_path; }
    bool isServer() const { return isOpen() && dialect().isServer(); }
    // The engine's name for it; the windows show databaseDisplayName().
    QString displayName() const;
    const SqlDialect &dialect() const;

    // After a lost server connection, connects again (see DbBackend::reconnect): whether the
    // connection is there now. Never throws.
    bool reconnect();

    // Runs SQL text that carries no values (the schema's statements). Throws DbError.
    void exec(const QString &sql);

    // The names of a table's columns, empty when the table is missing. Throws DbError.
    QStringList columnNames(const QString &table);
    // What the engine's own consistency check finds, empty when it is sound. Throws DbError.
    QString integrityProblems();

    qint64 lastInsertId() const;
    int changes() const; // rows changed by the last statement
    QString lastError() const;

    // While another program holds what a statement needs (the file's lock, a row on the server),
    // the statement waits for it, at most `msec` (5 s; tests shorten it) before it fails with
    // "database is locked".
    static void setBusyTimeout(int msec);
    // Told when a statement begins to wait for another program (true) and when the wait is over
    // (false), so that the windows can say so.
    static void setWaitNotice(std::function<void(bool waiting)> notice);

    // The engine below, for Statement and Transaction. Throws DbError when closed.
    DbBackend &backend();

    // The tables other programs change, from the first call on and through every database this
    // connection opens later; the file tells nothing.
    ChangeFeed &changeFeed();

private:
    bool openFile(const QString &path, int mode, bool checkShape, QString *error);
    void watchChanges();

    std::unique_ptr<ChangeFeed> m_feed; // outlives every engine connection
    std::unique_ptr<DbBackend> m_backend;
    QString m_path;
};

// One prepared statement: prepare (the constructor), bind, then step through the rows with
// next() and read the current row's columns, or run() a statement that returns none. Values
// typed by a user are bound, never pasted into the text. Every failure throws DbError with the
// engine's own account of it. The connection offers fold(text), the text with every letter's
// case folded, for lookups.
class Statement
{
public:
    Statement(Database &db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Binds by position, counting from 1. A null QVariant binds NULL.
    Statement &bind(int position, const QVariant &value);
    Statement &bindAll(const QVariantList &values);

    // Steps to the next row: true while a row is there.
    bool next() { return m_cursor->next(); }
    // Runs a statement that returns no rows (an UPDATE, a DELETE).
    void run();
    // Runs an INSERT into a table with an ID of its own and gives the ID of the new row.
    qint64 insert();
    // The rows the last run() or insert() changed.
    int changes() const { return m_cursor->changes(); }
    // Makes the statement ready to run again, its values unbound.
    void reset() { m_cursor->reset(); }

    int columnCount() const { return m_cursor->columnCount(); }
    QString columnName(int column) const { return m_cursor->columnName(column); }
    int columnIndex(const QString &name) const; // case-insensitive, -1 when absent

    bool isNull(int column) const { return m_cursor->isNull(column); }
    QVariant value(int column) const { return m_cursor->value(column); }
    QString text(int column) const;
    // The text, or false when the value is Null (one call into the engine instead of two).
    bool readText(int column, QString *text) const { return m_cursor->readText(column, text); }
    QByteArrayView bytes(int column) const { return m_cursor->bytes(column); } // UTF-8, valid until the next step
    qint64 integer(int column) const { return m_cursor->integer(column); }

private:
    std::unique_ptr<DbCursor> m_cursor;
};

// A transaction that rolls back unless committed. It takes the write lock at once on the file,
// so that what a save compares first cannot change before it writes; on the server a save's
// compare locks the rows it reads (SqlDialect::lockingRead).
class Transaction
{
public:
    explicit Transaction(Database &db, DbBackend::Access access = DbBackend::Access::Write);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Database &m_db;
    bool m_done = false;
};
