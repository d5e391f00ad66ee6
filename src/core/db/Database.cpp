#include "Database.h"

#include "DbError.h"
#include "Schema.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int busyTimeoutMsec = 5000;
std::function<void(bool)> waitNotice;

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

} // namespace

Database::~Database()
{
    close();
}

bool Database::openHandle(const QString &path, int flags, QString *error)
{
    close();
    sqlite3 *db = nullptr;
    const QByteArray file = path.toUtf8();
    // One thread uses the connection, so SQLite need not lock it at every call.
    int rc = sqlite3_open_v2(file.constData(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        // Before the first read: another program holding the file briefly delays the open
        // instead of failing it.
        sqlite3_busy_handler(db, &Database::waitForLock, this);
        rc = sqlite3_key(db, Key, int(qstrlen(Key)));
    }
    if (rc == SQLITE_OK)
        // The key is only checked at the first read (SQLite only: sqlite_master).
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    waitOver();
    if (rc != SQLITE_OK) {
        if (error)
            *error = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close(db);
        return false;
    }
    m_db = db;
    m_path = path;
    configure();
    return true;
}

// SQLite only: the journal, the cache and fold(), set on every connection.
void Database::configure()
{
    sqlite3_exec(m_db,
                 "PRAGMA journal_mode = DELETE; PRAGMA cache_size = -32768; PRAGMA temp_store = MEMORY;",
                 nullptr, nullptr, nullptr);
    sqlite3_create_function(m_db, "fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, foldFunction, nullptr,
                            nullptr);
}

bool Database::canWrite(QString *error)
{
    // A real write that is rolled back: it needs the file and, for its journal, the folder to
    // be writable. SQLite would otherwise open a write-protected file read-only without a word.
    // SQLite only: BEGIN IMMEDIATE and the user_version pragma.
    const int rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE; PRAGMA user_version = 0; ROLLBACK;", nullptr, nullptr,
                                nullptr);
    waitOver();
    if (rc == SQLITE_OK && !sqlite3_db_readonly(m_db, "main"))
        return true;
    if (error)
        *error = rc == SQLITE_OK ? QStringLiteral("the file is write-protected") : lastError();
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

bool Database::open(const QString &path, QString *error)
{
    if (!openHandle(path, SQLITE_OPEN_READWRITE, error))
        return false;
    if (!canWrite(error) || !Schema::hasExpectedShape(*this, error)) {
        close();
        return false;
    }
    return true;
}

bool Database::openReadOnly(const QString &path, QString *error)
{
    if (!openHandle(path, SQLITE_OPEN_READONLY, error))
        return false;
    if (!Schema::hasExpectedShape(*this, error)) {
        close();
        return false;
    }
    return true;
}

bool Database::create(const QString &path, QString *error)
{
    // The file is made first, the user's alone, never over one that is there; SQLite then
    // fills it, and gives its journal the same mode.
    const QByteArray file = QFile::encodeName(path);
    const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    const bool made = fd >= 0 && ::fchmod(fd, 0600) == 0;
    const int cause = errno;
    if (fd >= 0)
        ::close(fd);
    if (made && openHandle(path, SQLITE_OPEN_READWRITE, error))
        return true;
    if (!made && error)
        *error = cause == EEXIST ? QStringLiteral("%1 exists already").arg(path) : QString::fromLocal8Bit(std::strerror(cause));
    if (fd >= 0)
        ::unlink(file.constData());
    return false;
}

void Database::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void Database::exec(const QString &sql)
{
    if (!m_db)
        throw DbError(QStringLiteral("The database is not open"));
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    waitOver();
    if (rc != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : "unknown error");
        sqlite3_free(message);
        throw DbError(text);
    }
}

QStringList Database::columnNames(const QString &table)
{
    // SQLite only: the table_info pragma. The table names are the program's own; a pragma
    // takes no bound values.
    Statement query(*this, QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
    const int name = query.columnIndex(QStringLiteral("name"));
    QStringList names;
    while (query.next())
        names << query.text(name);
    return names;
}

QString Database::integrityProblems()
{
    // SQLite only: the integrity_check pragma, which answers the single row "ok" for a sound file.
    Statement check(*this, QStringLiteral("PRAGMA integrity_check"));
    QStringList findings;
    while (check.next())
        findings << check.text(0);
    return findings == QStringList {QStringLiteral("ok")} ? QString() : findings.join(QStringLiteral("; "));
}

QString Database::lastError() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
}

void Database::setBusyTimeout(int msec)
{
    busyTimeoutMsec = msec;
}

void Database::setWaitNotice(std::function<void(bool)> notice)
{
    waitNotice = std::move(notice);
}

int Database::waitForLock(void *database, int tries)
{
    auto *self = static_cast<Database *>(database);
    if (tries == 0) {
        self->m_waitClock.start();
        if (!self->m_waiting && waitNotice) {
            self->m_waiting = true;
            waitNotice(true);
        }
    }
    if (self->m_waitClock.elapsed() >= busyTimeoutMsec)
        return 0; // the statement fails: "database is locked"
    sqlite3_sleep(10);
    return 1;
}

void Database::waitOver()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    if (waitNotice)
        waitNotice(false);
}

Statement::Statement(Database &db, const QString &sql)
    : m_db(db)
{
    if (!db.isOpen())
        throw DbError(QStringLiteral("The database is not open"));
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db.m_db, text.constData(), int(text.size()), &m_stmt, nullptr);
    m_db.waitOver();
    if (rc != SQLITE_OK)
        fail();
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::fail() const
{
    throw DbError(m_db.lastError());
}

Statement &Statement::bind(int position, const QVariant &value)
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
    return *this;
}

Statement &Statement::bindAll(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values.at(i));
    return *this;
}

bool Statement::next()
{
    const int rc = sqlite3_step(m_stmt);
    m_db.waitOver();
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail();
}

void Statement::run()
{
    while (next()) {
    }
    m_changes = sqlite3_changes(m_db.m_db);
}

qint64 Statement::insert()
{
    run();
    // SQLite only: the new row's ID is the connection's last rowid.
    return sqlite3_last_insert_rowid(m_db.m_db);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

int Statement::columnIndex(const QString &name) const
{
    const int count = columnCount();
    for (int i = 0; i < count; ++i) {
        if (columnName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    default:
        return QVariant(text(column));
    }
}

QString Statement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column)) : QString();
}

bool Statement::readText(int column, QString *text) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    if (!data)
        return false;
    *text = QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column));
    return true;
}

QByteArrayView Statement::bytes(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return data ? QByteArrayView(data, sqlite3_column_bytes(m_stmt, column)) : QByteArrayView();
}

qint64 Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

Transaction::Transaction(Database &db)
    : m_db(db)
{
    // SQLite only: BEGIN IMMEDIATE takes the file's write lock before the first read.
    m_db.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!m_done && m_db.isOpen())
        sqlite3_exec(m_db.m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    m_db.exec(QStringLiteral("COMMIT"));
    m_done = true;
}
