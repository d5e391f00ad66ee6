// The alarm rules, the roll-forward of the service date, the monitor's schedule and what the
// acknowledgements show and store.

#include "TestSupport.h"

#include "core/alarms/Acknowledgement.h"
#include "core/alarms/AlarmRules.h"
#include "core/alarms/AlarmSchedule.h"
#include "core/data/DatabaseADO.h"

#include "core/platform/Clock.h"

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
    void nullTextsAddNothing();
    void rollForward_data();
    void rollForward();
    void overdueItemAlarmsAgainAfterRoll();

    void periodicCheck_data();
    void periodicCheck();
    void snooze_data();
    void snooze();

    void infoTexts();
    void emptyPartsAndAddressLines();
    void storesOwnFieldsAndRolls_data();
    void storesOwnFieldsAndRolls();
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
    QTest::addColumn<QStringList>("kinds"); // on 3/5/2027 (both rules due) unless a day is given
    QTest::addColumn<QDate>("today");
    QTest::newRow("both") << example() << 1 << 1 << QStringList{"0", "1"} << QDate();
    QTest::newRow("service alarms off") << example() << 0 << 1 << QStringList{"1"} << QDate();
    QTest::newRow("order switch 2 is off") << example() << 1 << 2 << QStringList{"0"} << QDate();
    QTest::newRow("no interval") << example({{"serviceinterval", 0}}) << 1 << 1 << QStringList() << QDate();
    QTest::newRow("no service date") << example({{"servicedate", QVariant()}}) << 1 << 1 << QStringList() << QDate();
    QTest::newRow("no warning: order only") << example({{"servicewarn", 0}}) << 1 << 1 << QStringList{"1"} << QDate();
    QTest::newRow("no lead time: service only") << example({{"leadtime", 0}}) << 1 << 1 << QStringList{"0"} << QDate();
    QTest::newRow("service acknowledged") << example({{"ackservice", 1}}) << 1 << 1 << QStringList{"1"} << QDate();
    QTest::newRow("order acknowledged") << example({{"ackorder", 1}}) << 1 << 1 << QStringList{"0"} << QDate();
    QTest::newRow("parts in stock") << example({{"ackorderinstock", 1}}) << 1 << 1 << QStringList{"0"} << QDate();
    const QDate past(2027, 3, 11);
    QTest::newRow("past, no warning: order row only") << example({{"servicewarn", 0}}) << 1 << 1 << QStringList{"2"} << past;
    QTest::newRow("past, no lead time: service row only") << example({{"leadtime", 0}}) << 1 << 1 << QStringList{"2"} << past;
    QTest::newRow("past, service acknowledged stays silent")
        << example({{"ackservice", 1}}) << 1 << 1 << QStringList{"2"} << past;
    QTest::newRow("past, both acknowledged") << example({{"ackservice", 1}, {"ackorderinstock", 1}}) << 1 << 1
                                             << QStringList() << past;
    QTest::newRow("past, order alarms off") << example() << 1 << 0 << QStringList{"2"} << past;
    QTest::newRow("past, no interval") << example({{"serviceinterval", 0}}) << 1 << 1 << QStringList() << past;
    QTest::newRow("day before the warning") << example({{"leadtime", 0}}) << 1 << 1 << QStringList() << QDate(2027, 3, 2);
    QTest::newRow("first day of the warning") << example({{"leadtime", 0}}) << 1 << 1 << QStringList{"0"}
                                              << QDate(2027, 3, 3);
    QTest::newRow("long lead time, far off") << example({{"leadtime", 400}}) << 1 << 1 << QStringList{"1"}
                                             << QDate(2026, 2, 3);
}

void TestAlarms::rulesNeedTheirFields()
{
    QFETCH(QVariantMap, item);
    QFETCH(int, serviceSwitch);
    QFETCH(int, orderSwitch);
    QFETCH(QStringList, kinds);
    QFETCH(QDate, today);
    TestWorld world;
    world.addItem(world.addCompany(QStringLiteral("Acme")), item);
    const QDate day = today.isValid() ? today : QDate(2027, 3, 5);
    QCOMPARE(::kinds(evaluateAlarms(db(), serviceSwitch, orderSwitch, day)), kinds);
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

void TestAlarms::nullTextsAddNothing()
{
    TestWorld world;
    const qint64 id = world.addItem(world.addCompany(QString(), {{QStringLiteral("company"), QVariant()}}),
                                    example({{"Name", QVariant()}, {"location", QVariant()}}));
    QStringList texts;
    for (const AlarmRow &row : evaluateAlarms(db(), 1, 1, QDate(2027, 3, 5)))
        texts << row.text;
    QCOMPARE(texts, QStringList({QStringLiteral("SERVICE  at \r\n by 3/10/2027.   ID = %1").arg(id),
                                 QStringLiteral("ORDER replacment part(s) from  for .    ID = %1").arg(id)}));
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

void TestAlarms::overdueItemAlarmsAgainAfterRoll()
{
    // Counted from the old service date, the new one may still lie in the past.
    TestWorld world;
    const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")),
                                    example({{"servicedate", QStringLiteral("2026-10-01")}, {"serviceinterval", 30},
                                             {"leadtime", 0}}));
    QCOMPARE(kinds(evaluateAlarms(db(), 1, 1, Clock::today())), QStringList{"2"});
    Execute(db(), QStringLiteral("UPDATE main SET ackservice = 1 WHERE ID = ?"), {id});
    QVERIFY(evaluateAlarms(db(), 1, 1, Clock::today()).isEmpty());
    QVERIFY(RollServiceDate(db(), id));
    QCOMPARE(world.scalar(QStringLiteral("SELECT servicedate FROM main")).toString(), QStringLiteral("2026-10-31"));
    QCOMPARE(kinds(evaluateAlarms(db(), 1, 1, Clock::today())), QStringList{"2"});
}

void TestAlarms::periodicCheck_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QDateTime>("next");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDateTime>("nextAfter"); // invalid: not due, next unchanged
    const QDate day(2026, 12, 6);
    const QDateTime at1005(day, QTime(10, 5));
    QTest::newRow("at the check time: not yet") << 1 << at1005 << at1005 << QDateTime();
    QTest::newRow("passed: due, next one interval on") << 1 << at1005 << at1005.addSecs(10)
                                                      << at1005.addSecs(10 + 5 * 60);
    QTest::newRow("OFF") << 0 << at1005 << at1005.addDays(2) << QDateTime();
    QTest::newRow("code 15 counts as OFF") << 15 << at1005 << at1005.addSecs(10) << QDateTime();
    QTest::newRow("code -1 counts as OFF") << -1 << at1005 << at1005.addSecs(10) << QDateTime();
    const QDateTime after(day.addDays(1), QTime(0, 5)); // set at 23:55 for 10 minutes
    QTest::newRow("due after midnight") << 2 << after << after.addSecs(10) << after.addSecs(10 + 10 * 60);
    QTest::newRow("before midnight the check waits") << 2 << after << QDateTime(day, QTime(23, 59, 50)) << QDateTime();
    const QDateTime tomorrow(day.addDays(1), QTime(10, 0));
    QTest::newRow("24 hours: not later the same day") << 14 << tomorrow << QDateTime(day, QTime(23, 0)) << QDateTime();
    QTest::newRow("24 hours: the next day") << 14 << tomorrow << tomorrow.addSecs(10) << tomorrow.addSecs(10).addDays(1);
}

void TestAlarms::periodicCheck()
{
    QFETCH(int, code);
    QFETCH(QDateTime, next);
    QFETCH(QDateTime, now);
    QFETCH(QDateTime, nextAfter);
    QDateTime check = next;
    QCOMPARE(AlarmSchedule::periodicCheckDue(code, check, now), nextAfter.isValid());
    QCOMPARE(check, nextAfter.isValid() ? nextAfter : next);
}

void TestAlarms::snooze_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<QDateTime>("wake"); // the day of start is 12/6/2026
    const QDate day(2026, 12, 6);
    QTest::newRow("0") << 0 << "5 minutes" << QTime(10, 0) << QDateTime(day, QTime(10, 5));
    QTest::newRow("3") << 3 << "30 minutes" << QTime(10, 0) << QDateTime(day, QTime(10, 30));
    QTest::newRow("4") << 4 << "1 hour" << QTime(10, 0) << QDateTime(day, QTime(11, 0));
    QTest::newRow("5") << 5 << "2 hours" << QTime(10, 0) << QDateTime(day, QTime(12, 0));
    QTest::newRow("9 across midnight") << 9 << "6 hours" << QTime(22, 0) << QDateTime(day.addDays(1), QTime(4, 0));
    QTest::newRow("5 minutes at 23:58") << 0 << "5 minutes" << QTime(23, 58) << QDateTime(day.addDays(1), QTime(0, 3));
}

void TestAlarms::snooze()
{
    QFETCH(int, choice);
    QFETCH(QString, caption);
    QFETCH(QTime, start);
    QFETCH(QDateTime, wake);
    QCOMPARE(AlarmSchedule::sleepCaption(choice), caption);
    const QDateTime until = AlarmSchedule::sleepEnd(choice, QDateTime(QDate(2026, 12, 6), start));
    QCOMPARE(until, wake);
    QVERIFY(!AlarmSchedule::wakeDue(until, wake));
    QVERIFY(!AlarmSchedule::wakeDue(until, QDateTime(QDate(2026, 12, 6), start).addSecs(10)));
    QVERIFY(AlarmSchedule::wakeDue(until, wake.addSecs(10)));
}

void TestAlarms::infoTexts()
{
    TestWorld world;
    const qint64 acme = world.addCompany(
        QStringLiteral("Acme"), {{QStringLiteral("Street1"), QStringLiteral("1 Main St")},
                                 {QStringLiteral("Street2"), QStringLiteral("Unit 4")},
                                 {QStringLiteral("city"), QStringLiteral("Rockford")}, {QStringLiteral("State"), "IL"},
                                 {QStringLiteral("zip"), "61101"}, {QStringLiteral("contact"), QStringLiteral("Sam")},
                                 {QStringLiteral("phone1"), "555-0155"}, {QStringLiteral("email"), "sam@acme.test"},
                                 {QStringLiteral("website"), "acme.test"}, {QStringLiteral("notes"), "Net 30"}});
    const qint64 id = world.addItem(acme, example({{"Tag", "P-1"}, {"hazmat", QVariant()}, {"part", "CR5"},
                                                   {"tools", "Wrench\r\nGauge"}, {"refmanuals", "Binder 1"},
                                                   {"Locked", "Valve V-1"}, {"custom1", "a"}, {"custom3", "c"}}));
    world.addPart(id, QStringLiteral("Seal"), QStringLiteral("S-9"));
    world.addPart(id, QStringLiteral("Impeller"), QVariant());
    QCOMPARE(serviceInfoText(db(), id),
             QStringLiteral("SERVICE Name: \r\n  Pump\r\n\r\nTag:\r\n  P-1\r\n\r\nLocation: \r\n  Hall 2\r\n\r\n"
                            "Hazmat: \r\n  \r\n\r\nPart: \r\n  CR5\r\n\r\n"
                            "Replacement Part(s): \r\nImpeller / \r\nSeal / S-9\r\n\r\n\r\n"
                            "Tools: \r\nWrench\r\nGauge\r\n\r\n\r\nReference Manuals: \r\n  Binder 1\r\n\r\n"
                            "Equipment to be Locked: \r\nValve V-1\r\n\r\nCustom 1:\r\n  a\r\n\r\n"
                            "Custom 2: \r\n  \r\n\r\nCustom 3: \r\n  c\r\n\r\n"));
    QCOMPARE(orderInfoText(db(), id),
             QStringLiteral("ORDER replacment part(s):\r\nImpeller / \r\nSeal / S-9\r\n\r\n\r\n"
                            "FOR name:\r\n  Pump\r\n\r\nFROM Company:  Acme\r\n\r\n"
                            "Address:\r\n  1 Main St\r\n  Unit 4\r\n  Rockford, IL  61101\r\n\r\n"
                            "Contact:\r\n  Sam\r\n\r\nPhone1:\r\n  555-0155\r\n\r\nPhone2: \r\n  \r\n\r\n"
                            "E-mail: \r\n  sam@acme.test\r\n\r\nWeb Site: \r\n  acme.test\r\n\r\n"
                            "Notes: \r\n  Net 30\r\n\r\n"));
    Execute(db(), QStringLiteral("DELETE FROM main"));
    QCOMPARE(serviceInfoText(db(), id), QString());
    QCOMPARE(orderInfoText(db(), id), QString());
}

void TestAlarms::emptyPartsAndAddressLines()
{
    TestWorld world;
    const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme"), {{QStringLiteral("Street1"), "1 Main St"}}),
                                    example());
    QVERIFY(serviceInfoText(db(), id).contains(QStringLiteral("Replacement Part(s): \r\n\r\n\r\nTools: ")));
    QVERIFY(orderInfoText(db(), id).startsWith(QStringLiteral("ORDER replacment part(s):\r\n\r\n\r\nFOR name:")));
    // No second street line: the address keeps its three indented lines.
    QVERIFY(orderInfoText(db(), id).contains(QStringLiteral("Address:\r\n  1 Main St\r\n  \r\n  , ")));
}

void TestAlarms::storesOwnFieldsAndRolls_data()
{
    QTest::addColumn<QString>("store"); // service, order or stock
    QTest::addColumn<QVariantMap>("item");
    QTest::addColumn<bool>("rolled");
    QTest::addColumn<QString>("fields"); // afterwards: ackservice ackorder ackorderinstock DateServiced servicedby purchaseorder
    QTest::newRow("service, order still open") << "service" << example() << false << "1 0 0 2026-12-05 Ann PO-1";
    QTest::newRow("service, order done") << "service" << example({{"ackorder", 1}}) << true << "0 0 0 2026-12-05 Ann PO-1";
    QTest::newRow("service only in use") << "service" << example({{"leadtime", 0}}) << true << "0 0 0 2026-12-05 Ann PO-1";
    QTest::newRow("order, service still open") << "order" << example() << false << "0 1 0 2026-01-02 Bob PO-2";
    QTest::newRow("order only in use") << "order" << example({{"servicewarn", 0}}) << true << "0 0 0 2026-01-02 Bob PO-2";
    QTest::newRow("in stock, service done") << "stock" << example({{"ackservice", 1}}) << true << "0 0 0 2026-01-02 Bob PO-1";
    QTest::newRow("in stock, service open") << "stock" << example() << false << "0 0 1 2026-01-02 Bob PO-1";
}

void TestAlarms::storesOwnFieldsAndRolls()
{
    QFETCH(QString, store);
    QFETCH(QVariantMap, item);
    QFETCH(bool, rolled);
    QFETCH(QString, fields);
    TestWorld world;
    item.insert(QStringLiteral("DateServiced"), QStringLiteral("2026-01-02"));
    item.insert(QStringLiteral("servicedby"), QStringLiteral("Bob"));
    item.insert(QStringLiteral("purchaseorder"), QStringLiteral("PO-1"));
    const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")), item);
    // A change made elsewhere meanwhile is kept: only the acknowledgement's own fields are written.
    Execute(db(), QStringLiteral("UPDATE main SET Name = 'Renamed' WHERE ID = ?"), {id});
    AckResult result;
    if (store == u"service")
        result = storeServiceAck(db(), id, QStringLiteral("Ann"), QDate(2026, 12, 5), {QStringLiteral("serviced")});
    else if (store == u"order")
        result = storeOrderAck(db(), id, QStringLiteral("PO-2"), {QStringLiteral("ordered")});
    else
        result = storeInStock(db(), id, {QStringLiteral("in stock"), QStringLiteral("second")});
    QVERIFY(result.stored);
    QCOMPARE(result.rolled, rolled);
    QCOMPARE(world.scalar(QStringLiteral(
                 "SELECT ackservice || ' ' || ackorder || ' ' || ackorderinstock || ' ' || DateServiced || ' ' ||"
                 " servicedby || ' ' || purchaseorder FROM main")).toString(), fields);
    QCOMPARE(world.scalar(QStringLiteral("SELECT servicedate FROM main")).toString(),
             rolled ? QStringLiteral("2027-06-08") : QStringLiteral("2027-03-10"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT Name FROM main")).toString(), QStringLiteral("Renamed"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT group_concat(Date || ' ' || descr, '|') FROM History WHERE ID = ?"),
                          {id}).toString(),
             store == u"stock" ? QStringLiteral("2026-12-06 in stock|2026-12-06 second")
                               : QStringLiteral("2026-12-06 ") + (store == u"order" ? "ordered" : "serviced"));
}

QTEST_GUILESS_MAIN(TestAlarms)
#include "test_alarms.moc"
