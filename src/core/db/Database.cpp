#include "Database.h"

#include "ChangeFeed.h"
#include "DbError.h"
#include "PgBackend.h"
#include "Schema.h"
#include "SqliteBackend.h"

#include <QRegularExpression>

namespace {

const SqlDialect FileDialect(SqlDialect::Engine::SqlCipher);
int lockTimeoutMsec = LockWait::DefaultTimeoutMsec;
std::function<void(bool)> waitNotice;
std::function<void(bool)> connectionNotice;

} // namespace

namespace LockWait {

int timeoutMsec()
{
    return lockTimeoutMsec;
}

void setTimeoutMsec(int msec)
{
    lockTimeoutMsec = msec;
}

void setNotice(std::function<void(bool)> notice)
{
    waitNotice = std::move(notice);
}

void notify(bool waiting)
{
    if (waitNotice)
        waitNotice(waiting);
}

} // namespace LockWait

namespace ConnectionNotice {

void setNotice(std::function<void(bool)> notice)
{
    connectionNotice = std::move(notice);
}

void notify(bool lost)
{
    if (connectionNotice)
        connectionNotice(lost);
}

} // namespace ConnectionNotice

void Database::setBusyTimeout(int msec)
{
    LockWait::setTimeoutMsec(msec);
}

void Database::setWaitNotice(std::function<void(bool waiting)> notice)
{
    LockWait::setNotice(std::move(notice));
}

Database::Database() = default;

bool Database::isServerAddress(const QString &target)
{
    static const QRegularExpression keyValue(QStringLiteral(R"(^\s*[A-Za-z_]+\s*=)"));
    return target.startsWith(QStringLiteral("postgresql://")) || target.startsWith(QStringLiteral("postgres://"))
        || keyValue.match(target).hasMatch();
}

Database::~Database()
{
    close();
}

bool Database::openFile(const QString &path, int mode, bool checkShape, QString *error)
{
    close();
    try {
        m_backend = std::make_unique<SqliteBackend>(path, SqliteBackend::Mode(mode));
    } catch (const DbError &failure) {
        if (error)
            *error = failure.message();
        return false;
    }
    m_path = path;
    if (checkShape && !Schema::hasExpectedShape(*this, error)) {
        close();
        return false;
    }
    return true;
}

bool Database::open(const QString &path, QString *error)
{
    return openFile(path, int(SqliteBackend::Mode::ReadWrite), true, error);
}

bool Database::openReadOnly(const QString &path, QString *error)
{
    return openFile(path, int(SqliteBackend::Mode::ReadOnly), true, error);
}

bool Database::create(const QString &path, QString *error)
{
    return openFile(path, int(SqliteBackend::Mode::Create), false, error);
}

void Database::connectServer(const QString &address, const QString &password)
{
    close();
    m_backend = std::make_unique<PgBackend>(address, password);
    m_path = address;
    watchChanges();
}

void Database::openServer(const QString &address, const QString &password)
{
    connectServer(address, password);
    QString problem;
    if (!Schema::hasExpectedShape(*this, &problem)) {
        close();
        throw DbError(QStringLiteral("This server database holds no Tarvo tables: %1").arg(problem));
    }
}

void Database::adopt(std::unique_ptr<DbBackend> backend, const QString &path)
{
    close();
    m_backend = std::move(backend);
    m_path = path;
    watchChanges();
}

ChangeFeed &Database::changeFeed()
{
    if (!m_feed) {
        m_feed = std::make_unique<ChangeFeed>();
        watchChanges();
    }
    return *m_feed;
}

void Database::watchChanges()
{
    if (m_feed && m_backend)
        m_backend->watchChanges(m_feed.get());
}

void Database::close()
{
    m_backend.reset();
}

QString Database::displayName() const
{
    return m_backend ? m_backend->displayName() : QString();
}

const SqlDialect &Database::dialect() const
{
    return m_backend ? m_backend->dialect() : FileDialect;
}

DbBackend &Database::backend()
{
    if (!m_backend)
        throw DbError(QStringLiteral("The database is not open"));
    return *m_backend;
}

void Database::exec(const QString &sql)
{
    backend().exec(sql);
}

bool Database::reconnect()
{
    return m_backend && m_backend->reconnect();
}

QStringList Database::columnNames(const QString &table)
{
    return backend().columnNames(table);
}

QString Database::integrityProblems()
{
    return backend().integrityProblems();
}

qint64 Database::lastInsertId() const
{
    const auto *file = dynamic_cast<const SqliteBackend *>(m_backend.get());
    return file ? file->lastInsertId() : 0;
}

int Database::changes() const
{
    const auto *file = dynamic_cast<const SqliteBackend *>(m_backend.get());
    return file ? file->changes() : 0;
}

QString Database::lastError() const
{
    const auto *file = dynamic_cast<const SqliteBackend *>(m_backend.get());
    return file ? file->lastError() : QString();
}

Statement::Statement(Database &db, const QString &sql)
    : m_cursor(db.backend().prepare(sql))
{
}

Statement::~Statement() = default;

Statement &Statement::bind(int position, const QVariant &value)
{
    m_cursor->bind(position, value);
    return *this;
}

Statement &Statement::bindAll(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values.at(i));
    return *this;
}

void Statement::run()
{
    m_cursor->run();
}

qint64 Statement::insert()
{
    return m_cursor->insert();
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

QString Statement::text(int column) const
{
    QString text;
    return readText(column, &text) ? text : QString();
}

Transaction::Transaction(Database &db, DbBackend::Access access)
    : m_db(db)
{
    m_db.backend().begin(access);
}

Transaction::~Transaction()
{
    if (!m_done && m_db.isOpen())
        m_db.backend().rollback();
}

void Transaction::commit()
{
    m_db.backend().commit();
    m_done = true;
}
