// Copying databases between the file and the server (tarvo-dbcopy), and the server database
// the tool makes, against the test run's throwaway server.

#include "CoreSupport.h"
#include "ServerSupport.h"

#include "core/db/Database.h"
#include "core/db/DatabaseCopy.h"
#include "core/db/DbError.h"
#include "core/db/NewDatabase.h"
#include "core/db/TableShapes.h"
#include "core/platform/Clock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QVariant scalar(Database &db, const QString &sql)
{
    Statement query(db, sql);
    return query.next() ? query.value(0) : QVariant();
}

// Every table's checksum, by name.
QMap<QString, QByteArray> checksums(Database &db)
{
    QMap<QString, QByteArray> sums;
    for (const TableShapes::Table &table : TableShapes::all())
        sums.insert(QString::fromLatin1(table.name), DatabaseCopy::checksum(db, table));
    return sums;
}

} // namespace

class TestDbCopy : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void roundTripKeepsEveryRow();
    void keepsIdCountersAndOrder();
    void listsTextThatIsNoDate_data();
    void listsTextThatIsNoDate();
    void refusesAndKeepsTheTarget_data();
    void refusesAndKeepsTheTarget();
    void technicianHasRowRightsOnly_data();
    void technicianHasRowRightsOnly();

private:
    QString demoFile();
    QString freshServer();

    QTemporaryDir m_dir;
    int m_files = 0;
    int m_servers = 0;
};

void TestDbCopy::initTestCase()
{
    initCoreTestEnvironment();
    // The demo data written once (each of its rows is a write of its own), then copied.
    QString error;
    QVERIFY2(createDatabaseFile(m_dir.filePath(QStringLiteral("demo.mdb")), true, Clock::today(), &error), qPrintable(error));
}

QString TestDbCopy::demoFile()
{
    const QString path = m_dir.filePath(QStringLiteral("db%1.mdb").arg(++m_files));
    if (!QFile::copy(m_dir.filePath(QStringLiteral("demo.mdb")), path))
        qFatal("cannot copy the demo database");
    return path;
}

// An empty server database, without tables.
QString TestDbCopy::freshServer()
{
    return TestServerDatabase::create(QStringLiteral("test_dbcopy_%1").arg(++m_servers));
}

void TestDbCopy::roundTripKeepsEveryRow()
{
    Database file;
    QVERIFY(file.open(demoFile()));
    // Values at the edges of what the columns hold.
    file.exec(QStringLiteral("UPDATE main SET Name = 'Pumppu Ääneseutu ß ς 𐐀', tools = 'line one' || char(13, 10) || 'two',"
                             " servicedate = '9999-12-31', dateinstalled = NULL, custom1 = '' WHERE ID = 2"));
    Database server;
    server.connectServer(freshServer());
    const DatabaseCopy::Result in = DatabaseCopy::copy(file, server);
    QVERIFY2(in.copied, qPrintable(in.error));
    QCOMPARE(in.counts.size(), qsizetype(TableShapes::all().size()));
    QCOMPARE(checksums(server), checksums(file));

    Database back;
    QVERIFY(back.create(m_dir.filePath(QStringLiteral("back.mdb"))));
    const DatabaseCopy::Result out = DatabaseCopy::copy(server, back);
    QVERIFY2(out.copied, qPrintable(out.error));
    QCOMPARE(checksums(back), checksums(file));
    QCOMPARE(scalar(back, QStringLiteral("SELECT tools || '|' || coalesce(dateinstalled, 'Null') FROM main WHERE ID = 2")), QVariant(u"line one\r\ntwo|Null"_s));
}

void TestDbCopy::keepsIdCountersAndOrder()
{
    Database file;
    QVERIFY(file.open(demoFile()));
    const qint64 top = scalar(file, QStringLiteral("SELECT max(ID) FROM main")).toLongLong();
    // The newest item is gone: its ID must never be given again, on either side.
    file.exec(QStringLiteral("DELETE FROM main WHERE ID = %1").arg(top));
    // Entries written out of date order keep the order they were written in.
    file.exec(QStringLiteral("INSERT INTO History (ID, Date, descr) VALUES (1, '2020-01-01', 'later row, early date')"));
    Database server;
    server.connectServer(freshServer());
    QVERIFY(DatabaseCopy::copy(file, server).copied);
    Statement add(server, QStringLiteral("INSERT INTO main (Name) VALUES ('new')"));
    QCOMPARE(add.insert(), top + 1);
    QCOMPARE(scalar(server, QStringLiteral("SELECT descr FROM History ORDER BY seq DESC LIMIT 1")),
             QVariant(QStringLiteral("later row, early date")));

    Database back;
    QVERIFY(back.create(m_dir.filePath(QStringLiteral("counters.mdb"))));
    server.exec(QStringLiteral("DELETE FROM main WHERE Name = 'new'"));
    QVERIFY(DatabaseCopy::copy(server, back).copied);
    Statement again(back, QStringLiteral("INSERT INTO main (Name) VALUES ('again')"));
    QCOMPARE(again.insert(), top + 2);
}

void TestDbCopy::listsTextThatIsNoDate_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("no such day") << "2026-02-30";
    QTest::newRow("a word") << "soon";
    QTest::newRow("empty") << "";
    QTest::newRow("as typed") << "12/31/2030";
    QTest::newRow("beyond the year 9999") << "10000-01-01";
    QTest::newRow("time of day") << "2026-12-01 10:00";
}

void TestDbCopy::listsTextThatIsNoDate()
{
    QFETCH(QString, value);
    Database file;
    QVERIFY(file.open(demoFile()));
    Statement bad(file, QStringLiteral("UPDATE main SET servicedate = ? WHERE ID = 3"));
    bad.bind(1, value).run();
    Statement badEntry(file, QStringLiteral("UPDATE History SET Date = ? WHERE rowid = 1"));
    badEntry.bind(1, value).run();
    const qint64 entryItem = scalar(file, QStringLiteral("SELECT ID FROM History WHERE rowid = 1")).toLongLong();

    Database server;
    server.connectServer(freshServer());
    const DatabaseCopy::Result refused = DatabaseCopy::copy(file, server);
    QVERIFY(!refused.copied && refused.error.contains(QStringLiteral("--blank-bad-dates")));
    QCOMPARE(refused.badValues.size(), 2);
    const DatabaseCopy::BadValue first = refused.badValues.at(0), second = refused.badValues.at(1);
    QCOMPARE(QStringList({first.table, first.row, first.column, first.value, second.table, second.row, second.column}),
             QStringList({u"main"_s, u"3"_s, u"servicedate"_s, value, u"History"_s, QString::number(entryItem), u"Date"_s}));
    QVERIFY(server.columnNames(QStringLiteral("main")).isEmpty()); // nothing was made

    DatabaseCopy::Options blank;
    blank.blankBadDates = true;
    const DatabaseCopy::Result copied = DatabaseCopy::copy(file, server, blank);
    QVERIFY2(copied.copied, qPrintable(copied.error));
    QCOMPARE(copied.badValues.size(), 2);
    QVERIFY(scalar(server, QStringLiteral("SELECT servicedate FROM main WHERE ID = 3")).isNull());
    QCOMPARE(scalar(server, QStringLiteral("SELECT count(*) FROM History")), scalar(file, QStringLiteral("SELECT count(*) FROM History")));
}

void TestDbCopy::refusesAndKeepsTheTarget_data()
{
    QTest::addColumn<QString>("change"); // made to the server's new tables before the copy
    QTest::addColumn<QString>("error");
    QTest::addColumn<QVariant>("items"); // left on the server
    QTest::newRow("a target with items") << u"INSERT INTO main (Name) VALUES ('already here')"_s << u"holds rows in main"_s << QVariant(qint64(1));
    // A server that quietly changes what it is given: the read-back must catch it.
    QTest::newRow("a copy that differs") << u"CREATE FUNCTION shout() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN NEW.descr :="
                                            " upper(NEW.descr); RETURN NEW; END $$; CREATE TRIGGER shout BEFORE INSERT ON Notes"
                                            " FOR EACH ROW EXECUTE FUNCTION shout()"_s
                                         << u"table Notes differs"_s << QVariant(qint64(0));
}

void TestDbCopy::refusesAndKeepsTheTarget()
{
    QFETCH(QString, change);
    QFETCH(QString, error);
    Database server;
    server.connectServer(freshServer());
    DatabaseCopy::initServer(server, QStringLiteral("tarvo_owner"), QStringLiteral("tarvo_technicians"), false);
    server.exec(change);
    Database file;
    QVERIFY(file.open(demoFile()));
    const DatabaseCopy::Result result = DatabaseCopy::copy(file, server);
    QVERIFY(!result.copied);
    QVERIFY2(result.error.contains(error), qPrintable(result.error));
    QTEST(scalar(server, QStringLiteral("SELECT count(*) FROM main")), "items");
    QCOMPARE(scalar(server, QStringLiteral("SELECT count(*) FROM Columns")), QVariant(qint64(25)));
}

void TestDbCopy::technicianHasRowRightsOnly_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("read") << "SELECT count(*) FROM main" << true;
    QTest::newRow("add an item") << "INSERT INTO main (Name) VALUES ('x')" << true;
    QTest::newRow("add history") << "INSERT INTO History (ID, Date, descr) VALUES (1, '2026-12-06', 'x')" << true;
    QTest::newRow("change settings") << "UPDATE settings SET timerinterval = 3" << true;
    QTest::newRow("delete parts") << "DELETE FROM repparts" << true;
    QTest::newRow("read the meta table") << "SELECT count(*) FROM tarvo_meta" << true;
    QTest::newRow("change the meta table") << "UPDATE tarvo_meta SET value = '0'" << false;
    QTest::newRow("empty a table at once") << "TRUNCATE History" << false;
    QTest::newRow("drop a table") << "DROP TABLE Notes" << false;
    QTest::newRow("change a table") << "ALTER TABLE main ADD COLUMN extra text" << false;
    QTest::newRow("make a table") << "CREATE TABLE extra (x int)" << false;
    QTest::newRow("replace fold") << "CREATE OR REPLACE FUNCTION fold(text) RETURNS text LANGUAGE sql AS $$ SELECT $1 $$" << false;
}

void TestDbCopy::technicianHasRowRightsOnly()
{
    QFETCH(QString, sql);
    QFETCH(bool, allowed);
    static const QString database = [this] {
        const QString address = freshServer();
        Database owner;
        owner.connectServer(address);
        DatabaseCopy::initServer(owner, QStringLiteral("tarvo_owner"), QStringLiteral("tarvo_technicians"), false);
        owner.exec(QStringLiteral("DROP ROLE IF EXISTS anna; CREATE ROLE anna LOGIN IN ROLE tarvo_technicians"));
        return address.section(QStringLiteral("dbname="), 1);
    }();
    Database technician;
    technician.connectServer(TestServerDatabase::address(database, QStringLiteral("anna")));
    QString failure;
    try {
        Transaction transaction(technician);
        technician.exec(sql);
    } catch (const DbError &error) {
        failure = error.message();
    }
    QVERIFY2(failure.isEmpty() == allowed, qPrintable(failure));
    if (!allowed)
        QVERIFY2(failure.contains(QStringLiteral("permission denied")) || failure.contains(QStringLiteral("must be owner")),
                 qPrintable(failure));
}

QTEST_GUILESS_MAIN(TestDbCopy)
#include "test_dbcopy.moc"
