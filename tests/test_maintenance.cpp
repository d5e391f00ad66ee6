// The options window, the backup reminder, and backups and database switches on real files.

#include "TestSupport.h"

#include "core/data/AppPaths.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "core/data/NewDatabase.h"
#include "core/data/Settings.h"
#include "core/maintenance/DatabaseFiles.h"
#include "core/platform/Clock.h"
#include "gui/maintenance/ProgramEnd.h"
#include "gui/maintenance/frmGenOpts.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"
#include "gui/shell/frmSplash.h"
#include "gui/shell/frmmain.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class TestMaintenance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup() { closeAllWindows(); }
    void optionsRoundTrip_data();
    void optionsRoundTrip();
    void dependentChoices();
    void backupIntervalBox_data();
    void backupIntervalBox();
    void reminderAtStart_data();
    void reminderAtStart();
    void fileCommands_data();
    void fileCommands();
    void failureAfterCloseReopens_data();
    void failureAfterCloseReopens();

private:
    int m_ended = 0;
};

namespace {

const QString BackupDone = QStringLiteral("Program must be restarted for integrity check; Shutting down now");
const QString SwitchDone = QStringLiteral("Program must be restarted for changes to commit; Shutting down now");
const QStringList OptionFields = {"startupalarm", "timerinterval", "AutoAddHstWarn", "AutoAddhstOn",
                                  "alservicedisabled", "alorderdisabled", "backupinterval", "backupdate"};

// The settings row as text, leaving out one field.
QString settingsRow(const QString &without = QString())
{
    QStringList fields = OptionFields;
    fields.removeAll(without);
    Statement row(db(), QStringLiteral("SELECT %1 FROM settings").arg(fields.join(QStringLiteral(" || ' ' || "))));
    return row.next() ? row.text(0) : QString();
}

// Options > General; the window exists once, so asking again gives the one just opened.
frmGenOpts *openOptions(frmmain &main)
{
    main.action(QStringLiteral("mnuGeneral"))->trigger();
    return showGeneralOptions();
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Temporary copies left behind ("main.mdb.Ab12Cd").
bool noLeftovers(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.??????")}, QDir::Files | QDir::Hidden).isEmpty();
}

// A file SQLite writes with another key, or none (a plain SQLite file).
void writeForeignDatabase(const QString &path, const QByteArray &key, const char *sql)
{
    sqlite3 *handle = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &handle), SQLITE_OK);
    if (!key.isEmpty())
        sqlite3_key(handle, key.constData(), int(key.size()));
    QCOMPARE(sqlite3_exec(handle, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(handle);
}

// Fills many pages, closes the database and changes one byte in the middle of a copy of it (or
// of the working file): a data page that opening never reads.
void damagedCopy(TestWorld &world, const QString &path)
{
    Transaction transaction(db());
    for (int i = 0; i < 150; ++i)
        world.addItem(0, {{QStringLiteral("Name"), QStringLiteral("Filler")}, {QStringLiteral("hazmat"), QString(400, u'x')}});
    transaction.commit();
    CloseDatabase();
    QVERIFY(path == world.databasePath() || QFile::copy(world.databasePath(), path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(file.size() / 2));
    const char byte = file.peek(1).at(0);
    file.write(QByteArray(1, char(byte ^ 0x5a)));
    file.close();
    QVERIFY(OpenDatabase());
}

// Runs work in a child process as the unprivileged user 65534 (or here, when not root).
int asNobody(const std::function<int()> &work)
{
    if (geteuid() != 0)
        return work();
    const pid_t child = fork();
    if (child == 0)
        _exit(setgid(65534) == 0 && setuid(65534) == 0 ? work() : 100);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

} // namespace

void TestMaintenance::initTestCase()
{
    initTestEnvironment();
    initResources();
    ProgramEnd::setHandler([this](QWidget *main) {
        ++m_ended;
        main->close();
    });
}

void TestMaintenance::optionsRoundTrip_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("chosen"); // -1: nothing chosen
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("nextCheckSecs"); // after pressing OK
    const QString hour = QStringLiteral("Alarm Status: 1 hour(s)");
    QTest::newRow("service alarms") << "cmbSvcAl" << "alservicedisabled" << 1 << 0 << "cmdOK" << hour << 3600;
    QTest::newRow("order alarms") << "cmbOrAl" << "alorderdisabled" << 0 << 1 << "cmdOK" << hour << 3600;
    QTest::newRow("OFF") << "cmbAlNoti" << "timerinterval" << 7 << 0 << "cmdOK" << "Alarm Status: OFF" << 0;
    QTest::newRow("10 minutes") << "cmbAlNoti" << "timerinterval" << 7 << 2 << "cmdOK" << "Alarm Status: 10 minutes" << 600;
    QTest::newRow("2 hours") << "cmbAlNoti" << "timerinterval" << 7 << 8 << "cmdOK" << "Alarm Status: 2 hour(s)" << 7200;
    QTest::newRow("24 hours") << "cmbAlNoti" << "timerinterval" << 0 << 14 << "cmdOK" << "Alarm Status: 24 hour(s)" << 86400;
    QTest::newRow("code out of range kept") << "cmbAlNoti" << "timerinterval" << 20 << -1 << "cmdOK"
                                            << "Alarm Status: 0 minutes" << 0;
    QTest::newRow("startup alarm") << "cmbAlarmStartup" << "startupalarm" << 1 << 0 << "cmdOK" << hour << 3600;
    QTest::newRow("automatic history") << "cmbAutoAddHst" << "AutoAddhstOn" << 0 << 1 << "cmdOK" << hour << 3600;
    QTest::newRow("history warning") << "cmbAutoAddHstWarn" << "AutoAddHstWarn" << 0 << 1 << "cmdOK" << hour << 3600;
    QTest::newRow("Cancel") << "cmbAlNoti" << "timerinterval" << 7 << 8 << "cmdCancel" << hour << 0;
    QTest::newRow("Esc") << "cmbAlNoti" << "timerinterval" << 7 << 8 << "Esc" << hour << 0;
}

void TestMaintenance::optionsRoundTrip()
{
    QFETCH(QString, control);
    QFETCH(QString, field);
    QFETCH(int, stored);
    QFETCH(int, chosen);
    QFETCH(QString, button);
    QFETCH(QString, status);
    QFETCH(int, nextCheckSecs);
    TestWorld world;
    frmmain main;
    main.load();
    Execute(db(), QStringLiteral("UPDATE settings SET %1 = ?").arg(field), {stored});
    LoadSettings(db());
    const QString others = settingsRow(field);
    QPointer<frmGenOpts> options = openOptions(main);
    auto *list = options->findChild<QComboBox *>(control);
    QCOMPARE(list->currentIndex(), chosen >= 0 ? stored : -1);
    if (chosen >= 0)
        list->setCurrentIndex(chosen);
    Clock::setFixed(TestWorld::Now.addSecs(90)); // OK takes effect when pressed
    if (button == u"Esc")
        QTest::keyClick(options, Qt::Key_Escape);
    else
        QTest::mouseClick(options->findChild<QPushButton *>(button), Qt::LeftButton);
    Clock::setFixed(TestWorld::Now);
    QTRY_VERIFY(!options); // gone, so the next Options > General reads afresh
    // OK stores the list position in this field and changes no other; Cancel stores nothing.
    const bool ok = button == u"cmdOK";
    QCOMPARE(world.scalar(QStringLiteral("SELECT %1 FROM settings").arg(field)),
             QVariant(ok && chosen >= 0 ? chosen : stored));
    QCOMPARE(settingsRow(field), others);
    QCOMPARE(main.panelText(2), status);
    if (ok)
        QCOMPARE(gv().NextAlarmCheck, TestWorld::Now.addSecs(90 + nextCheckSecs));
}

void TestMaintenance::dependentChoices()
{
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE settings SET AutoAddhstOn = 0, AutoAddHstWarn = 1, timerinterval = 8"));
    frmmain main;
    main.load();
    frmGenOpts *options = openOptions(main);
    // History off: the warning shows NO and is locked, whatever the row held.
    QVERIFY(options->cmbAutoAddHstWarn->currentIndex() == 0 && !options->cmbAutoAddHstWarn->isEnabled());
    options->cmbAutoAddHst->setCurrentIndex(1);
    QVERIFY(options->cmbAutoAddHstWarn->isEnabled());
    options->cmbAutoAddHstWarn->setCurrentIndex(1);
    options->cmbAutoAddHst->setCurrentIndex(0);
    QVERIFY(options->cmbAutoAddHstWarn->currentIndex() == 0 && !options->cmbAutoAddHstWarn->isEnabled());
    // Both alarms NO: notification OFF, and it stays OFF when one comes back.
    options->cmbSvcAl->setCurrentIndex(0);
    QCOMPARE(options->cmbAlNoti->currentText(), QStringLiteral("2 hours"));
    options->cmbOrAl->setCurrentIndex(0);
    options->cmbSvcAl->setCurrentIndex(1);
    QCOMPARE(options->cmbAlNoti->currentText(), QStringLiteral("OFF"));
    QTest::mouseClick(options->cmdOK, Qt::LeftButton);
    QCOMPARE(world.scalar(QStringLiteral("SELECT AutoAddHstWarn || AutoAddhstOn || timerinterval FROM settings")),
             QVariant(QStringLiteral("000")));
    QCOMPARE(main.panelText(2), QStringLiteral("Alarm Status: OFF"));
}

void TestMaintenance::backupIntervalBox_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message"); // empty: written and closed
    QTest::newRow("fourth digit refused") << "7" << "12345" << "" << "123" << "";
    QTest::newRow("letters refused") << "7" << "a1/b2" << "" << "12" << "";
    QTest::newRow("backspace at three") << "7" << "123\b4" << "" << "124" << "";
    QTest::newRow("four digits pasted") << "7" << "" << "1234" << "1234" << "";
    QTest::newRow("five digits pasted") << "7" << "" << "12345" << "12345" << "Backup interval is too large";
    QTest::newRow("text paste refused, empty box")
        << "7" << "" << "12a" << "" << "Please enter the backup interval in days";
    QTest::newRow("stored text") << "week" << "" << "" << "week"
                                 << "The backup interval must be a whole number of days";
}

void TestMaintenance::backupIntervalBox()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE settings SET backupinterval = ?"), {stored});
    frmGenOpts *options = showGeneralOptions();
    QLineEdit *box = options->txtBackup;
    QCOMPARE(box->text(), stored);
    if (!typed.isEmpty() || !pasted.isEmpty())
        box->clear();
    QTest::keyClicks(box, typed);
    if (!pasted.isEmpty()) {
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keySequence(box, QKeySequence::Paste);
    }
    QCOMPARE(box->text(), shown);
    QTest::mouseClick(options->cmdOK, Qt::LeftButton);
    // A refused interval writes nothing and keeps what the user typed.
    QCOMPARE(MessageBox::shownTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(options->isVisible(), !message.isEmpty());
    QCOMPARE(box->text(), shown);
    QCOMPARE(world.scalar(QStringLiteral("SELECT backupinterval FROM settings")).toString(),
             message.isEmpty() ? QString::number(shown.toInt()) : stored);
}

void TestMaintenance::reminderAtStart_data()
{
    QTest::addColumn<QVariant>("backupDate");
    QTest::addColumn<QVariant>("interval");
    QTest::addColumn<int>("day"); // after 2026-12-06
    QTest::addColumn<int>("answer"); // 0: not asked
    QTest::addColumn<QString>("target"); // for the save dialog; empty cancels it
    QTest::addColumn<QVariant>("nextDate");
    const QVariant week = 7, today = QStringLiteral("2026-12-06"), nextWeek = QStringLiteral("2026-12-13");
    const int no = MessageBox::No, yes = MessageBox::Yes;
    QTest::newRow("due, No") << today << week << 0 << no << "" << nextWeek;
    QTest::newRow("sixth day after") << nextWeek << week << 6 << 0 << "" << nextWeek;
    QTest::newRow("seventh day after") << nextWeek << week << 7 << no << "" << QVariant("2026-12-20");
    QTest::newRow("overdue") << QVariant("2026-10-01") << week << 0 << no << "" << nextWeek;
    QTest::newRow("Yes, dialog cancelled") << today << week << 0 << yes << "" << nextWeek;
    QTest::newRow("Yes, backed up") << today << week << 0 << yes << "Backup/start.mdb" << nextWeek;
    QTest::newRow("null date never due") << QVariant() << week << 0 << 0 << "" << QVariant();
    QTest::newRow("empty date never due") << QVariant("") << week << 0 << 0 << "" << QVariant("");
    QTest::newRow("unreadable date is due") << QVariant("soon") << week << 0 << no << "" << nextWeek;
    QTest::newRow("empty interval: 0 days") << today << QVariant("") << 0 << no << "" << today;
    QTest::newRow("text interval: 0 days") << today << QVariant("week") << 0 << no << "" << today;
    QTest::newRow("null interval: 0 days") << today << QVariant() << 0 << no << "" << today;
    QTest::newRow("negative interval: 0 days") << today << QVariant(-3) << 0 << no << "" << today;
}

void TestMaintenance::reminderAtStart()
{
    QFETCH(QVariant, backupDate);
    QFETCH(QVariant, interval);
    QFETCH(int, day);
    QFETCH(int, answer);
    QFETCH(QString, target);
    QFETCH(QVariant, nextDate);
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE settings SET backupdate = ?, backupinterval = ?"), {backupDate, interval});
    Clock::setFixed(TestWorld::Now.addDays(day));
    QDir(world.folder()).mkpath(QStringLiteral("Backup"));
    MessageBox::setNextAnswer(MessageBox::Button(answer));
    FileDialog::setNextPath(target.isEmpty() ? QString() : world.folder() + u'/' + target);
    m_ended = 0;
    auto *splash = new frmSplash;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<frmSplash> alive = splash;
    QPointer<frmmain> main;
    connect(splash, &frmSplash::mainWindowShown, this, [&](frmmain *shown) { main = shown; });
    splash->show();
    splash->PerformChecks();
    Clock::setFixed(TestWorld::Now);
    const bool backedUp = !target.isEmpty();
    const QStringList reminder = {
        QStringLiteral("Backup is scheduled for today.\r\nWould you like to backup database now?"),
        QStringLiteral("Will prompt for backup again in %1 days.").arg(interval == QVariant(7) ? 7 : 0)};
    QCOMPARE(MessageBox::shownTexts(),
             (answer ? reminder : QStringList()) + (backedUp ? QStringList{BackupDone} : QStringList()));
    QVERIFY(main);
    QCOMPARE(main->isVisible(), !backedUp);
    // Held off while the backup runs, and on again when it does not take place.
    QCOMPARE(main->findChild<QTimer *>(QStringLiteral("Timer2"))->isActive(), !backedUp);
    QCOMPARE(m_ended, backedUp ? 1 : 0);
    QCOMPARE(DatabaseIsOpen(), !backedUp);
    QTRY_VERIFY(!alive);
    if (backedUp) {
        QCOMPARE(DatabaseFiles::checkDatabaseFile(world.folder() + u'/' + target), QString());
        QVERIFY(OpenDatabase());
    }
    QCOMPARE(world.scalar(QStringLiteral("SELECT backupdate FROM settings")), nextDate);
}

void TestMaintenance::fileCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file"); // in the application folder; empty cancels the dialog
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("messages"); // each shown text starts with its entry
    const QString overwrite = QStringLiteral("File already exsists; It will be overwritten");
    const QString failed = QStringLiteral("The file could not be copied: ");
    const QString own = QStringLiteral("The database in use cannot be its own backup; please choose another file");
    const QString invalid = QStringLiteral("Invalid path/file name");
    const int ok = MessageBox::Ok;
    auto backup = [](const char *name, const char *file, const char *kind, int answer, const QStringList &messages) {
        QTest::newRow(name) << "mnuBackup" << file << kind << answer << messages;
    };
    backup("new file", "Backup/new.mdb", "", 0, {BackupDone});
    backup("existing, OK", "Backup/old.mdb", "old", ok, {overwrite, BackupDone});
    backup("existing, Cancel", "Backup/old.mdb", "old", MessageBox::Cancel, {overwrite});
    backup("empty file asks nothing", "Backup/empty.mdb", "zero-length", 0, {BackupDone});
    backup("cancelled dialog", "", "", 0, {});
    backup("working file", "main.mdb", "", 0, {own});
    backup("working file, other path", "Backup/../main.mdb", "", 0, {own});
    backup("missing folder", "Gone/new.mdb", "", 0, {failed});
    backup("a folder", "Backup", "", 0, {failed});
    backup("damaged working file", "Backup/old.mdb", "damaged working file", ok,
           {overwrite, QStringLiteral("The backup failed its check and was removed: ")});
    for (const char *kind : {"missing", "zero-length", "plain SQLite", "random bytes", "wrong key", "no tables",
                             "damaged copy"})
        QTest::newRow(kind) << "mnuOpenDbase" << "Backup/chosen.mdb" << kind << 0 << QStringList{invalid};
    QTest::newRow("open the working file") << "mnuOpenDbase" << "Backup/chosen.mdb" << "link to working file" << 0
                                           << QStringList{QStringLiteral("This file is the database in use; please choose another file")};
    QTest::newRow("open a backup") << "mnuOpenDbase" << "Backup/chosen.mdb" << "backup" << 0 << QStringList{SwitchDone};
}

void TestMaintenance::fileCommands()
{
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QFETCH(int, answer);
    QFETCH(QStringList, messages);
    TestWorld world;
    const QString path = file.isEmpty() ? QString() : world.folder() + u'/' + file;
    QDir(world.folder()).mkpath(QStringLiteral("Backup"));
    world.addItem(0, {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    if (kind == u"old" || kind == u"zero-length" || kind == u"damaged working file") {
        writeBytes(path, kind == u"old" || kind.startsWith(u"damaged") ? "old" : "");
    } else if (kind == u"plain SQLite") {
        writeForeignDatabase(path, {}, "CREATE TABLE main (ID INTEGER)");
    } else if (kind == u"random bytes") {
        QByteArray noise(8192, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        writeBytes(path, noise);
    } else if (kind == u"wrong key" || kind == u"backup") {
        QVERIFY(createDatabaseFile(path, true, Clock::today(), nullptr));
        if (kind == u"wrong key")
            writeForeignDatabase(path, QByteArray(Database::Key), "PRAGMA rekey = 'another'");
    } else if (kind == u"no tables") {
        writeForeignDatabase(path, QByteArray(Database::Key), "CREATE TABLE other (x)");
    } else if (kind == u"link to working file") {
        QVERIFY(QFile::link(world.databasePath(), path));
    }
    if (kind.startsWith(u"damaged"))
        damagedCopy(world, kind == u"damaged copy" ? path : world.databasePath());
    const QByteArray working = bytesOf(world.databasePath());
    const QByteArray before = bytesOf(path);
    frmmain main;
    main.show();
    FileDialog::setNextPath(path);
    MessageBox::setNextAnswer(MessageBox::Button(answer));
    m_ended = 0;
    main.action(command)->trigger();

    const QStringList shown = MessageBox::shownTexts();
    QCOMPARE(shown.size(), messages.size());
    for (int i = 0; i < shown.size(); ++i)
        QVERIFY2(shown.at(i).startsWith(messages.at(i)), qPrintable(shown.at(i)));
    const bool done = messages.contains(BackupDone) || messages.contains(SwitchDone);
    QCOMPARE(m_ended, done ? 1 : 0);
    QCOMPARE(main.isVisible(), !done);
    QCOMPARE(DatabaseIsOpen(), !done);
    QVERIFY(noLeftovers(world.folder()) && noLeftovers(AppPaths::backupFolder()));
    if (command == u"mnuOpenDbase" || !done)
        QCOMPARE(bytesOf(path), before); // a file to open is only read; a refused target kept
    if (done && command == u"mnuBackup")
        QCOMPARE(DatabaseFiles::checkDatabaseFile(path), QString());
    if (!done)
        QCOMPARE(bytesOf(world.databasePath()), working);
    // Restarted when the program ended: a backup left the items, a switch shows the other file's.
    if (done)
        QVERIFY(OpenDatabase());
    if (kind != u"damaged working file") // its bad page cannot be read
        QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM main WHERE Name = 'Pump'")),
             QVariant(done && command == u"mnuOpenDbase" ? 0 : 1));
}

void TestMaintenance::failureAfterCloseReopens_data()
{
    QTest::addColumn<bool>("backup"); // or a switch to the file in the backup folder
    QTest::addColumn<int>("backupFolderMode");
    QTest::addColumn<int>("appFolderMode");
    // A sticky folder lets the user make files but not replace another user's: the copy is
    // made and checked, and only the rename after the close fails.
    QTest::newRow("read-only backup folder") << true << 0555 << 0777;
    QTest::newRow("backup over another user's file") << true << 01777 << 0777;
    QTest::newRow("switch over another user's file") << false << 0755 << 01777;
}

void TestMaintenance::failureAfterCloseReopens()
{
    QFETCH(bool, backup);
    QFETCH(int, backupFolderMode);
    QFETCH(int, appFolderMode);
    if (geteuid() != 0 && backupFolderMode != 0555)
        QSKIP("acting as another user needs root");
    TestWorld world;
    world.addItem(0, {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    const QString target = world.folder() + QStringLiteral("/Backup/old.mdb");
    QDir(world.folder()).mkpath(QStringLiteral("Backup"));
    CloseDatabase();
    QVERIFY(QFile::copy(world.databasePath(), target));
    const QByteArray working = bytesOf(world.databasePath());
    const QByteArray old = bytesOf(target);
    chmod(QFile::encodeName(world.folder()).constData(), appFolderMode);
    chmod(QFile::encodeName(world.databasePath()).constData(), 0666);
    chmod(QFile::encodeName(AppPaths::backupFolder()).constData(), backupFolderMode);
    const int code = asNobody([&] {
        if (!OpenDatabase())
            return 1;
        const DatabaseFiles::Result result = backup ? DatabaseFiles::backUp(target) : DatabaseFiles::switchTo(target);
        if (result.outcome != DatabaseFiles::Outcome::CopyFailed || !result.reopened)
            return 2;
        return world.scalar(QStringLiteral("SELECT Name FROM main")) == QVariant("Pump") ? 0 : 3;
    });
    chmod(QFile::encodeName(world.folder()).constData(), 0700);
    chmod(QFile::encodeName(AppPaths::backupFolder()).constData(), 0755);
    QCOMPARE(code, 0);
    QCOMPARE(bytesOf(world.databasePath()), working);
    QCOMPARE(bytesOf(target), old);
    QVERIFY(noLeftovers(world.folder()) && noLeftovers(AppPaths::backupFolder()));
    QVERIFY(OpenDatabase());
}

QTEST_MAIN(TestMaintenance)
#include "test_maintenance.moc"
