// The alarm rules, the roll-forward of the service date, the monitor's schedule, what the
// acknowledgements show, and that their stores keep what they do not own. The rest of what the
// acknowledgements store, and the snooze, are driven through their windows in test_alarmwindows.

#include "CoreSupport.h"

#include "core/alarms/Acknowledgement.h"
#include "core/alarms/AlarmMonitor.h"
#include "core/alarms/AlarmNews.h"
#include "core/alarms/AlarmRules.h"
#include "core/alarms/AlarmSchedule.h"
#include "core/alarms/AlarmStore.h"
#include "core/alarms/AlarmSummary.h"
#include "core/platform/Clock.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Service date 3/10/2027, warning 7, lead time 14, interval 90, nothing acknowledged.
QVariantMap example(std::initializer_list<std::pair<const char *, QVariant>> changes = {})
{
    QVariantMap fields = {{u"Name"_s, u"Pump"_s}, {u"location"_s, u"Hall 2"_s}, {u"servicedate"_s, u"2027-03-10"_s}, {u"servicewarn"_s, 7}, {u"leadtime"_s, 14}, {u"serviceinterval"_s, 90}};
    for (const auto &[name, value] : changes)
        fields.insert(QString::fromLatin1(name), value);
    return fields;
}

// Alarm rows from pairs of a kind and a character that names the item.
QVector<AlarmRow> alarmRows(const QString &pairs)
{
    QVector<AlarmRow> rows;
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
        rows.append({AlarmKind(pairs.at(i).digitValue()), pairs.at(i + 1).unicode(), QString()});
    return rows;
}

} // namespace

class TestAlarms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initCoreTestEnvironment(); }

    void rules_data()
    {
        QTest::addColumn<QVariantMap>("item");
        QTest::addColumn<int>("switches"); // two digits: the service switch, then the order switch
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("kinds");
        const QDate due(2027, 3, 5), past(2027, 3, 11);
        QTest::newRow("23 February: nothing") << example() << 11 << QDate(2027, 2, 23) << "";
        QTest::newRow("24 February: order") << example() << 11 << QDate(2027, 2, 24) << "1";
        QTest::newRow("2 March: order") << example() << 11 << QDate(2027, 3, 2) << "1";
        QTest::newRow("3 March: service, order") << example() << 11 << QDate(2027, 3, 3) << "01";
        QTest::newRow("service day: not yet past") << example() << 11 << QDate(2027, 3, 10) << "01";
        QTest::newRow("11 March: both past") << example() << 11 << past << "22";
        QTest::newRow("service alarms off") << example() << 1 << due << "1";
        QTest::newRow("order switch 2 is off") << example() << 12 << due << "0";
        QTest::newRow("service switch 2 is off") << example() << 21 << due << "1";
        QTest::newRow("past, order alarms off") << example() << 10 << past << "2";
        QTest::newRow("no interval") << example({{"serviceinterval", 0}}) << 11 << past << "";
        QTest::newRow("no service date") << example({{"servicedate", QVariant()}}) << 11 << due << "";
        QTest::newRow("no warning: order only") << example({{"servicewarn", 0}}) << 11 << due << "1";
        QTest::newRow("past, no warning: order row only") << example({{"servicewarn", 0}}) << 11 << past << "2";
        QTest::newRow("no lead time: service only") << example({{"leadtime", 0}}) << 11 << due << "0";
        QTest::newRow("service acknowledged") << example({{"ackservice", 1}}) << 11 << due << "1";
        QTest::newRow("order acknowledged") << example({{"ackorder", 1}}) << 11 << due << "0";
        QTest::newRow("parts in stock") << example({{"ackorderinstock", 1}}) << 11 << due << "0";
        QTest::newRow("past, service acknowledged") << example({{"ackservice", 1}}) << 11 << past << "2";
        QTest::newRow("past, both acknowledged") << example({{"ackservice", 1}, {"ackorderinstock", 1}}) << 11 << past << "";
    }
    void rules()
    {
        QFETCH(QVariantMap, item);
        QFETCH(int, switches);
        QFETCH(QDate, today);
        TestWorld world;
        world.addItem(world.addCompany(u"Acme"_s), item);
        QString got;
        for (const AlarmRow &row : evaluateAlarms(db(), switches / 10, switches % 10, today))
            got += QString::number(row.kind);
        QTEST(got, "kinds");
    }

    // The desktop's texts, from the pending rows: pairs of a kind and an item's letter.
    void summaryTexts_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("tip"); // the tooltip's first line
        QTest::addColumn<QString>("badge");
        QTest::newRow("none") << u""_s << u"No alarms pending"_s << u"Tarvo"_s << u""_s;
        QTest::newRow("one service") << u"0a"_s << u"1 service pending"_s << u"Tarvo: 1 item with alarms"_s << u""_s;
        QTest::newRow("services and orders") << u"0a1a0b1b0c"_s << u"3 services and 2 orders pending"_s << u"Tarvo: 3 items with alarms"_s << u""_s;
        // An item late with both its service and its order counts once.
        QTest::newRow("and past due") << u"0a1a0b1b0c2d2d"_s << u"3 services and 2 orders pending, 1 past due"_s << u"Tarvo: 4 items with alarms"_s << u"1"_s;
        QTest::newRow("four items past due in eight rows") << u"2a2a2b2b2c2c2d2d"_s << u"4 past due"_s << u"Tarvo: 4 items with alarms"_s << u"4"_s;
        QString many;
        for (int item = 0; item < 120; ++item)
            many += QStringLiteral("2") + QChar(0x100 + item);
        QTest::newRow("past due beyond the badge") << many << u"120 past due"_s << u"Tarvo: 120 items with alarms"_s << u"99+"_s;
    }
    void summaryTexts()
    {
        QFETCH(QString, rows);
        const AlarmCounts counts = countAlarms(alarmRows(rows));
        QTEST(alarmSummary(counts), "summary");
        QTEST(trayToolTip(counts).section(u'\n', 0, 0), "tip");
        QTEST(trayToolTip(counts).section(u'\n', 1), "summary");
        QTEST(badgeText(counts.pastDue), "badge");
    }

    // What the desktop is told after each of a run of checks (rows as above, "|" between checks).
    void newsOfEachCheck_data()
    {
        QTest::addColumn<QString>("checks");
        QTest::addColumn<QStringList>("told"); // title and text of each check; empty: nothing
        QTest::newRow("the first check tells all") << "0a1a0b" << QStringList {u"New alarms for 2 items: 2 services and 1 order pending"_s};
        QTest::newRow("the same again tells nothing") << "0a1a|0a1a" << QStringList {u"New alarms for 1 item: 1 service and 1 order pending"_s, QString()};
        QTest::newRow("an item becomes past due") << "0a1a|2a2a" << QStringList {u"New alarms for 1 item: 1 service and 1 order pending"_s, u"New alarms for 1 item: 1 past due"_s};
        QTest::newRow("one more item") << "0a|0a1b" << QStringList {u"New alarms for 1 item: 1 service pending"_s, u"New alarms for 1 item: 1 order pending"_s};
        QTest::newRow("gone and back") << "0a||0a" << QStringList {u"New alarms for 1 item: 1 service pending"_s, QString(), u"New alarms for 1 item: 1 service pending"_s};
    }
    void newsOfEachCheck()
    {
        QFETCH(QString, checks);
        AlarmNews news;
        QStringList told;
        for (const QString &check : checks.split(u'|')) {
            const AlarmCounts counts = news.update(alarmRows(check));
            told << (counts.items == 0 ? QString() : noticeTitle(counts) + QStringLiteral(": ") + noticeText(counts));
        }
        QTEST(told, "told");
    }

    void textsInServiceDateOrder()
    {
        TestWorld world;
        const qint64 acme = world.addCompany(u"Acme"_s);
        const qint64 pump = world.addItem(acme, example());
        const qint64 fan = world.addItem(acme, example({{"Name", u"Fan"_s}, {"servicedate", u"2027-03-12"_s}, {"servicewarn", 0}}));
        // Null texts add nothing.
        const qint64 blank = world.addItem(world.addCompany(QString(), {{"company", QVariant()}}),
                                           example({{"Name", QVariant()}, {"location", QVariant()}, {"servicedate", u"2027-03-11"_s}}));
        world.addItem(acme + 7, example()); // no company row: never evaluated
        QStringList texts;
        for (const AlarmRow &row : evaluateAlarms(db(), 1, 1, QDate(2027, 3, 11)))
            texts << QString::number(row.itemId) + u' ' + row.text;
        QCOMPARE(texts, QStringList({QStringLiteral("%1 PAST SERVICE DATE: Pump at Hall 2 HAS NOT BEEN SERVICED (see details to edit) ID = %1").arg(pump), QStringLiteral("%1 PAST SERVICE DATE: Replacement part(s) for Pump HAVE NOT BEEN ORDERED (see details to edit)"
                                                                                                                                                                          " ID = %1")
                                                                                                                                                               .arg(pump),
                                     QStringLiteral("%1 SERVICE  at \r\n by 3/11/2027.   ID = %1").arg(blank), QStringLiteral("%1 ORDER replacment part(s) from  for .    ID = %1").arg(blank), QStringLiteral("%1 ORDER replacment part(s) from Acme for Fan.    ID = %1").arg(fan)}));
    }

    void rollForward_data()
    {
        QTest::addColumn<QVariantMap>("item");
        QTest::addColumn<QString>("serviceDate"); // afterwards
        QTest::newRow("both in use, both acknowledged") << example({{"ackservice", 1}, {"ackorder", 1}}) << "2027-06-08";
        QTest::newRow("no interval") << example({{"serviceinterval", 0}, {"leadtime", 0}, {"ackservice", 1}}) << u"2027-03-10"_s;
        QTest::newRow("29 February plus a year") << example({{"servicedate", u"2028-02-29"_s}, {"serviceinterval", 365}, {"leadtime", 0}, {"ackservice", 1}}) << u"2029-02-28"_s;
        QTest::newRow("unreadable date stays") << example({{"servicedate", u"soon"_s}, {"leadtime", 0}, {"ackservice", 1}}) << u"soon"_s;
    }
    void rollForward()
    {
        QFETCH(QVariantMap, item);
        QFETCH(QString, serviceDate);
        if (TestWorld::onServer() && !item.value(u"servicedate"_s).toString().startsWith(u'2'))
            QSKIP("a server's date column holds days only");
        TestWorld world;
        const qint64 acme = world.addCompany(u"Acme"_s);
        const qint64 id = world.addItem(acme, item);
        const qint64 other = world.addItem(acme, item);
        const QString sql = QStringLiteral("SELECT servicedate || ' ' || (ackservice + ackorder + ackorderinstock)"
                                           " FROM main WHERE ID = ?");
        const QVariant untouched = world.scalar(sql, {other});
        const bool rolled = rollServiceDate(db(), id);
        QCOMPARE(rolled, serviceDate != item.value(u"servicedate"_s).toString());
        // Rolled forward, the acknowledgements start again; only the given item moves.
        QCOMPARE(world.scalar(sql, {id}).toString(), serviceDate + (rolled ? u" 0"_s : u" 1"_s));
        QCOMPARE(world.scalar(sql, {other}), untouched);
    }

    void storesKeepOtherFields()
    {
        // Only the acknowledgement's own fields are written: a change made meanwhile stays.
        TestWorld world;
        const qint64 id = world.addItem(world.addCompany(u"Acme"_s), example({{"purchaseorder", u"PO-1"_s}}));
        execute(db(), QStringLiteral("UPDATE main SET Name = 'Renamed'"));
        const AckResult service = storeServiceAck(db(), id, {}, u"Ann"_s, QDate(2026, 12, 5), {u"serviced"_s});
        const AckResult order = storeOrderAck(db(), id, {}, u"PO-2"_s, {u"ordered"_s}); // both done: the next cycle
        const AckResult stock = storeInStock(db(), id, {}, {u"in stock"_s});
        QVERIFY(service.stored() && order.stored() && stock.stored());
        QCOMPARE(QList<bool>({service.rolled, order.rolled, stock.rolled}), QList<bool>({false, true, false}));
        QCOMPARE(world.scalar(QStringLiteral("SELECT Name || ' ' || DateServiced || ' ' || servicedby || ' ' || purchaseorder"
                                             " || ' ' || servicedate || ' ' || ackservice || ackorder || ackorderinstock"
                                             " FROM main"))
                     .toString(),
                 QStringLiteral("Renamed 2026-12-05 Ann PO-2 2027-06-08 001"));
        QCOMPARE(world.joined(QStringLiteral("SELECT Date || ' ' || descr FROM History ORDER BY ") + TestWorld::insertionOrder(), QStringLiteral("|")),
                 QStringLiteral("2026-12-06 serviced|2026-12-06 ordered|2026-12-06 in stock"));
    }

    void periodicCheck_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QDateTime>("next");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("nextAfter"); // invalid: not due, next unchanged
        const QDate day(2026, 12, 6);
        const QDateTime at1005(day, QTime(10, 5)), after(day.addDays(1), QTime(0, 5)); // set at 23:55 for 10 minutes
        QTest::newRow("OFF") << 0 << at1005 << at1005.addDays(2) << QDateTime();
        QTest::newRow("code 15 counts as OFF") << 15 << at1005 << at1005.addSecs(10) << QDateTime();
        QTest::newRow("due after midnight") << 2 << after << after.addSecs(10) << after.addSecs(10 + 10 * 60);
        QTest::newRow("before midnight the check waits") << 2 << after << QDateTime(day, QTime(23, 59, 50)) << QDateTime();
    }
    void periodicCheck()
    {
        QFETCH(int, code);
        QFETCH(QDateTime, next);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, nextAfter);
        QDateTime check = next;
        QCOMPARE(AlarmSchedule::periodicCheckDue(Settings::AlarmInterval(code), check, now), nextAfter.isValid());
        QCOMPARE(check, nextAfter.isValid() ? nextAfter : next);
    }

    // The monitor alone: the start-up alarm held by a backup and once per run, a tick held back
    // while a question is open, the periodic check, the snooze and the wake.
    void monitor()
    {
        const QDateTime start = TestWorld::Now;
        AlarmMonitor monitor;
        bool busy = false;
        monitor.setBusyCheck([&] { return busy; });
        QSignalSpy startup(&monitor, &AlarmMonitor::startupDue), due(&monitor, &AlarmMonitor::checkDue), woke(&monitor, &AlarmMonitor::woke);
        const AppSettings settings {true, Settings::AlarmInterval::Minutes5, false, false, false, false};
        monitor.setSettings(settings);
        const QTimer *timer2 = monitor.findChild<QTimer *>(QStringLiteral("Timer2"));
        monitor.holdStartupAlarm(true);
        monitor.start();
        QVERIFY(!timer2->isActive() && monitor.checking());
        monitor.holdStartupAlarm(false);
        QVERIFY(timer2->isActive());
        busy = true;
        Clock::setFixed(start.addSecs(3600));
        monitor.startupTick();
        monitor.checkTick();
        QVERIFY(startup.isEmpty() && due.isEmpty() && timer2->isActive());
        busy = false;
        monitor.startupTick();
        monitor.holdStartupAlarm(false);
        QVERIFY(startup.size() == 1 && !timer2->isActive());

        // Due once the interval has passed (not at its very end), then one interval later.
        for (const int seconds : {300, 310, 600}) {
            Clock::setFixed(start.addSecs(seconds));
            monitor.checkTick();
        }
        QVERIFY(due.size() == 1 && monitor.nextCheck() == start.addSecs(610));

        // Snoozed for 30 minutes at 10:11; options saved meanwhile do not end it; awake after 10:41.
        Clock::setFixed(start.addSecs(11 * 60));
        monitor.sleepFor(AlarmSchedule::Sleep30Minutes);
        QVERIFY(monitor.sleeping() && !monitor.checking());
        monitor.setSettings(settings);
        for (const int seconds : {41 * 60, 41 * 60 + 10}) {
            Clock::setFixed(start.addSecs(seconds));
            monitor.sleepTick();
            QCOMPARE(woke.size(), seconds % 60 ? 1 : 0);
        }
        // The wake shows the alarms, so the next check is one interval on, even where the
        // options could not be read again.
        monitor.checkTick();
        QVERIFY(!monitor.sleeping() && monitor.checking() && due.size() == 1);
        QCOMPARE(monitor.nextCheck(), start.addSecs(41 * 60 + 10 + 300));
        Clock::setFixed(start);
    }

    void snoozeDurations_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QDateTime>("wake"); // after a snooze from 12/6 22:00; the row's name is the caption
        const char *const captions[] = {"5 minutes", "10 minutes", "15 minutes", "30 minutes", "1 hour",
                                        "2 hours", "3 hours", "4 hours", "5 hours", "6 hours"};
        const char *const wakes[] = {"06T22:05", "06T22:10", "06T22:15", "06T22:30", "06T23:00",
                                     "07T00:00", "07T01:00", "07T02:00", "07T03:00", "07T04:00"};
        for (int choice = 0; choice < AlarmSchedule::SleepChoices; ++choice)
            QTest::newRow(captions[choice]) << choice << QDateTime::fromString(QStringLiteral("2026-12-") + QString::fromLatin1(wakes[choice]), Qt::ISODate);
    }
    void snoozeDurations()
    {
        QFETCH(int, choice);
        QCOMPARE(AlarmSchedule::sleepCaption(AlarmSchedule::SleepChoice(choice)), QString::fromLatin1(QTest::currentDataTag()));
        QTEST(AlarmSchedule::sleepEnd(AlarmSchedule::SleepChoice(choice), QDateTime(QDate(2026, 12, 6), QTime(22, 0))), "wake");
    }

    void infoTexts()
    {
        TestWorld world;
        const qint64 acme = world.addCompany(
            u"Acme"_s, {{"Street1", "1 Main St"}, {"city", "Rockford"}, {"State", "IL"}, {"zip", "61101"}, {"contact", "Sam"}, {"phone1", "555-0155"}, {"email", "sam@acme.test"}, {"website", "acme.test"}, {"notes", "Net 30"}});
        const qint64 id = world.addItem(acme, example({{"Tag", u"P-1"_s}, {"hazmat", QVariant()}, {"part", u"CR5"_s}, {"tools", u"Wrench\r\nGauge"_s}, {"refmanuals", u"Binder 1"_s}, {"Locked", u"Valve V-1"_s}, {"custom1", u"a"_s}, {"custom3", u"c"_s}}));
        world.addPart(id, u"Seal"_s, u"S-9"_s);
        world.addPart(id, u"Impeller"_s, QVariant());
        QCOMPARE(serviceInfoText(db(), id),
                 QStringLiteral("SERVICE Name: \r\n  Pump\r\n\r\nTag:\r\n  P-1\r\n\r\nLocation: \r\n  Hall 2\r\n\r\n"
                                "Hazmat: \r\n  \r\n\r\nPart: \r\n  CR5\r\n\r\n"
                                "Replacement Part(s): \r\nImpeller / \r\nSeal / S-9\r\n\r\n\r\n"
                                "Tools: \r\nWrench\r\nGauge\r\n\r\n\r\nReference Manuals: \r\n  Binder 1\r\n\r\n"
                                "Equipment to be Locked: \r\nValve V-1\r\n\r\nCustom 1:\r\n  a\r\n\r\n"
                                "Custom 2: \r\n  \r\n\r\nCustom 3: \r\n  c\r\n\r\n"));
        // No second street line: the address keeps its three indented lines.
        QCOMPARE(orderInfoText(db(), id),
                 QStringLiteral("ORDER replacment part(s):\r\nImpeller / \r\nSeal / S-9\r\n\r\n\r\n"
                                "FOR name:\r\n  Pump\r\n\r\nFROM Company:  Acme\r\n\r\n"
                                "Address:\r\n  1 Main St\r\n  \r\n  Rockford, IL  61101\r\n\r\n"
                                "Contact:\r\n  Sam\r\n\r\nPhone1:\r\n  555-0155\r\n\r\nPhone2: \r\n  \r\n\r\n"
                                "E-mail: \r\n  sam@acme.test\r\n\r\nWeb Site: \r\n  acme.test\r\n\r\n"
                                "Notes: \r\n  Net 30\r\n\r\n"));
        execute(db(), QStringLiteral("DELETE FROM main"));
        QCOMPARE(serviceInfoText(db(), id) + orderInfoText(db(), id), QString());
    }
};

QTEST_GUILESS_MAIN(TestAlarms)
#include "test_alarms.moc"
