// Item history and notes: the entry texts, the automatic-history options and the add windows.

#include "TestSupport.h"

#include "core/itemlist/ItemListModel.h"
#include "core/records/History.h"
#include "core/records/RecordStore.h"
#include "core/settings/Settings.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/mainwindow/DetailPanel.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/MessageBox.h"
#include "gui/records/AddHistory.h"
#include "gui/records/EntryDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }
    void cleanup() { closeAllWindows(); }

    void entryTexts();
    void automaticHistoryOptions_data();
    void automaticHistoryOptions();
    void entriesNewestFirst();

    void windowsAddForTheirItem_data();
    void windowsAddForTheirItem();
    void mainWindowPaneShowsTheNewEntry();
    void deletedItemOrCancelWritesNothing();
    void entryForAnotherItemNeverLandsUnnoticed();
};

namespace {

// The pump and the fan of one company.
std::pair<qint64, qint64> addPumpAndFan(TestWorld &world)
{
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    return {world.addItem(company, {{"Name", "Pump"}}), world.addItem(company, {{"Name", "Fan"}})};
}

// Every entry of a table as "item ID: description", in the order written.
QStringList entriesIn(TestWorld &world, const QString &table)
{
    return world.joined(QStringLiteral("SELECT ID || ': ' || descr FROM %1 ORDER BY %2").arg(table, TestWorld::insertionOrder()), QStringLiteral("|"))
        .split(u'|', Qt::SkipEmptyParts);
}

} // namespace

void TestRecords::entryTexts()
{
    QStringList texts;
    for (int kind = 0; kind <= 6; ++kind)
        texts << historyText(HistoryKind(kind), QStringLiteral("pump  oiled"), QStringLiteral("12/6/2026"));
    QCOMPARE(texts, QStringList({u"pump  oiled"_s, u"Serviced By pump  oiled on 12/6/2026"_s, u"Replacement part(s) in stock as of pump  oiled"_s, u"New replacement part(s) installed on pump  oiled"_s, u"Replacement part(s) ordered - purchase order #pump  oiled"_s, u"A new pump  oiled was added on 12/6/2026"_s, u""_s}));
}

void TestRecords::automaticHistoryOptions_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("autoOn");
    QTest::addColumn<int>("warn");
    QTest::addColumn<bool>("asked"); // then answered Yes when written, else No
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("deletedMeanwhile"); // by another program while the question is open
    QTest::newRow("automatic off") << 1 << 0 << 1 << false << false << false;
    QTest::newRow("on, warning off") << 1 << 1 << 0 << false << true << false;
    QTest::newRow("on, warning on, Yes") << 4 << 1 << 1 << true << true << false;
    QTest::newRow("on, warning on, No") << 4 << 1 << 1 << true << false << false;
    QTest::newRow("on counts only as 1") << 5 << 2 << 0 << false << false << false;
    QTest::newRow("typed entry with automatic off") << 0 << 0 << 1 << false << true << false;
    QTest::newRow("Yes for an item deleted meanwhile") << 4 << 1 << 1 << true << false << true;
}

void TestRecords::automaticHistoryOptions()
{
    QFETCH(int, kind);
    QFETCH(int, autoOn);
    QFETCH(int, warn);
    QFETCH(bool, asked);
    QFETCH(bool, written);
    QFETCH(bool, deletedMeanwhile);
    TestWorld world;
    const qint64 item = world.addItem(world.addCompany(QStringLiteral("Acme")), {{"Name", "Pump"}});
    const AppSettings settings = appSettings({0, 0, warn, autoOn, 0, 0, QString()});
    MessageBox::setNextAnswer(asked && !written ? MessageBox::No : MessageBox::Yes); // Yes where none is asked
    if (deletedMeanwhile) {
        MessageBox::setTestHandler([&world](QMessageBox &box) {
            if (box.button(QMessageBox::Yes))
                world.changeElsewhere(QStringLiteral("DELETE FROM main"));
            (box.button(QMessageBox::Yes) ? box.button(QMessageBox::Yes) : box.button(QMessageBox::Ok))->click();
        });
    }
    addHistory(db(), HistoryKind(kind), HistoryTarget, item, QStringLiteral("Pump"), QStringLiteral("12/1/2026"), settings);
    MessageBox::setTestHandler(nullptr);

    const QString descr = historyText(HistoryKind(kind), QStringLiteral("Pump"), QStringLiteral("12/1/2026"));
    QStringList shown = asked ? QStringList {QStringLiteral("Add \"") + descr + QStringLiteral("\" to history?")} : QStringList();
    if (deletedMeanwhile)
        shown << QString::fromLatin1(EntryItemGoneText);
    QCOMPARE(MessageBox::shownTexts(), shown);
    QCOMPARE(entriesIn(world, QStringLiteral("History")),
             written ? QStringList {QString::number(item) + u": "_s + descr} : QStringList());
    QCOMPARE(entriesIn(world, QStringLiteral("Notes")), QStringList());
}

void TestRecords::entriesNewestFirst()
{
    TestWorld world;
    const qint64 item = world.addItem(world.addCompany(QStringLiteral("Acme")), {});
    const qint64 other = world.addItem(world.addCompany(QStringLiteral("Beta")), {});
    world.addEntry(QStringLiteral("History"), item, QStringLiteral("2025-03-01"), QStringLiteral("oldest"));
    writeEntry(db(), HistoryTarget, item, QStringLiteral("today one"));
    world.addEntry(QStringLiteral("History"), other, QStringLiteral("2026-12-07"), QStringLiteral("other item"));
    world.addEntry(QStringLiteral("History"), item, QStringLiteral("2026-11-30"), QStringLiteral("last week"));
    writeEntry(db(), HistoryTarget, item, QStringLiteral("today two"));

    QStringList entries;
    for (const Entry &entry : loadEntries(db(), HistoryTarget, item))
        entries << entry.isoDate + u' ' + entry.descr;
    // Written on the same day: the same date, without a time, in the order written.
    QCOMPARE(entries, QStringList({u"2026-12-06 today one"_s, u"2026-12-06 today two"_s, u"2026-11-30 last week"_s, u"2025-03-01 oldest"_s}));
    QVERIFY(loadEntries(db(), NotesTarget, item).isEmpty());
}

void TestRecords::windowsAddForTheirItem_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("table");
    QTest::newRow("history") << int(HistoryTarget) << u"Add History"_s << u"History"_s;
    QTest::newRow("note") << int(NotesTarget) << u"Add Note"_s << u"Notes"_s;
}

void TestRecords::windowsAddForTheirItem()
{
    QFETCH(int, target);
    QFETCH(QString, table);
    TestWorld world;
    const qint64 fan = addPumpAndFan(world).second;
    QPointer<EntryDialog> window = openAlone<EntryDialog>(db(), EntryTarget(target), fan);
    QTEST(window->windowTitle(), "caption");
    QCOMPARE(control<QLabel>(window, "lblItem")->text(), QStringLiteral("Item: Fan (ID = %1)").arg(fan));
    QCOMPARE(control<QLabel>(window, "lblDescr")->buddy(), control(window, "txtDescr"));
    QSignalSpy added(window.data(), &EntryDialog::entryAdded);
    // An empty description is refused, by Enter as by the button.
    QTest::keyClick(control<QLineEdit>(window, "txtDescr"), Qt::Key_Return);
    QTest::mouseClick(control(window, "cmdAdd"), Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList(2, QStringLiteral("Description must be entered")));
    QVERIFY(window->isVisible() && added.isEmpty());

    // Enter adds, as the button does, for the window's item.
    MessageBox::clearShown();
    QTest::keyClicks(control<QLineEdit>(window, "txtDescr"), QStringLiteral("belt replaced"));
    QTest::keyClick(control<QLineEdit>(window, "txtDescr"), Qt::Key_Return);
    QCOMPARE(entriesIn(world, table), QStringList {QString::number(fan) + u": belt replaced"_s});
    QVERIFY(added.count() == 1 && added.at(0).at(1).toLongLong() == fan);
    QCOMPARE(MessageBox::shownTexts(), QStringList());
    QTRY_VERIFY(!window);
}

void TestRecords::mainWindowPaneShowsTheNewEntry()
{
    TestWorld world;
    const auto [pump, fan] = addPumpAndFan(world);
    world.addEntry(QStringLiteral("History"), pump, QStringLiteral("2026-01-05"), QStringLiteral("older"));
    MainWindow main(appContext());
    main.load();
    main.show();
    auto clickItem = [&](qint64 itemId) {
        int row = 1;
        while (main.grid()->itemModel()->itemIdAt(row) != itemId)
            ++row;
        const QModelIndex index = main.grid()->model()->index(row - 1, 1);
        QTest::mouseClick(main.grid()->viewport(), Qt::LeftButton, {}, main.grid()->visualRect(index).center());
    };
    QTableWidget *history = main.historyPane()->historyGrid();

    clickItem(pump);
    main.historyPane()->addHistoryButton()->click();
    QPointer<EntryDialog> window = shownWindow<EntryDialog>(); // the one just opened
    QTest::keyClicks(control<QLineEdit>(window, "txtDescr"), QStringLiteral("seal replaced"));
    QTest::keyClick(control<QLineEdit>(window, "txtDescr"), Qt::Key_Return);
    QCOMPARE(history->rowCount(), 2);
    QCOMPARE(history->item(0, 1)->text(), QStringLiteral("seal replaced"));
    QTRY_VERIFY(!window);

    // Another item is shown by the time the entry is added: its pane is left as it is.
    main.historyPane()->addHistoryButton()->click();
    window = shownWindow<EntryDialog>();
    clickItem(fan);
    QCOMPARE(history->rowCount(), 0);
    control<QLineEdit>(window, "txtDescr")->setText(QStringLiteral("for the pump"));
    QTest::mouseClick(control(window, "cmdAdd"), Qt::LeftButton);
    QCOMPARE(history->rowCount(), 0);
    QCOMPARE(entriesIn(world, QStringLiteral("History")).last(), QString::number(pump) + u": for the pump"_s);
}

void TestRecords::deletedItemOrCancelWritesNothing()
{
    TestWorld world;
    const qint64 pump = addPumpAndFan(world).first;
    QPointer<EntryDialog> window = openAlone<EntryDialog>(db(), NotesTarget, pump);
    control<QLineEdit>(window, "txtDescr")->setText(QStringLiteral("never"));
    QTest::mouseClick(control(window, "cmdCancel"), Qt::LeftButton);
    QTRY_VERIFY(!window);

    window = openAlone<EntryDialog>(db(), HistoryTarget, pump);
    QSignalSpy added(window.data(), &EntryDialog::entryAdded);
    execute(db(), QStringLiteral("DELETE FROM main WHERE ID = ?"), {pump});
    control<QLineEdit>(window, "txtDescr")->setText(QStringLiteral("too late"));
    QTest::mouseClick(control(window, "cmdAdd"), Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList {u"This item no longer exists; the entry was not added"_s});
    QCOMPARE(entriesIn(world, QStringLiteral("History")) + entriesIn(world, QStringLiteral("Notes")), QStringList());
    QVERIFY(added.isEmpty() && window->isVisible());
}

void TestRecords::entryForAnotherItemNeverLandsUnnoticed()
{
    TestWorld world;
    const auto [pump, fan] = addPumpAndFan(world);
    // The same item: the open window is raised as it is.
    QPointer<EntryDialog> slot; // as its opener keeps it
    QPointer<EntryDialog> history = showEntryWindow(slot, db(), HistoryTarget, pump);
    control<QLineEdit>(history, "txtDescr")->setText(QStringLiteral("typed"));
    QCOMPARE(showEntryWindow(slot, db(), HistoryTarget, pump), history.data());
    QCOMPARE(control<QLineEdit>(history, "txtDescr")->text(), QStringLiteral("typed"));

    // Another item while text is typed: the window stays with its own item and says which.
    QCOMPARE(showEntryWindow(slot, db(), HistoryTarget, fan), history.data());
    QVERIFY(history->itemId() == pump && control<QLabel>(history, "lblItem")->text().contains(u"Pump"));

    // Another item with an empty box: a window for that item takes its place.
    control<QLineEdit>(history, "txtDescr")->clear();
    EntryDialog *replaced = showEntryWindow(slot, db(), HistoryTarget, fan);
    QTRY_VERIFY(!history);
    QVERIFY(replaced->itemId() == fan && control<QLabel>(replaced, "lblItem")->text().contains(u"Fan"));
}

QTEST_MAIN(TestRecords)
#include "test_records.moc"
