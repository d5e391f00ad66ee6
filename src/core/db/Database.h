#pragma once

#include <QByteArrayView>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

struct sqlite3;
struct sqlite3_stmt;

// The encrypted database file and its one connection. The stores hold the SQL; this file and
// Database.cpp are the only ones that speak to SQLite itself.
class Database
{
public:
    static constexpr const char *Key = "tirbek";

    Database() = default;
    ~Database();
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

    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }

    // Runs SQL text that carries no values (the schema's statements). Throws DbError.
    void exec(const QString &sql);

    // The names of a table's columns, empty when the table is missing. Throws DbError.
    QStringList columnNames(const QString &table);
    // What the file's own consistency check finds, empty when the file is sound. Throws DbError.
    QString integrityProblems();

    QString lastError() const;

    // While another program holds the file's lock, a statement waits for it, at most
    // `msec` (5 s; tests shorten it) before it fails with "database is locked".
    static void setBusyTimeout(int msec);
    // Told when a statement begins to wait for another program's lock (true) and when the wait
    // is over (false), so that the windows can say so.
    static void setWaitNotice(std::function<void(bool waiting)> notice);

private:
    friend class Statement;
    friend class Transaction;

    bool openHandle(const QString &path, int flags, QString *error);
    void configure();
    bool canWrite(QString *error);
    static int waitForLock(void *database, int tries);
    void waitOver();

    sqlite3 *m_db = nullptr;
    QString m_path;
    bool m_waiting = false;
    QElapsedTimer m_waitClock;
};

// One prepared statement: prepare (the constructor), bind, then step through the rows with
// next() and read the current row's columns, or run() a statement that returns none. Values
// typed by a user are bound, never pasted into the text. Every failure throws DbError with
// SQLite's own account of it. The connection offers fold(text), the text with every letter's
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
    bool next();
    // Runs a statement that returns no rows (an UPDATE, a DELETE).
    void run();
    // Runs an INSERT and gives the ID the database gave the new row.
    qint64 insert();
    // The rows the last run() or insert() changed.
    int changes() const { return m_changes; }
    // Makes the statement ready to run again, its values unbound.
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    int columnIndex(const QString &name) const; // case-insensitive, -1 when absent

    bool isNull(int column) const;
    QVariant value(int column) const;
    QString text(int column) const;
    // The text, or false when the value is Null (one call into SQLite instead of two).
    bool readText(int column, QString *text) const;
    QByteArrayView bytes(int column) const; // the raw UTF-8, valid until the next step
    qint64 integer(int column) const;

private:
    [[noreturn]] void fail() const;

    Database &m_db;
    sqlite3_stmt *m_stmt = nullptr;
    int m_changes = 0;
};

// A transaction that rolls back unless committed. It takes the write lock at once, so that
// what a save compares first cannot change before it writes.
class Transaction
{
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Database &m_db;
    bool m_done = false;
};
