// The alarm window, the snooze, both acknowledgements end to end, and the alarm monitor of the
// main window, on a real database with a fixed clock.

#include "TestSupport.h"

#include "core/alarms/AlarmListModel.h"
#include "core/alarms/AlarmMonitor.h"
#include "core/itemlist/ItemListModel.h"
#include "core/platform/Clock.h"
#include "core/settings/AppContext.h"
#include "core/settings/Settings.h"
#include "gui/alarms/AlarmController.h"
#include "gui/alarms/AlarmWindow.h"
#include "gui/alarms/OrderAckDialog.h"
#include "gui/alarms/ServiceAckDialog.h"
#include "gui/alarms/SnoozeDialog.h"
#include "gui/companies/CompanyDirectory.h"
#include "gui/companies/CompanyEditor.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/WindowRegistry.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/RowColours.h"
#include "gui/records/EntryDialog.h"
#include "gui/views/CalendarWindow.h"
#include "gui/views/ColumnSettingsDialog.h"
#include "gui/views/DatePicker.h"
#include "gui/views/LookupDialog.h"
#include "gui/views/SortDialog.h"

#include <QAbstractItemModelTester>
#include <QCalendarWidget>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A change that makes the database refuse new history rows, as a full disk would.
const QString HistoryRefused = QStringLiteral("(History refuses new rows)");

// Three items, by service date: past its date (kind 2), service due (0) and order due (1).
struct Plant {
    qint64 past = 0, service = 0, order = 0;
};

Plant makePlant(TestWorld &world)
{
    const qint64 acme = world.addCompany(QStringLiteral("Acme"));
    auto item = [&](const char *name, const char *date, int warn, int lead) {
        return world.addItem(acme, {{"Name", name}, {"location", "Hall"}, {"servicedate", date}, {"servicewarn", warn}, {"leadtime", lead}, {"serviceinterval", 90}, {"purchaseorder", "PO-1"}});
    };
    Plant plant {item("Press", "2026-12-01", 7, 0), item("Pump", "2026-12-08", 7, 0),
                 item("Fan", "2026-12-10", 0, 14)};
    world.addEntry(QStringLiteral("History"), plant.service, QStringLiteral("2026-01-05"), QStringLiteral("old"));
    appContext().setSettings(loadSettings(db()));
    return plant;
}

QString kinds(const AlarmWindow *window)
{
    QString result;
    for (const AlarmRow &row : window->alarmModel()->rows())
        result += QString::number(row.kind);
    return result;
}

void fire(const MainWindow &main, const char *name)
{
    QVERIFY(QMetaObject::invokeMethod(main.findChild<QTimer *>(QString::fromLatin1(name)), "timeout"));
}

} // namespace

class TestAlarmWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }
    void init() { plant = makePlant(world.emplace()); }
    void cleanup()
    {
        closeAllWindows();
        world.reset();
    }

    void listDetailsAndHighlight()
    {
        MainWindow main(appContext());
        main.alarms()->showAlarms();
        AlarmWindow *window = main.alarms()->alarmWindow();
        AlarmListModel *model = window->alarmModel();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(kinds(window), QStringLiteral("201"));
        QCOMPARE(model->data(model->index(1)).toString(),
                 QStringLiteral("SERVICE Pump at Hall\n by 12/8/2026.   ID = %1").arg(plant.service));
        const QPalette palette = QGuiApplication::palette();
        auto *list = control<QTableView>(window, "flxAlarms");
        const auto shown = [&](int row) { return shownColours(*list, model->index(row)); };
        QCOMPARE(QList<QColor>({shown(0).background.color(), shown(1).background.color(), shown(2).background.color(),
                                shown(2).text.color()}),
                 QList<QColor>({AlarmWindow::LightRed, QColor(Qt::white), palette.color(QPalette::ToolTipBase),
                                palette.color(QPalette::ToolTipText)}));
        QTest::keyClick(list, Qt::Key_Return); // Enter is Details
        QCOMPARE(MessageBox::lastText(), QStringLiteral("Please select an alarm"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(model->index(2)).center());
        window->rowClicked(0);
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->visualRect(model->index(1)).center()); // not a choice
        // The chosen row in the highlight, the one chosen before in its kind's colour again.
        QCOMPARE(QList<QColor>({shown(0).background.color(), shown(0).text.color(), shown(2).background.color()}),
                 QList<QColor>({palette.color(QPalette::Highlight), palette.color(QPalette::HighlightedText), palette.color(QPalette::ToolTipBase)}));

        // Details open what the row's kind calls for; a row reached by the keyboard counts as clicked.
        QSignalSpy editors(window, &AlarmWindow::itemEditorWanted);
        window->showDetails();
        window->rowDoubleClicked(2);
        for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_Up, Qt::Key_Return}) // row 2, row 1, Details
            QTest::keyClick(list, key);
        QCOMPARE(editors.count(), 1);
        QCOMPARE(shownWindow<ServiceAckDialog>()->windowTitle() + u'|' + shownWindow<OrderAckDialog>()->windowTitle(),
                 QStringLiteral("Service AcknowledgeID = %1|Order AcknowledgeID = %2").arg(plant.service).arg(plant.order));
        QVERIFY(main.windows()->itemEditor()->mode() == ItemEditor::EditAlarmItem && main.windows()->itemEditor()->itemId() == plant.past);
        QVERIFY(control<QPlainTextEdit>(shownWindow<OrderAckDialog>(), "txtInfo")->toPlainText().startsWith(QStringLiteral("ORDER replacment part(s):\n\n\nFOR name:\n  Fan")));

        // An earlier item shifts every row; the open windows keep their items.
        const qint64 earlier = world->addItem(world->addCompany(QStringLiteral("Beta")),
                                              {{"servicedate", "2026-11-20"}, {"servicewarn", 7}, {"serviceinterval", 90}});
        window->load();
        QVERIFY(window->noAlarmSelected()); // a new evaluation needs a new click
        QCOMPARE(kinds(window), QStringLiteral("2201"));
        window->rowClicked(2);
        window->showDetails(); // another service row: the open window is raised unchanged
        QCOMPARE(QList<qint64>({shownWindow<ServiceAckDialog>()->itemId(), shownWindow<OrderAckDialog>()->itemId()}), QList<qint64>({plant.service, plant.order}));
        window->rowClicked(0);
        window->showDetails(); // Details raises the open editor as it is
        QCOMPARE(main.windows()->itemEditor()->itemId(), plant.past);
        window->rowDoubleClicked(0); // a double-click opens a fresh one
        settle();
        QCOMPARE(main.windows()->itemEditor()->itemId(), earlier);

        // An empty list takes no click.
        execute(db(), QStringLiteral("DELETE FROM main"));
        window->load();
        window->rowClicked(0);
        QVERIFY(window->noAlarmSelected() && model->rowCount() == 0);
    }

    void serviceAcknowledgement()
    {
        execute(db(), QStringLiteral("UPDATE settings SET AutoAddhstOn = 1, AutoAddHstWarn = 1"));
        MainWindow main(appContext());
        main.load();
        main.alarms()->showAlarms();
        AlarmWindow *alarms = main.alarms()->alarmWindow();
        alarms->rowClicked(1);
        alarms->showDetails();
        QPointer<ServiceAckDialog> ack = shownWindow<ServiceAckDialog>();
        QCOMPARE(control<QLineEdit>(ack, "txtServicedON")->text(), QStringLiteral("12/6/2026"));
        control<QLineEdit>(ack, "txtServicedBy")->setText(QStringLiteral("Ann"));
        QTest::mouseClick(control(ack, "Check1"), Qt::LeftButton);
        MessageBox::setNextAnswer(MessageBox::No);
        MessageBox::setNextAnswer(MessageBox::Yes);
        control<QPushButton>(ack, "cmdAck")->click();
        settle();

        QVERIFY(!ack);
        QCOMPARE(MessageBox::shownTexts(), QStringList({u"Add \"Serviced By Ann on 12/6/2026\" to history?"_s, u"Add \"New replacement part(s) installed on 12/6/2026\" to history?"_s}));
        QCOMPARE(world->scalar(QStringLiteral("SELECT DateServiced || ' ' || servicedby || ' ' || ackservice || ' ' ||"
                                              " servicedate FROM main WHERE ID = ?"),
                               {plant.service})
                     .toString(),
                 QStringLiteral("2026-12-06 Ann 0 2027-03-08"));
        QCOMPARE(world->joined(QStringLiteral("SELECT descr FROM History WHERE ID = ? AND Date = '2026-12-06' ORDER BY ")
                                   + TestWorld::insertionOrder(),
                               QStringLiteral("|"), {plant.service}),
                 QStringLiteral("New replacement part(s) installed on 12/6/2026"));
        // Both lists show the new state: the service row is gone, the main list all items again.
        QCOMPARE(kinds(alarms), QStringLiteral("21"));
        QVERIFY(main.grid()->itemModel()->itemIdAt(3) == plant.service && main.grid()->itemModel()->cellText(3, Column::ServiceDate) == u"3/8/2027");
    }

    void storedOrRefused_data()
    {
        QTest::addColumn<QString>("button"); // service, order or stock
        QTest::addColumn<QString>("input"); // Serviced On or the purchase order
        QTest::addColumn<QString>("change"); // made by another program while the window is open
        QTest::addColumn<int>("answer"); // to the history question; -1: not asked, -2: automatic history off
        QTest::addColumn<QString>("message"); // the refusal; none when stored
        QTest::addColumn<QString>("stored"); // the item's acknowledgements, purchase order, service date, date serviced; new history
        const QString gone = QStringLiteral("This item no longer exists; nothing was saved.");
        const QString changed = QStringLiteral("This item was changed elsewhere since this window opened; close it and"
                                               " open it again to see the changes.");
        const QString serviceOpen = QStringLiteral("UPDATE main SET servicewarn = 7"); // a field the window does not read
        const QString serviceKept = QStringLiteral("000 PO-1 2026-12-08 - "), orderKept = QStringLiteral("000 PO-1 2026-12-10 - ");
        QTest::newRow("ordered") << u"order"_s << u"PO-7"_s << u""_s << -1 << u""_s << u"000 PO-7 2027-03-10 - Replacement part(s) ordered - purchase order #PO-7"_s;
        QTest::newRow("ordered, asked No, service open") << u"order"_s << u"PO-7"_s << serviceOpen << int(MessageBox::No) << u""_s << u"010 PO-7 2026-12-10 - "_s;
        QTest::newRow("in stock") << u"stock"_s << u""_s << u""_s << int(MessageBox::Yes) << u""_s << u"000 PO-1 2027-03-10 - Replacement part(s) in stock as of 12/6/2026"_s;
        QTest::newRow("in stock, history off, service open") << u"stock"_s << u""_s << serviceOpen << -2 << u""_s << u"001 PO-1 2026-12-10 - "_s;
        QTest::newRow("serviced by the stored name") << u"service"_s << u"12/6/2026"_s << u""_s << -1 << u""_s << u"000 PO-1 2027-03-08 2026-12-06 Serviced By Bob on 12/6/2026"_s;
        QTest::newRow("serviced on another day") << u"service"_s << u"12/1/2026"_s << u""_s << -1 << u""_s << u"000 PO-1 2027-03-08 2026-12-01 Serviced By Bob on 12/1/2026"_s;
        QTest::newRow("service acknowledged elsewhere") << u"service"_s << u"12/6/2026"_s << u"UPDATE main SET servicedate = '2027-03-08', DateServiced = '2026-12-05'"_s << -1 << changed << u"000 PO-1 2027-03-08 2026-12-05 "_s;
        QTest::newRow("order acknowledged elsewhere") << u"order"_s << u"PO-7"_s << u"UPDATE main SET ackorder = 1, purchaseorder = 'PO-9'"_s << -1 << changed << u"010 PO-9 2026-12-10 - "_s;
        QTest::newRow("no date") << u"service"_s << u""_s << u""_s << -1 << u"Serviced on date must be specified"_s << serviceKept;
        QTest::newRow("30 February") << u"service"_s << u"2/30/2003"_s << u""_s << -1 << u"Incorrect data format"_s << serviceKept;
        QTest::newRow("no purchase order") << u"order"_s << u""_s << u""_s << -1 << u"Purchase order number must be specified"_s << orderKept;
        QTest::newRow("purchase order of spaces") << u"order"_s << u"   "_s << u""_s << -1 << u"Purchase order number must be specified"_s << orderKept;
        QTest::newRow("service, item deleted") << u"service"_s << u"12/6/2026"_s << u"DELETE FROM main"_s << -1 << gone << u" "_s;
        QTest::newRow("order, item deleted") << u"order"_s << u"PO-7"_s << u"DELETE FROM main"_s << -1 << gone << u" "_s;
        QTest::newRow("in stock, database fails") << u"stock"_s << u""_s << HistoryRefused << -1 << u"Could not store the acknowledgement.\r\nThe database said: disk full"_s << orderKept;
    }
    void storedOrRefused()
    {
        QFETCH(QString, button);
        QFETCH(QString, input);
        QFETCH(QString, change);
        QFETCH(int, answer);
        QFETCH(QString, message);
        changeSettings([&](AppSettings &settings) {
            settings.autoAddHistory = answer != -2;
            settings.askBeforeHistory = answer >= 0;
        });
        if (answer >= 0)
            MessageBox::setNextAnswer(MessageBox::Button(answer));
        const bool service = button == u"service";
        const qint64 id = service ? plant.service : plant.order;
        execute(db(), QStringLiteral("UPDATE main SET servicedby = 'Bob'")); // "Serviced By" starts with it
        QPointer<AckDialog> window = service ? static_cast<AckDialog *>(openAlone<ServiceAckDialog>(appContext(), id)) : openAlone<OrderAckDialog>(appContext(), id);
        window->findChild<QLineEdit *>(service ? QStringLiteral("txtServicedON") : QStringLiteral("txtPoNo"))->setText(input);
        if (change == HistoryRefused)
            world->refuse(QStringLiteral("INSERT"), QStringLiteral("History"), QStringLiteral("disk full"));
        else if (!change.isEmpty())
            world->changeElsewhere(change);
        window->findChild<QPushButton *>(button == u"stock" ? QStringLiteral("cmdInStock") : QStringLiteral("cmdAck"))->click();
        settle();
        QCOMPARE(bool(window), !message.isEmpty()); // a refusal leaves the window open, a store closes it
        if (!message.isEmpty())
            QCOMPARE(MessageBox::shownTexts(), QStringList {message});
        const QString item = world->scalar(QStringLiteral("SELECT '' || ackservice || ackorder || ackorderinstock || ' ' || purchaseorder"
                                                          " || ' ' || servicedate || ' ' || coalesce('' || DateServiced, '-') FROM main WHERE ID = ?"),
                                           {id})
                                 .toString();
        const QString entries = world->joined(QStringLiteral("SELECT descr FROM History WHERE Date = '2026-12-06' ORDER BY ")
                                                  + TestWorld::insertionOrder(),
                                              QStringLiteral(","));
        QTEST(item + u' ' + entries, "stored");
    }

    void deletedItemsAndFailedEvaluations()
    {
        MainWindow main(appContext());
        main.load();
        main.alarms()->showAlarms();
        QPointer<AlarmWindow> alarms = main.alarms()->alarmWindow();
        // An item deleted by another program keeps its rows until the list is rebuilt; they open nothing.
        world->changeElsewhere(QStringLiteral("DELETE FROM main WHERE Name = 'Fan'"));
        alarms->rowDoubleClicked(2);
        QVERIFY(!shownWindow<OrderAckDialog>());
        QCOMPARE(MessageBox::lastText(), QStringLiteral("This item no longer exists; nothing was saved."));
        // Deleting an item here (Pump, second by service date) rebuilds the list shown.
        main.itemList()->rowClicked(2, 1);
        MessageBox::setNextAnswer(MessageBox::Ok);
        main.action(QStringLiteral("mnuDelete"))->trigger();
        QCOMPARE(kinds(alarms), QStringLiteral("2"));
        // A failed evaluation keeps the list shown, and opens no new window.
        execute(db(), QStringLiteral("ALTER TABLE orderinfo RENAME TO vendors"));
        QVERIFY(!alarms->load());
        QCOMPARE(kinds(alarms), QStringLiteral("2"));
        alarms->close();
        settle();
        MessageBox::clearShown();
        main.alarms()->showAlarms();
        QVERIFY(!main.alarms()->alarmWindow() && MessageBox::lastText().startsWith(QStringLiteral("Could not evaluate the alarms.")));
    }

    void boxesCalendarAndEntries()
    {
        MainWindow main(appContext());
        main.windows()->openItemEditor(ItemEditor::EditListItem, plant.order, false);
        main.alarms()->showAlarms();
        main.alarms()->alarmWindow()->rowDoubleClicked(1);
        ServiceAckDialog *ack = shownWindow<ServiceAckDialog>();
        QLineEdit *on = control<QLineEdit>(ack, "txtServicedON");
        // The calendar button writes the picked day into "Serviced On".
        DatePicker::setTestPick([](DatePicker &picker) { emit control<QCalendarWidget>(&picker, "MonthView1")->clicked(QDate(2026, 12, 1)); });
        control<QPushButton>(ack, "cmdCal")->click();
        DatePicker::setTestPick(nullptr);
        QCOMPARE(on->text(), QStringLiteral("12/1/2026"));

        for (const char *name : {"cmdAddNote", "cmdAddHst"}) {
            auto *button = control<QPushButton>(ack, name);
            button->click();
            EntryDialog *entry = shownWindow<EntryDialog>();
            QCOMPARE(entry ? entry->itemId() : 0, plant.service);
            control<QLineEdit>(entry, "txtDescr")->setText(Mnemonics::plain(button->text()));
            entry->add();
            settle();
            // A note leaves the editor open; a history entry closes it.
            QCOMPARE(main.windows()->itemEditor() != nullptr, qstrcmp(name, "cmdAddNote") == 0);
        }
        const auto *history = control<QTableWidget>(ack, "flxHistory"); // newest first
        QCOMPARE(QStringList({control<QTableWidget>(ack, "flxNotes")->item(0, 1)->text(), history->item(0, 1)->text(), history->item(1, 1)->text()}),
                 QStringList({u"Add Note"_s, u"Add History"_s, u"old"_s}));
    }

    void monitorStartupCheckAndSnooze()
    {
        execute(db(), QStringLiteral("UPDATE settings SET startupalarm = 1, timerinterval = 1"));
        MainWindow main(appContext());
        main.load();
        {
            // A tick never cuts into a question; the start-up alarm comes once the box is gone.
            QDialog question(&main);
            question.setModal(true);
            question.show();
            fire(main, "Timer2");
            QVERIFY(!main.alarms()->alarmWindow());
        }
        fire(main, "Timer2");
        QVERIFY(main.alarms()->alarmWindow());

        main.alarms()->alarmWindow()->close();
        settle();
        Clock::setFixed(TestWorld::Now.addSecs(5 * 60 + 10));
        fire(main, "Timer1");
        QVERIFY(main.alarms()->alarmWindow());
        // Shown again, an open window is only raised: its highlight stays.
        main.alarms()->alarmWindow()->rowClicked(1);
        Clock::setFixed(TestWorld::Now.addSecs(11 * 60));
        fire(main, "Timer1");
        QVERIFY(main.alarms()->alarmWindow()->alarmModel()->isRowSelected(1));
        // The menu shows the same window.
        QVERIFY(main.action(QStringLiteral("mnuAlarms"))->isEnabled());
        main.action(QStringLiteral("mnuAlarms"))->trigger();
        QVERIFY(main.alarms()->alarmWindow()->alarmModel()->isRowSelected(1));

        // Snoozed for 30 minutes, from 10:11 until 10:41.
        QPointer<AlarmWindow> alarms = main.alarms()->alarmWindow();
        control<QPushButton>(alarms, "cmdSleep")->click();
        QVERIFY(alarms->sleepWindow()->option(0)->isChecked());
        QTest::mouseClick(alarms->sleepWindow()->option(3), Qt::LeftButton);
        control<QPushButton>(alarms->sleepWindow(), "cmdOK")->click();
        settle();
        QVERIFY(!alarms && main.alarms()->monitor()->sleeping());
        QCOMPARE(main.panelText(2), QStringLiteral("Alarm Status: Sleeping"));
        main.alarms()->applySettings(); // the options saved meanwhile show their status, the sleep goes on
        QCOMPARE(main.panelText(2), QStringLiteral("Alarm Status: 5 minutes"));
        const QDateTime wake = TestWorld::Now.addSecs(41 * 60 + 10);
        Clock::setFixed(wake);
        fire(main, "tmrSleep");
        QVERIFY(!main.alarms()->monitor()->sleeping() && main.alarms()->alarmWindow());
        QCOMPARE(main.panelText(2), QStringLiteral("Alarm Status: 5 minutes"));
        QCOMPARE(main.alarms()->monitor()->nextCheck(), wake.addSecs(5 * 60)); // one full interval after waking
    }

    // Every window from the keyboard alone, and laid out without overlaps at its default and
    // its minimum size, which fits a small screen; Esc closes it.
    void keyboardAndLayout_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("first");
        const std::pair<const char *, const char *> rows[] = {
            {"alarms", "flxAlarms"}, {"sleep", "optSleepFor_0"}, {"service", "txtServicedBy"}, {"order", "txtPoNo"}, {"editor", "txtData0"}, {"directory", "flxCompanies"}, {"company", "Text1_0"}, {"history", "txtDescr"}, {"sort", "cmbSort"}, {"lookup", "txtLookUp"}, {"columns", "flxCols"}, {"calendar", "qt_calendar_calendarview"}};
        for (const auto &[window, first] : rows)
            QTest::newRow(window) << QString::fromLatin1(window) << QString::fromLatin1(first);
    }
    void keyboardAndLayout()
    {
        QFETCH(QString, window);
        QFETCH(QString, first);
        const QHash<QString, std::function<QWidget *()>> open {
            {u"alarms"_s, [] { return openAlone<AlarmWindow>(appContext()); }},
            {u"sleep"_s, [] { auto *alarms = openAlone<AlarmWindow>(appContext()); return control<QPushButton>(alarms, "cmdSleep")->click(), alarms->sleepWindow(); }},
            {u"service"_s, [this] { return openAlone<ServiceAckDialog>(appContext(), plant.service); }},
            {u"order"_s, [this] { return openAlone<OrderAckDialog>(appContext(), plant.order); }},
            {u"editor"_s, [this] { // parts, so that the grid has cells to trap Tab in
                 world->addPart(plant.past, QStringLiteral("Belt"), 7), world->addPart(plant.past, QStringLiteral("Fan"), 8);
                 return openAlone<ItemEditor>(appContext(), ItemEditor::EditListItem, plant.past, ColumnLayout());
             }},
            {u"directory"_s, [] { return openAlone<CompanyDirectory>(db(), CompanyDirectory::Mode::Browse); }},
            {u"company"_s, [] { return openAlone<CompanyEditor>(db(), qint64(0)); }},
            {u"history"_s, [this] { return openAlone<EntryDialog>(db(), HistoryTarget, plant.past); }},
            {u"sort"_s, [] { return openAlone<SortDialog>(std::optional<int>()); }},
            {u"lookup"_s, [] { return openAlone<LookupDialog>(std::optional<int>()); }},
            {u"columns"_s, [] { return openAlone<ColumnSettingsDialog>(db()); }},
            {u"calendar"_s, [] { return openAlone<CalendarWindow>(db()); }}};
        QPointer<QWidget> shown = open[window]();
        QCOMPARE(keyboardWalkFault(shown, first), QString());
        QCOMPARE(overlapFault(shown), QString());
        shown->resize(shown->minimumSize());
        QCOMPARE(overlapFault(shown), QString());
        // It fits a 1366x768 screen at scale 2 (683x384, less a title bar).
        QVERIFY(QRect(0, 0, 683, 354).contains(QRect(QPoint(), shown->minimumSize())));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!shown || !shown->isVisible());
    }

    // A window shown by the alarm timer stands beside the window the user types in, and leaves
    // the keyboard there.
    void periodicCheckLeavesTheKeyboardAlone()
    {
        execute(db(), QStringLiteral("UPDATE settings SET timerinterval = 1"));
        MainWindow main(appContext());
        main.load();
        EntryDialog *typing = openAlone<EntryDialog>(db(), NotesTarget, plant.past);
        typing->move(150, 250); // in the middle, where a window placed anyhow would cover it
        typing->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(typing));
        QWidget *focus = QApplication::focusWidget();
        Clock::setFixed(TestWorld::Now.addSecs(3600));
        fire(main, "Timer1");
        QCoreApplication::processEvents(); // an activation would arrive now
        const AlarmWindow *alarms = main.alarms()->alarmWindow();
        QVERIFY(alarms && alarms->isVisible() && !typing->frameGeometry().intersects(alarms->frameGeometry()));
        QCOMPARE(QApplication::focusWidget(), focus);
    }

private:
    std::optional<TestWorld> world;
    Plant plant;
};

QTEST_MAIN(TestAlarmWindows)
#include "test_alarmwindows.moc"
