#include "SqliteBackend.h"

#include "Database.h"
#include "DbError.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// fold(text): the text with every letter's case folded, so that lookups ignore case for every
// letter, not only for ASCII as NOCASE does. Null stays Null.
void foldFunction(sqlite3_context *context, int, sqlite3_value **values)
{
    if (sqlite3_value_type(values[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(values[0]));
    const QByteArray folded = QString::fromUtf8(text, sqlite3_value_bytes(values[0])).toCaseFolded().toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

DbError errorOf(sqlite3 *db)
{
    const int code = sqlite3_errcode(db) & 0xff;
    const auto kind = code == SQLITE_BUSY || code == SQLITE_LOCKED ? DbError::Kind::Busy : DbError::Kind::Other;
    return DbError(QString::fromUtf8(sqlite3_errmsg(db)), kind);
}

class SqliteCursor final : public DbCursor
{
public:
    SqliteCursor(SqliteBackend &backend, sqlite3 *db, const QString &sql)
        : m_backend(backend)
        , m_db(db)
    {
        const QByteArray text = sql.toUtf8();
        const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_stmt, nullptr);
        m_backend.waitOver();
        if (rc != SQLITE_OK)
            fail();
    }

    ~SqliteCursor() override { sqlite3_finalize(m_stmt); }

    void bind(int position, const QVariant &value) override
    {
        int rc;
        if (value.isNull()) {
            rc = sqlite3_bind_null(m_stmt, position);
        } else {
            switch (value.typeId()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::Short:
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(m_stmt, position, value.toLongLong());
                break;
            case QMetaType::Double:
                rc = sqlite3_bind_double(m_stmt, position, value.toDouble());
                break;
            default: {
                const QByteArray text = value.toString().toUtf8();
                rc = sqlite3_bind_text(m_stmt, position, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK)
            fail();
    }

    bool next() override
    {
        const int rc = sqlite3_step(m_stmt);
        m_backend.waitOver();
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE) {
            m_changes = sqlite3_changes(m_db);
            return false;
        }
        fail();
    }

    void run() override
    {
        while (next()) {
        }
    }

    qint64 insert() override
    {
        run();
        return sqlite3_last_insert_rowid(m_db);
    }

    int changes() const override { return m_changes; }

    void reset() override
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

    int columnCount() const override { return sqlite3_column_count(m_stmt); }

    QString columnName(int column) const override { return QString::fromUtf8(sqlite3_column_name(m_stmt, column)); }

    bool isNull(int column) const override { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }

    QVariant value(int column) const override
    {
        switch (sqlite3_column_type(m_stmt, column)) {
        case SQLITE_NULL:
            return QVariant();
        case SQLITE_INTEGER:
            return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(m_stmt, column));
        default:
            return QVariant(QString::fromUtf8(bytes(column)));
        }
    }

    bool readText(int column, QString *text) const override
    {
        const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
        if (!data)
            return false;
        *text = QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column));
        return true;
    }

    QByteArrayView bytes(int column) const override
    {
        const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
        return data ? QByteArrayView(data, sqlite3_column_bytes(m_stmt, column)) : QByteArrayView();
    }

    qint64 integer(int column) const override { return sqlite3_column_int64(m_stmt, column); }

private:
    [[noreturn]] void fail() const { throw errorOf(m_db); }

    SqliteBackend &m_backend;
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    int m_changes = 0;
};

// Makes the new file first, the user's alone, never over one that is there; SQLite then fills
// it, and gives its journal the same mode.
void makePrivateFile(const QString &path)
{
    const QByteArray file = QFile::encodeName(path);
    const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    const bool made = fd >= 0 && ::fchmod(fd, 0600) == 0;
    const int cause = errno;
    if (fd >= 0)
        ::close(fd);
    if (made)
        return;
    if (fd >= 0)
        ::unlink(file.constData());
    throw DbError(cause == EEXIST ? QStringLiteral("%1 exists already").arg(path) : QString::fromLocal8Bit(std::strerror(cause)));
}

} // namespace

SqliteBackend::SqliteBackend(const QString &path, Mode mode)
    : m_path(path)
{
    if (mode == Mode::Create)
        makePrivateFile(path);
    const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    const QByteArray file = path.toUtf8();
    // One thread uses the connection, so SQLite need not lock it at every call.
    int rc = sqlite3_open_v2(file.constData(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        // Before the first read: another program holding the file briefly delays the open
        // instead of failing it.
        sqlite3_busy_handler(m_db, &SqliteBackend::waitForLock, this);
        rc = sqlite3_key(m_db, Database::Key, int(qstrlen(Database::Key)));
    }
    if (rc == SQLITE_OK)
        // The key is only checked at the first read.
        rc = sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    waitOver();
    if (rc != SQLITE_OK) {
        const DbError error = m_db ? errorOf(m_db) : DbError(QStringLiteral("out of memory"));
        sqlite3_close(m_db);
        if (mode == Mode::Create)
            QFile::remove(path);
        throw error;
    }
    configure();
    if (mode == Mode::ReadWrite)
        checkWritable();
}

SqliteBackend::~SqliteBackend()
{
    sqlite3_close_v2(m_db);
}

void SqliteBackend::configure()
{
    sqlite3_exec(m_db,
                 "PRAGMA journal_mode = DELETE; PRAGMA cache_size = -32768; PRAGMA temp_store = MEMORY;",
                 nullptr, nullptr, nullptr);
    sqlite3_create_function(m_db, "fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, foldFunction, nullptr,
                            nullptr);
}

void SqliteBackend::checkWritable()
{
    // A real write that is rolled back: it needs the file and, for its journal, the folder to
    // be writable. SQLite would otherwise open a write-protected file read-only without a word.
    const int rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE; PRAGMA user_version = 0; ROLLBACK;", nullptr, nullptr,
                                nullptr);
    waitOver();
    if (rc == SQLITE_OK && !sqlite3_db_readonly(m_db, "main"))
        return;
    const DbError error = rc == SQLITE_OK ? DbError(QStringLiteral("the file is write-protected")) : errorOf(m_db);
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    throw error;
}

void SqliteBackend::fail() const
{
    throw errorOf(m_db);
}

std::unique_ptr<DbCursor> SqliteBackend::prepare(const QString &sql)
{
    return std::make_unique<SqliteCursor>(*this, m_db, sql);
}

void SqliteBackend::exec(const QString &sql)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    waitOver();
    if (rc != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : "unknown error");
        sqlite3_free(message);
        const int code = sqlite3_errcode(m_db) & 0xff;
        throw DbError(text, code == SQLITE_BUSY || code == SQLITE_LOCKED ? DbError::Kind::Busy : DbError::Kind::Other);
    }
}

void SqliteBackend::begin(Access access)
{
    // A deferred transaction holds its read lock from the first read to the end.
    exec(access == Access::Write ? m_dialect.beginWrite() : QStringLiteral("BEGIN"));
}

void SqliteBackend::commit()
{
    exec(QStringLiteral("COMMIT"));
}

void SqliteBackend::rollback() noexcept
{
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

QStringList SqliteBackend::columnNames(const QString &table)
{
    // The table names are the program's own; a pragma takes no bound values.
    SqliteCursor query(*this, m_db, QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
    QStringList names;
    while (query.next())
        names << query.value(1).toString();
    return names;
}

QString SqliteBackend::integrityProblems()
{
    // The integrity_check pragma answers the single row "ok" for a sound file.
    SqliteCursor check(*this, m_db, QStringLiteral("PRAGMA integrity_check"));
    QStringList problems;
    while (check.next())
        problems << check.value(0).toString();
    return problems == QStringList {QStringLiteral("ok")} ? QString() : problems.join(QStringLiteral("; "));
}

qint64 SqliteBackend::idCounter(const QString &table, const QString &column)
{
    // Only the tables with AUTOINCREMENT keep a counter; a rowid is the highest one's plus one.
    if (column.compare(QStringLiteral("rowid"), Qt::CaseInsensitive) == 0)
        return 0;
    SqliteCursor query(*this, m_db, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"));
    query.bind(1, table);
    return query.next() ? query.integer(0) : 0;
}

void SqliteBackend::setIdCounter(const QString &table, const QString &column, qint64 value)
{
    if (column.compare(QStringLiteral("rowid"), Qt::CaseInsensitive) == 0)
        return;
    SqliteCursor update(*this, m_db, QStringLiteral("UPDATE sqlite_sequence SET seq = ?2 WHERE name = ?1"));
    update.bind(1, table);
    update.bind(2, value);
    update.run();
    if (update.changes() == 0) {
        SqliteCursor insert(*this, m_db, QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"));
        insert.bind(1, table);
        insert.bind(2, value);
        insert.run();
    }
}

QString SqliteBackend::displayName() const
{
    return QFileInfo(m_path).fileName();
}

int SqliteBackend::waitForLock(void *backend, int tries)
{
    auto *self = static_cast<SqliteBackend *>(backend);
    if (tries == 0) {
        self->m_waitClock.start();
        if (!self->m_waiting) {
            self->m_waiting = true;
            LockWait::notify(true);
        }
    }
    if (self->m_waitClock.elapsed() >= LockWait::timeoutMsec())
        return 0; // the statement fails: "database is locked"
    sqlite3_sleep(10);
    return 1;
}

void SqliteBackend::waitOver()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    LockWait::notify(false);
}

qint64 SqliteBackend::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int SqliteBackend::changes() const
{
    return sqlite3_changes(m_db);
}

QString SqliteBackend::lastError() const
{
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}
