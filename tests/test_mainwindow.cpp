// Start-up, the main window's item list and closing.

#include "TestSupport.h"

#include "core/data/AppPaths.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"
#include "gui/shell/ItemGrid.h"
#include "core/shell/ItemListModel.h"
#include "gui/shell/frmSplash.h"
#include "gui/shell/frmmain.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QTest>
#include <QPointer>
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
    void closingStoresOnlyDraggedWidths();
    void closingAfterDatabaseClosedSavesNothing();
    void splashFatalWhenDatabaseUnusable_data();
    void splashFatalWhenDatabaseUnusable();
    void splashPausesFourSecondsThenShowsMainWindow();
};

void TestMainWindow::loadFillsListAndStatus()
{
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE settings SET timerinterval = 2"));
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    const qint64 later = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Later")},
                                                 {QStringLiteral("servicedate"), QStringLiteral("2027-02-01")}});
    const qint64 sooner = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Sooner")},
                                                  {QStringLiteral("servicedate"), QStringLiteral("2026-12-20")}});
    frmmain window;
    window.load();

    QCOMPARE(window.windowTitle(), QStringLiteral("Norlith Tarvo"));
    QCOMPARE(window.panelText(1), QStringLiteral("Display Mode: All"));
    QCOMPARE(window.panelText(2), QStringLiteral("Alarm Status: 10 minutes"));
    QCOMPARE(window.panelText(3), QStringLiteral("12/6/2026"));
    QCOMPARE(window.grid()->itemModel()->itemIdAt(1), sooner);
    QCOMPARE(window.grid()->itemModel()->itemIdAt(2), later);
    QCOMPARE(gv().SortFieldAll, Field::ServiceDate);
    QCOMPARE(gv().DisplayMode, int(AllDisplay));
    QVERIFY(window.noItemSelected());
    QVERIFY(window.addButtonsEnabled());

    ItemGrid *grid = window.findChild<ItemGrid *>(QStringLiteral("flxdata"));
    QVERIFY(grid);
    QCOMPARE(grid->rows(), 3);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("ID"));
    QCOMPARE(grid->columnWidth(gv().Columns.colLoc[Column::Name]), 160); // 2400 twips
    QCOMPARE(grid->model()->data(grid->model()->index(0, 0)).toString(), QString::number(sooner));

    QVERIFY(QDir(AppPaths::backupFolder()).exists());
    QVERIFY(QDir(AppPaths::reportsFolder()).exists());
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
    window.LoadGrid(Field::ServiceDate, Ascending, value, field);
    QCOMPARE(MessageBox::lastText(), message);
    QCOMPARE(window.grid()->rows(), rows);
    QCOMPARE(window.addButtonsEnabled(), rows > 1);
}

void TestMainWindow::allColumnsHiddenStillShowsIds()
{
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 0"));
    const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    frmmain window;
    window.load();
    QCOMPARE(window.grid()->model()->columnCount(), 1);
    QCOMPARE(window.grid()->model()->data(window.grid()->model()->index(0, 0)).toString(), QString::number(id));
}

void TestMainWindow::closingStoresOnlyDraggedWidths()
{
    TestWorld world;
    auto *window = new frmmain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->load();
    window->show();
    window->grid()->setColumnWidth(gv().Columns.colLoc[Column::Location], 200);
    window->close();
    QVERIFY(!DatabaseIsOpen());
    QVERIFY(OpenDatabase());
    QCOMPARE(world.scalar(QStringLiteral("SELECT size FROM Columns WHERE ID = 2")).toInt(), 3000);
    QCOMPARE(world.scalar(QStringLiteral("SELECT size FROM Columns WHERE ID = 0")).toInt(), 2400);

    // With nothing dragged nothing is written: a file that takes no writes gives no message.
    window = new frmmain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->load();
    db().exec(QStringLiteral("PRAGMA query_only = 1"));
    window->close();
    QCOMPARE(MessageBox::shownTexts(), QStringList());
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

void TestMainWindow::splashFatalWhenDatabaseUnusable_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("missing") << "";
    QTest::newRow("column missing") << "DROP TABLE repparts; CREATE TABLE repparts (ID INTEGER, descr TEXT, number TEXT)";
}

void TestMainWindow::splashFatalWhenDatabaseUnusable()
{
    QFETCH(QString, damage);
    TestWorld world;
    if (damage.isEmpty())
        QFile::remove(world.databasePath());
    else
        db().exec(damage);
    CloseDatabase();
    frmSplash splash;
    QVERIFY(!splash.load());
    QCOMPARE(MessageBox::shownTexts(),
             QStringList({QStringLiteral("Fatal: Database cound not opened\r\nIf there are backup databases restore one "
                                         "useing File->Open Database or re-install the program")}));
    QCOMPARE(QFile::exists(world.databasePath()), !damage.isEmpty()); // no file is made
}

void TestMainWindow::splashPausesFourSecondsThenShowsMainWindow()
{
    TestWorld world;
    CloseDatabase();
    auto *splash = new frmSplash;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<frmSplash> alive = splash;
    QVERIFY(splash->load());
    frmmain *shown = nullptr;
    connect(splash, &frmSplash::mainWindowShown, this, [&](frmmain *window) { shown = window; });
    splash->show();
    auto *pause = splash->findChild<QTimer *>(QStringLiteral("tmrPause"));
    QVERIFY(pause && pause->isActive() && pause->isSingleShot());
    QCOMPARE(pause->interval(), 4000);
    QVERIFY(!shown);
    QMetaObject::invokeMethod(splash, &frmSplash::PerformChecks);
    QVERIFY(shown && shown->isVisible());
    QTRY_VERIFY(!alive);
    shown->close();
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
