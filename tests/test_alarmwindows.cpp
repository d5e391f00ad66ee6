// The alarm window, the snooze, both acknowledgements end to end, and the alarm monitor of the
// main window, on a real database with a fixed clock.

#include "TestSupport.h"

#include "core/alarms/AlarmListModel.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "core/data/Settings.h"
#include "core/platform/Clock.h"
#include "core/shell/ItemListModel.h"
#include "gui/alarms/frmAckOrder.h"
#include "gui/alarms/frmAckService.h"
#include "gui/alarms/frmAlSleep.h"
#include "gui/alarms/frmAlarm.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"
#include "gui/records/frmAddEntry.h"
#include "gui/views/lib_frmCal.h"
#include "gui/shell/ItemGrid.h"
#include "gui/shell/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

class TestAlarmWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initTestEnvironment();
        initResources();
    }
    void cleanup() { closeAllWindows(); }

    void listRowsColoursAndHighlight();
    void detailsOpenByKindAndKeepTheirItem();
    void serviceAcknowledgement_data();
    void serviceAcknowledgement();
    void orderAcknowledgement_data();
    void orderAcknowledgement();
    void refusedAcknowledgements_data();
    void refusedAcknowledgements();
    void boxesHoldTheirLimits();
    void entriesFromTheAcknowledgement();
    void snoozeWindow();

    void startupAndPeriodicCheck();
    void snoozeAndWake_data();
    void snoozeAndWake();
    void ticksWaitForModalDialogs();
};

namespace {

// Three items, by service date: past its date (kind 2), service due (0) and order due (1).
struct Plant {
    qint64 past = 0, service = 0, order = 0;
};

Plant makePlant(TestWorld &world, int orderLeadOfServiceItem = 0)
{
    const qint64 acme = world.addCompany(QStringLiteral("Acme"));
    auto item = [&](const char *name, const char *date, int warn, int lead) {
        return world.addItem(acme, {{"Name", name}, {"location", "Hall"}, {"servicedate", date}, {"servicewarn", warn},
                                    {"leadtime", lead}, {"serviceinterval", 90}, {"purchaseorder", "PO-1"}});
    };
    Plant plant;
    plant.past = item("Press", "2026-12-01", 7, 0);
    plant.service = item("Pump", "2026-12-08", 7, orderLeadOfServiceItem);
    plant.order = item("Fan", "2026-12-10", 0, 14);
    world.addEntry(QStringLiteral("History"), plant.service, QStringLiteral("2026-01-05"), QStringLiteral("old"));
    LoadSettings(db());
    return plant;
}

QStringList kinds(const frmAlarm *window)
{
    QStringList result;
    for (const AlarmRow &row : window->alarmModel()->rows())
        result << QString::number(row.kind);
    return result;
}

void fire(QTimer *timer)
{
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
}

QTimer *timer(const frmmain &main, const char *name)
{
    return main.findChild<QTimer *>(QString::fromLatin1(name));
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

void TestAlarmWindows::listRowsColoursAndHighlight()
{
    TestWorld world;
    const Plant plant = makePlant(world);
    frmAlarm *window = showAlarmWindow();
    const AlarmListModel *model = window->alarmModel();
    QCOMPARE(window->windowTitle(), QStringLiteral("Pending Alarms"));
    QCOMPARE(kinds(window), QStringList({"2", "0", "1"}));
    QVERIFY(gv().AlarmsPending);
    QCOMPARE(model->data(model->index(1)).toString(),
             QStringLiteral("SERVICE Pump at Hall\n by 12/8/2026.   ID = %1").arg(plant.service));
    QCOMPARE(window->flxAlarms->verticalHeader()->defaultSectionSize(), 57); // 855 twips, two lines
    const QPalette palette = QGuiApplication::palette();
    QCOMPARE(model->background(0), AlarmListModel::LightRed);
    QCOMPARE(model->background(1), QColor(Qt::white));
    QCOMPARE(model->background(2), palette.color(QPalette::ToolTipBase));
    QCOMPARE(model->foreground(2), palette.color(QPalette::ToolTipText));

    window->showDetails();
    QCOMPARE(MessageBox::lastText(), QStringLiteral("Please select an alarm"));
    QTest::mouseClick(window->flxAlarms->viewport(), Qt::LeftButton, {},
                      window->flxAlarms->visualRect(model->index(2)).center());
    window->rowClicked(0);
    QCOMPARE(model->background(0), palette.color(QPalette::Highlight));
    QCOMPARE(model->foreground(0), palette.color(QPalette::HighlightedText));
    QCOMPARE(model->background(2), palette.color(QPalette::ToolTipBase)); // its kind colour back
    QVERIFY(!window->noAlarmSelected());

    // A new evaluation needs a new click; an empty list takes none.
    Execute(db(), QStringLiteral("DELETE FROM main"));
    window->LoadAlarmData();
    QVERIFY(window->noAlarmSelected());
    QVERIFY(!gv().AlarmsPending);
    window->rowClicked(0);
    QVERIFY(window->noAlarmSelected());
}

void TestAlarmWindows::detailsOpenByKindAndKeepTheirItem()
{
    TestWorld world;
    const Plant plant = makePlant(world);
    frmAlarm *window = showAlarmWindow();
    QSignalSpy acks(window, &frmAlarm::acknowledgementOpened);
    QSignalSpy editors(window, &frmAlarm::itemEditorOpened);
    window->rowClicked(1);
    window->showDetails();
    window->rowDoubleClicked(2);
    window->rowClicked(0);
    window->showDetails();
    QCOMPARE(acks.count(), 2);
    QCOMPARE(editors.count(), 1);
    QCOMPARE(serviceAckWindow()->windowTitle(), QStringLiteral("Service AcknowledgeID = %1").arg(plant.service));
    QCOMPARE(orderAckWindow()->windowTitle(), QStringLiteral("Order AcknowledgeID = %1").arg(plant.order));
    QCOMPARE(itemEditor()->mode(), frmAdd::EditAlarmItem);
    QCOMPARE(itemEditor()->itemId(), plant.past);

    // An earlier item shifts every row; the open windows keep their items.
    const qint64 earlier = world.addItem(world.addCompany(QStringLiteral("Beta")),
                                         {{"servicedate", "2026-11-20"}, {"servicewarn", 7}, {"serviceinterval", 90}});
    window->LoadAlarmData();
    QCOMPARE(kinds(window), QStringList({"2", "2", "0", "1"}));
    window->rowClicked(2);
    window->showDetails(); // another service row: the open window is raised unchanged
    QCOMPARE(serviceAckWindow()->itemId(), plant.service);
    QCOMPARE(orderAckWindow()->itemId(), plant.order);
    window->rowClicked(0);
    window->showDetails(); // Details raises the open editor as it is
    QCOMPARE(itemEditor()->itemId(), plant.past);
    window->rowDoubleClicked(0); // a double-click opens a fresh one
    settle();
    QCOMPARE(itemEditor()->itemId(), earlier);
}

void TestAlarmWindows::serviceAcknowledgement_data()
{
    QTest::addColumn<int>("autoOn");
    QTest::addColumn<int>("warn");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<int>("partClicks");
    QTest::addColumn<int>("leadTime"); // a lead time keeps the order open: no roll
    QTest::addColumn<QStringList>("history");
    const QString serviced = QStringLiteral("Serviced By Ann on 12/6/2026");
    const QString replaced = QStringLiteral("New replacement part(s) installed on 12/6/2026");
    const int yes = MessageBox::Yes, no = MessageBox::No;
    QTest::newRow("history off") << 0 << 1 << QList<int>() << 1 << 0 << QStringList();
    QTest::newRow("history on") << 1 << 0 << QList<int>() << 0 << 0 << QStringList{serviced};
    QTest::newRow("part replaced clicked twice") << 1 << 0 << QList<int>() << 2 << 0 << QStringList{serviced};
    QTest::newRow("asked, Yes and Yes") << 1 << 1 << QList<int>{yes, yes} << 1 << 0 << QStringList{serviced, replaced};
    QTest::newRow("asked, No and Yes") << 1 << 1 << QList<int>{no, yes} << 1 << 0 << QStringList{replaced};
    QTest::newRow("order still open") << 1 << 0 << QList<int>() << 0 << 14 << QStringList{serviced};
}

void TestAlarmWindows::serviceAcknowledgement()
{
    QFETCH(int, autoOn);
    QFETCH(int, warn);
    QFETCH(QList<int>, answers);
    QFETCH(int, partClicks);
    QFETCH(int, leadTime);
    QFETCH(QStringList, history);
    TestWorld world;
    const Plant plant = makePlant(world, leadTime);
    Execute(db(), QStringLiteral("UPDATE settings SET AutoAddhstOn = ?, AutoAddHstWarn = ?"), {autoOn, warn});
    frmmain main;
    main.load();
    main.showAlarms();
    frmAlarm *alarms = alarmWindow();
    alarms->rowClicked(1);
    alarms->showDetails();
    QPointer<frmAckService> ack = serviceAckWindow();
    QCOMPARE(ack->txtServicedON->text(), QStringLiteral("12/6/2026"));
    QCOMPARE(ack->flxHistory->item(0, 1)->text(), QStringLiteral("old"));
    ack->txtServicedBy->setText(QStringLiteral("Ann"));
    for (int i = 0; i < partClicks; ++i)
        QTest::mouseClick(ack->Check1, Qt::LeftButton);
    MessageBox::clearShown();
    for (int answer : answers)
        MessageBox::setNextAnswer(MessageBox::Button(answer));
    ack->cmdAck->click();
    settle();

    QVERIFY(!ack);
    QCOMPARE(MessageBox::shownTexts().size(), answers.size());
    QCOMPARE(world.scalar(QStringLiteral("SELECT DateServiced || ' ' || servicedby || ' ' || ackservice || ' ' ||"
                                         " servicedate FROM main WHERE ID = ?"), {plant.service}).toString(),
             leadTime ? QStringLiteral("2026-12-06 Ann 1 2026-12-08") : QStringLiteral("2026-12-06 Ann 0 2027-03-08"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT group_concat(descr, '|') FROM History WHERE ID = ? AND descr <> 'old'"),
                          {plant.service}).toString(), history.join(u'|'));
    // Both lists show the new state: the service row is gone, the main list all items again.
    QCOMPARE(kinds(alarms), leadTime ? QStringList({"2", "1", "1"}) : QStringList({"2", "1"}));
    const ItemListModel *items = main.grid()->itemModel();
    int row = 1;
    while (items->itemIdAt(row) != plant.service)
        ++row;
    QCOMPARE(items->cellText(row, Column::ServiceDate), leadTime ? QStringLiteral("12/8/2026") : QStringLiteral("3/8/2027"));
    QCOMPARE(row, leadTime ? 2 : 3);
}

void TestAlarmWindows::orderAcknowledgement_data()
{
    QTest::addColumn<bool>("inStock");
    QTest::addColumn<int>("autoOn");
    QTest::addColumn<int>("answer"); // -1: not asked
    QTest::addColumn<int>("serviceWarn");
    QTest::addColumn<QString>("stored"); // ackorder ackorderinstock purchaseorder servicedate
    QTest::addColumn<QString>("history");
    QTest::newRow("ordered") << false << 1 << -1 << 0 << "0 0 PO-7 2027-03-10"
                             << "Replacement part(s) ordered - purchase order #PO-7";
    QTest::newRow("ordered, asked No") << false << 1 << int(MessageBox::No) << 0 << "0 0 PO-7 2027-03-10" << "";
    QTest::newRow("ordered, service open") << false << 1 << -1 << 7 << "1 0 PO-7 2026-12-10"
                                           << "Replacement part(s) ordered - purchase order #PO-7";
    QTest::newRow("in stock") << true << 1 << int(MessageBox::Yes) << 0 << "0 0 PO-1 2027-03-10"
                              << "Replacement part(s) in stock as of 12/6/2026";
    QTest::newRow("in stock, history off") << true << 0 << -1 << 7 << "0 1 PO-1 2026-12-10" << "";
}

void TestAlarmWindows::orderAcknowledgement()
{
    QFETCH(bool, inStock);
    QFETCH(int, autoOn);
    QFETCH(int, answer);
    QFETCH(int, serviceWarn);
    QFETCH(QString, stored);
    QFETCH(QString, history);
    TestWorld world;
    const Plant plant = makePlant(world);
    Execute(db(), QStringLiteral("UPDATE main SET servicewarn = ? WHERE ID = ?"), {serviceWarn, plant.order});
    gv().AutoAddhstOn = autoOn;
    gv().AutoAddHstWarn = answer >= 0;
    if (answer >= 0)
        MessageBox::setNextAnswer(MessageBox::Button(answer));
    QPointer<frmAckOrder> ack = showOrderAck(plant.order);
    QVERIFY(ack->txtInfo->toPlainText().startsWith(QStringLiteral("ORDER replacment part(s):\n\n\nFOR name:\n  Fan")));
    QSignalSpy done(ack.data(), &AckWindow::acknowledged);
    ack->txtPoNo->setText(QStringLiteral("PO-7"));
    (inStock ? ack->cmdInStock : ack->cmdAck)->click();
    settle();
    QVERIFY(!ack);
    QCOMPARE(done.count(), 1);
    QCOMPARE(world.scalar(QStringLiteral("SELECT ackorder || ' ' || ackorderinstock || ' ' || purchaseorder || ' ' ||"
                                         " servicedate FROM main WHERE ID = ?"), {plant.order}).toString(), stored);
    QCOMPARE(world.scalar(QStringLiteral("SELECT group_concat(descr) FROM History WHERE ID = ?"), {plant.order})
                 .toString(), history);
}

void TestAlarmWindows::refusedAcknowledgements_data()
{
    QTest::addColumn<QString>("button"); // service, order or stock
    QTest::addColumn<QString>("input");  // Serviced On or the purchase order
    QTest::addColumn<QString>("change"); // what happens meanwhile
    QTest::addColumn<QString>("message");
    const QString gone = QStringLiteral("This item no longer exists; nothing was saved.");
    const QString deleteItems = QStringLiteral("DELETE FROM main");
    const QString failHistory = QStringLiteral(
        "CREATE TRIGGER full BEFORE INSERT ON History BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    const QString failure = QStringLiteral("Could not store the acknowledgement.\r\nThe database said: disk full");
    QTest::newRow("no date") << "service" << "" << "" << "Serviced on date must be specified";
    QTest::newRow("30 February") << "service" << "2/30/2003" << "" << "Incorrect data format";
    QTest::newRow("no purchase order") << "order" << "" << "" << "Purchase order number must be specified";
    QTest::newRow("service, item deleted") << "service" << "12/6/2026" << deleteItems << gone;
    QTest::newRow("order, item deleted") << "order" << "PO-7" << deleteItems << gone;
    QTest::newRow("in stock, item deleted") << "stock" << "" << deleteItems << gone;
    QTest::newRow("service, database fails") << "service" << "12/6/2026" << failHistory << failure;
    QTest::newRow("in stock, database fails") << "stock" << "" << failHistory << failure;
}

void TestAlarmWindows::refusedAcknowledgements()
{
    QFETCH(QString, button);
    QFETCH(QString, input);
    QFETCH(QString, change);
    QFETCH(QString, message);
    TestWorld world;
    const Plant plant = makePlant(world);
    AckWindow *window = nullptr;
    if (button == u"service") {
        frmAckService *ack = showServiceAck(plant.service);
        ack->txtServicedON->setText(input);
        window = ack;
    } else {
        frmAckOrder *ack = showOrderAck(plant.order);
        ack->txtPoNo->setText(input);
        window = ack;
    }
    if (!change.isEmpty())
        db().exec(change);
    QPointer<AckWindow> open = window;
    window->findChild<QPushButton *>(button == u"stock" ? QStringLiteral("cmdInStock") : QStringLiteral("cmdAck"))->click();
    settle();
    QCOMPARE(MessageBox::shownTexts(), QStringList{message});
    QVERIFY(open && open->isVisible());
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM History WHERE descr <> 'old'")).toInt(), 0);
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM main WHERE ackservice + ackorder + ackorderinstock > 0"))
                 .toInt(), 0);
}

void TestAlarmWindows::boxesHoldTheirLimits()
{
    TestWorld world;
    const Plant plant = makePlant(world);
    frmAckService *ack = showServiceAck(plant.service);
    ack->txtServicedON->clear();
    QTest::keyClicks(ack->txtServicedON, QStringLiteral("1a2/-6/202699"));
    QCOMPARE(ack->txtServicedON->text(), QStringLiteral("12/6/20269"));
    ack->txtServicedON->clear();
    QApplication::clipboard()->setText(QStringLiteral("6.12.2026"));
    ack->txtServicedON->paste();
    QCOMPARE(ack->txtServicedON->text(), QString());
    QApplication::clipboard()->setText(QString(60, u'x'));
    ack->txtServicedBy->selectAll();
    ack->txtServicedBy->paste();
    QCOMPARE(ack->txtServicedBy->text().size(), 50);
    QTest::keyClicks(ack->txtServicedBy, QStringLiteral("y"));
    QCOMPARE(ack->txtServicedBy->text(), QString(50, u'x'));
    // The calendar button writes the picked day into "Serviced On".
    lib_frmCal::setTestPick([](lib_frmCal &picker) { emit picker.MonthView1->clicked(QDate(2026, 12, 1)); });
    ack->cmdCal->click();
    lib_frmCal::setTestPick(nullptr);
    QCOMPARE(ack->txtServicedON->text(), QStringLiteral("12/1/2026"));
}

void TestAlarmWindows::entriesFromTheAcknowledgement()
{
    TestWorld world;
    const Plant plant = makePlant(world);
    showItemEditor(frmAdd::EditListItem, plant.order);
    frmAckService *ack = showServiceAck(plant.service);
    for (QPushButton *button : {ack->cmdAddNote, ack->cmdAddHst}) {
        button->click();
        frmAddEntry *entry = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *candidate = qobject_cast<frmAddEntry *>(w); candidate && candidate->isVisible())
                entry = candidate;
        }
        QVERIFY(entry);
        QCOMPARE(entry->itemId(), plant.service);
        entry->txtDescr->setText(button->text());
        entry->add();
        settle();
        // A note leaves the editor open; a history entry closes it.
        QCOMPARE(itemEditor() != nullptr, button == ack->cmdAddNote);
    }
    QCOMPARE(ack->flxNotes->item(0, 1)->text(), QStringLiteral("Add Note"));
    QCOMPARE(ack->flxHistory->item(0, 1)->text(), QStringLiteral("Add History")); // newest first
    QCOMPARE(ack->flxHistory->item(1, 1)->text(), QStringLiteral("old"));
}

void TestAlarmWindows::snoozeWindow()
{
    TestWorld world;
    makePlant(world);
    QPointer<frmAlarm> alarms = showAlarmWindow();
    QSignalSpy chosen(alarms.data(), &frmAlarm::sleepChosen);
    alarms->cmdSleep->click();
    QPointer<frmAlSleep> sleep = alarms->sleepWindow();
    QCOMPARE(sleep->windowTitle(), QStringLiteral("Sleep for"));
    QVERIFY(sleep->option(0)->isChecked());
    QCOMPARE(sleep->option(5)->y(), sleep->option(0)->y()); // two columns of five
    QVERIFY(sleep->option(5)->x() > sleep->option(4)->x());
    QVERIFY(sleep->option(4)->y() > sleep->option(0)->y());
    sleep->cmdCancel->click();
    settle();
    QVERIFY(!sleep && alarms);
    alarms->openSleep();
    sleep = alarms->sleepWindow();
    QTest::mouseClick(sleep->option(7), Qt::LeftButton);
    sleep->cmdOK->click();
    settle();
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toInt(), 7);
    QVERIFY(!sleep && !alarms);
}

void TestAlarmWindows::startupAndPeriodicCheck()
{
    TestWorld world;
    makePlant(world);
    Execute(db(), QStringLiteral("UPDATE settings SET startupalarm = 1, timerinterval = 1"));
    frmmain main;
    main.holdStartupAlarm(true); // a start-up backup runs
    main.load();
    QVERIFY(!timer(main, "Timer2")->isActive());
    main.holdStartupAlarm(false);
    QVERIFY(timer(main, "Timer2")->isActive());
    fire(timer(main, "Timer2"));
    QVERIFY(alarmWindow());
    main.holdStartupAlarm(false); // once per run
    QVERIFY(!timer(main, "Timer2")->isActive());
    QCOMPARE(gv().NextAlarmCheck, TestWorld::Now.addSecs(5 * 60));

    alarmWindow()->close();
    settle();
    Clock::setFixed(TestWorld::Now.addSecs(5 * 60));
    fire(timer(main, "Timer1"));
    QVERIFY(!alarmWindow());
    Clock::setFixed(TestWorld::Now.addSecs(5 * 60 + 10));
    fire(timer(main, "Timer1"));
    QVERIFY(alarmWindow());
    QCOMPARE(gv().NextAlarmCheck, TestWorld::Now.addSecs(10 * 60 + 10));
    // Shown again, an open window is only raised: its highlight stays.
    alarmWindow()->rowClicked(1);
    Clock::setFixed(TestWorld::Now.addSecs(11 * 60));
    fire(timer(main, "Timer1"));
    QVERIFY(alarmWindow()->alarmModel()->isRowPainted(1));
    // The menu and the toolbar show the same window.
    QVERIFY(main.action(QStringLiteral("mnuAlarms"))->isEnabled());
    QVERIFY(main.findChild<QAction *>(QStringLiteral("tbAlarm"))->isEnabled());
    main.action(QStringLiteral("mnuAlarms"))->trigger();
    QVERIFY(alarmWindow()->alarmModel()->isRowPainted(1));
}

void TestAlarmWindows::snoozeAndWake_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QDateTime>("wake");
    const QDateTime ten = TestWorld::Now;
    QTest::newRow("5 minutes") << ten << 0 << ten.addSecs(5 * 60);
    QTest::newRow("30 minutes across midnight") << QDateTime(ten.date(), QTime(23, 50)) << 3
                                                << QDateTime(ten.date().addDays(1), QTime(0, 20));
}

void TestAlarmWindows::snoozeAndWake()
{
    QFETCH(QDateTime, start);
    QFETCH(int, choice);
    QFETCH(QDateTime, wake);
    TestWorld world;
    Clock::setFixed(start);
    frmmain main;
    main.load();
    main.showAlarms();
    QPointer<frmAlarm> alarms = alarmWindow();
    alarms->openSleep();
    alarms->sleepWindow()->option(choice)->click();
    alarms->sleepWindow()->cmdOK->click();
    settle();
    QVERIFY(!alarms);
    QVERIFY(main.alarmsSleeping());
    QVERIFY(!timer(main, "Timer1")->isActive());
    QCOMPARE(main.panelText(2), QStringLiteral("Alarm Status: Sleeping"));
    main.applySettings(); // the options saved meanwhile do not end the sleep
    QCOMPARE(main.panelText(2), QStringLiteral("Alarm Status: Sleeping"));

    Clock::setFixed(wake);
    fire(timer(main, "tmrSleep"));
    QVERIFY(main.alarmsSleeping() && !alarmWindow());
    Clock::setFixed(wake.addSecs(10));
    fire(timer(main, "tmrSleep"));
    QVERIFY(!main.alarmsSleeping());
    QVERIFY(timer(main, "Timer1")->isActive());
    QVERIFY(alarmWindow());
    QCOMPARE(main.panelText(2), QStringLiteral("Alarm Status: 1 hour(s)"));
    QCOMPARE(gv().NextAlarmCheck, wake.addSecs(10 + 3600)); // one full interval after waking
}

void TestAlarmWindows::ticksWaitForModalDialogs()
{
    TestWorld world;
    frmmain main;
    main.load();
    Clock::setFixed(TestWorld::Now.addSecs(2 * 3600));
    const QDateTime next = gv().NextAlarmCheck;
    {
        QDialog question(&main);
        question.setModal(true);
        question.show();
        QVERIFY(QApplication::activeModalWidget());
        fire(timer(main, "Timer2"));
        fire(timer(main, "Timer1"));
        QVERIFY(!alarmWindow());
        QCOMPARE(gv().NextAlarmCheck, next);
        QVERIFY(timer(main, "Timer2")->isActive()); // the start-up alarm comes once the box is gone
    }
    fire(timer(main, "Timer2"));
    QVERIFY(alarmWindow());
}

QTEST_MAIN(TestAlarmWindows)
#include "test_alarmwindows.moc"
