// The options window, the backup reminder, and backups and database switches on real files.

#include "TestSupport.h"

#include "core/data/AppPaths.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "core/data/NewDatabase.h"
#include "core/data/Settings.h"
#include "core/maintenance/BackupReminder.h"
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

#include <functional>

using DatabaseFiles::Outcome;

class TestMaintenance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup() { closeAllWindows(); }

    void optionsRoundTrip_data();
    void optionsRoundTrip();
    void dependentChoices();
    void statusAfterOkOrCancel_data();
    void statusAfterOkOrCancel();
    void backupIntervalBox_data();
    void backupIntervalBox();

    void reminderReadsStoredValues_data();
    void reminderReadsStoredValues();
    void reminderAtStart();
    void reminderYes_data();
    void reminderYes();

    void backupCommand_data();
    void backupCommand();
    void damagedDatabaseGivesNoBackup();
    void openDatabaseRefuses_data();
    void openDatabaseRefuses();
    void openDatabaseSwitches();
    void failedRenameOrFolderReopens_data();
    void failedRenameOrFolderReopens();

private:
    int m_ended = 0;
};

namespace {

const QString BackupDone = QStringLiteral("Program must be restarted for integrity check; Shutting down now");
const QString SwitchDone = QStringLiteral("Program must be restarted for changes to commit; Shutting down now");

QVariantMap settingsRow()
{
    Recordset row(db(), QStringLiteral("SELECT * FROM settings"));
    QVariantMap values;
    for (const char *field : {"startupalarm", "timerinterval", "AutoAddHstWarn", "AutoAddhstOn", "alservicedisabled",
                              "alorderdisabled", "backupinterval", "backupdate"})
        values.insert(QString::fromLatin1(field), row.value(QString::fromLatin1(field)));
    return values;
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

// Temporary copies left behind in a folder ("main.mdb.Ab12Cd").
QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.??????")}, QDir::Files | QDir::Hidden);
}

QStringList itemNames()
{
    QStringList names;
    Recordset items(db(), QStringLiteral("SELECT Name FROM main ORDER BY Name"));
    for (; !items.eof(); items.moveNext())
        names << items.text(QStringLiteral("Name"));
    return names;
}

// A file SQLite writes without the program's key (key empty: a plain SQLite file).
void writeForeignDatabase(const QString &path, const QByteArray &key, const char *sql)
{
    sqlite3 *handle = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &handle), SQLITE_OK);
    if (!key.isEmpty())
        sqlite3_key(handle, key.constData(), int(key.size()));
    QCOMPARE(sqlite3_exec(handle, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(handle);
}

// Enough rows for many pages.
void fillPages(TestWorld &world)
{
    Transaction transaction(db());
    for (int i = 0; i < 150; ++i)
        world.addItem(0, {{QStringLiteral("Name"), QStringLiteral("Item %1").arg(i)},
                          {QStringLiteral("hazmat"), QString(400, QChar(u'a' + i % 26))}});
    transaction.commit();
}

// One byte changed in the middle of a closed file: a data page that opening never reads.
void damagePage(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(file.size() / 2));
    const char byte = file.peek(1).at(0);
    file.write(QByteArray(1, char(byte ^ 0x5a)));
}

// Runs work in a child process as the unprivileged user 65534 (or here, when not root) and
// gives its exit code.
int asNobody(const std::function<int()> &work)
{
    if (geteuid() != 0)
        return work();
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(100);
        _exit(work());
    }
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
        if (main)
            main->close();
    });
}

void TestMaintenance::optionsRoundTrip_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("chosen"); // -1: nothing chosen
    QTest::newRow("service alarms") << "cmbSvcAl" << "alservicedisabled" << 1 << 0;
    QTest::newRow("order alarms") << "cmbOrAl" << "alorderdisabled" << 0 << 1;
    QTest::newRow("2 hours") << "cmbAlNoti" << "timerinterval" << 7 << 8;
    QTest::newRow("24 hours") << "cmbAlNoti" << "timerinterval" << 0 << 14;
    QTest::newRow("code out of range kept") << "cmbAlNoti" << "timerinterval" << 20 << -1;
    QTest::newRow("startup alarm") << "cmbAlarmStartup" << "startupalarm" << 1 << 0;
    QTest::newRow("automatic history") << "cmbAutoAddHst" << "AutoAddhstOn" << 0 << 1;
    QTest::newRow("history warning") << "cmbAutoAddHstWarn" << "AutoAddHstWarn" << 0 << 1;
}

void TestMaintenance::optionsRoundTrip()
{
    QFETCH(QString, control);
    QFETCH(QString, field);
    QFETCH(int, stored);
    QFETCH(int, chosen);
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE settings SET %1 = ?").arg(field), {stored});
    LoadSettings(db());
    QVariantMap expected = settingsRow();
    frmmain main;
    main.load();
    frmGenOpts *options = openOptions(main);
    QVERIFY(options);
    auto *list = options->findChild<QComboBox *>(control);
    QVERIFY(list);
    QCOMPARE(list->currentIndex(), chosen >= 0 ? stored : -1);
    if (chosen >= 0)
        list->setCurrentIndex(chosen);
    QTest::mouseClick(options->cmdOK, Qt::LeftButton);
    expected[field] = chosen >= 0 ? chosen : stored;
    QCOMPARE(settingsRow(), expected);
    QVERIFY(!options->isVisible());
}

void TestMaintenance::dependentChoices()
{
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE settings SET AutoAddhstOn = 0, AutoAddHstWarn = 1, timerinterval = 8"));
    frmmain main;
    main.load();
    frmGenOpts *options = openOptions(main);
    // History off: the warning shows NO and is locked, whatever the row held.
    QCOMPARE(options->cmbAutoAddHstWarn->currentText(), QStringLiteral("NO"));
    QVERIFY(!options->cmbAutoAddHstWarn->isEnabled());
    options->cmbAutoAddHst->setCurrentIndex(1);
    QVERIFY(options->cmbAutoAddHstWarn->isEnabled());
    options->cmbAutoAddHstWarn->setCurrentIndex(1);
    options->cmbAutoAddHst->setCurrentIndex(0);
    QCOMPARE(options->cmbAutoAddHstWarn->currentIndex(), 0);
    QVERIFY(!options->cmbAutoAddHstWarn->isEnabled());
    // Both alarms NO: notification OFF, and it stays OFF when one comes back.
    options->cmbSvcAl->setCurrentIndex(0);
    QCOMPARE(options->cmbAlNoti->currentText(), QStringLiteral("2 hours"));
    options->cmbOrAl->setCurrentIndex(0);
    QCOMPARE(options->cmbAlNoti->currentText(), QStringLiteral("OFF"));
    options->cmbSvcAl->setCurrentIndex(1);
    QCOMPARE(options->cmbAlNoti->currentIndex(), 0);
    QTest::mouseClick(options->cmdOK, Qt::LeftButton);
    QCOMPARE(world.scalar(QStringLiteral("SELECT AutoAddHstWarn || AutoAddhstOn || timerinterval FROM settings")),
             QVariant(QStringLiteral("000")));
    QCOMPARE(main.panelText(2), QStringLiteral("Alarm Status: OFF"));
}

void TestMaintenance::statusAfterOkOrCancel_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("nextCheckSecs");
    QTest::newRow("OFF") << 0 << "cmdOK" << "Alarm Status: OFF" << 0;
    QTest::newRow("10 minutes") << 2 << "cmdOK" << "Alarm Status: 10 minutes" << 600;
    QTest::newRow("2 hours") << 8 << "cmdOK" << "Alarm Status: 2 hour(s)" << 7200;
    QTest::newRow("cancel") << 8 << "cmdCancel" << "Alarm Status: 1 hour(s)" << 3600;
    QTest::newRow("Esc") << 8 << "Esc" << "Alarm Status: 1 hour(s)" << 3600;
}

void TestMaintenance::statusAfterOkOrCancel()
{
    QFETCH(int, position);
    QFETCH(QString, button);
    QFETCH(QString, status);
    QFETCH(int, nextCheckSecs);
    TestWorld world;
    frmmain main;
    main.load();
    const QVariantMap before = settingsRow();
    frmGenOpts *options = openOptions(main);
    QPointer<frmGenOpts> alive = options;
    options->cmbAlNoti->setCurrentIndex(position);
    options->cmbSvcAl->setCurrentIndex(0);
    options->cmbAlarmStartup->setCurrentIndex(0);
    options->txtBackup->setText(QStringLiteral("30"));
    Clock::setFixed(TestWorld::Now.addSecs(90));
    if (button == u"Esc")
        QTest::keyClick(options, Qt::Key_Escape);
    else
        QTest::mouseClick(options->findChild<QPushButton *>(button), Qt::LeftButton);
    Clock::setFixed(TestWorld::Now);
    QTRY_VERIFY(!alive); // gone, so the next Options > General reads afresh
    QCOMPARE(main.panelText(2), status);
    QCOMPARE(gv().timerinterval, button == u"cmdOK" ? position : 7);
    if (button == u"cmdOK") {
        QCOMPARE(gv().NextAlarmCheck, TestWorld::Now.addSecs(90 + nextCheckSecs));
        QCOMPARE(world.scalar(QStringLiteral("SELECT backupinterval FROM settings")), QVariant(30));
    } else {
        QCOMPARE(settingsRow(), before);
    }
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
    if (message.isEmpty()) {
        QVERIFY(!options->isVisible());
        QCOMPARE(world.scalar(QStringLiteral("SELECT backupinterval FROM settings")), QVariant(shown.toInt()));
    } else {
        // Nothing written, nothing the user typed lost.
        QCOMPARE(MessageBox::shownTexts(), QStringList{message});
        QVERIFY(options->isVisible());
        QCOMPARE(box->text(), shown);
        QCOMPARE(world.scalar(QStringLiteral("SELECT backupinterval FROM settings")).toString(), stored);
    }
}

void TestMaintenance::reminderReadsStoredValues_data()
{
    QTest::addColumn<QVariant>("date");
    QTest::addColumn<QVariant>("interval");
    QTest::addColumn<bool>("due");
    QTest::addColumn<int>("days");
    QTest::newRow("due today") << QVariant("2026-12-06") << QVariant(7) << true << 7;
    QTest::newRow("overdue") << QVariant("2026-10-31") << QVariant(30) << true << 30;
    QTest::newRow("tomorrow") << QVariant("2026-12-07") << QVariant(7) << false << 7;
    QTest::newRow("null date never due") << QVariant() << QVariant(7) << false << 7;
    QTest::newRow("empty date never due") << QVariant("") << QVariant(7) << false << 7;
    QTest::newRow("unreadable date is due") << QVariant("soon") << QVariant(7) << true << 7;
    QTest::newRow("empty interval") << QVariant("2026-12-06") << QVariant("") << true << 0;
    QTest::newRow("text interval") << QVariant("2026-12-06") << QVariant("week") << true << 0;
    QTest::newRow("null interval") << QVariant("2026-12-06") << QVariant() << true << 0;
    QTest::newRow("negative interval") << QVariant("2026-12-06") << QVariant(-3) << true << 0;
}

void TestMaintenance::reminderReadsStoredValues()
{
    QFETCH(QVariant, date);
    QFETCH(QVariant, interval);
    QFETCH(bool, due);
    QFETCH(int, days);
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE settings SET backupdate = ?, backupinterval = ?"), {date, interval});
    const BackupReminder::Check check = BackupReminder::check(db(), Clock::today());
    QCOMPARE(check.due, due);
    QCOMPARE(check.days, days);
    BackupReminder::moveOn(db(), Clock::today(), check.days);
    QCOMPARE(world.scalar(QStringLiteral("SELECT backupdate FROM settings")),
             QVariant(Clock::today().addDays(days).toString(Qt::ISODate)));
}

void TestMaintenance::reminderAtStart()
{
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE settings SET backupdate = '2026-12-06', backupinterval = 7"));
    const QStringList reminder = {BackupReminder::question(), QStringLiteral("Will prompt for backup again in 7 days.")};
    // Answered No today; the starts of the next six days show nothing, the seventh asks again.
    for (const int day : {0, 6, 7}) {
        Clock::setFixed(TestWorld::Now.addDays(day));
        MessageBox::clearShown();
        auto *splash = new frmSplash;
        splash->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<frmSplash> alive = splash;
        frmmain *main = nullptr;
        connect(splash, &frmSplash::mainWindowShown, this, [&](frmmain *shown) { main = shown; });
        splash->PerformChecks();
        QCOMPARE(MessageBox::shownTexts(), day == 6 ? QStringList() : reminder);
        QVERIFY(main && main->isVisible());
        QVERIFY(main->findChild<QTimer *>(QStringLiteral("Timer2"))->isActive());
        QTRY_VERIFY(!alive);
        QCOMPARE(world.scalar(QStringLiteral("SELECT backupdate FROM settings")),
                 QVariant(day == 7 ? QStringLiteral("2026-12-20") : QStringLiteral("2026-12-13")));
        delete main;
    }
    Clock::setFixed(TestWorld::Now);
    QCOMPARE(BackupReminder::question(),
             QStringLiteral("Backup is scheduled for today.\r\nWould you like to backup database now?"));
}

void TestMaintenance::reminderYes_data()
{
    QTest::addColumn<QString>("target"); // empty: the save dialog is cancelled
    QTest::newRow("cancelled") << "";
    QTest::newRow("backed up") << "Backup/start.mdb";
}

void TestMaintenance::reminderYes()
{
    QFETCH(QString, target);
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE settings SET backupdate = '2026-12-01', backupinterval = 10"));
    QDir(world.folder()).mkpath(QStringLiteral("Backup"));
    MessageBox::setNextAnswer(MessageBox::Yes);
    FileDialog::setNextPath(target.isEmpty() ? QString() : world.folder() + u'/' + target);
    m_ended = 0;
    frmSplash splash;
    frmmain *main = nullptr;
    connect(&splash, &frmSplash::mainWindowShown, this, [&](frmmain *shown) { main = shown; });
    splash.PerformChecks();
    QVERIFY(main);
    QTimer *timer2 = main->findChild<QTimer *>(QStringLiteral("Timer2"));
    if (target.isEmpty()) {
        QCOMPARE(m_ended, 0);
        QVERIFY(main->isVisible() && timer2->isActive() && DatabaseIsOpen());
        QCOMPARE(world.scalar(QStringLiteral("SELECT backupdate FROM settings")), QVariant("2026-12-16"));
    } else {
        QCOMPARE(m_ended, 1);
        QCOMPARE(MessageBox::lastText(), BackupDone);
        QVERIFY(!main->isVisible() && !timer2->isActive() && !DatabaseIsOpen());
        QCOMPARE(DatabaseFiles::checkDatabaseFile(world.folder() + u'/' + target), QString());
        QVERIFY(OpenDatabase());
        QCOMPARE(world.scalar(QStringLiteral("SELECT backupdate FROM settings")), QVariant("2026-12-16"));
    }
}

void TestMaintenance::backupCommand_data()
{
    QTest::addColumn<QString>("target"); // in the application folder; empty cancels the dialog
    QTest::addColumn<QByteArray>("existing"); // null: no such file
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("messages"); // each shown text starts with its entry
    const QString overwrite = QStringLiteral("File already exsists; It will be overwritten");
    const QString failed = QStringLiteral("The file could not be copied: ");
    const QString own = QStringLiteral("The database in use cannot be its own backup; please choose another file");
    QTest::newRow("new file") << "Backup/new.mdb" << QByteArray() << 0 << QStringList{BackupDone};
    QTest::newRow("existing, OK") << "Backup/old.mdb" << QByteArray("old") << int(MessageBox::Ok)
                                  << QStringList{overwrite, BackupDone};
    QTest::newRow("existing, Cancel") << "Backup/old.mdb" << QByteArray("old") << int(MessageBox::Cancel)
                                      << QStringList{overwrite};
    QTest::newRow("empty file asks nothing") << "Backup/empty.mdb" << QByteArray("") << 0 << QStringList{BackupDone};
    QTest::newRow("cancelled dialog") << "" << QByteArray() << 0 << QStringList();
    QTest::newRow("working file") << "main.mdb" << QByteArray() << 0 << QStringList{own};
    QTest::newRow("working file, other path") << "Backup/../main.mdb" << QByteArray() << 0 << QStringList{own};
    QTest::newRow("missing folder") << "Gone/new.mdb" << QByteArray() << 0 << QStringList{failed};
    QTest::newRow("a folder") << "Backup" << QByteArray() << 0 << QStringList{failed};
}

void TestMaintenance::backupCommand()
{
    QFETCH(QString, target);
    QFETCH(QByteArray, existing);
    QFETCH(int, answer);
    QFETCH(QStringList, messages);
    TestWorld world;
    world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    frmmain main;
    main.load();
    main.show();
    const QString path = target.isEmpty() ? QString() : world.folder() + u'/' + target;
    if (!existing.isNull())
        writeBytes(path, existing);
    FileDialog::setNextPath(path);
    MessageBox::setNextAnswer(MessageBox::Button(answer));
    m_ended = 0;
    main.action(QStringLiteral("mnuBackup"))->trigger();

    const QStringList shown = MessageBox::shownTexts();
    QCOMPARE(shown.size(), messages.size());
    for (int i = 0; i < shown.size(); ++i)
        QVERIFY2(shown.at(i).startsWith(messages.at(i)), qPrintable(shown.at(i)));
    const bool done = messages.contains(BackupDone);
    QCOMPARE(m_ended, done ? 1 : 0);
    QCOMPARE(main.isVisible(), !done);
    QCOMPARE(DatabaseIsOpen(), !done);
    if (done)
        QCOMPARE(DatabaseFiles::checkDatabaseFile(path), QString());
    else if (!existing.isNull())
        QCOMPARE(bytesOf(path), existing);
    QVERIFY(leftovers(world.folder()).isEmpty() && leftovers(AppPaths::backupFolder()).isEmpty());
    // The working database is whole and writable, after a restart when the program ended.
    if (done)
        QVERIFY(OpenDatabase());
    world.addItem(0, {{QStringLiteral("Name"), QStringLiteral("Valve")}});
    QCOMPARE(itemNames(), QStringList({QStringLiteral("Pump"), QStringLiteral("Valve")}));
}

void TestMaintenance::damagedDatabaseGivesNoBackup()
{
    // A working file with a bad page still opens; its copy fails the check and an older
    // backup at the target is kept.
    TestWorld world;
    fillPages(world);
    CloseDatabase();
    damagePage(world.databasePath());
    QVERIFY(OpenDatabase());
    frmmain main;
    QDir(world.folder()).mkpath(QStringLiteral("Backup"));
    const QString target = AppPaths::backupFolder() + QStringLiteral("/last.mdb");
    writeBytes(target, "older backup");
    FileDialog::setNextPath(target);
    MessageBox::setNextAnswer(MessageBox::Ok);
    m_ended = 0;
    main.action(QStringLiteral("mnuBackup"))->trigger();
    QVERIFY2(MessageBox::lastText().startsWith(QStringLiteral("The backup failed its check and was removed: ")),
             qPrintable(MessageBox::lastText()));
    QCOMPARE(m_ended, 0);
    QVERIFY(DatabaseIsOpen());
    QCOMPARE(bytesOf(target), QByteArray("older backup"));
    QVERIFY(leftovers(AppPaths::backupFolder()).isEmpty());
}

void TestMaintenance::openDatabaseRefuses_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    const QString invalid = QStringLiteral("Invalid path/file name");
    for (const char *kind : {"missing", "zero-length", "plain SQLite", "random bytes", "wrong key", "no tables",
                             "damaged copy"})
        QTest::newRow(kind) << kind << invalid;
    QTest::newRow("working file") << "working file"
                                  << "This file is the database in use; please choose another file";
}

void TestMaintenance::openDatabaseRefuses()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    TestWorld world;
    const QString source = world.folder() + QStringLiteral("/Backup/chosen.mdb");
    QDir(world.folder()).mkpath(QStringLiteral("Backup"));
    if (kind == u"zero-length") {
        writeBytes(source, "");
    } else if (kind == u"plain SQLite") {
        writeForeignDatabase(source, {}, "CREATE TABLE main (ID INTEGER)");
    } else if (kind == u"random bytes") {
        QByteArray noise(8192, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        writeBytes(source, noise);
    } else if (kind == u"wrong key") {
        QVERIFY(createDatabaseFile(source, true, Clock::today(), nullptr));
        writeForeignDatabase(source, QByteArray(Database::Key), "PRAGMA rekey = 'another'");
    } else if (kind == u"no tables") {
        writeForeignDatabase(source, QByteArray(Database::Key), "CREATE TABLE other (x)");
    } else if (kind == u"damaged copy") {
        fillPages(world);
        CloseDatabase();
        QVERIFY(QFile::copy(world.databasePath(), source));
        damagePage(source);
        QVERIFY(OpenDatabase());
    } else if (kind == u"working file") {
        QVERIFY(QFile::link(world.databasePath(), source));
    }
    const QByteArray working = bytesOf(world.databasePath());
    const QByteArray chosen = bytesOf(source);
    frmmain main;
    main.load();
    main.show();
    FileDialog::setNextPath(source);
    m_ended = 0;
    main.action(QStringLiteral("mnuOpenDbase"))->trigger();
    QCOMPARE(MessageBox::shownTexts(), QStringList{message});
    QCOMPARE(m_ended, 0);
    QVERIFY(DatabaseIsOpen() && main.isVisible());
    QCOMPARE(bytesOf(world.databasePath()), working);
    QCOMPARE(bytesOf(source), chosen);
    QVERIFY(leftovers(world.folder()).isEmpty());
}

void TestMaintenance::openDatabaseSwitches()
{
    TestWorld world;
    world.addItem(0, {{QStringLiteral("Name"), QStringLiteral("Spare Pump")}});
    const QString source = world.folder() + QStringLiteral("/spare.mdb");
    CloseDatabase();
    QVERIFY(QFile::copy(world.databasePath(), source));
    QVERIFY(OpenDatabase());
    world.addItem(0, {{QStringLiteral("Name"), QStringLiteral("Working Only")}});
    const QByteArray chosen = bytesOf(source);
    frmmain main;
    main.load();
    main.show();
    FileDialog::setNextPath(source);
    m_ended = 0;
    main.action(QStringLiteral("mnuOpenDbase"))->trigger();
    QCOMPARE(MessageBox::shownTexts(), QStringList{SwitchDone});
    QCOMPARE(m_ended, 1);
    QVERIFY(!DatabaseIsOpen() && !main.isVisible());
    QCOMPARE(bytesOf(source), chosen);
    QVERIFY(leftovers(world.folder()).isEmpty());
    // The next start opens the chosen file.
    QVERIFY(OpenDatabase());
    QCOMPARE(itemNames(), QStringList{QStringLiteral("Spare Pump")});
}

void TestMaintenance::failedRenameOrFolderReopens_data()
{
    QTest::addColumn<bool>("backup"); // or a switch
    QTest::addColumn<int>("backupFolderMode");
    QTest::addColumn<int>("appFolderMode");
    // A sticky folder lets the user make files but not replace another user's: the copy is
    // made and checked, and only the rename after the close fails.
    QTest::newRow("read-only backup folder") << true << 0555 << 0777;
    QTest::newRow("backup over another user's file") << true << 01777 << 0777;
    QTest::newRow("switch over another user's file") << false << 0755 << 01777;
}

void TestMaintenance::failedRenameOrFolderReopens()
{
    QFETCH(bool, backup);
    QFETCH(int, backupFolderMode);
    QFETCH(int, appFolderMode);
    if (geteuid() != 0 && backupFolderMode != 0555)
        QSKIP("acting as another user needs root");
    TestWorld world;
    world.addItem(0, {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    const QString folder = world.folder();
    const QString backupFolder = AppPaths::backupFolder();
    const QString target = backupFolder + QStringLiteral("/old.mdb");
    QDir(folder).mkpath(QStringLiteral("Backup"));
    CloseDatabase();
    QVERIFY(QFile::copy(world.databasePath(), target));
    const QByteArray working = bytesOf(world.databasePath());
    const QByteArray old = bytesOf(target);
    chmod(QFile::encodeName(folder).constData(), appFolderMode);
    chmod(QFile::encodeName(world.databasePath()).constData(), 0666);
    chmod(QFile::encodeName(backupFolder).constData(), backupFolderMode);

    const int code = asNobody([&] {
        if (!OpenDatabase())
            return 1;
        const DatabaseFiles::Result result = backup ? DatabaseFiles::backUp(target) : DatabaseFiles::switchTo(target);
        if (result.outcome != Outcome::CopyFailed || !result.reopened || !DatabaseIsOpen())
            return 2;
        return itemNames() == QStringList{QStringLiteral("Pump")} ? 0 : 3;
    });
    chmod(QFile::encodeName(folder).constData(), 0700);
    chmod(QFile::encodeName(backupFolder).constData(), 0755);
    QCOMPARE(code, 0);
    QCOMPARE(bytesOf(world.databasePath()), working);
    QCOMPARE(bytesOf(target), old);
    QVERIFY(leftovers(folder).isEmpty() && leftovers(backupFolder).isEmpty());
    QVERIFY(OpenDatabase());
}

QTEST_MAIN(TestMaintenance)
#include "test_maintenance.moc"
