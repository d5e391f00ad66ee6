// Each technician's own column layout, alarm timer, start-up alarm and history question on a
// server, beside the options everyone on the database shares; two technicians log in as
// themselves on the test run's throwaway server.

#include "ServerSupport.h"
#include "TestSupport.h"

#include "core/db/Database.h"
#include "core/db/DatabaseCopy.h"
#include "core/db/DbError.h"
#include "core/db/Schema.h"
#include "core/maintenance/GeneralOptions.h"
#include "core/settings/ColumnLayout.h"
#include "core/settings/ColumnStore.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsStore.h"
#include "core/views/ColumnSettings.h"
#include "gui/maintenance/OptionsDialog.h"
#include "gui/views/ColumnSettingsDialog.h"

#include <QLabel>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString DatabaseName = u"test_techsettings"_s;
const QString Anna = u"techset_anna"_s;
const QString Ben = u"techset_ben"_s;

QVariant scalar(Database &db, const QString &sql)
{
    Statement query(db, sql);
    return query.next() ? query.value(0) : QVariant();
}

// What the item list and the alarms follow: the shown columns with their widths, then the options.
QString observed(Database &db)
{
    QStringList seen;
    for (const ColumnLayout::Shown &column : ColumnLayout::read(db).shown)
        seen << u"%1:%2"_s.arg(int(column.id)).arg(column.widthTwips);
    const AppSettings s = loadSettings(db);
    seen << u"| timer %1 start %2 ask %3"_s.arg(int(s.interval)).arg(s.startupAlarm).arg(s.askBeforeHistory)
         << u"service %1 order %2 history %3"_s.arg(s.serviceAlarms).arg(s.orderAlarms).arg(s.autoAddHistory);
    return seen.join(u' ');
}

// Shows or hides the first column through Column Settings.
bool toggleFirstColumn(Database &db)
{
    ColumnSettings settings = ColumnSettings::read(db);
    settings.setShown(0, !settings.row(0).shown());
    return settings.write(db);
}

// Changes the options window's values and saves them.
bool saveOptionsWith(Database &db, const std::function<void(GeneralOptions &)> &change)
{
    const RowStamp read = OptionRules::optionsStamp(db);
    GeneralOptions options = OptionRules::loadOptions(db);
    change(options);
    return OptionRules::saveOptions(db, options, read);
}

// Saves the options window's values with one change.
std::function<bool(Database &)> options(const std::function<void(GeneralOptions &)> &change)
{
    return [change](Database &db) { return saveOptionsWith(db, change); };
}

struct Change {
    const char *name;
    std::function<bool(Database &)> apply;
    bool shared; // everyone's on the database, not the technician's own
};

const Change Changes[] = {
    {"column places", toggleFirstColumn, false},
    {"column width", [](Database &db) { writeColumnWidths(db, {{int(ColumnLayout::read(db).shown.at(1).id), 4321}});
                                        return true; }, false},
    {"timer interval", options([](GeneralOptions &o) { o.notification = 3; }), false},
    {"start-up alarm", options([](GeneralOptions &o) { o.startupAlarm = 0; }), false},
    {"history question", options([](GeneralOptions &o) { o.autoAddHistoryWarn = 1; }), false},
    {"service alarm switch", options([](GeneralOptions &o) { o.serviceAlarms = 0; }), true},
    {"automatic history", options([](GeneralOptions &o) { o.autoAddHistory = o.autoAddHistoryWarn = 0; }), true},
};

void addChanges()
{
    QTest::addColumn<int>("change");
    for (int i = 0; i < int(std::size(Changes)); ++i)
        QTest::newRow(Changes[i].name) << i;
}

} // namespace

class TestTechSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void ownValuesStayWithTheirLogin_data() { addChanges(); }
    void ownValuesStayWithTheirLogin();
    void newTechnicianStartsFromTheDatabaseRows();
    void savesCompareTheirOwnRows_data();
    void savesCompareTheirOwnRows();
    void upgradeAddsTheTablesForTheTechnicians();
    void fileKeepsItsOneRow_data() { addChanges(); }
    void fileKeepsItsOneRow();
    void windowsNameTheOwnValues_data();
    void windowsNameTheOwnValues();

private:
    QString address(const QString &login) const { return TestServerDatabase::address(DatabaseName, login); }

    Database m_owner, m_anna, m_ben;
};

void TestTechSettings::initTestCase()
{
    initTestEnvironment();
    m_owner.connectServer(TestServerDatabase::create(DatabaseName));
    DatabaseCopy::initServer(m_owner, u"tarvo_owner"_s, u"tarvo_technicians"_s, false);
    for (const QString &login : {Anna, Ben})
        m_owner.exec(u"DROP ROLE IF EXISTS %1; CREATE ROLE %1 LOGIN IN ROLE tarvo_technicians"_s.arg(login));
    m_anna.openServer(address(Anna));
    m_ben.openServer(address(Ben));
}

void TestTechSettings::init()
{
    // The database's starting rows, and no technician with options of their own.
    Transaction transaction(m_owner);
    m_owner.exec(u"DELETE FROM tech_columns; DELETE FROM tech_settings; DELETE FROM Columns; DELETE FROM settings"_s);
    Schema::addStartingRows(m_owner, u"1"_s, u"1"_s, QDate(2026, 12, 6));
    transaction.commit();
}

void TestTechSettings::ownValuesStayWithTheirLogin()
{
    QFETCH(int, change);
    const Change &what = Changes[change];
    const QString before = observed(m_ben);
    QVERIFY(what.apply(m_anna));
    const QString after = observed(m_anna);
    QVERIFY(after != before);
    QCOMPARE(observed(m_ben), what.shared ? after : before);
    // The database's own rows change only for what everyone shares.
    QCOMPARE(observed(m_owner), what.shared ? after : before);
    // Nor can another technician read the rows.
    QCOMPARE(scalar(m_ben, u"SELECT (SELECT count(*) FROM tech_columns) + (SELECT count(*) FROM tech_settings)"_s).toInt(), 0);
}

void TestTechSettings::newTechnicianStartsFromTheDatabaseRows()
{
    // The owner sets the defaults through the same windows.
    QVERIFY(toggleFirstColumn(m_owner));
    QVERIFY(saveOptionsWith(m_owner, [](GeneralOptions &o) { o.notification = 5; }));
    const QString defaults = observed(m_owner);
    QCOMPARE(observed(m_ben), defaults);

    // Ben's first save of a width keeps the rest of the layout as it was then; later defaults
    // reach only the options he has not saved yet.
    writeColumnWidths(m_ben, {{int(ColumnLayout::read(m_ben).shown.at(0).id), 2345}});
    const QString bensLayout = observed(m_ben).section(u" | "_s, 0, 0);
    QVERIFY(bensLayout != defaults.section(u" | "_s, 0, 0));
    execute(m_owner, u"UPDATE Columns SET ColLocation = 30, size = 900"_s);
    execute(m_owner, u"UPDATE settings SET timerinterval = 2"_s);
    QCOMPARE(observed(m_ben).section(u" | "_s, 0, 0), bensLayout);
    QVERIFY(observed(m_ben).contains(u"timer 2 "_s));
}

void TestTechSettings::savesCompareTheirOwnRows_data()
{
    QTest::addColumn<bool>("columns"); // Column Settings, else Options
    QTest::addColumn<QString>("login"); // who saves meanwhile
    QTest::addColumn<QString>("sql"); // what they change, as their own save would write it
    QTest::addColumn<bool>("saved");
    const QString ownWidth = u"UPDATE tech_columns SET size = 999 WHERE login = current_user AND ID = 0"_s;
    const QString ownTimer = u"UPDATE tech_settings SET timerinterval = 9 WHERE login = current_user"_s;
    QTest::newRow("layout, the same login elsewhere") << true << Anna << ownWidth << false;
    QTest::newRow("layout, another technician") << true << Ben << ownWidth << true;
    QTest::newRow("layout, a caption") << true << Ben << u"UPDATE Columns SET name = 'Kind' WHERE ID = 0"_s << false;
    QTest::newRow("timer, the same login elsewhere") << false << Anna << ownTimer << false;
    QTest::newRow("timer, another technician") << false << Ben << ownTimer << true;
    QTest::newRow("alarm switch, another technician") << false << Ben << u"UPDATE settings SET alorderdisabled = 0"_s << false;
}

void TestTechSettings::savesCompareTheirOwnRows()
{
    QFETCH(bool, columns);
    QFETCH(QString, login);
    QFETCH(QString, sql);
    QFETCH(bool, saved);
    ColumnSettings layout = ColumnSettings::read(m_anna);
    const RowStamp optionsRead = OptionRules::optionsStamp(m_anna);
    GeneralOptions options = OptionRules::loadOptions(m_anna);

    Database other;
    other.openServer(address(login));
    ColumnSettings::read(other); // their own rows, as their windows make them
    OptionRules::optionsStamp(other);
    execute(other, sql);

    layout.setShown(0, !layout.row(0).shown());
    options.notification = 4;
    QCOMPARE(columns ? layout.write(m_anna) : OptionRules::saveOptions(m_anna, options, optionsRead), saved);
}

void TestTechSettings::upgradeAddsTheTablesForTheTechnicians()
{
    execute(m_owner, u"DROP TABLE tech_columns, tech_settings"_s);
    // A technician may not make tables: the database is used as it is, its rows everyone's.
    QVERIFY_THROWS_EXCEPTION(DbError, Schema::upgrade(m_anna));
    const QString shared = observed(m_ben);
    QVERIFY(saveOptionsWith(m_anna, [](GeneralOptions &o) { o.notification = 3; }));
    QVERIFY(observed(m_ben) != shared);

    Schema::upgrade(m_owner);
    QCOMPARE(scalar(m_owner, u"SELECT tableowner FROM pg_tables WHERE tablename = 'tech_columns'"_s).toString(),
             u"tarvo_owner"_s);
    const QString before = observed(m_ben);
    QVERIFY(toggleFirstColumn(m_anna));
    QVERIFY(saveOptionsWith(m_anna, [](GeneralOptions &o) { o.notification = 6; }));
    QVERIFY(observed(m_anna) != before);
    QCOMPARE(observed(m_ben), before);
}

void TestTechSettings::fileKeepsItsOneRow()
{
    QFETCH(int, change);
    TestWorld world;
    const QString before = observed(db());
    QVERIFY(Changes[change].apply(db()));
    QVERIFY(observed(db()) != before);
    QCOMPARE(world.scalar(u"SELECT count(*) FROM settings"_s).toInt(), 1);
    QCOMPARE(world.scalar(u"SELECT count(*) FROM sqlite_master WHERE name LIKE 'tech%'"_s).toInt(), 0);
    // Another program on the file sees the change in the rows themselves.
    Database other;
    QVERIFY(other.open(world.databasePath()));
    QCOMPARE(observed(other), observed(db()));
}

void TestTechSettings::windowsNameTheOwnValues_data()
{
    QTest::addColumn<QString>("login"); // empty: the file
    QTest::addColumn<bool>("named");
    QTest::newRow("technician") << Anna << true;
    QTest::newRow("owner of the tables") << u"postgres"_s << false;
    QTest::newRow("file") << QString() << false;
}

void TestTechSettings::windowsNameTheOwnValues()
{
    QFETCH(QString, login);
    QFETCH(bool, named);
    TestWorld world;
    Database server;
    if (!login.isEmpty())
        server.openServer(address(login));
    Database &database = login.isEmpty() ? db() : server;
    const std::pair<QWidget *, const char *> windows[] = {
        {openAlone<OptionsDialog>(database), "lblOwnSettings"},
        {openAlone<ColumnSettingsDialog>(database), "lblOwnLayout"},
    };
    for (const auto &[window, caption] : windows) {
        QVERIFY(window);
        QCOMPARE(control<QLabel>(window, caption)->isVisible(), named);
        QCOMPARE(overlapFault(window), QString());
    }
    closeAllWindows();
}

QTEST_MAIN(TestTechSettings)
#include "test_techsettings.moc"
