// The options window, the backup reminder, and backups and database switches on real files.

#include "TestSupport.h"

#include "core/alarms/AlarmSummary.h"
#include "core/db/Database.h"
#include "core/db/DatabaseCopy.h"
#include "core/db/NewDatabase.h"
#include "core/db/TableShapes.h"
#include "core/maintenance/DatabaseFiles.h"
#include "core/platform/SafeFile.h"
#include "core/settings/AppPaths.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/maintenance/OptionsDialog.h"
#include "gui/maintenance/ProgramEnd.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/SplashWindow.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/reports/ViewerClient.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestMaintenance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initTestEnvironment();
        initResources();
        ProgramEnd::setHandler([this](QWidget *main) { ++m_ended; main->close(); });
    }
    void init() { m_ended = 0; }
    void cleanup() { closeAllWindows(); }
    void optionsWindow();
    void optionsChangedElsewhere_data();
    void optionsChangedElsewhere();
    void backupIntervalBox();
    void reminderAtStart_data();
    void reminderAtStart();
    void fileCommands_data();
    void fileCommands();
    void switchFailingAfterTheCloseReopens();
    void backupCodeRefusesTheWorkingFileAndOnlyReadsTheCopy();
    void serverExportsInsteadOfBackingUp();
    void filesAndFoldersArePrivate_data();
    void filesAndFoldersArePrivate();

private:
    int m_ended = 0;
};

namespace {

const QString BackupDone = QStringLiteral("Program must be restarted for integrity check; Shutting down now");
const QString SwitchDone = QStringLiteral("Program must be restarted for changes to commit; Shutting down now");

// Options > General, once the window closed before is gone, so that it reads afresh.
OptionsDialog *openOptions(MainWindow &main)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main.action(QStringLiteral("mnuGeneral"))->trigger();
    return shownWindow<OptionsDialog>(); // the window exists once: this is the one just opened
}

// The settings row's options: the lists in the window's order, the notification code, the interval.
QString optionsRow(const TestWorld &world)
{
    const QString lists = u"alservicedisabled || alorderdisabled || startupalarm || AutoAddhstOn || AutoAddHstWarn"_s;
    return world.scalar(u"SELECT '' || %1 || ' ' || timerinterval || ' ' || backupinterval FROM settings"_s.arg(lists)).toString();
}

// No temporary copies left behind ("main.mdb.tarvo-Ab12Cd.tmp") in the folder and its Backup folder.
bool noLeftovers(const QString &folder)
{
    const QStringList pattern = {QStringLiteral("*.tarvo-*")};
    return QDir(folder).entryList(pattern, QDir::Files | QDir::Hidden).isEmpty()
        && QDir(folder + QStringLiteral("/Backup")).entryList(pattern, QDir::Files | QDir::Hidden).isEmpty();
}

void runOnFile(const QString &path, const char *sql)
{
    sqlite3 *handle = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &handle), SQLITE_OK);
    sqlite3_key(handle, Database::Key, int(qstrlen(Database::Key)));
    QCOMPARE(sqlite3_exec(handle, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(handle);
}

// Closes the database and changes one byte in the middle of a copy of it (or of the working
// file), within the pages of a long value that opening never reads.
void damagedCopy(TestWorld &world, const QString &path)
{
    world.addItem(0, {{"Name", "Filler"}, {"hazmat", QString(400000, u'x')}});
    closeWorkingDatabase();
    QVERIFY(path == world.databasePath() || QFile::copy(world.databasePath(), path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(file.size() / 2));
    file.write(QByteArray(1, char(file.peek(1).at(0) ^ 0x5a)));
    file.close();
    QVERIFY(openWorkingDatabase());
}

} // namespace

void TestMaintenance::optionsWindow()
{
    TestWorld world;
    // A notification code outside the list: it shows no entry and is kept.
    execute(db(), QStringLiteral("UPDATE settings SET alservicedisabled = 0, alorderdisabled = 1, startupalarm = 1,"
                                 " AutoAddhstOn = 0, AutoAddHstWarn = 0, timerinterval = 20, backupinterval = 7"));
    MainWindow main(appContext());
    main.load();
    // Each list shows its field; OK stores the list's position there and changes nothing else.
    struct Step {
        const char *list;
        int shown, chosen;
        const char *row;
    };
    for (const Step &step : {Step {"cmbSvcAl", 0, 1, "11100 20 7"}, Step {"cmbOrAl", 1, 0, "10100 20 7"},
                             Step {"cmbAlarmStartup", 1, 0, "10000 20 7"}, Step {"cmbAutoAddHst", 0, 1, "10010 20 7"},
                             Step {"cmbAutoAddHstWarn", 0, 1, "10011 20 7"}, Step {"cmbAlNoti", -1, 14, "10011 14 7"}}) {
        OptionsDialog *options = openOptions(main);
        auto *list = options->findChild<QComboBox *>(QLatin1StringView(step.list));
        QCOMPARE(list->currentIndex(), step.shown);
        list->setCurrentIndex(step.chosen);
        QTest::mouseClick(control<QPushButton>(options, "cmdOK"), Qt::LeftButton);
        QCOMPARE(optionsRow(world), QLatin1StringView(step.row));
    }
    // Cancel and Esc store nothing. The window shows the file's options, also one changed since
    // the program read them.
    execute(db(), QStringLiteral("UPDATE settings SET startupalarm = 1"));
    for (const bool esc : {false, true}) {
        OptionsDialog *options = openOptions(main);
        QCOMPARE(options->findChild<QComboBox *>(QStringLiteral("cmbAlarmStartup"))->currentIndex(), 1);
        control<QComboBox>(options, "cmbAlNoti")->setCurrentIndex(8);
        control<QCheckBox>(options, "chkTray")->setChecked(false);
        esc ? QTest::keyClick(options, Qt::Key_Escape) : QTest::mouseClick(control<QPushButton>(options, "cmdCancel"), Qt::LeftButton);
        QCOMPARE(optionsRow(world), QStringLiteral("10111 14 7"));
        QVERIFY(trayAlarmsWanted());
    }
    // The tray and notice choices live outside the row and are shown again on the next opening.
    for (const bool wanted : {false, true}) {
        OptionsDialog *options = openOptions(main);
        QCOMPARE(control<QCheckBox>(options, "chkTray")->isChecked(), !wanted);
        QCOMPARE(control<QCheckBox>(options, "chkNotify")->isChecked(), desktopNoticesWanted());
        control<QCheckBox>(options, "chkTray")->setChecked(wanted);
        control<QCheckBox>(options, "chkNotify")->setChecked(!wanted);
        QTest::mouseClick(control<QPushButton>(options, "cmdOK"), Qt::LeftButton);
        QCOMPARE(trayAlarmsWanted(), wanted);
        QCOMPARE(desktopNoticesWanted(), !wanted);
        QCOMPARE(optionsRow(world), QStringLiteral("10111 14 7"));
    }
    setDesktopNoticesWanted(true);

    // With automatic history off its warning shows NO and is locked, whatever the row holds.
    execute(db(), QStringLiteral("UPDATE settings SET AutoAddhstOn = 0"));
    OptionsDialog *options = openOptions(main);
    QComboBox *warn = control<QComboBox>(options, "cmbAutoAddHstWarn");
    QVERIFY(warn->currentIndex() == 0 && !warn->isEnabled());
    control<QComboBox>(options, "cmbAutoAddHst")->setCurrentIndex(1);
    QVERIFY(warn->isEnabled());
    warn->setCurrentIndex(1);
    control<QComboBox>(options, "cmbAutoAddHst")->setCurrentIndex(0);
    QVERIFY(warn->currentIndex() == 0 && !warn->isEnabled());
    // Both alarm lists at NO turn the notification OFF (one is not enough); it stays OFF when
    // one comes back.
    QCOMPARE(control<QComboBox>(options, "cmbAlNoti")->currentText(), QStringLiteral("24 hours"));
    control<QComboBox>(options, "cmbSvcAl")->setCurrentIndex(0);
    control<QComboBox>(options, "cmbSvcAl")->setCurrentIndex(1);
    QCOMPARE(control<QComboBox>(options, "cmbAlNoti")->currentText(), QStringLiteral("OFF"));
    QTest::mouseClick(control<QPushButton>(options, "cmdOK"), Qt::LeftButton);
    QCOMPARE(optionsRow(world), QStringLiteral("10100 0 7"));
    QCOMPARE(main.panelText(2), QStringLiteral("Alarm Status: OFF"));
}

// Another program changes the options while the window is open: OK, even with nothing touched,
// writes nothing over its change and says so; a change to what the window does not write (the
// date of the last backup) is no obstacle.
void TestMaintenance::optionsChangedElsewhere_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("refused");
    QTest::newRow("interval and start-up alarm") << "UPDATE settings SET backupinterval = 45, startupalarm = 0" << true;
    QTest::newRow("automatic history") << "UPDATE settings SET AutoAddhstOn = 0" << true;
    QTest::newRow("the last backup's date") << "UPDATE settings SET backupdate = '2026-12-01'" << false;
}

void TestMaintenance::optionsChangedElsewhere()
{
    QFETCH(QString, change);
    QFETCH(bool, refused);
    TestWorld world;
    execute(db(), QStringLiteral("UPDATE settings SET startupalarm = 1, AutoAddhstOn = 1, backupinterval = 7"));
    MainWindow main(appContext());
    main.load();
    QPointer<OptionsDialog> options = openOptions(main);
    const QString opened = optionsRow(world);
    world.changeElsewhere(change);
    const QString changed = optionsRow(world);
    QTest::mouseClick(control<QPushButton>(options, "cmdOK"), Qt::LeftButton);
    settle();
    QCOMPARE(MessageBox::shownTexts(), refused ? QStringList {QString::fromLatin1(OptionRules::OptionsChangedText)} : QStringList());
    QCOMPARE(optionsRow(world), refused ? changed : opened);
    QCOMPARE(bool(options), refused);
}

void TestMaintenance::backupIntervalBox()
{
    TestWorld world;
    MainWindow main(appContext());
    main.load();
    const auto interval = [&] { return world.scalar(u"SELECT backupinterval FROM settings"_s).toString(); };
    // The box takes three typed digits and nothing else (Backspace always), a paste only when it
    // is all digits; OK refuses a bad interval with a message, keeping what was typed.
    struct Box {
        const char *typed, *pasted, *shown, *message;
    };
    for (const Box &box : {Box {"1a2/345", "", "123", ""}, Box {"123\b4", "", "124", ""}, Box {"", "1234", "1234", ""},
                           Box {"", "12345", "12345", "Backup interval is too large"},
                           Box {"", "12a", "", "Please enter the backup interval in days"}}) {
        const QString stored = interval();
        OptionsDialog *options = openOptions(main);
        control<QLineEdit>(options, "txtBackup")->clear();
        QTest::keyClicks(control<QLineEdit>(options, "txtBackup"), QLatin1StringView(box.typed));
        QGuiApplication::clipboard()->setText(QLatin1StringView(box.pasted));
        if (*box.pasted)
            QTest::keySequence(control<QLineEdit>(options, "txtBackup"), QKeySequence::Paste);
        QTest::mouseClick(control<QPushButton>(options, "cmdOK"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(options, "txtBackup")->text(), QLatin1StringView(box.shown));
        QCOMPARE(MessageBox::shownTexts(), *box.message ? QStringList {QString::fromLatin1(box.message)} : QStringList());
        QCOMPARE(interval(), *box.message ? stored : QLatin1StringView(box.shown));
        QCOMPARE(options->isVisible(), *box.message != 0);
        options->close();
        MessageBox::clearShown();
    }
    // A file may hold text where the interval belongs (a server's number column cannot).
    if (TestWorld::onServer())
        return;
    execute(db(), QStringLiteral("UPDATE settings SET backupinterval = 'week'"));
    OptionsDialog *options = openOptions(main);
    QCOMPARE(control<QLineEdit>(options, "txtBackup")->text(), QStringLiteral("week"));
    QTest::mouseClick(control<QPushButton>(options, "cmdOK"), Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList {u"The backup interval must be a whole number of days"_s});
    QCOMPARE(interval(), QStringLiteral("week"));
}

void TestMaintenance::reminderAtStart_data()
{
    QTest::addColumn<QVariant>("backupDate");
    QTest::addColumn<QVariant>("interval");
    QTest::addColumn<int>("answer"); // 0: not asked
    QTest::addColumn<QString>("target"); // for the save dialog; empty cancels it
    QTest::addColumn<QVariant>("nextDate");
    const QVariant week = 7, today = QStringLiteral("2026-12-06"), nextWeek = QStringLiteral("2026-12-13");
    const int no = MessageBox::No, yes = MessageBox::Yes;
    QTest::newRow("due today, No") << today << week << no << "" << nextWeek;
    QTest::newRow("overdue") << QVariant(u"2026-10-01"_s) << week << no << u""_s << nextWeek;
    QTest::newRow("due tomorrow") << QVariant(u"2026-12-07"_s) << week << 0 << u""_s << QVariant(u"2026-12-07"_s);
    QTest::newRow("Yes, dialog cancelled") << today << week << yes << "" << nextWeek;
    QTest::newRow("Yes, backed up") << today << week << yes << "Backup/start.mdb" << nextWeek;
    QTest::newRow("empty date never due") << QVariant(u""_s) << week << 0 << u""_s << QVariant(u""_s);
    QTest::newRow("no date never due") << QVariant() << week << 0 << "" << QVariant();
    QTest::newRow("unreadable date is due") << QVariant(u"soon"_s) << week << no << u""_s << nextWeek;
    QTest::newRow("text interval: 0 days") << today << QVariant(u"week"_s) << no << u""_s << today;
    QTest::newRow("negative interval: 0 days") << today << QVariant(-3) << no << "" << today;
}

void TestMaintenance::reminderAtStart()
{
    if (TestWorld::onServer())
        QSKIP("on a server the backup reminder is off");
    QFETCH(QVariant, backupDate);
    QFETCH(QVariant, interval);
    QFETCH(int, answer);
    QFETCH(QString, target);
    QFETCH(QVariant, nextDate);
    TestWorld world;
    execute(db(), QStringLiteral("UPDATE settings SET backupdate = ?, backupinterval = ?"), {backupDate, interval});
    MessageBox::setNextAnswer(MessageBox::Button(answer));
    FileDialog::setNextPath(target.isEmpty() ? QString() : world.folder() + u'/' + target);
    auto *splash = new SplashWindow(appContext());
    QPointer<MainWindow> main;
    connect(splash, &SplashWindow::mainWindowShown, this, [&](MainWindow *shown) { main = shown; });
    splash->performChecks();
    const bool backedUp = !target.isEmpty();
    const QStringList reminder = {
        QStringLiteral("Backup is scheduled for today.\r\nWould you like to backup database now?"),
        QStringLiteral("Will prompt for backup again in %1 days.").arg(interval == QVariant(7) ? 7 : 0)};
    QCOMPARE(MessageBox::shownTexts(),
             (answer ? reminder : QStringList()) + (backedUp ? QStringList {BackupDone} : QStringList()));
    // The start-up alarm is held off while the backup runs, and on again when none is made.
    QVERIFY(main);
    QCOMPARE(main->findChild<QTimer *>(QStringLiteral("Timer2"))->isActive(), !backedUp);
    QCOMPARE(m_ended, backedUp ? 1 : 0);
    QVERIFY(!backedUp || openWorkingDatabase());
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
    const int ok = MessageBox::Ok;
    auto backup = [](const char *name, const char *file, const char *kind, int answer, const QStringList &messages) {
        QTest::newRow(name) << "mnuBackup" << file << kind << answer << messages;
    };
    backup("new file", "Backup/new.mdb", "", 0, {BackupDone});
    backup("existing, OK", "Backup/old.mdb", "old", ok, {overwrite, BackupDone});
    backup("existing, Cancel", "Backup/old.mdb", "old", MessageBox::Cancel, {overwrite});
    backup("empty file asks nothing", "Backup/empty.mdb", "empty", 0, {BackupDone});
    backup("cancelled dialog", "", "", 0, {});
    const QString ownBackup =
        QStringLiteral("The database in use cannot be its own backup; please choose another file");
    backup("working file", "Backup/../main.mdb", "", 0, {ownBackup});
    backup("hard link to the working file", "Backup/hard.mdb", "hard link", 0, {ownBackup});
    // Written through to the file the link names; the link stays.
    backup("link to another file", "Backup/link.mdb", "link", ok, {overwrite, BackupDone});
    // Failures after the database was closed for the copy (making, then renaming the copy).
    backup("missing folder", "Gone/new.mdb", "", 0, {failed});
    backup("onto a folder", "Backup", "", 0, {failed});
    backup("damaged working file", "Backup/old.mdb", "damaged working file", ok,
           {overwrite, u"The backup failed its check and was removed: "_s});
    auto open = [](const char *kind, const QString &message) {
        QTest::newRow(kind) << "mnuOpenDbase"
                            << "Backup/chosen.mdb" << kind << 0 << QStringList {message};
    };
    for (const char *kind : {"missing", "wrong key", "no tables", "damaged copy", "no settings row"})
        open(kind, QStringLiteral("Invalid path/file name"));
    open("the working file", QStringLiteral("This file is the database in use; please choose another file"));
    open("a backup", SwitchDone);
    open("a backup typed without .mdb", SwitchDone);
    open("a backup onto a full disk", failed + u"the file is too large for the disk"_s);
}

void TestMaintenance::fileCommands()
{
    if (TestWorld::onServer())
        QSKIP("the backup and switch of the database file");
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QFETCH(int, answer);
    QFETCH(QStringList, messages);
    TestWorld world;
    const QString path = file.isEmpty() ? QString() : world.folder() + u'/' + file;
    QDir(world.folder()).mkpath(QStringLiteral("Backup"));
    const QString linked = world.folder() + QStringLiteral("/Backup/elsewhere.mdb");
    if (kind.startsWith(u"a backup") || kind == u"wrong key" || kind == u"no settings row")
        QVERIFY(QFile::copy(world.databasePath(), path)); // without the item added next
    world.addItem(0, {{"Name", "Pump"}});
    if (kind == u"old" || kind == u"empty" || kind == u"damaged working file")
        QVERIFY(SafeFile::write(path, kind == u"empty" ? "" : "old"));
    if (kind == u"wrong key")
        runOnFile(path, "PRAGMA rekey = 'another'");
    else if (kind == u"no tables")
        runOnFile(path, "CREATE TABLE other (x)");
    else if (kind == u"no settings row")
        runOnFile(path, "DELETE FROM settings");
    else if (kind == u"the working file")
        QVERIFY(QFile::link(world.databasePath(), path));
    else if (kind == u"hard link")
        QVERIFY(::link(QFile::encodeName(world.databasePath()).constData(), QFile::encodeName(path).constData()) == 0);
    else if (kind == u"link")
        QVERIFY(SafeFile::write(linked, "old") && QFile::link(linked, path));
    else if (kind.startsWith(u"damaged"))
        damagedCopy(world, kind == u"damaged copy" ? path : world.databasePath());
    const QByteArray working = readFile(world.databasePath()), before = readFile(path);
    MainWindow main(appContext());
    FileDialog::setNextPath(kind.contains(u"without .mdb") ? path.chopped(4) : path);
    MessageBox::setNextAnswer(MessageBox::Button(answer));
    {
        const auto limit = limitFileSize(kind.contains(u"full disk") ? 4096 : RLIM_INFINITY);
        main.action(command)->trigger();
    }

    QStringList shown = MessageBox::shownTexts();
    for (int i = 0; i < shown.size(); ++i)
        shown[i].truncate(messages.value(i).size());
    QCOMPARE(shown, messages);
    // A completed copy ends the program, and it is started again here; otherwise the database
    // stays open (or is opened again) and the files stay as they were.
    const bool done = messages.contains(BackupDone) || messages.contains(SwitchDone);
    QCOMPARE(m_ended, done ? 1 : 0);
    QCOMPARE(workingDatabaseIsOpen(), !done);
    QVERIFY(noLeftovers(world.folder()));
    QCOMPARE(QFileInfo(path).isSymLink(), kind == u"link" || kind == u"the working file");
    if (command == u"mnuOpenDbase" || !done)
        QCOMPARE(readFile(path), before); // a file to open is only read; a refused target kept
    if (!done)
        QCOMPARE(readFile(world.databasePath()), working);
    else if (command == u"mnuBackup")
        QCOMPARE(DatabaseFiles::checkDatabaseFile(path), QString());
    QVERIFY(!done || openWorkingDatabase());
    // A backup keeps the items; a switch shows the other file's.
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM main WHERE Name = 'Pump'")),
             QVariant(done && command == u"mnuOpenDbase" ? 0 : 1));
}

void TestMaintenance::serverExportsInsteadOfBackingUp()
{
    if (!TestWorld::onServer())
        QSKIP("the file's backup and switch are fileCommands'");
    TestWorld world;
    world.addItem(world.addCompany(QStringLiteral("Acme")), {{u"Name"_s, u"Pump"_s}, {u"servicedate"_s, u"2026-12-01"_s}});
    execute(db(), QStringLiteral("UPDATE settings SET backupdate = '2026-01-01'")); // long overdue on a file
    auto *splash = new SplashWindow(appContext());
    QPointer<MainWindow> main;
    connect(splash, &SplashWindow::mainWindowShown, this, [&](MainWindow *shown) { main = shown; });
    splash->performChecks();
    QVERIFY(main);
    QCOMPARE(MessageBox::shownTexts(), QStringList()); // no backup reminder
    QVERIFY(main->action(QStringLiteral("mnuOpenDbase"))->isEnabled()); // back to a file
    QAction *exportCommand = main->action(QStringLiteral("mnuBackup"));
    QCOMPARE(exportCommand->text().remove(u'&'), QStringLiteral("Export to File\u2026"));

    const QString path = QDir(AppPaths::backupFolder()).filePath(QStringLiteral("export.mdb"));
    FileDialog::setNextPath(path);
    exportCommand->trigger();
    QCOMPARE(MessageBox::shownTexts(), QStringList {QStringLiteral("The database was exported to ") + QDir::toNativeSeparators(path)});
    QCOMPARE(m_ended, 0); // the program runs on, on the server
    QVERIFY(workingDatabaseIsOpen());
    Database exported;
    QVERIFY(exported.openReadOnly(path));
    for (const TableShapes::Table &table : TableShapes::all())
        QCOMPARE(DatabaseCopy::checksum(exported, table), DatabaseCopy::checksum(db(), table));
    QCOMPARE(DatabaseFiles::checkDatabaseFile(path, DatabaseFiles::Contents::StartingRows), QString());
}

// What the program makes is the user's alone, whatever the umask: folders 0700, files 0600; a
// file it replaces keeps its mode. An installed program makes its data folder and database, a
// program beside its database its Backup and Reports folders.
void TestMaintenance::filesAndFoldersArePrivate_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("modes"); // of the files named, as made
    QTest::newRow("installed: data folder and database") << QStringLiteral("installed") << QStringLiteral("Tarvo=700 Tarvo/main.mdb=600");
    QTest::newRow("the database tool") << QStringLiteral("newdb") << QStringLiteral("new.mdb=600");
    QTest::newRow("start") << QStringLiteral("start") << QStringLiteral("Backup=700 Reports=700");
    QTest::newRow("backup") << QStringLiteral("mnuBackup") << QStringLiteral("Backup/copy.mdb=600");
    QTest::newRow("report") << QStringLiteral("mnuReport_0") << QStringLiteral("temp.htm=600");
    QTest::newRow("export") << QStringLiteral("mnuExportCsv") << QStringLiteral("Reports/list.csv=600");
    QTest::newRow("a replaced file keeps its mode") << QStringLiteral("replace") << QStringLiteral("Reports/shared.csv=644");
}

void TestMaintenance::filesAndFoldersArePrivate()
{
    QFETCH(QString, what);
    QFETCH(QString, modes);
    const mode_t before = ::umask(022);
    const auto restore = qScopeGuard([before] { ::umask(before); });
    TestWorld world;
    const QDir folder(world.folder());
    QString error;
    if (what == u"installed") {
        const QString program = folder.filePath(QStringLiteral("bin"));
        QVERIFY(QDir().mkpath(program) && QDir().mkpath(folder.filePath(QStringLiteral("share/doc/tarvo"))));
        QVERIFY(SafeFile::write(folder.filePath(QStringLiteral("share/doc/tarvo/manual.htm")), "manual"));
        const bool settled = AppPaths::settleProgramFolder(program, folder.filePath(QStringLiteral("Tarvo")), QDate(2026, 12, 6), &error);
        AppPaths::setApplicationFolder(world.folder());
        QVERIFY2(settled, qPrintable(error));
    } else if (what == u"newdb") {
        QVERIFY(createDatabaseFile(folder.filePath(QStringLiteral("new.mdb")), false, QDate(2026, 12, 6), &error));
    } else {
        world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}});
        ViewerClient::setProgram(QStringLiteral("/bin/true"));
        MainWindow main(appContext());
        main.load();
        main.itemList()->rowClicked(1, 1);
        const QString target = folder.filePath(modes.section(u'=', 0, 0)); // the file the command writes
        if (what == u"replace") {
            QVERIFY(SafeFile::write(target, "old"));
            QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
            MessageBox::setNextAnswer(MessageBox::Ok);
        }
        if (what != u"start") {
            FileDialog::setNextPath(target);
            main.action(what == u"replace" ? u"mnuExportCsv"_s : what)->trigger();
        }
        ViewerClient::setProgram(QString());
    }
    QStringList found;
    for (const QString &entry : modes.split(u' ')) {
        const QString name = entry.section(u'=', 0, 0);
        struct stat info {
        };
        const bool there = ::stat(QFile::encodeName(folder.filePath(name)).constData(), &info) == 0;
        found << name + u'=' + (there ? QString::number(info.st_mode & 0777, 8) : QStringLiteral("missing"));
    }
    QCOMPARE(found.join(u' '), modes);
}

void TestMaintenance::switchFailingAfterTheCloseReopens()
{
    if (TestWorld::onServer())
        QSKIP("the switch of the database file");
    // In a sticky folder a user may make files but not replace another user's: the copy is made
    // and checked, and only its rename over the working file, after the close, fails.
    if (geteuid() != 0)
        QSKIP("acting as another user needs root");
    TestWorld world;
    world.addItem(0, {{"Name", "Pump"}});
    const QString source = world.folder() + QStringLiteral("/other.mdb");
    closeWorkingDatabase();
    QVERIFY(QFile::copy(world.databasePath(), source));
    const QByteArray working = readFile(world.databasePath());
    chmod(QFile::encodeName(world.folder()).constData(), 01777);
    chmod(QFile::encodeName(world.databasePath()).constData(), 0666);
    chmod(QFile::encodeName(source).constData(), 0644); // QFile::copy kept the working file's 0600
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0 || !openWorkingDatabase())
            _exit(1);
        const DatabaseFiles::Result result = DatabaseFiles::switchTo(db(), source);
        const bool reopened = result.outcome == DatabaseFiles::Outcome::CopyFailed && result.reopened;
        _exit(reopened && workingDatabaseIsOpen() && world.scalar(u"SELECT Name FROM main"_s) == QVariant(u"Pump"_s) ? 0 : 2);
    }
    int status = -1;
    waitpid(child, &status, 0);
    chmod(QFile::encodeName(world.folder()).constData(), 0700);
    QCOMPARE(status, 0);
    QCOMPARE(readFile(world.databasePath()), working);
    QVERIFY(noLeftovers(world.folder()));
    QVERIFY(openWorkingDatabase());
}

void TestMaintenance::backupCodeRefusesTheWorkingFileAndOnlyReadsTheCopy()
{
    if (TestWorld::onServer())
        QSKIP("the backup of the database file");
    // Refused by the backup itself, whichever name the working file goes by.
    TestWorld world;
    const QString hard = world.folder() + QStringLiteral("/hard.mdb");
    QVERIFY(::link(QFile::encodeName(world.databasePath()).constData(), QFile::encodeName(hard).constData()) == 0);
    const QByteArray working = readFile(world.databasePath());
    for (const QString &target : {world.databasePath(), hard}) {
        QVERIFY(DatabaseFiles::backUp(db(), target).outcome == DatabaseFiles::Outcome::WorkingFile);
        QVERIFY(workingDatabaseIsOpen());
    }
    QCOMPARE(readFile(world.databasePath()), working);

    // The check of a copy writes nothing: it passes while another program holds the copy's
    // write lock, which any write (even a journal) would wait for in vain.
    const QString copy = world.folder() + QStringLiteral("/copy.mdb");
    QVERIFY(QFile::copy(world.databasePath(), copy));
    sqlite3 *other = nullptr;
    QCOMPARE(sqlite3_open(copy.toUtf8().constData(), &other), SQLITE_OK);
    sqlite3_key(other, Database::Key, int(qstrlen(Database::Key)));
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    QCOMPARE(DatabaseFiles::checkDatabaseFile(copy), QString());
    sqlite3_close(other);
}

QTEST_MAIN(TestMaintenance)
#include "test_maintenance.moc"
