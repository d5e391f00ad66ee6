// Start-up, the main window's item list and closing.

#include "TestSupport.h"

#include "data/AppPaths.h"
#include "data/DatabaseADO.h"
#include "data/GlobalVars.h"
#include "platform/MessageBox.h"
#include "platform/WindowUtil.h"
#include "shell/ItemGrid.h"
#include "shell/ItemListModel.h"
#include "shell/frmSplash.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QTest>
#include <QTimer>

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initTestEnvironment();
        initResources();
    }

    void loadFillsListAndStatus();
    void loadGridMessagesAndButtons_data();
    void loadGridMessagesAndButtons();
    void allColumnsHiddenStillShowsIds();
    void closingStoresDraggedWidths();
    void closingAfterDatabaseClosedSavesNothing();
    void splashFatalWhenDatabaseMissing();
    void splashPausesFourSeconds();
};

void TestMainWindow::loadFillsListAndStatus()
{
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE settings SET timerinterval = 2"));
    const int company = world.addCompany(QStringLiteral("Acme"));
    const int later = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Later")},
                                              {QStringLiteral("servicedate"), QStringLiteral("2027-02-01")}});
    const int sooner = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Sooner")},
                                               {QStringLiteral("servicedate"), QStringLiteral("2026-12-20")}});
    frmmain window;
    window.load();

    QCOMPARE(window.windowTitle(), QStringLiteral("Norlith Tarvo"));
    QCOMPARE(window.panelText(1), QStringLiteral("Display Mode: All"));
    QCOMPARE(window.panelText(2), QStringLiteral("Alarm Status: 10 minutes"));
    QCOMPARE(window.panelText(3), QStringLiteral("12/6/2026"));
    QCOMPARE(gv().RowID.mid(1, 2), QVector<int>({sooner, later}));
    QCOMPARE(gv().SortFieldAll, 7);
    QCOMPARE(gv().DisplayMode, 1);
    QVERIFY(gv().NoItemSelected);
    QVERIFY(window.addButtonsEnabled());

    ItemGrid *grid = window.findChild<ItemGrid *>(QStringLiteral("flxdata"));
    QVERIFY(grid);
    QCOMPARE(grid->rows(), 3);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("ID"));
    QCOMPARE(grid->columnWidth(0), 42);               // 630 twips
    QCOMPARE(grid->columnWidth(gv().ColLoc[0]), 160); // Name, 2400 twips
    QCOMPARE(grid->verticalHeader()->defaultSectionSize(), 19);
    QCOMPARE(grid->model()->data(grid->model()->index(0, 0)).toString(), QString::number(sooner));

    QVERIFY(QDir(AppPaths::backupFolder()).exists());
    QVERIFY(QDir(AppPaths::reportsFolder()).exists());
    for (const char *name : {"Timer1", "Timer2", "tmrSleep", "tmrProcess"})
        QVERIFY2(window.findChild<QTimer *>(QString::fromLatin1(name)), name);
    QCOMPARE(window.findChild<QTimer *>(QStringLiteral("Timer1"))->interval(), 10000);
    QVERIFY(window.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
    QVERIFY(!window.findChild<QTimer *>(QStringLiteral("tmrSleep"))->isActive());
}

void TestMainWindow::loadGridMessagesAndButtons_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("rows");
    QTest::newRow("all items") << "" << 0 << "" << 2;
    QTest::newRow("found") << "Pump" << 0 << "" << 2;
    QTest::newRow("not found") << "Crane" << 0 << "Lookup query not found" << 1;
    QTest::newRow("bad date") << "2/30/2027" << 7 << "The date specified has incorrect form" << 1;
    QTest::newRow("wildcard in number") << "1*" << 23 << "Cannot specify wildcards in aID lookup query" << 1;
}

void TestMainWindow::loadGridMessagesAndButtons()
{
    QFETCH(QString, value);
    QFETCH(int, field);
    QFETCH(QString, message);
    QFETCH(int, rows);
    TestWorld world;
    world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    frmmain window;
    window.load();
    MessageBox::clearShown();
    LoadGrid(7, 0, value, field);
    QCOMPARE(MessageBox::lastText(), message);
    QCOMPARE(window.grid()->rows(), rows);
    QCOMPARE(window.addButtonsEnabled(), rows > 1);
}

void TestMainWindow::allColumnsHiddenStillShowsIds()
{
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 0"));
    const int id = world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    frmmain window;
    window.load();
    QCOMPARE(window.grid()->model()->columnCount(), 1);
    QCOMPARE(window.grid()->model()->data(window.grid()->model()->index(0, 0)).toString(), QString::number(id));
}

void TestMainWindow::closingStoresDraggedWidths()
{
    TestWorld world;
    auto *window = new frmmain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->load();
    window->show();
    window->grid()->setColumnWidth(gv().ColLoc[2], 200); // Location
    window->close();
    QVERIFY(!gv().DbConnection);
    QVERIFY(OpenDatabase());
    QCOMPARE(world.scalar(QStringLiteral("SELECT size FROM Columns WHERE ID = 2")).toInt(), 3000);
    QCOMPARE(world.scalar(QStringLiteral("SELECT size FROM Columns WHERE ID = 0")).toInt(), 2400);
}

void TestMainWindow::closingAfterDatabaseClosedSavesNothing()
{
    TestWorld world;
    frmmain window;
    window.load();
    window.show();
    CloseDatabase(); // as a backup does before it ends the program
    window.close();
    QCOMPARE(MessageBox::shownTexts(), QStringList());
}

void TestMainWindow::splashFatalWhenDatabaseMissing()
{
    QTemporaryDir dir;
    AppPaths::setApplicationFolder(dir.path());
    MessageBox::clearShown();
    frmSplash splash;
    QVERIFY(!splash.load());
    QCOMPARE(MessageBox::shownTexts(),
             QStringList({QStringLiteral("Fatal: Database cound not opened\r\nIf there are backup databases restore one "
                                         "useing File->Open Database or re-install the program")}));
    QVERIFY(!QFile::exists(AppPaths::databaseFile()));
    QVERIFY(!frmmain::instance());
    AppPaths::setApplicationFolder(QString());
}

void TestMainWindow::splashPausesFourSeconds()
{
    TestWorld world;
    CloseDatabase();
    auto *splash = new frmSplash;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    QVERIFY(splash->load());
    QElapsedTimer clock;
    qint64 shownAfter = -1;
    connect(splash, &frmSplash::mainWindowShown, this, [&] { shownAfter = clock.elapsed(); });
    clock.start();
    splash->show();
    QTest::qWait(3000);
    QVERIFY(!frmmain::instance());
    QTRY_VERIFY_WITH_TIMEOUT(frmmain::instance(), 3000);
    QVERIFY(shownAfter >= frmSplash::PauseMsec);
    QVERIFY(frmmain::instance()->isVisible());
    frmmain::instance()->close();
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
