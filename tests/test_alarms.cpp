// The alarm rules and the roll-forward of the service date.

#include "TestSupport.h"

#include "core/alarms/AlarmRules.h"
#include "core/data/DatabaseADO.h"

#include <QTest>

class TestAlarms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }

    void workedExample_data();
    void workedExample();
    void rulesNeedTheirFields_data();
    void rulesNeedTheirFields();
    void rowsFollowServiceDate();
    void rollForward_data();
    void rollForward();
};

namespace {

// Service date 3/10/2027, warning 7, lead time 14, interval 90, nothing acknowledged.
QVariantMap example(std::initializer_list<std::pair<const char *, QVariant>> changes = {})
{
    QVariantMap fields = {{QStringLiteral("Name"), QStringLiteral("Pump")},
                          {QStringLiteral("location"), QStringLiteral("Hall 2")},
                          {QStringLiteral("servicedate"), QStringLiteral("2027-03-10")},
                          {QStringLiteral("servicewarn"), 7},
                          {QStringLiteral("leadtime"), 14},
                          {QStringLiteral("serviceinterval"), 90}};
    for (const auto &[name, value] : changes)
        fields.insert(QString::fromLatin1(name), value);
    return fields;
}

QStringList kinds(const QVector<AlarmRow> &rows)
{
    QStringList result;
    for (const AlarmRow &row : rows)
        result << QString::number(row.kind);
    return result;
}

} // namespace

void TestAlarms::workedExample_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QStringList>("texts");
    const QString order = QStringLiteral("ORDER replacment part(s) from Acme for Pump.    ID = 1");
    const QString service = QStringLiteral("SERVICE Pump at Hall 2\r\n by 3/10/2027.   ID = 1");
    const QString pastService =
        QStringLiteral("PAST SERVICE DATE: Pump at Hall 2 HAS NOT BEEN SERVICED (see details to edit) ID = 1");
    const QString pastOrder =
        QStringLiteral("PAST SERVICE DATE: Replacement part(s) for Pump HAVE NOT BEEN ORDERED (see details to edit) ID = 1");
    QTest::newRow("23 February: nothing") << QDate(2027, 2, 23) << QStringList();
    QTest::newRow("24 February: order") << QDate(2027, 2, 24) << QStringList{order};
    QTest::newRow("2 March: order") << QDate(2027, 3, 2) << QStringList{order};
    QTest::newRow("3 March: service, order") << QDate(2027, 3, 3) << QStringList{service, order};
    QTest::newRow("service day: not yet past") << QDate(2027, 3, 10) << QStringList{service, order};
    QTest::newRow("11 March: both past") << QDate(2027, 3, 11) << QStringList{pastService, pastOrder};
}

void TestAlarms::workedExample()
{
    QFETCH(QDate, today);
    QFETCH(QStringList, texts);
    TestWorld world;
    world.addItem(world.addCompany(QStringLiteral("Acme")), example());
    QStringList got;
    for (const AlarmRow &row : evaluateAlarms(db(), 1, 1, today)) {
        QCOMPARE(row.itemId, 1);
        got << row.text;
    }
    QCOMPARE(got, texts);
}

void TestAlarms::rulesNeedTheirFields_data()
{
    QTest::addColumn<QVariantMap>("item");
    QTest::addColumn<int>("serviceSwitch");
    QTest::addColumn<int>("orderSwitch");
    QTest::addColumn<QStringList>("kinds"); // on 3/5/2027, with both rules due
    QTest::newRow("both") << example() << 1 << 1 << QStringList{"0", "1"};
    QTest::newRow("service alarms off") << example() << 0 << 1 << QStringList{"1"};
    QTest::newRow("order switch 2 is off") << example() << 1 << 2 << QStringList{"0"};
    QTest::newRow("no interval") << example({{"serviceinterval", 0}}) << 1 << 1 << QStringList();
    QTest::newRow("no service date") << example({{"servicedate", QVariant()}}) << 1 << 1 << QStringList();
    QTest::newRow("no warning: order only") << example({{"servicewarn", 0}}) << 1 << 1 << QStringList{"1"};
    QTest::newRow("no lead time: service only") << example({{"leadtime", 0}}) << 1 << 1 << QStringList{"0"};
    QTest::newRow("service acknowledged") << example({{"ackservice", 1}}) << 1 << 1 << QStringList{"1"};
    QTest::newRow("order acknowledged") << example({{"ackorder", 1}}) << 1 << 1 << QStringList{"0"};
    QTest::newRow("parts in stock") << example({{"ackorderinstock", 1}}) << 1 << 1 << QStringList{"0"};
}

void TestAlarms::rulesNeedTheirFields()
{
    QFETCH(QVariantMap, item);
    QFETCH(int, serviceSwitch);
    QFETCH(int, orderSwitch);
    QFETCH(QStringList, kinds);
    TestWorld world;
    world.addItem(world.addCompany(QStringLiteral("Acme")), item);
    QCOMPARE(::kinds(evaluateAlarms(db(), serviceSwitch, orderSwitch, QDate(2027, 3, 5))), kinds);
}

void TestAlarms::rowsFollowServiceDate()
{
    TestWorld world;
    const qint64 acme = world.addCompany(QStringLiteral("Acme"));
    const qint64 later = world.addItem(acme, example({{"servicedate", QStringLiteral("2027-03-12")}}));
    const qint64 sooner = world.addItem(acme, example({{"leadtime", 0}}));
    world.addItem(acme + 7, example()); // no company row: never evaluated
    const QVector<AlarmRow> rows = evaluateAlarms(db(), 1, 1, QDate(2027, 3, 5));
    QCOMPARE(kinds(rows), QStringList({"0", "0", "1"}));
    QCOMPARE(rows.at(0).itemId, sooner);
    QCOMPARE(rows.at(1).itemId, later);
    QCOMPARE(rows.at(2).itemId, later);
}

void TestAlarms::rollForward_data()
{
    QTest::addColumn<QVariantMap>("item");
    QTest::addColumn<QString>("serviceDate"); // afterwards
    QTest::newRow("service only, acknowledged") << example({{"leadtime", 0}, {"ackservice", 1}}) << "2027-06-08";
    QTest::newRow("order only, ordered") << example({{"servicewarn", 0}, {"ackorder", 1}}) << "2027-06-08";
    QTest::newRow("order only, in stock") << example({{"servicewarn", 0}, {"ackorderinstock", 1}}) << "2027-06-08";
    QTest::newRow("both, both acknowledged") << example({{"ackservice", 1}, {"ackorder", 1}}) << "2027-06-08";
    QTest::newRow("both, order missing") << example({{"ackservice", 1}}) << "2027-03-10";
    QTest::newRow("both, service missing") << example({{"ackorderinstock", 1}}) << "2027-03-10";
    QTest::newRow("no interval") << example({{"serviceinterval", 0}, {"ackservice", 1}}) << "2027-03-10";
    QTest::newRow("29 February plus a year") << example({{"servicedate", QStringLiteral("2028-02-29")},
                                                         {"serviceinterval", 365}, {"leadtime", 0}, {"ackservice", 1}})
                                             << "2029-02-28";
    QTest::newRow("unreadable date stays") << example({{"servicedate", QStringLiteral("soon")}, {"leadtime", 0},
                                                       {"ackservice", 1}})
                                           << "soon";
}

void TestAlarms::rollForward()
{
    QFETCH(QVariantMap, item);
    QFETCH(QString, serviceDate);
    TestWorld world;
    const qint64 acme = world.addCompany(QStringLiteral("Acme"));
    const qint64 id = world.addItem(acme, item);
    const qint64 other = world.addItem(acme, item);
    const bool rolled = RollServiceDate(db(), id);
    QCOMPARE(rolled, serviceDate != item.value(QStringLiteral("servicedate")).toString());
    QCOMPARE(world.scalar(QStringLiteral("SELECT servicedate FROM main WHERE ID = ?"), {id}).toString(), serviceDate);
    const int flags = world.scalar(QStringLiteral("SELECT ackservice + ackorder + ackorderinstock FROM main WHERE ID = ?"),
                                   {id}).toInt();
    QCOMPARE(flags == 0, rolled || item.value(QStringLiteral("ackservice")).toInt()
                                       + item.value(QStringLiteral("ackorder")).toInt()
                                       + item.value(QStringLiteral("ackorderinstock")).toInt() == 0);
    // Only the given item moves.
    QCOMPARE(world.scalar(QStringLiteral("SELECT servicedate FROM main WHERE ID = ?"), {other}),
             item.value(QStringLiteral("servicedate")));
}

QTEST_GUILESS_MAIN(TestAlarms)
#include "test_alarms.moc"
