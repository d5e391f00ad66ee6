#include "PgBackend.h"

#include "ChangeFeed.h"
#include "DatabaseName.h"
#include "DbError.h"
#include "ServerSchema.h"
#include "TableShapes.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSocketNotifier>

#include <libpq-fe.h>

#include <cerrno>
#include <cstdlib>
#include <poll.h>
#include <vector>

namespace {

// The server's type numbers (pg_type.oid) of the results read as numbers.
constexpr Oid BoolType = 16;
constexpr Oid Int8Type = 20;
constexpr Oid Int2Type = 21;
constexpr Oid Int4Type = 23;
constexpr Oid OidType = 26;
constexpr Oid Float4Type = 700;
constexpr Oid Float8Type = 701;
constexpr Oid NumericType = 1700;

// How long a statement may take before the windows are told that it waits.
constexpr qint64 WaitNoticeMsec = 250;

// So many prepared statements per connection before the server is asked to forget them all:
// lookups and sorts make new statement texts as the user types.
constexpr int PreparedLimit = 500;

bool isLostState(const QByteArray &state)
{
    // 08: connection exceptions; 57P01..57P03: the server shut down or is starting.
    return state.startsWith("08") || state == "57P01" || state == "57P02" || state == "57P03";
}

DbError::Kind kindOf(const QByteArray &state)
{
    if (state == "55P03")
        return DbError::Kind::Busy;
    if (state == "40001" || state == "40P01")
        return DbError::Kind::Conflict;
    if (isLostState(state))
        return DbError::Kind::ConnectionLost;
    if (state.startsWith("22"))
        return DbError::Kind::BadValue;
    return DbError::Kind::Other;
}

// The first line of libpq's account, without the server's "FATAL:" or "ERROR:" before it.
QString trimmedMessage(const char *text)
{
    static const QRegularExpression severity(QStringLiteral("^(FATAL|ERROR|PANIC):\\s+"));
    return QString::fromUtf8(text).trimmed().section(u'\n', 0, 0).remove(severity);
}

class PgCursor final : public DbCursor
{
public:
    PgCursor(PgBackend &backend, const QString &sql)
        : m_backend(backend)
        , m_sql(SqlDialect::numberedPlaceholders(sql, &m_count))
        , m_values(size_t(m_count))
        , m_isNull(size_t(m_count), true)
    {
    }

    ~PgCursor() override
    {
        PQclear(m_result);
        PQclear(m_described);
    }

    void bind(int position, const QVariant &value) override
    {
        if (position < 1 || position > m_count)
            throw DbError(QStringLiteral("column index out of range"));
        const size_t at = size_t(position - 1);
        m_isNull[at] = value.isNull();
        if (value.isNull())
            m_values[at].clear();
        else if (value.typeId() == QMetaType::Bool)
            m_values[at] = value.toBool() ? "1" : "0";
        else if (value.typeId() == QMetaType::Double)
            m_values[at] = QByteArray::number(value.toDouble(), 'g', 17);
        else
            m_values[at] = value.toString().toUtf8();
        // The server's text holds no NUL; libpq would cut the value there without a word.
        if (m_values[at].contains('\0'))
            throw DbError(QStringLiteral("text with a NUL character cannot be stored on the server"), DbError::Kind::BadValue);
    }

    bool next() override
    {
        if (!m_result)
            execute(m_sql);
        else
            ++m_row;
        return m_row < PQntuples(m_result);
    }

    void run() override { execute(m_sql); }

    qint64 insert() override
    {
        execute(m_sql + m_backend.dialect().returningId());
        return m_row < PQntuples(m_result) ? integer(0) : 0;
    }

    int changes() const override { return m_changes; }

    void reset() override
    {
        PQclear(m_result);
        m_result = nullptr;
        m_row = 0;
        for (size_t i = 0; i < m_values.size(); ++i) {
            m_values[i].clear();
            m_isNull[i] = true;
        }
    }

    int columnCount() const override { return PQnfields(columns()); }

    QString columnName(int column) const override { return QString::fromUtf8(PQfname(columns(), column)); }

    bool isNull(int column) const override { return !hasRow() || PQgetisnull(m_result, m_row, column); }

    QVariant value(int column) const override
    {
        if (isNull(column))
            return QVariant();
        switch (PQftype(m_result, column)) {
        case BoolType:
        case Int2Type:
        case Int4Type:
        case Int8Type:
        case OidType:
            return QVariant(integer(column));
        case Float4Type:
        case Float8Type:
            return QVariant(std::strtod(PQgetvalue(m_result, m_row, column), nullptr));
        case NumericType: {
            const QByteArrayView digits = bytes(column);
            if (digits.contains('.') || digits.contains('e') || digits.contains('N'))
                return QVariant(std::strtod(digits.data(), nullptr));
            return QVariant(integer(column));
        }
        default:
            return QVariant(QString::fromUtf8(bytes(column)));
        }
    }

    bool readText(int column, QString *text) const override
    {
        if (isNull(column))
            return false;
        *text = QString::fromUtf8(bytes(column));
        return true;
    }

    QByteArrayView bytes(int column) const override
    {
        if (isNull(column))
            return QByteArrayView();
        const char *data = PQgetvalue(m_result, m_row, column);
        // A truth value reads as the file's 1 or 0.
        if (PQftype(m_result, column) == BoolType)
            return *data == 't' ? QByteArrayView("1") : QByteArrayView("0");
        return QByteArrayView(data, PQgetlength(m_result, m_row, column));
    }

    qint64 integer(int column) const override
    {
        if (isNull(column))
            return 0;
        const char *data = PQgetvalue(m_result, m_row, column);
        if (PQftype(m_result, column) == BoolType)
            return *data == 't' ? 1 : 0;
        // Like SQLite: the leading whole number of the text, 0 when there is none.
        return std::strtoll(data, nullptr, 10);
    }

private:
    // The result's columns; before the first run the server describes the statement.
    const PGresult *columns() const
    {
        if (m_result)
            return m_result;
        if (!m_described)
            m_described = m_backend.describe(m_sql, m_count);
        return m_described;
    }

    bool hasRow() const { return m_result && m_row < PQntuples(m_result); }

    void execute(const QString &sql)
    {
        std::vector<const char *> values(m_values.size());
        for (size_t i = 0; i < m_values.size(); ++i)
            values[i] = m_isNull[i] ? nullptr : m_values[i].constData();
        PQclear(m_result);
        m_result = nullptr;
        m_row = 0;
        m_result = m_backend.execute(sql, m_count, values.data());
        m_changes = std::atoi(PQcmdTuples(m_result));
    }

    PgBackend &m_backend;
    int m_count = 0;
    QString m_sql;
    std::vector<QByteArray> m_values;
    std::vector<bool> m_isNull;
    PGresult *m_result = nullptr;
    mutable PGresult *m_described = nullptr;
    int m_row = 0;
    int m_changes = 0;
};

void ignoreNotice(void *, const char *)
{
}

} // namespace

PgBackend::PgBackend(const QString &address, const QString &password)
{
    const QByteArray dbname = address.toUtf8();
    const QByteArray secret = password.toUtf8();
    // Keywords before the address are defaults it may change; those after it always hold.
    std::vector<const char *> keys {"application_name", "connect_timeout", "dbname", "client_encoding"};
    std::vector<const char *> values {"tarvo", "10", dbname.constData(), "UTF8"};
    if (!password.isEmpty()) {
        keys.push_back("password");
        values.push_back(secret.constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    m_conn = PQconnectdbParams(keys.data(), values.data(), 1);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        const QString message = trimmedMessage(PQerrorMessage(m_conn));
        const bool wantsPassword = PQconnectionNeedsPassword(m_conn)
            || (PQconnectionUsedPassword(m_conn) && message.contains(QStringLiteral("password")));
        PQfinish(m_conn);
        m_conn = nullptr;
        throw DbError(message, wantsPassword ? DbError::Kind::NeedsPassword : DbError::Kind::Other);
    }
    PQsetNoticeProcessor(m_conn, ignoreNotice, nullptr);
    startSession();
}

PgBackend::~PgBackend()
{
    m_socketWatch.reset(); // before its socket closes
    PQfinish(m_conn);
}

void PgBackend::startSession()
{
    m_prepared.clear();
    m_lockTimeoutMsec = -1;
    // Dates travel as ISO text; the order of text and the case of letters never hang on the
    // server's locale, since every text column and comparison names the "C" collation.
    PQclear(checked(PQexec(m_conn, "SET DateStyle = ISO, YMD; SET IntervalStyle = postgres;"
                                   " SET client_min_messages = warning")));
    applyLockTimeout();
    if (m_feed)
        listen(); // a new session listens anew, on its own socket
}

void PgBackend::watchChanges(ChangeFeed *feed)
{
    m_feed = feed;
    listen();
}

void PgBackend::listen()
{
    m_socketWatch.reset();
    if (!m_feed || connectionLost())
        return;
    // A failure here leaves the feed silent until the next session; it never stops the work.
    PGresult *result = PQexec(m_conn, QByteArray("LISTEN ").append(ServerSchema::ChangeChannel).constData());
    const bool listening = PQresultStatus(result) == PGRES_COMMAND_OK;
    PQclear(result);
    if (!listening)
        return;
    m_socketWatch = std::make_unique<QSocketNotifier>(qintptr(PQsocket(m_conn)), QSocketNotifier::Read);
    QObject::connect(m_socketWatch.get(), &QSocketNotifier::activated, m_socketWatch.get(), [this] { readSocket(); });
}

void PgBackend::readSocket()
{
    // Between statements only a notice (or the end of the connection) comes in.
    if (!PQconsumeInput(m_conn)) {
        // Gone: said at once, not at the user's next step; the next session watches again.
        m_socketWatch->setEnabled(false);
        m_resetWanted = true;
        ConnectionNotice::notify(true);
        return;
    }
    collectNotices();
}

void PgBackend::collectNotices()
{
    if (!m_feed)
        return;
    const int ownSession = PQbackendPID(m_conn);
    while (PGnotify *notice = PQnotifies(m_conn)) {
        // The server names tables in lower case; the feed as the schema does.
        const TableShapes::Table *table = TableShapes::find(QString::fromUtf8(notice->extra));
        if (notice->be_pid != ownSession && table)
            m_feed->noticed(QString::fromLatin1(table->name));
        PQfreemem(notice);
    }
}

void PgBackend::applyLockTimeout()
{
    const int wanted = LockWait::timeoutMsec();
    if (wanted == m_lockTimeoutMsec)
        return;
    PQclear(checked(PQexec(m_conn, QStringLiteral("SET lock_timeout = %1").arg(wanted).toUtf8().constData())));
    m_lockTimeoutMsec = wanted;
}

PGresult *PgBackend::awaitResult()
{
    // A statement that keeps us waiting a moment waits, most likely, for a row another
    // connection has locked: the windows are told, as for the file's lock.
    QElapsedTimer clock;
    clock.start();
    bool waiting = false;
    while (PQisBusy(m_conn)) {
        pollfd socket {PQsocket(m_conn), POLLIN, 0};
        const int ready = ::poll(&socket, 1, waiting ? -1 : int(qMax<qint64>(0, WaitNoticeMsec - clock.elapsed())));
        if (ready == 0) {
            waiting = true;
            LockWait::notify(true);
            continue;
        }
        if ((ready < 0 && errno != EINTR) || (ready > 0 && !PQconsumeInput(m_conn)))
            break; // the connection is gone; libpq says so below
    }
    PGresult *result = PQgetResult(m_conn);
    while (PGresult *more = PQgetResult(m_conn))
        PQclear(more);
    if (waiting)
        LockWait::notify(false);
    return result;
}

bool PgBackend::connectionLost() const
{
    return m_resetWanted || PQstatus(m_conn) != CONNECTION_OK;
}

void PgBackend::ensureConnected()
{
    if (!connectionLost())
        return;
    // Work begun in a transaction is gone with the connection; it must end before another starts.
    if (m_inTransaction)
        m_lostInTransaction = true;
    else {
        m_socketWatch.reset(); // before its socket closes
        PQreset(m_conn);
        m_resetWanted = PQstatus(m_conn) != CONNECTION_OK;
    }
    if (connectionLost())
        throwLost(trimmedMessage(PQerrorMessage(m_conn)));
    startSession();
    ConnectionNotice::notify(false);
}

bool PgBackend::reconnect()
{
    try {
        ensureConnected();
        return true;
    } catch (const DbError &) {
        return false;
    }
}

void PgBackend::throwLost(const QString &detail, const QString &sqlState)
{
    // The server may have said goodbye before libpq saw the socket close: connect anew anyway.
    m_resetWanted = true;
    ConnectionNotice::notify(true);
    QString message = QString::fromLatin1(DbError::LostText);
    if (!detail.isEmpty())
        message += QStringLiteral("\r\n(%1)").arg(detail);
    throw DbError(message, DbError::Kind::ConnectionLost, sqlState);
}

void PgBackend::fail(PGresult *result)
{
    const QByteArray state = result ? QByteArray(PQresultErrorField(result, PG_DIAG_SQLSTATE)) : QByteArray();
    QString message = result ? trimmedMessage(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY)) : QString();
    if (message.isEmpty())
        message = trimmedMessage(PQerrorMessage(m_conn));
    PQclear(result);
    const DbError::Kind kind = kindOf(state);
    if (kind == DbError::Kind::ConnectionLost || connectionLost())
        throwLost(message, QString::fromLatin1(state));
    if (kind == DbError::Kind::Busy)
        message = QString::fromLatin1(DbError::BusyText);
    throw DbError(message, kind, QString::fromLatin1(state));
}

PGresult *PgBackend::checked(PGresult *result)
{
    collectNotices(); // those that came in with the result
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail(result);
    return result;
}

QByteArray PgBackend::preparedName(const QString &sql, int count)
{
    const auto found = m_prepared.constFind(sql);
    if (found != m_prepared.cend())
        return *found;
    if (m_prepared.size() >= PreparedLimit && !m_inTransaction) {
        PQclear(checked(PQexec(m_conn, "DEALLOCATE ALL")));
        m_prepared.clear();
    }
    const QByteArray name = "tarvo" + QByteArray::number(m_prepared.size() + 1);
    PQclear(checked(PQprepare(m_conn, name.constData(), sql.toUtf8().constData(), count, nullptr)));
    m_prepared.insert(sql, name);
    return name;
}

PGresult *PgBackend::execute(const QString &sql, int count, const char *const *values)
{
    ensureConnected();
    applyLockTimeout();
    const QByteArray name = preparedName(sql, count);
    if (!PQsendQueryPrepared(m_conn, name.constData(), count, values, nullptr, nullptr, 0))
        fail(nullptr);
    return checked(awaitResult());
}

PGresult *PgBackend::describe(const QString &sql, int count)
{
    ensureConnected();
    const QByteArray name = preparedName(sql, count);
    return checked(PQdescribePrepared(m_conn, name.constData()));
}

std::unique_ptr<DbCursor> PgBackend::prepare(const QString &sql)
{
    return std::make_unique<PgCursor>(*this, sql);
}

void PgBackend::exec(const QString &sql)
{
    ensureConnected();
    PQclear(checked(PQexec(m_conn, sql.toUtf8().constData())));
}

void PgBackend::begin(Access access)
{
    exec(access == Access::Write ? m_dialect.beginWrite()
                                 : QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"));
    m_inTransaction = true;
    m_lostInTransaction = false;
}

void PgBackend::commit()
{
    // A statement that failed inside the transaction has ended it on the server; COMMIT would
    // then roll back without a word.
    if (PQtransactionStatus(m_conn) == PQTRANS_INERROR)
        throw DbError(QStringLiteral("the transaction was ended by an earlier failure; nothing was saved"));
    if (m_lostInTransaction || connectionLost())
        ensureConnected();
    PQclear(checked(PQexec(m_conn, "COMMIT")));
    m_inTransaction = false;
}

void PgBackend::rollback() noexcept
{
    m_inTransaction = false;
    m_lostInTransaction = false;
    if (!connectionLost()) {
        PQclear(PQexec(m_conn, "ROLLBACK"));
        collectNotices();
    }
}

QStringList PgBackend::columnNames(const QString &table)
{
    PgCursor query(*this, QStringLiteral("SELECT column_name FROM information_schema.columns"
                                         " WHERE table_schema = current_schema() AND table_name = lower(?)"
                                         " ORDER BY ordinal_position"));
    query.bind(1, table);
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

QString PgBackend::integrityProblems()
{
    // The server keeps its tables sound itself; what a damaged file can suffer does not apply.
    return QString();
}

qint64 PgBackend::idCounter(const QString &table, const QString &column)
{
    PgCursor query(*this, QStringLiteral("SELECT pg_sequence_last_value(pg_get_serial_sequence(?, ?))"));
    query.bind(1, table.toLower());
    query.bind(2, column.toLower());
    return query.next() ? query.integer(0) : 0;
}

void PgBackend::setIdCounter(const QString &table, const QString &column, qint64 value)
{
    // With nothing given yet the sequence starts at 1, as the file's counter does.
    PgCursor query(*this, QStringLiteral("SELECT setval(pg_get_serial_sequence(?, ?), greatest(CAST(?3 AS bigint), 1), CAST(?3 AS bigint) > 0)"));
    query.bind(1, table.toLower());
    query.bind(2, column.toLower());
    query.bind(3, value);
    query.next();
}

QString PgBackend::displayName() const
{
    return serverDisplayName(QString::fromUtf8(PQuser(m_conn)), QString::fromUtf8(PQhost(m_conn)),
                             QString::fromUtf8(PQdb(m_conn)));
}
