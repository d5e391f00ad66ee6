// The server engine on its own: statement text, values, failures and the connection, against the
// test run's throwaway PostgreSQL server.

#include "ServerSupport.h"

#include "core/db/Database.h"
#include "core/db/DbError.h"
#include "core/db/PgBackend.h"
#include "core/db/ServerSchema.h"
#include "core/db/SqlDialect.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <thread>

namespace {

QVariant scalar(DbBackend &backend, const QString &sql, const QVariantList &values = {})
{
    auto query = backend.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        query->bind(i + 1, values.at(i));
    return query->next() ? query->value(0) : QVariant();
}

// The failure a statement gives, or a default DbError when it runs.
DbError failureOf(const std::function<void()> &step)
{
    try {
        step();
    } catch (const DbError &error) {
        return error;
    }
    return DbError(QStringLiteral("no failure"));
}

} // namespace

class TestServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void numbersPlaceholders_data();
    void numbersPlaceholders();
    void readsValuesAsTheFileDoes_data();
    void readsValuesAsTheFileDoes();
    void bindsValuesAsParameters();
    void foldsAsQtFolds_data();
    void foldsAsQtFolds();
    void ordersAsTheFileDoes_data();
    void ordersAsTheFileDoes();
    void addsDaysWithinTheCalendar_data();
    void addsDaysWithinTheCalendar();
    void namesFailuresByKind_data();
    void namesFailuresByKind();
    void waitsForALockedRowThenSaysBusy();
    void connectsAgainAfterALostConnection();
    void keepsALostTransactionLost();
    void asksForAPassword();

private:
    std::unique_ptr<PgBackend> m_backend;
};

void TestServer::initTestCase()
{
    const QString address = TestServerDatabase::create(QStringLiteral("test_server_engine"));
    m_backend = std::make_unique<PgBackend>(address);
    for (const QString &statement : ServerSchema::createStatements())
        m_backend->exec(statement);
    m_backend->exec(QStringLiteral("CREATE TABLE sample (n bigint, t text COLLATE \"C\", d date, f double precision)"));
}

void TestServer::numbersPlaceholders_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("numbered");
    QTest::addColumn<int>("count");
    QTest::newRow("plain") << "SELECT ? + ?"
                           << "SELECT $1 + $2" << 2;
    QTest::newRow("numbered") << "SELECT ?2, ?1, ?2"
                              << "SELECT $2, $1, $2" << 2;
    QTest::newRow("bare after numbered") << "SELECT ?3, ?"
                                         << "SELECT $3, $4" << 4;
    QTest::newRow("quoted text") << "SELECT '?', 'it''s ?', ?"
                                 << "SELECT '?', 'it''s ?', $1" << 1;
    QTest::newRow("quoted name") << "SELECT \"a?\" FROM t WHERE x = ?"
                                 << "SELECT \"a?\" FROM t WHERE x = $1" << 1;
    QTest::newRow("comments") << "SELECT ? -- why?\n, ? /* ? */"
                              << "SELECT $1 -- why?\n, $2 /* ? */" << 2;
    QTest::newRow("escape text") << "x LIKE ? ESCAPE '\\'"
                                 << "x LIKE $1 ESCAPE '\\'" << 1;
    QTest::newRow("none") << "SELECT 1"
                          << "SELECT 1" << 0;
}

void TestServer::numbersPlaceholders()
{
    QFETCH(QString, sql);
    int count = -1;
    QTEST(SqlDialect::numberedPlaceholders(sql, &count), "numbered");
    QTEST(count, "count");
}

void TestServer::readsValuesAsTheFileDoes_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("integer");
    QTest::newRow("bigint") << "CAST(9007199254740993 AS bigint)" << QVariant(qint64(9007199254740993)) << "9007199254740993" << qint64(9007199254740993);
    QTest::newRow("int") << "CAST(-7 AS integer)" << QVariant(qint64(-7)) << "-7" << qint64(-7);
    QTest::newRow("count") << "count(*)" << QVariant(qint64(1)) << "1" << qint64(1);
    QTest::newRow("truth") << "1 = 1" << QVariant(qint64(1)) << "1" << qint64(1);
    QTest::newRow("untruth") << "1 = 2" << QVariant(qint64(0)) << "0" << qint64(0);
    QTest::newRow("sum of whole numbers") << "sum(CAST(5 AS bigint))" << QVariant(qint64(5)) << "5" << qint64(5);
    QTest::newRow("fraction") << "CAST(2.5 AS double precision)" << QVariant(2.5) << "2.5" << qint64(2);
    QTest::newRow("date") << "DATE '2026-12-06'" << QVariant(QStringLiteral("2026-12-06")) << "2026-12-06" << qint64(2026);
    QTest::newRow("text") << "'Äiti ja ß'" << QVariant(QStringLiteral("Äiti ja ß")) << "Äiti ja ß" << qint64(0);
    QTest::newRow("number text") << "'12abc'" << QVariant(QStringLiteral("12abc")) << "12abc" << qint64(12);
    QTest::newRow("null") << "CAST(NULL AS text)" << QVariant() << QString() << qint64(0);
}

void TestServer::readsValuesAsTheFileDoes()
{
    QFETCH(QString, expression);
    QFETCH(QVariant, value);
    auto query = m_backend->prepare(QStringLiteral("SELECT %1").arg(expression));
    QVERIFY(query->next());
    QCOMPARE(query->value(0), value);
    QCOMPARE(query->isNull(0), value.isNull());
    QString text;
    QCOMPARE(query->readText(0, &text), !value.isNull());
    QTEST(text, "text");
    QCOMPARE(QString::fromUtf8(query->bytes(0)), text);
    QTEST(query->integer(0), "integer");
    QVERIFY(!query->next());
}

void TestServer::bindsValuesAsParameters()
{
    m_backend->exec(QStringLiteral("DELETE FROM sample"));
    auto insert = m_backend->prepare(QStringLiteral("INSERT INTO sample (n, t, d, f) VALUES (?, ?, ?, ?)"));
    const QString hostile = QStringLiteral("x'); DROP TABLE sample; --");
    insert->bind(1, qint64(1) << 40);
    insert->bind(2, hostile);
    insert->bind(3, QStringLiteral("2030-02-28"));
    insert->bind(4, 0.1);
    insert->run();
    QCOMPARE(insert->changes(), 1);
    insert->reset(); // every value unbound: the row is all Null
    insert->run();
    QCOMPARE(scalar(*m_backend, QStringLiteral("SELECT count(*) FROM sample WHERE n IS NULL AND t IS NULL")), QVariant(qint64(1)));
    QCOMPARE(scalar(*m_backend, QStringLiteral("SELECT t FROM sample WHERE n = ?"), {qint64(1) << 40}), QVariant(hostile));
    QCOMPARE(scalar(*m_backend, QStringLiteral("SELECT f FROM sample WHERE d = ?"), {QStringLiteral("2030-02-28")}), QVariant(0.1));
    const DbError range = failureOf([&] { insert->bind(5, 1); });
    QCOMPARE(range.message(), QStringLiteral("column index out of range"));
    // Text the server cannot hold is refused, never cut short.
    QCOMPARE(failureOf([&] { insert->bind(2, QStringLiteral("before") + QChar(u'\0') + QStringLiteral("after")); }).kind(),
             DbError::Kind::BadValue);
}

void TestServer::foldsAsQtFolds_data()
{
    QTest::addColumn<QString>("text");
    const ServerSchema::FoldTable &table = ServerSchema::foldTable();
    QCOMPARE(table.changed, 1454); // this Qt's Unicode 14 folding, all one code point to one
    QTest::newRow("every folded letter") << table.from;
    QTest::newRow("what lower() groups otherwise") << QStringLiteral("ſ ς µ ι ϐ ϑ ẞ İ ǅ Ω K Å");
    QTest::newRow("ascii") << QStringLiteral("Pump A-12 / ZÄ");
    QTest::newRow("ascii alone") << QStringLiteral("Pump A-12 / Z");
    QString spread;
    for (char32_t c = 1; c <= 0x10FFFF; c += 97) {
        if (c < 0xD800 || c > 0xDFFF)
            spread += QString::fromUcs4(&c, 1);
    }
    QTest::newRow("every 97th code point") << spread;
    QTest::newRow("beyond the BMP") << QStringLiteral("𐐀𐐁𞤀 and 𐐨");
}

void TestServer::foldsAsQtFolds()
{
    QFETCH(QString, text);
    const QString folded = scalar(*m_backend, QStringLiteral("SELECT fold(?)"), {text}).toString();
    QCOMPARE(folded, text.toCaseFolded());
    QVERIFY(scalar(*m_backend, QStringLiteral("SELECT fold(NULL)")).isNull());
}

void TestServer::ordersAsTheFileDoes_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<bool>("caseless");
    QTest::addColumn<bool>("descending");
    const QVariantList texts = {QStringLiteral("b"), QVariant(), QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("B"),
                                QStringLiteral("ä"), QStringLiteral("Ä"), QStringLiteral("_x"), QStringLiteral("Z"), QStringLiteral(""),
                                QStringLiteral("a b"), QStringLiteral("ab"), QStringLiteral("10"), QStringLiteral("9")};
    const QVariantList days = {QStringLiteral("2026-12-01"), QVariant(), QStringLiteral("2025-01-31"), QStringLiteral("2026-12-01"),
                               QVariant(), QStringLiteral("0999-05-05")};
    const QVariantList numbers = {5, QVariant(), -3, 0, 5, QVariant(), 12};
    QTest::newRow("text without case") << "text" << texts << true << false;
    QTest::newRow("text without case, descending") << "text" << texts << true << true;
    QTest::newRow("dates") << "date" << days << false << false;
    QTest::newRow("dates, newest first") << "date" << days << false << true;
    QTest::newRow("numbers") << "bigint" << numbers << false << false;
    QTest::newRow("numbers, descending") << "bigint" << numbers << false << true;
}

void TestServer::ordersAsTheFileDoes()
{
    QFETCH(QString, type);
    QFETCH(QVariantList, values);
    QFETCH(bool, caseless);
    QFETCH(bool, descending);
    QTemporaryDir dir;
    Database file;
    QVERIFY(file.create(dir.filePath(QStringLiteral("order.mdb"))));
    Database server;
    server.connectServer(TestServerDatabase::address(QStringLiteral("test_server_engine")));
    QStringList orders;
    for (Database *db : {&file, &server}) {
        const bool onServer = db->isServer();
        db->exec(QStringLiteral("DROP TABLE IF EXISTS ordered"));
        db->exec(QStringLiteral("CREATE TABLE ordered (ID bigint, x %1)").arg(onServer && type == u"text" ? QStringLiteral("text COLLATE \"C\"") : type));
        Statement insert(*db, QStringLiteral("INSERT INTO ordered (ID, x) VALUES (?, ?)"));
        for (int i = 0; i < values.size(); ++i) {
            insert.reset();
            insert.bindAll({i, values.at(i)}).run();
        }
        const SqlDialect &dialect = db->dialect();
        const QString term = caseless ? dialect.caseless(QStringLiteral("x")) : QStringLiteral("x");
        Statement read(*db, QStringLiteral("SELECT ID FROM ordered ORDER BY %1, ID").arg(descending ? dialect.descending(term) : dialect.ascending(term)));
        QStringList ids;
        while (read.next())
            ids << read.text(0);
        orders << ids.join(u' ');
    }
    QCOMPARE(orders.at(1), orders.at(0));
}

void TestServer::addsDaysWithinTheCalendar_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("days");
    QTest::addColumn<QVariant>("result");
    QTest::newRow("forward") << "2026-12-01" << 30 << QVariant(QStringLiteral("2026-12-31"));
    QTest::newRow("back over a leap day") << "2028-03-01" << -1 << QVariant(QStringLiteral("2028-02-29"));
    QTest::newRow("to the last day") << "9999-12-01" << 30 << QVariant(QStringLiteral("9999-12-31"));
    QTest::newRow("beyond the last day") << "9999-12-31" << 1 << QVariant();
    QTest::newRow("far beyond") << "2026-12-01" << 2000000000 << QVariant();
    QTest::newRow("before the first day") << "0001-01-01" << -1 << QVariant();
}

void TestServer::addsDaysWithinTheCalendar()
{
    QFETCH(QString, date);
    QFETCH(int, days);
    const QString sql = QStringLiteral("SELECT %1").arg(m_backend->dialect().addDays(QStringLiteral("?1"), QStringLiteral("?2")));
    QTEST(scalar(*m_backend, sql, {date, days}), "result");
}

void TestServer::namesFailuresByKind_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<DbError::Kind>("kind");
    QTest::addColumn<QString>("state");
    QTest::newRow("syntax") << "SELEC 1" << DbError::Kind::Other << "42601";
    QTest::newRow("no such table") << "SELECT * FROM nothing" << DbError::Kind::Other << "42P01";
    QTest::newRow("no such day") << "SELECT DATE '2026-02-30'" << DbError::Kind::BadValue << "22008";
    QTest::newRow("no date at all") << "SELECT CAST('soon' AS date)" << DbError::Kind::BadValue << "22007";
    QTest::newRow("no number") << "SELECT CAST('x' AS bigint)" << DbError::Kind::BadValue << "22P02";
}

void TestServer::namesFailuresByKind()
{
    QFETCH(QString, sql);
    const DbError error = failureOf([&] { m_backend->prepare(sql)->next(); });
    QTEST(error.kind(), "kind");
    QTEST(error.sqlState(), "state");
    QVERIFY(!error.message().isEmpty());
}

void TestServer::waitsForALockedRowThenSaysBusy()
{
    m_backend->exec(QStringLiteral("DELETE FROM sample; INSERT INTO sample (n) VALUES (1)"));
    PgBackend other(TestServerDatabase::address(QStringLiteral("test_server_engine")));
    other.begin(DbBackend::Access::Write);
    other.exec(QStringLiteral("UPDATE sample SET t = 'other' WHERE n = 1"));
    Database::setBusyTimeout(300);
    m_backend->begin(DbBackend::Access::Write);
    QElapsedTimer waited;
    waited.start();
    const DbError error = failureOf([&] {
        m_backend->prepare(QStringLiteral("SELECT t FROM sample WHERE n = 1") + m_backend->dialect().lockingRead())->next();
    });
    const qint64 elapsed = waited.elapsed();
    m_backend->rollback();
    other.rollback();
    Database::setBusyTimeout(LockWait::DefaultTimeoutMsec);
    QCOMPARE(error.kind(), DbError::Kind::Busy);
    QCOMPARE(error.message(), QString::fromLatin1(DbError::BusyText));
    QVERIFY2(elapsed >= 250, qPrintable(QString::number(elapsed)));
}

void TestServer::connectsAgainAfterALostConnection()
{
    const qint64 pid = scalar(*m_backend, QStringLiteral("SELECT pg_backend_pid()")).toLongLong();
    PgBackend other(TestServerDatabase::address(QStringLiteral("test_server_engine")));
    QCOMPARE(scalar(other, QStringLiteral("SELECT pg_terminate_backend(?)"), {pid}), QVariant(qint64(1)));
    const DbError lost = failureOf([&] { scalar(*m_backend, QStringLiteral("SELECT 1")); });
    QCOMPARE(lost.kind(), DbError::Kind::ConnectionLost);
    QVERIFY(lost.message().startsWith(QStringLiteral("The connection to the database server was lost")));
    // The next step connects again, with the session's settings and statements made anew.
    QCOMPARE(scalar(*m_backend, QStringLiteral("SELECT 2")), QVariant(qint64(2)));
    QVERIFY(scalar(*m_backend, QStringLiteral("SELECT pg_backend_pid()")).toLongLong() != pid);
    QCOMPARE(scalar(*m_backend, QStringLiteral("SHOW lock_timeout")), QVariant(QStringLiteral("5s")));
}

void TestServer::keepsALostTransactionLost()
{
    m_backend->exec(QStringLiteral("DELETE FROM sample"));
    m_backend->begin(DbBackend::Access::Write);
    m_backend->prepare(QStringLiteral("INSERT INTO sample (n) VALUES (1)"))->run();
    const qint64 pid = scalar(*m_backend, QStringLiteral("SELECT pg_backend_pid()")).toLongLong();
    PgBackend(TestServerDatabase::address(QStringLiteral("test_server_engine")))
        .prepare(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(pid))
        ->next();
    QCOMPARE(failureOf([&] { m_backend->prepare(QStringLiteral("INSERT INTO sample (n) VALUES (2)"))->run(); }).kind(),
             DbError::Kind::ConnectionLost);
    // No later statement may run outside the transaction the lost one was part of.
    QCOMPARE(failureOf([&] { m_backend->prepare(QStringLiteral("INSERT INTO sample (n) VALUES (3)"))->run(); }).kind(),
             DbError::Kind::ConnectionLost);
    QCOMPARE(failureOf([&] { m_backend->commit(); }).kind(), DbError::Kind::ConnectionLost);
    m_backend->rollback();
    QCOMPARE(scalar(*m_backend, QStringLiteral("SELECT count(*) FROM sample")), QVariant(qint64(0)));
}

void TestServer::asksForAPassword()
{
    m_backend->exec(QStringLiteral("DO $$ BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'password_users')"
                                   " THEN CREATE ROLE password_users; END IF; END $$;"
                                   " DROP ROLE IF EXISTS keyholder;"
                                   " CREATE ROLE keyholder LOGIN PASSWORD 'sesame' IN ROLE password_users"));
    const QString address = TestServerDatabase::address(QStringLiteral("test_server_engine"), QStringLiteral("keyholder"));
    QCOMPARE(failureOf([&] { PgBackend none(address); }).kind(), DbError::Kind::NeedsPassword);
    QCOMPARE(failureOf([&] { PgBackend wrong(address, QStringLiteral("open")); }).kind(), DbError::Kind::NeedsPassword);
    PgBackend right(address, QStringLiteral("sesame"));
    QCOMPARE(right.displayName(), QStringLiteral("keyholder@local/test_server_engine"));
}

QTEST_GUILESS_MAIN(TestServer)
#include "test_server.moc"
