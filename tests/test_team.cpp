// Two technicians on one server database, each with a connection of their own: what one
// commits reaches the other's open windows (the item list keeping its choice and scroll place,
// the alarm list, the editors that read the changed row), and nothing else does.

#include "TestSupport.h"

#include "core/alarms/AlarmListModel.h"
#include "core/alarms/AlarmStore.h"
#include "core/db/ChangeFeed.h"
#include "core/db/Database.h"
#include "core/db/Schema.h"
#include "core/itemlist/ItemListModel.h"
#include "core/platform/Clock.h"
#include "core/settings/AppContext.h"
#include "core/settings/ColumnLayout.h"
#include "core/settings/Settings.h"
#include "gui/alarms/AlarmController.h"
#include "gui/alarms/AlarmWindow.h"
#include "gui/alarms/OrderAckDialog.h"
#include "gui/alarms/ServiceAckDialog.h"
#include "gui/companies/CompanyEditor.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/items/ItemEditor.h"
#include "gui/mainwindow/MainWindow.h"

#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Generous: the feed tells within about half a second; a loaded machine may take longer.
constexpr int ArrivalMsec = 5000;
constexpr int ItemCount = 60;

// Every table named in the batches a spy on a feed caught.
QSet<QString> toldTables(const QSignalSpy &spy)
{
    QSet<QString> tables;
    for (const QList<QVariant> &batch : spy)
        tables.unite(batch.at(0).value<QSet<QString>>());
    return tables;
}

} // namespace

class TestTeam : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("TARVO_TEST_ENGINE", "postgresql");
        initTestEnvironment();
    }
    void init();
    void cleanup()
    {
        closeAllWindows();
        other.reset();
        world.reset();
    }

    void changeElsewhereReachesTheList_data();
    void changeElsewhereReachesTheList();
    void nothingIsToldFor_data();
    void nothingIsToldFor();
    void editorLearnsItsRowChanged_data();
    void editorLearnsItsRowChanged();
    void databaseWithoutNoticesGetsThem();
    void alarmDayIsTheServers_data();
    void alarmDayIsTheServers();

private:
    // The other technician writes on a connection of their own.
    // {chosen}, {pump}, {first} and {company} in `sql` name those rows.
    void elsewhere(QString sql)
    {
        sql.replace(u"{chosen}"_s, QString::number(chosen)).replace(u"{pump}"_s, QString::number(pump)).replace(u"{first}"_s, QString::number(firstItem));
        sql.replace(u"{company}"_s, QString::number(company));
        execute(*other, sql);
    }

    std::optional<TestWorld> world;
    std::optional<Database> other;
    qint64 company = 0;
    qint64 firstItem = 0;
    qint64 chosen = 0; // far down the list, chosen after a scroll
    qint64 pump = 0; // its service is due
};

void TestTeam::init()
{
    world.emplace();
    company = world->addCompany(u"Acme"_s);
    // By service date: the items, then the pump, whose service alarm is due.
    for (int i = 1; i <= ItemCount; ++i) {
        const qint64 id = world->addItem(company, {{"Name", u"Item %1"_s.arg(i, 2, 10, QChar(u'0'))}, {"servicedate", QDate(2027, 1, 1).addDays(i).toString(Qt::ISODate)}, {"serviceinterval", 90}});
        firstItem = firstItem ? firstItem : id;
        chosen = i == 45 ? id : chosen;
    }
    pump = world->addItem(company, {{"Name", "Pump"}, {"servicedate", "2026-12-08"}, {"servicewarn", 7}, {"serviceinterval", 90}, {"purchaseorder", "PO-1"}});
    appContext().setSettings(loadSettings(db()));
    other.emplace();
    other->connectServer(TestWorld::serverAddress());
}

void TestTeam::changeElsewhereReachesTheList_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("shown"); // items listed, the chosen one's name, alarm rows

    QTest::newRow("chosen item renamed") << u"UPDATE main SET Name = 'Renamed' WHERE ID = {chosen}"_s << u"61 Renamed 1"_s;
    QTest::newRow("item added") << u"INSERT INTO main (Name, manuID, servicedate, serviceinterval) VALUES ('New', {company}, '2028-01-01', 90)"_s
                                << u"62 Item 45 1"_s;
    QTest::newRow("pump serviced") << u"UPDATE main SET servicedate = '2027-06-01' WHERE ID = {pump}"_s << u"61 Item 45 0"_s;
    QTest::newRow("chosen item deleted") << u"DELETE FROM main WHERE ID = {chosen}"_s << u"60 - 1"_s;
}

void TestTeam::changeElsewhereReachesTheList()
{
    QFETCH(QString, sql);
    QFETCH(QString, shown);
    MainWindow main(appContext());
    main.load();
    main.show();
    main.alarms()->showAlarms();
    ItemListController *list = main.itemList();
    ItemGrid *grid = main.grid();
    // Scrolled down by items, with the chosen one in sight.
    grid->verticalScrollBar()->setValue(40);
    int row = 1;
    while (list->model()->itemIdAt(row) != chosen)
        ++row;
    list->rowClicked(row, 1);
    QCOMPARE(grid->verticalScrollBar()->value(), 40);
    auto state = [&] {
        const int at = grid->currentRow();
        const QString name = list->noItemSelected() ? u"-"_s : list->model()->cellText(at, Column::Name);
        return u"%1 %2 %3"_s.arg(QString::number(list->model()->itemCount()), name, QString::number(main.alarms()->alarmWindow()->alarmModel()->rows().size()));
    };
    QCOMPARE(state(), u"61 Item 45 1"_s);

    elsewhere(sql);
    QTRY_COMPARE_WITH_TIMEOUT(state(), shown, ArrivalMsec);
    // The list stays where the user scrolled it, and the chosen item's panes show it.
    QCOMPARE(grid->verticalScrollBar()->value(), 40);
    QCOMPARE(list->selectedItemId(), shown.contains(u'-') ? 0 : chosen);
}

void TestTeam::nothingIsToldFor_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("a change rolled back elsewhere") << u"rolled back"_s;
    QTest::newRow("the program's own save") << u"own"_s;
}

void TestTeam::nothingIsToldFor()
{
    QFETCH(QString, what);
    QSignalSpy told(&db().changeFeed(), &ChangeFeed::tablesChanged);
    if (what == u"own") {
        execute(db(), u"UPDATE main SET Name = 'Mine' WHERE ID = ?"_s, {chosen});
    } else {
        Transaction transaction(*other);
        elsewhere(u"UPDATE main SET Name = 'Undone' WHERE ID = {chosen}"_s);
    } // rolled back
    // A change that is told, after the one that must not be: once it is there, the first would be.
    elsewhere(u"UPDATE orderinfo SET city = 'Oulu' WHERE ID > 0"_s);
    QTRY_VERIFY_WITH_TIMEOUT(toldTables(told).contains(u"orderinfo"_s), ArrivalMsec);
    QCOMPARE(toldTables(told), QSet<QString> {u"orderinfo"_s});
}

void TestTeam::editorLearnsItsRowChanged_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("sql"); // a change of what the window read

    QTest::newRow("item editor") << u"item"_s << u"UPDATE main SET Name = 'Renamed' WHERE ID = {pump}"_s;
    QTest::newRow("service acknowledgement") << u"service"_s << u"UPDATE main SET location = 'Yard' WHERE ID = {pump}"_s;
    QTest::newRow("order acknowledgement") << u"order"_s << u"UPDATE main SET purchaseorder = 'PO-2' WHERE ID = {pump}"_s;
    QTest::newRow("company editor") << u"company"_s << u"UPDATE orderinfo SET city = 'Oulu' WHERE ID > 0"_s;
}

void TestTeam::editorLearnsItsRowChanged()
{
    QFETCH(QString, window);
    QFETCH(QString, sql);
    QDialog *editor = nullptr;
    if (window == u"item")
        editor = openAlone<ItemEditor>(appContext(), ItemEditor::EditListItem, pump, ColumnLayout::read(db()));
    else if (window == u"service")
        editor = openAlone<ServiceAckDialog>(appContext(), pump);
    else if (window == u"order")
        editor = openAlone<OrderAckDialog>(appContext(), pump);
    else
        editor = openAlone<CompanyEditor>(db(), company);
    QVERIFY(editor);
    auto *line = control<QLabel>(editor, "lblChangedElsewhere");

    // Another item's change is told, but leaves the window's line hidden.
    QSignalSpy told(&db().changeFeed(), &ChangeFeed::tablesChanged);
    elsewhere(u"UPDATE main SET location = 'Yard' WHERE ID = {first}"_s);
    QTRY_VERIFY_WITH_TIMEOUT(!told.isEmpty(), ArrivalMsec);
    QVERIFY(line->isHidden());

    elsewhere(sql);
    QTRY_VERIFY_WITH_TIMEOUT(line->isVisible(), ArrivalMsec);
    QVERIFY(line->text().contains(u"changed elsewhere since this window opened"_s));
}

void TestTeam::databaseWithoutNoticesGetsThem()
{
    // A database made before the notices: its owner's next open adds them.
    for (const QString &table : {u"main"_s, u"orderinfo"_s, u"History"_s, u"Notes"_s, u"repparts"_s, u"Columns"_s, u"settings"_s})
        execute(db(), u"DROP TRIGGER tarvo_changes ON %1"_s.arg(table));
    Schema::upgrade(db());
    QSignalSpy told(&db().changeFeed(), &ChangeFeed::tablesChanged);
    elsewhere(u"INSERT INTO Notes (ID, Date, descr) VALUES ({chosen}, '2026-12-06', 'seen')"_s);
    QTRY_COMPARE_WITH_TIMEOUT(toldTables(told), QSet<QString> {u"Notes"_s}, ArrivalMsec);
}

void TestTeam::alarmDayIsTheServers_data()
{
    // Zones where the day is another than on the test's clock (UTC) for most of it.
    QTest::addColumn<QString>("zone");
    QTest::addColumn<int>("hoursFromUtc");
    QTest::newRow("fourteen hours ahead") << u"Pacific/Kiritimati"_s << 14;
    QTest::newRow("twelve hours behind") << u"Etc/GMT+12"_s << -12;
}

void TestTeam::alarmDayIsTheServers()
{
    QFETCH(QString, zone);
    QFETCH(int, hoursFromUtc);
    QCOMPARE(alarmToday(db()), TestWorld::Now.date()); // the fixed clock holds
    Clock::setFixed({});
    const auto restore = qScopeGuard([] { Clock::setFixed(TestWorld::Now); });
    execute(db(), u"SET TIME ZONE '%1'"_s.arg(zone));
    QCOMPARE(alarmToday(db()), QDateTime::currentDateTimeUtc().addSecs(hoursFromUtc * 3600).date());
    execute(db(), u"SET TIME ZONE DEFAULT"_s);
}

QTEST_MAIN(TestTeam)
#include "test_team.moc"
