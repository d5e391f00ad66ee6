// Start-up, the main window's item list and menus, windows reading their data, and closing.

#include "TestSupport.h"

#include "core/db/Database.h"
#include "core/itemlist/ItemListModel.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/settings/AppContext.h"
#include "core/settings/AppPaths.h"
#include "gui/alarms/AlarmWindow.h"
#include "gui/alarms/OrderAckDialog.h"
#include "gui/alarms/ServiceAckDialog.h"
#include "gui/companies/CompanyDirectory.h"
#include "gui/companies/CompanyEditor.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/items/ItemEditor.h"
#include "gui/maintenance/OptionsDialog.h"
#include "gui/mainwindow/AboutDialog.h"
#include "gui/mainwindow/DetailPanel.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/SplashWindow.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/Mnemonics.h"
#include "gui/records/EntryDialog.h"
#include "gui/views/ColumnSettingsDialog.h"

#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// A window made, and what loads it.
struct Made {
    QWidget *window;
    std::function<void()> load;
};

template<class Window, class... Args>
Made make(Args &&...args)
{
    auto *window = new Window(std::forward<Args>(args)...);
    return {window, [window] { window->load(); }};
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }

    void loadFillsListAndStatus()
    {
        TestWorld world;
        execute(db(), QStringLiteral("UPDATE settings SET timerinterval = 2"));
        const qint64 company = world.addCompany(QStringLiteral("Acme"));
        const qint64 later = world.addItem(company, {{"Name", "Later"}, {"servicedate", "2027-02-01"}});
        const qint64 sooner = world.addItem(company, {{"Name", "Sooner"}, {"servicedate", "2026-12-20"}});
        MainWindow window(appContext());
        window.load();

        QCOMPARE(QStringList({window.panelText(1), window.panelText(2), window.panelText(3)}),
                 QStringList({u"Display Mode: All"_s, u"Alarm Status: 10 minutes"_s, u"12/6/2026"_s}));
        QVERIFY(window.itemList()->noItemSelected() && window.itemList()->hasItems());

        ItemGrid *grid = window.findChild<ItemGrid *>(QStringLiteral("flxdata"));
        QCOMPARE(grid->rows(), 3);
        QVERIFY(grid->model()->data(grid->model()->index(0, 0)).toString() == QString::number(sooner) && grid->itemModel()->itemIdAt(2) == later);
        QVERIFY(QDir(AppPaths::backupFolder()).exists() && QDir(AppPaths::reportsFolder()).exists());

        // With every column hidden the IDs still show.
        execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 0"));
        MainWindow bare(appContext());
        bare.load();
        QCOMPARE(bare.grid()->model()->columnCount(), 1);
        QCOMPARE(bare.grid()->model()->data(bare.grid()->model()->index(0, 0)).toString(), QString::number(sooner));
    }

    void loadGridMessagesAndButtons_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("rows");
        QTest::newRow("found") << "Pump" << 0 << "" << 2;
        QTest::newRow("not found") << "Crane" << 0 << "Lookup query not found" << 1;
        QTest::newRow("bad date") << "2/30/2027" << 7 << "The date specified has incorrect form" << 1;
        QTest::newRow("wildcard in number") << "1*" << 23 << "Cannot specify wildcards in aID lookup query" << 1;
    }
    void loadGridMessagesAndButtons()
    {
        QFETCH(QString, value);
        QFETCH(int, field);
        QFETCH(int, rows);
        TestWorld world;
        world.addItem(world.addCompany(QStringLiteral("Acme")), {{"Name", "Pump"}});
        MainWindow window(appContext());
        window.load();
        MessageBox::clearShown();
        window.itemList()->loadGrid(Field::ServiceDate, Ascending, value, field);
        QTEST(MessageBox::lastText(), "message");
        QCOMPARE(window.grid()->rows(), rows);
        QCOMPARE(window.itemList()->hasItems(), rows > 1);
    }

    // Laid out at its default size, on a small laptop and at its least size, which fits a
    // 1366x768 screen at scale 2 (683x384 less a title bar): Tab walks from the list through
    // the panes, nothing overlaps, the panes sit below the list, and above the least height
    // the list takes the height the window gains.
    void layoutAtEverySize_data()
    {
        QTest::addColumn<QSize>("size"); // none: the default size
        QTest::newRow("default") << QSize();
        QTest::newRow("small laptop") << QSize(1024, 700);
        QTest::newRow("least") << QSize(0, 0);
    }
    void layoutAtEverySize()
    {
        QFETCH(QSize, size);
        TestWorld world;
        world.addItem(world.addCompany(QStringLiteral("Acme")), {{"Name", "Pump"}});
        MainWindow window(appContext());
        window.load();
        if (size.isValid())
            window.resize(size.expandedTo(window.minimumSizeHint()));
        QCOMPARE(keyboardWalkFault(&window, QStringLiteral("flxdata")), QString());
        QStringList walk;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walk << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(walk.join(u' '), QStringLiteral("cmdAddHst cmdChange flxHistory cmdChangeCo flxdata"));
        QCOMPARE(overlapFault(&window), QString());
        for (const QWidget *pane : {window.findChild<QWidget *>(QStringLiteral("frmInv2")), window.findChild<QWidget *>(QStringLiteral("frmInv3"))})
            QVERIFY2(pane->geometry().top() > window.grid()->geometry().bottom(), qPrintable(pane->objectName()));
        QVERIFY(QRect(0, 0, 683, 354).contains(QRect(QPoint(), window.minimumSize())));
        // "More" leaves the list and the button under the pointer where they were.
        auto *more = window.findChild<QWidget *>(QStringLiteral("cmdChangeCo"));
        const QList<QRect> before {window.grid()->geometry(), QRect(more->mapTo(&window, QPoint()), more->size())};
        window.companyPane()->toggleCompanyPage();
        QCoreApplication::sendPostedEvents();
        QCOMPARE((QList<QRect> {window.grid()->geometry(), QRect(more->mapTo(&window, QPoint()), more->size())}), before);
        // Above the least height the list takes what the window gains up to six whole rows; only
        // then the panes grow. Also when the toolbar comes back (from its menu) after a resize.
        for (int height = window.minimumHeight(); height < window.minimumHeight() + 150; height += 10) {
            window.findChild<QWidget *>(QStringLiteral("tbToolBar"))->hide();
            window.resize(window.width(), height);
            window.findChild<QWidget *>(QStringLiteral("tbToolBar"))->show();
            QCoreApplication::sendPostedEvents();
            QVERIFY2(window.grid()->viewport()->height() >= 6 * window.grid()->verticalHeader()->defaultSectionSize() || window.companyPane()->height() == window.companyPane()->minimumSizeHint().height(), qPrintable(QString::number(height)));
        }
    }

    void closingStoresOnlyDraggedWidths()
    {
        TestWorld world;
        auto *window = new MainWindow(appContext());
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->load();
        window->show();
        window->grid()->setColumnWidth(window->grid()->itemModel()->columnLayout().colLoc[Column::Location], 200);
        window->close();
        QVERIFY(!workingDatabaseIsOpen() && openWorkingDatabase());
        QCOMPARE(world.joined(QStringLiteral("SELECT size FROM Columns WHERE ID IN (0, 2) ORDER BY ID"), QStringLiteral(",")),
                 QStringLiteral("2400,3000"));

        // With nothing dragged nothing is written: a file that takes no writes gives no message.
        window = new MainWindow(appContext());
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->load();
        db().exec(TestWorld::onServer() ? QStringLiteral("SET default_transaction_read_only = on")
                                        : QStringLiteral("PRAGMA query_only = 1"));
        window->close();
        // Nor does closing after the database was closed, as a backup does before it ends the program.
        QVERIFY(openWorkingDatabase());
        MainWindow last(appContext());
        last.load();
        last.show();
        last.grid()->setColumnWidth(last.grid()->itemModel()->columnLayout().colLoc[Column::Location], 250);
        closeWorkingDatabase();
        last.close();
        QCOMPARE(MessageBox::shownTexts(), QStringList());
    }

    // The Reports menu lists the reports in their order, each enabled and named by its position
    // (captions without their Alt key mark), then a separator before the exports.
    void reportsMenuInOrder()
    {
        TestWorld world;
        MainWindow window(appContext());
        QStringList entries;
        for (const QAction *entry : window.findChild<QMenu *>(QStringLiteral("mnuReports"))->actions().first(9))
            entries << (entry->isSeparator() ? u"-"_s : entry->objectName() + u' ' + Mnemonics::plain(entry->text()) + (entry->isEnabled() ? u""_s : u" (off)"_s));
        QCOMPARE(entries, QStringList({u"mnuReport_0 All"_s, u"mnuReport_1 Lookup"_s, u"mnuReport_2 Item History"_s, u"mnuReport_3 Companies"_s, u"mnuReport_4 Service Alarms"_s, u"mnuReport_5 Order Alarms"_s, u"mnuReport_6 Order and Service Alarms"_s, u"mnuReport_7 Item Notes"_s, u"-"_s}));
    }

    // The exports of the Reports menu say in the status bar what they wrote, in no box; a file
    // dialog cancelled writes nothing and says nothing.
    void exportsTellWhatTheyWrote_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file"); // empty: the dialog is cancelled
        QTest::addColumn<QString>("told");
        QTest::newRow("the list") << u"mnuExportCsv"_s << u"list.csv"_s << u"2 items written to list.csv"_s;
        QTest::newRow("every field") << u"mnuExportCsvAll"_s << u"all.csv"_s << u"2 items written to all.csv"_s;
        QTest::newRow("the due dates") << u"mnuExportIcs"_s << u"due.ics"_s << u"2 events written to due.ics"_s;
        QTest::newRow("cancelled") << u"mnuExportCsvAll"_s << u""_s << u""_s;
    }
    void exportsTellWhatTheyWrote()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        TestWorld world;
        const qint64 acme = world.addCompany(QStringLiteral("Acme"));
        world.addItem(acme, {{"Name", "Pump"}, {"servicedate", "2026-12-20"}, {"serviceinterval", 90}});
        world.addItem(acme, {{"Name", "Fan"}, {"servicedate", "2027-01-05"}, {"serviceinterval", 30}});
        MainWindow window(appContext());
        window.load();
        FileDialog::setNextPath(file.isEmpty() ? QString() : QDir(world.folder()).filePath(file));
        window.action(command)->trigger();
        QTEST(window.statusBar()->currentMessage(), "told");
        QCOMPARE(MessageBox::shownTexts(), QStringList());
        const QStringList written = QDir(world.folder()).entryList({QStringLiteral("*.csv"), QStringLiteral("*.ics")}, QDir::Files);
        QCOMPARE(written, file.isEmpty() ? QStringList() : QStringList {file});
    }

    // A window reads its data in load(), not while it is built: with the connection closed the
    // constructor says nothing, and load() tells what it could not read.
    void windowsReadOnlyInLoad_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("purpose");
        QTest::newRow("alarms") << u"alarms"_s << u"evaluate the alarms"_s;
        QTest::newRow("service acknowledgement") << u"service"_s << u"read the item"_s;
        QTest::newRow("order acknowledgement") << u"order"_s << u"read the item"_s;
        QTest::newRow("item editor") << u"editor"_s << u"read the item"_s;
        QTest::newRow("company directory") << u"directory"_s << u"read the companies"_s;
        QTest::newRow("company editor") << u"company"_s << u"read the company"_s;
        QTest::newRow("history entry") << u"entry"_s << u"read the item"_s;
        QTest::newRow("column settings") << u"columns"_s << u"read the column settings"_s;
        QTest::newRow("options") << u"options"_s << u"read the options"_s;
        QTest::newRow("about") << u"about"_s << u"read the settings"_s;
    }
    void windowsReadOnlyInLoad()
    {
        QFETCH(QString, window);
        QFETCH(QString, purpose);
        TestWorld world;
        const qint64 company = world.addCompany(QStringLiteral("Acme"));
        const qint64 item = world.addItem(company, {{"Name", "Pump"}});
        Database &database = db();
        closeWorkingDatabase();
        const QHash<QString, std::function<Made()>> makers {
            {QStringLiteral("alarms"), [] { return make<AlarmWindow>(appContext()); }},
            {QStringLiteral("service"), [&] { return make<ServiceAckDialog>(appContext(), item); }},
            {QStringLiteral("order"), [&] { return make<OrderAckDialog>(appContext(), item); }},
            {QStringLiteral("editor"), [&] { return make<ItemEditor>(appContext(), ItemEditor::EditListItem, item, ColumnLayout()); }},
            {QStringLiteral("directory"), [&] { return make<CompanyDirectory>(database, CompanyDirectory::Mode::Browse); }},
            {QStringLiteral("company"), [&] { return make<CompanyEditor>(database, company); }},
            {QStringLiteral("entry"), [&] { return make<EntryDialog>(database, HistoryTarget, item); }},
            {QStringLiteral("columns"), [&] { return make<ColumnSettingsDialog>(database); }},
            {QStringLiteral("options"), [&] { return make<OptionsDialog>(database); }},
            {QStringLiteral("about"), [&] { return make<AboutDialog>(database); }}};
        const Made made = makers.value(window)();
        const std::unique_ptr<QWidget> owner(made.window);
        QCOMPARE(MessageBox::shownTexts(), QStringList());
        made.load();
        QCOMPARE(MessageBox::shownTexts(), QStringList {databaseFailureText(purpose, QStringLiteral("The database is not open"))});
    }

    void splashFatalWhenDatabaseUnusable_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("missing") << "";
        QTest::newRow("column missing") << "DROP TABLE repparts; CREATE TABLE repparts (ID INTEGER, descr TEXT, number TEXT)";
    }
    void splashFatalWhenDatabaseUnusable()
    {
        QFETCH(QString, damage);
        if (TestWorld::onServer())
            QSKIP("damage to the file itself");
        TestWorld world;
        if (damage.isEmpty())
            QFile::remove(world.databasePath());
        else
            db().exec(damage);
        closeWorkingDatabase();
        SplashWindow splash(appContext());
        QVERIFY(!splash.load());
        QCOMPARE(MessageBox::shownTexts(),
                 QStringList({QStringLiteral("Fatal: Database cound not opened\r\nIf there are backup databases restore one "
                                             "useing File->Open Database or re-install the program")}));
        QCOMPARE(QFile::exists(world.databasePath()), !damage.isEmpty()); // no file is made
    }

    void splashPausesFourSecondsThenShowsMainWindow()
    {
        TestWorld world;
        closeWorkingDatabase();
        auto *splash = new SplashWindow(appContext());
        splash->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<SplashWindow> alive = splash;
        QVERIFY(splash->load());
        MainWindow *shown = nullptr;
        connect(splash, &SplashWindow::mainWindowShown, this, [&](MainWindow *window) { shown = window; });
        splash->show();
        auto *pause = splash->findChild<QTimer *>(QStringLiteral("tmrPause"));
        QVERIFY(pause && pause->isActive() && !shown);
        QMetaObject::invokeMethod(splash, &SplashWindow::performChecks);
        QVERIFY(shown && shown->isVisible());
        settle();
        QVERIFY(!alive);
        shown->close();
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
