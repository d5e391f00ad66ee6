// Opening, creating and the make-up of the encrypted database file.

#include "TestSupport.h"

#include "core/data/AppPaths.h"
#include "core/data/DatabaseADO.h"
#include "core/data/DbError.h"
#include "core/data/NewDatabase.h"
#include "core/data/Schema.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

class TestDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }

    void refusesFilesThatAreNoTarvoDatabase_data();
    void refusesFilesThatAreNoTarvoDatabase();
    void refusesWriteProtectedFiles();
    void waitsOutABriefLock();
    void fileOnDiskIsEncrypted();
    void newDatabaseHoldsColumnsAndSettings();
    void newDatabaseToolRefusesExistingFile();
    void idsAreNeverReused();
    void rowWriterUpdateReportsMissingRow();
};

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A file encrypted with another key, holding the real schema.
void writeWithOtherKey(const QString &path)
{
    sqlite3 *handle = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &handle), SQLITE_OK);
    sqlite3_key(handle, "other", 5);
    QCOMPARE(sqlite3_exec(handle, "CREATE TABLE main (ID INTEGER)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(handle);
}

} // namespace

void TestDatabase::refusesFilesThatAreNoTarvoDatabase_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("wrong key") << "wrongkey";
    QTest::newRow("not a database") << "text";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("table missing") << "notable";
    QTest::newRow("column missing") << "nocolumn";
}

void TestDatabase::refusesFilesThatAreNoTarvoDatabase()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    AppPaths::setApplicationFolder(dir.path());
    const QString path = AppPaths::databaseFile();
    if (kind == u"wrongkey")
        writeWithOtherKey(path);
    else if (kind == u"text")
        writeFile(path, QByteArray("These are not the tables you are looking for.\n").repeated(200));
    else if (kind == u"empty")
        writeFile(path, QByteArray());
    else if (kind == u"notable") {
        Database database;
        QVERIFY(database.create(path));
        database.exec(QStringLiteral("CREATE TABLE main (ID INTEGER)"));
    } else if (kind == u"nocolumn") {
        QVERIFY(createDatabaseFile(path, false, QDate(2026, 12, 6), nullptr));
        Database database;
        QVERIFY(database.open(path));
        database.exec(QStringLiteral("DROP TABLE settings; CREATE TABLE settings (startupalarm INTEGER)"));
    }
    const QByteArray before = QFile::exists(path) ? [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }()
                                                  : QByteArray();

    QString error;
    QVERIFY(!OpenDatabase(&error));
    QVERIFY(!error.isEmpty());
    QVERIFY_THROWS_EXCEPTION(DbError, db());
    if (kind == u"missing") {
        QVERIFY(!QFile::exists(path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before); // nothing written
    }
    AppPaths::setApplicationFolder(QString());
}

namespace {

// Whether the program's database opens for a user whom the file's permissions bind. Root
// writes anything, so then the open runs in a child process as nobody.
bool opensForUser()
{
    if (geteuid() != 0)
        return OpenDatabase();
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        _exit(OpenDatabase() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

void TestDatabase::refusesWriteProtectedFiles()
{
    TestWorld world;
    CloseDatabase();
    const QString path = world.databasePath();
    const auto all = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto write = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    const auto enter = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    QFile::setPermissions(world.folder(), all | write | enter);
    QFile::setPermissions(path, all | write);
    QVERIFY(opensForUser());
    QFile::setPermissions(path, all);
    QVERIFY(!opensForUser());
    QFile::setPermissions(path, all | write);
    QFile::setPermissions(world.folder(), all | enter); // no room for the journal
    QVERIFY(!opensForUser());
    QFile::setPermissions(world.folder(), all | write | enter);
    QVERIFY(OpenDatabase());
}

void TestDatabase::waitsOutABriefLock()
{
    // Another program holds the file for a moment while Tarvo starts: the open waits for it.
    TestWorld world;
    CloseDatabase();
    sqlite3 *other = nullptr;
    QCOMPARE(sqlite3_open(world.databasePath().toUtf8().constData(), &other), SQLITE_OK);
    sqlite3_key(other, Database::Key, int(qstrlen(Database::Key)));
    QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    QString error;
    const bool opened = OpenDatabase(&error);
    release.join();
    sqlite3_close(other);
    QVERIFY2(opened, qPrintable(error));
}

void TestDatabase::fileOnDiskIsEncrypted()
{
    TestWorld world;
    world.addItem(world.addCompany(QStringLiteral("Plain Text Vendor")), {{QStringLiteral("Name"), QStringLiteral("Secret Pump")}});
    CloseDatabase();
    QFile file(world.databasePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(!bytes.startsWith("SQLite format 3"));
    QVERIFY(!bytes.contains("Secret Pump"));
    QVERIFY(!bytes.contains("CREATE TABLE"));
    QVERIFY(OpenDatabase());
    QCOMPARE(world.scalar(QStringLiteral("SELECT Name FROM main")).toString(), QStringLiteral("Secret Pump"));
}

void TestDatabase::newDatabaseHoldsColumnsAndSettings()
{
    TestWorld world;
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM Columns")).toInt(), 25);
    QCOMPARE(world.scalar(QStringLiteral("SELECT min(ID) || '-' || max(ID) FROM Columns")).toString(), QStringLiteral("0-24"));
    // The shown places are exactly 1..K.
    QCOMPARE(world.scalar(QStringLiteral("SELECT group_concat(ColLocation) FROM (SELECT ColLocation FROM Columns"
                                         " WHERE ColLocation <> 0 ORDER BY ColLocation)")).toString(),
             QStringLiteral("1,2,3,4,5,6"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM settings")).toInt(), 1);
    QCOMPARE(world.scalar(QStringLiteral("SELECT backupdate || ' ' || Version FROM settings")).toString(),
             QStringLiteral("2026-12-13 " TARVO_VERSION));
}

void TestDatabase::newDatabaseToolRefusesExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("main.mdb"));
    writeFile(path, QByteArray("keep me"));
    QString error;
    QVERIFY(!createDatabaseFile(path, false, QDate(2026, 12, 6), &error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("keep me"));

    const QString sample = dir.filePath(QStringLiteral("demo.mdb"));
    QVERIFY(createDatabaseFile(sample, true, QDate(2026, 12, 6), &error));
    Database demo;
    QVERIFY(demo.open(sample));
    Statement count(demo, QStringLiteral("SELECT (SELECT count(*) FROM orderinfo), (SELECT count(*) FROM main),"
                                         " (SELECT count(*) FROM main WHERE servicedate < '2026-12-06'),"
                                         " (SELECT count(*) FROM repparts), (SELECT count(*) FROM Notes)"));
    QVERIFY(count.next());
    QCOMPARE(count.integer(0), 12);
    QVERIFY(count.integer(1) >= 24);
    QVERIFY(count.integer(2) >= 3); // some overdue
    QVERIFY(count.integer(3) > count.integer(1));
    QVERIFY(count.integer(4) > 0);
}

void TestDatabase::idsAreNeverReused()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    const qint64 first = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("A")}});
    const qint64 second = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("B")}});
    Execute(db(), QStringLiteral("DELETE FROM main WHERE ID = %1").arg(second));
    const qint64 third = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("C")}});
    QCOMPARE(second, first + 1);
    QVERIFY(third > second);
}

void TestDatabase::rowWriterUpdateReportsMissingRow()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    const qint64 id = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    RowWriter present(db(), QStringLiteral("main"));
    present.set(QStringLiteral("Name"), QStringLiteral("Pump \"Quoted\""));
    QVERIFY(present.update(id));
    QCOMPARE(world.scalar(QStringLiteral("SELECT Name FROM main WHERE ID = ?"), {id}).toString(), QStringLiteral("Pump \"Quoted\""));
    RowWriter missing(db(), QStringLiteral("main"));
    missing.set(QStringLiteral("Name"), QStringLiteral("Ghost"));
    QVERIFY(!missing.update(id + 100));
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM main")).toInt(), 1);
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
