// Opening, creating and the make-up of the encrypted database file.

#include "CoreSupport.h"

#include "Version.h"
#include "core/db/Database.h"
#include "core/db/DbError.h"
#include "core/db/NewDatabase.h"
#include "core/db/Schema.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/platform/SafeFile.h"
#include "core/settings/AppPaths.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A file encrypted with another key, holding the real schema.
void writeWithOtherKey(const QString &path)
{
    sqlite3 *handle = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &handle), SQLITE_OK);
    sqlite3_key(handle, "other", 5);
    QCOMPARE(sqlite3_exec(handle, "CREATE TABLE main (ID INTEGER)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(handle);
}

// Whether the program's database opens for a user whom the file's permissions bind. Root
// writes anything, so then the open runs in a child process as nobody.
bool opensForUser()
{
    if (geteuid() != 0)
        return openWorkingDatabase();
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        _exit(openWorkingDatabase() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Another program's hold on the file, which ends at the first pause of a connection waiting for
// it instead of after a real pause.
sqlite3 *holder = nullptr;

int endHoldInsteadOfSleeping(sqlite3_vfs *, int microseconds)
{
    if (holder)
        sqlite3_exec(std::exchange(holder, nullptr), "COMMIT", nullptr, nullptr, nullptr);
    return microseconds;
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initCoreTestEnvironment(); }

    void refusesFilesThatAreNoTarvoDatabase_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"missing", "wrong key", "not a database", "empty file", "table missing", "column missing"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void refusesFilesThatAreNoTarvoDatabase()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        AppPaths::setApplicationFolder(dir.path());
        const QString path = AppPaths::databaseFile();
        if (kind == u"wrong key")
            writeWithOtherKey(path);
        else if (kind == u"not a database")
            QVERIFY(SafeFile::write(path, QByteArray("These are not the tables you are looking for.\n").repeated(200)));
        else if (kind == u"empty file")
            QVERIFY(SafeFile::write(path, QByteArray()));
        else if (kind == u"table missing") {
            Database database;
            QVERIFY(database.create(path));
            database.exec(QStringLiteral("CREATE TABLE main (ID INTEGER)"));
        } else if (kind == u"column missing") {
            QVERIFY(createDatabaseFile(path, false, QDate(2026, 12, 6), nullptr));
            Database database;
            QVERIFY(database.open(path));
            database.exec(QStringLiteral("DROP TABLE settings; CREATE TABLE settings (startupalarm INTEGER)"));
        }
        const QByteArray before = readFile(path);

        QString error;
        QVERIFY(!openWorkingDatabase(&error) && !error.isEmpty());
        QVERIFY_THROWS_EXCEPTION(DbError, db());
        QCOMPARE(readFile(path), before); // nothing written
        if (kind == u"missing")
            QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        AppPaths::setApplicationFolder(QString());
    }

    // Where the program keeps its data; rows with a writable folder are also laid out on disk.
    void programFolder_data()
    {
        QTest::addColumn<bool>("databaseBeside");
        QTest::addColumn<bool>("marker");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("userData");
        QTest::newRow("build folder") << false << false << false << true << false;
        QTest::newRow("database beside") << true << false << false << true << false;
        QTest::newRow("installed beside a database") << true << false << true << false << false;
        QTest::newRow("installed with the marker") << false << true << true << true << false;
        QTest::newRow("installed, writable prefix") << false << false << true << true << true;
        QTest::newRow("read-only folder") << false << false << false << false << true;
    }
    void programFolder()
    {
        QFETCH(bool, databaseBeside);
        QFETCH(bool, marker);
        QFETCH(bool, installed);
        QFETCH(bool, writable);
        QFETCH(bool, userData);
        const AppPaths::FolderChoice expected =
            userData ? AppPaths::FolderChoice::UserDataFolder : AppPaths::FolderChoice::ExecutableFolder;
        QCOMPARE(AppPaths::chooseProgramFolder({databaseBeside, marker, writable, installed}), expected);
        if (!writable)
            return;

        QTemporaryDir root;
        const QString bin = root.filePath(QStringLiteral("usr/bin"));
        const QString data = root.filePath(QStringLiteral("home/Tarvo"));
        QDir().mkpath(bin);
        if (databaseBeside)
            QVERIFY(createDatabaseFile(bin + u"/main.mdb"_s, false, QDate(2026, 12, 6), nullptr));
        if (marker)
            QVERIFY(SafeFile::write(bin + u"/"_s + QString::fromLatin1(AppPaths::PortableMarker), QByteArray()));
        if (installed && QDir().mkpath(QFileInfo(AppPaths::installedManual(bin)).path()))
            QVERIFY(SafeFile::write(AppPaths::installedManual(bin), QByteArray("<html></html>")));
        QString error;
        QVERIFY2(AppPaths::settleProgramFolder(bin, data, QDate(2026, 12, 6), &error), qPrintable(error));
        QCOMPARE(AppPaths::applicationFolder(), userData ? data : bin);
        QCOMPARE(QFileInfo::exists(data), userData);
        if (userData) // a first start in the data folder makes a database that opens
            QVERIFY2(openWorkingDatabase(&error), qPrintable(error));
        closeWorkingDatabase();
        AppPaths::setApplicationFolder(QString());
    }

    void refusesWriteProtectedFiles()
    {
        TestWorld world;
        closeWorkingDatabase();
        const QString path = world.databasePath();
        const auto all = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther,
                   write = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther,
                   enter = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        QFile::setPermissions(world.folder(), all | write | enter);
        QFile::setPermissions(path, all | write);
        QVERIFY(opensForUser());
        QFile::setPermissions(path, all);
        QVERIFY(!opensForUser());
        QFile::setPermissions(path, all | write);
        QFile::setPermissions(world.folder(), all | enter); // no room for the journal
        QVERIFY(!opensForUser());
        QFile::setPermissions(world.folder(), all | write | enter);
    }

    void waitsOutABriefLock()
    {
        // Another program holds the file for a moment while Tarvo starts: the open waits for it.
        TestWorld world;
        closeWorkingDatabase();
        static sqlite3_vfs vfs = *sqlite3_vfs_find(nullptr);
        vfs.zName = "tarvo-test-hold";
        vfs.xSleep = endHoldInsteadOfSleeping;
        sqlite3_vfs_register(&vfs, 1);
        QCOMPARE(sqlite3_open(world.databasePath().toUtf8().constData(), &holder), SQLITE_OK);
        sqlite3 *other = holder;
        sqlite3_key(other, Database::Key, int(qstrlen(Database::Key)));
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        QString error;
        const bool opened = openWorkingDatabase(&error);
        holder = nullptr;
        closeWorkingDatabase();
        sqlite3_close(other);
        sqlite3_vfs_unregister(&vfs);
        QVERIFY2(opened, qPrintable(error));
    }

    void newFileIsEncryptedWithColumnsAndSettings()
    {
        TestWorld world;
        QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) || ' ' || min(ID) || '-' || max(ID) FROM Columns")).toString(),
                 QStringLiteral("25 0-24"));
        // The shown places are exactly 1..K.
        QCOMPARE(world.joined(QStringLiteral("SELECT ColLocation FROM Columns WHERE ColLocation <> 0 ORDER BY ColLocation"),
                              QStringLiteral(",")),
                 QStringLiteral("1,2,3,4,5,6"));
        QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) || ' ' || backupdate || ' ' || Version FROM settings")).toString(),
                 QStringLiteral("1 2026-12-13 " TARVO_VERSION));

        world.addItem(world.addCompany(QStringLiteral("Plain Text Vendor")), {{"Name", "Secret Pump"}});
        closeWorkingDatabase();
        const QByteArray bytes = readFile(world.databasePath());
        QVERIFY(!bytes.isEmpty() && !bytes.startsWith("SQLite format 3") && !bytes.contains("Secret Pump") && !bytes.contains("CREATE TABLE"));
        QVERIFY(openWorkingDatabase());
        QCOMPARE(world.scalar(QStringLiteral("SELECT Name FROM main")).toString(), QStringLiteral("Secret Pump"));
    }

    // Every database has an identity of its own; a file made before there was one gets it on its
    // first open, and later opens leave the file as it is.
    void identityOfEveryDatabase_data()
    {
        QTest::addColumn<QString>("before"); // what an older program left
        QTest::newRow("a new file") << "";
        QTest::newRow("no identity column") << "CREATE TABLE old AS SELECT startupalarm, timerinterval, AutoAddHstWarn,"
                                               " AutoAddhstOn, alservicedisabled, alorderdisabled, backupinterval,"
                                               " backupdate, Version, build FROM settings;"
                                               " DROP TABLE settings; ALTER TABLE old RENAME TO settings";
        QTest::newRow("an empty identity") << "UPDATE settings SET identity = NULL";
    }
    void identityOfEveryDatabase()
    {
        QFETCH(QString, before);
        TestWorld world;
        const QString made = databaseIdentity(db());
        if (!before.isEmpty())
            world.changeElsewhere(before);
        closeWorkingDatabase();
        QVERIFY(openWorkingDatabase());
        const QString identity = databaseIdentity(db());
        QVERIFY2(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$")).match(identity).hasMatch(), qPrintable(identity));
        QCOMPARE(identity == made, before.isEmpty());
        closeWorkingDatabase();
        const QByteArray file = readFile(world.databasePath());
        QVERIFY(openWorkingDatabase());
        QCOMPARE(databaseIdentity(db()), identity);
        closeWorkingDatabase();
        QCOMPARE(readFile(world.databasePath()), file);
        TestWorld other;
        QVERIFY(databaseIdentity(db()) != identity);
    }

    void newDatabaseToolRefusesExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("main.mdb"));
        QVERIFY(SafeFile::write(path, "keep me"));
        QString error;
        QVERIFY(!createDatabaseFile(path, false, QDate(2026, 12, 6), &error));
        QCOMPARE(readFile(path), QByteArray("keep me"));

        const QString sample = dir.filePath(QStringLiteral("demo.mdb"));
        QVERIFY(createDatabaseFile(sample, true, QDate(2026, 12, 6), &error));
        Database demo;
        QVERIFY(demo.open(sample));
        Statement overdue(demo, QStringLiteral("SELECT count(*) FROM main WHERE servicedate < '2026-12-06'"));
        QVERIFY(overdue.next() && overdue.integer(0) >= 3); // the demo shows alarms at once
    }

    void idsAndRowUpdates()
    {
        TestWorld world;
        const qint64 company = world.addCompany(QStringLiteral("Acme"));
        const qint64 first = world.addItem(company, {{"Name", "A"}});
        const qint64 second = world.addItem(company, {{"Name", "B"}});
        execute(db(), QStringLiteral("DELETE FROM main WHERE ID = ?"), {second});
        QVERIFY(world.addItem(company, {{"Name", "C"}}) > second); // never reused

        // An update names whether the row was there.
        Statement present(db(), QStringLiteral("UPDATE main SET Name = ? WHERE ID = ?"));
        present.bindAll({QStringLiteral("Pump \"Quoted\""), first}).run();
        QCOMPARE(present.changes(), 1);
        QCOMPARE(world.scalar(QStringLiteral("SELECT Name FROM main WHERE ID = ?"), {first}).toString(), QStringLiteral("Pump \"Quoted\""));
        Statement missing(db(), QStringLiteral("UPDATE main SET Name = ? WHERE ID = ?"));
        missing.bindAll({QStringLiteral("Ghost"), second}).run();
        QCOMPARE(missing.changes(), 0);
        QCOMPARE(world.joined(QStringLiteral("SELECT Name FROM main ORDER BY ID"), QStringLiteral(",")), QStringLiteral("Pump \"Quoted\",C"));
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
