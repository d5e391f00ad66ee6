// Item history and notes: the entry texts, the automatic-history options and the add windows.

#include "TestSupport.h"

#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "gui/platform/MessageBox.h"
#include "core/platform/Twips.h"
#include "gui/platform/WindowUtil.h"
#include "gui/records/AddHistory.h"
#include "core/records/History.h"
#include "gui/records/frmAddEntry.h"
#include "gui/shell/DetailPanel.h"
#include "core/shell/ItemListModel.h"
#include "gui/shell/ItemGrid.h"
#include "gui/shell/frmmain.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

class TestRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initTestEnvironment();
        initResources();
    }
    void cleanup();

    void kindTexts_data();
    void kindTexts();
    void automaticHistoryOptions_data();
    void automaticHistoryOptions();
    void entriesNewestFirst();

    void windowsLookAndKeepTheirItem_data();
    void windowsLookAndKeepTheirItem();
    void emptyDescriptionRefused_data();
    void emptyDescriptionRefused();
    void descriptionHolds255Characters();
    void mainWindowPaneShowsTheNewEntry();
    void deletedItemOrCancelWritesNothing();
    void entryForAnotherItemNeverLandsUnnoticed();
};

namespace {

int count(TestWorld &world, const QString &table, qint64 itemId)
{
    return world.scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE ID = ?").arg(table), {itemId}).toInt();
}

struct TwoItems {
    qint64 first = 0;
    qint64 second = 0;
};

TwoItems makeTwoItems(TestWorld &world)
{
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    TwoItems items;
    items.first = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    items.second = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Fan")}});
    return items;
}

} // namespace

void TestRecords::cleanup()
{
    closeAllWindows();
}

void TestRecords::kindTexts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("typed") << 0 << "pump  oiled";
    QTest::newRow("serviced") << 1 << "Serviced By pump  oiled on 12/6/2026";
    QTest::newRow("in stock") << 2 << "Replacement part(s) in stock as of pump  oiled";
    QTest::newRow("installed") << 3 << "New replacement part(s) installed on pump  oiled";
    QTest::newRow("ordered") << 4 << "Replacement part(s) ordered - purchase order #pump  oiled";
    QTest::newRow("new item") << 5 << "A new pump  oiled was added on 12/6/2026";
    QTest::newRow("out of range") << 6 << "";
}

void TestRecords::kindTexts()
{
    QFETCH(int, kind);
    QFETCH(QString, expected);
    QCOMPARE(historyText(kind, QStringLiteral("pump  oiled"), QStringLiteral("12/6/2026")), expected);
}

void TestRecords::automaticHistoryOptions_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("autoOn");
    QTest::addColumn<int>("warn");
    QTest::addColumn<int>("answer"); // -1: no answer queued
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("written");
    QTest::newRow("automatic off") << 1 << 0 << 1 << int(MessageBox::Yes) << false << false;
    QTest::newRow("on, warning off") << 1 << 1 << 0 << -1 << false << true;
    QTest::newRow("on, warning on, Yes") << 4 << 1 << 1 << int(MessageBox::Yes) << true << true;
    QTest::newRow("on, warning on, No") << 4 << 1 << 1 << int(MessageBox::No) << true << false;
    QTest::newRow("on counts only as 1") << 5 << 2 << 0 << -1 << false << false;
    QTest::newRow("typed entry with automatic off") << 0 << 0 << 1 << -1 << false << true;
}

void TestRecords::automaticHistoryOptions()
{
    QFETCH(int, kind);
    QFETCH(int, autoOn);
    QFETCH(int, warn);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, written);
    TestWorld world;
    const qint64 item = world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    gv().AutoAddhstOn = autoOn;
    gv().AutoAddHstWarn = warn;
    if (answer >= 0)
        MessageBox::setNextAnswer(MessageBox::Button(answer));

    AddHistory(kind, 0, item, QStringLiteral("Pump"), QStringLiteral("12/1/2026"));

    const QString descr = historyText(kind, QStringLiteral("Pump"), QStringLiteral("12/1/2026"));
    QCOMPARE(MessageBox::shownTexts(),
             asked ? QStringList({QStringLiteral("Add \"") + descr + QStringLiteral("\" to history?")}) : QStringList());
    QCOMPARE(count(world, QStringLiteral("History"), item), written ? 1 : 0);
    QCOMPARE(count(world, QStringLiteral("Notes"), item), 0);
    if (written)
        QCOMPARE(world.scalar(QStringLiteral("SELECT descr FROM History")).toString(), descr);
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
    QCOMPARE(entries, QStringList({"2026-12-06 today one", "2026-12-06 today two", "2026-11-30 last week",
                                   "2025-03-01 oldest"}));
    QVERIFY(loadEntries(db(), NotesTarget, item).isEmpty());
}

void TestRecords::windowsLookAndKeepTheirItem_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("table");
    QTest::newRow("history") << int(HistoryTarget) << "Add History" << "History";
    QTest::newRow("note") << int(NotesTarget) << "Add Note" << "Notes";
}

void TestRecords::windowsLookAndKeepTheirItem()
{
    QFETCH(int, target);
    QFETCH(QString, caption);
    QFETCH(QString, table);
    TestWorld world;
    const TwoItems items = makeTwoItems(world);
    QPointer<frmAddEntry> window = showEntryWindow(EntryTarget(target), items.second);
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->itemId(), items.second);
    QCOMPARE(window->lblItem->text(), QStringLiteral("Item: Fan (ID = %1)").arg(items.second));
    QCOMPARE(window->lblDescr->buddy(), window->txtDescr);
    QSignalSpy added(window.data(), &frmAddEntry::entryAdded);

    // Enter adds, as the button does.
    QTest::keyClicks(window->txtDescr, QStringLiteral("belt replaced"));
    QTest::keyClick(window->txtDescr, Qt::Key_Return);
    QCOMPARE(world.scalar(QStringLiteral("SELECT descr FROM %1 WHERE ID = ?").arg(table), {items.second}).toString(),
             QStringLiteral("belt replaced"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt(), 1);
    QCOMPARE(added.count(), 1);
    QCOMPARE(added.at(0).at(1).toLongLong(), items.second);
    QCOMPARE(MessageBox::shownTexts(), QStringList());
    QTRY_VERIFY(!window);
}

void TestRecords::emptyDescriptionRefused_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("history, add button") << 0 << false;
    QTest::newRow("note, Enter") << 1 << true;
}

void TestRecords::emptyDescriptionRefused()
{
    QFETCH(int, target);
    QFETCH(bool, byEnter);
    TestWorld world;
    frmAddEntry *window = showEntryWindow(EntryTarget(target), makeTwoItems(world).first);
    QSignalSpy added(window, &frmAddEntry::entryAdded);
    if (byEnter)
        QTest::keyClick(window->txtDescr, Qt::Key_Return);
    else
        QTest::mouseClick(window->cmdAdd, Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList({QStringLiteral("Description must be entered")}));
    QCOMPARE(world.scalar(QStringLiteral("SELECT (SELECT count(*) FROM History) + (SELECT count(*) FROM Notes)")).toInt(), 0);
    QCOMPARE(added.count(), 0);
    QVERIFY(window->isVisible());
}

void TestRecords::descriptionHolds255Characters()
{
    TestWorld world;
    frmAddEntry *window = showEntryWindow(NotesTarget, makeTwoItems(world).first);
    QLineEdit *box = window->txtDescr;
    box->setText(QString(254, QLatin1Char('d')));
    QTest::keyClick(box, Qt::Key_E);
    QCOMPARE(box->text().size(), 255);
    QTest::keyClick(box, Qt::Key_F);
    QCOMPARE(box->text().size(), 255);
    QVERIFY(box->text().endsWith(QLatin1Char('e')));
    // The whole text counts, whatever is selected.
    box->selectAll();
    QTest::keyClick(box, Qt::Key_G);
    QCOMPARE(box->text().size(), 255);
    // Backspace always passes.
    box->end(false);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text().size(), 254);
    // A paste is cut at the limit.
    box->insert(QStringLiteral("xyz"));
    QCOMPARE(box->text(), QString(254, QLatin1Char('d')) + QStringLiteral("x"));
    // A full box never traps the keyboard: Esc and the shortcuts still act.
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(box->selectedText().size(), 255);
}

void TestRecords::mainWindowPaneShowsTheNewEntry()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    const qint64 pump = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    const qint64 fan = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Fan")}});
    world.addEntry(QStringLiteral("History"), pump, QStringLiteral("2026-01-05"), QStringLiteral("older"));
    frmmain main;
    main.load();
    main.show();
    auto clickItem = [&](qint64 itemId) {
        ItemGrid *grid = main.grid();
        int row = 1;
        while (main.grid()->itemModel()->itemIdAt(row) != itemId)
            ++row;
        const QModelIndex index = grid->model()->index(row - 1, 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    };
    QTableWidget *history = main.historyPane()->historyGrid();

    clickItem(pump);
    main.historyPane()->addHistoryButton()->click();
    QPointer<frmAddEntry> window = showEntryWindow(HistoryTarget, pump);
    QCOMPARE(window->itemId(), pump);
    QTest::keyClicks(window->txtDescr, QStringLiteral("seal replaced"));
    QTest::keyClick(window->txtDescr, Qt::Key_Return);
    QCOMPARE(history->rowCount(), 2);
    QCOMPARE(history->item(0, 1)->text(), QStringLiteral("seal replaced"));
    QTRY_VERIFY(!window);

    // Another item is shown by the time the entry is added: its pane is left as it is.
    main.historyPane()->addHistoryButton()->click();
    window = showEntryWindow(HistoryTarget, pump);
    clickItem(fan);
    QCOMPARE(history->rowCount(), 0);
    window->txtDescr->setText(QStringLiteral("for the pump"));
    QTest::mouseClick(window->cmdAdd, Qt::LeftButton);
    QCOMPARE(history->rowCount(), 0);
    // Same-day entries stay in the order they were written.
    const QVector<Entry> entries = loadEntries(db(), HistoryTarget, pump);
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries.at(1).descr, QStringLiteral("for the pump"));
}

void TestRecords::deletedItemOrCancelWritesNothing()
{
    TestWorld world;
    const TwoItems items = makeTwoItems(world);
    QPointer<frmAddEntry> window = showEntryWindow(NotesTarget, items.first);
    window->txtDescr->setText(QStringLiteral("never"));
    QTest::mouseClick(window->cmdCancel, Qt::LeftButton);
    QTRY_VERIFY(!window);

    window = showEntryWindow(HistoryTarget, items.first);
    QSignalSpy added(window.data(), &frmAddEntry::entryAdded);
    Execute(db(), QStringLiteral("DELETE FROM main WHERE ID = ?"), {items.first});
    window->txtDescr->setText(QStringLiteral("too late"));
    QTest::mouseClick(window->cmdAdd, Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList({QStringLiteral("This item no longer exists; the entry was not added")}));
    QCOMPARE(world.scalar(QStringLiteral("SELECT (SELECT count(*) FROM History) + (SELECT count(*) FROM Notes)")).toInt(), 0);
    QCOMPARE(added.count(), 0);
    QVERIFY(window->isVisible());
}

void TestRecords::entryForAnotherItemNeverLandsUnnoticed()
{
    TestWorld world;
    const TwoItems items = makeTwoItems(world);
    // The same item: the open window is raised as it is.
    QPointer<frmAddEntry> history = showEntryWindow(HistoryTarget, items.first);
    history->txtDescr->setText(QStringLiteral("typed"));
    QCOMPARE(showEntryWindow(HistoryTarget, items.first), history.data());
    QCOMPARE(history->txtDescr->text(), QStringLiteral("typed"));

    // Another item while text is typed: the window stays with its own item and says which.
    QCOMPARE(showEntryWindow(HistoryTarget, items.second), history.data());
    QCOMPARE(history->itemId(), items.first);
    QVERIFY(history->lblItem->text().contains(QStringLiteral("Pump")));

    // Another item with an empty box: a window for that item takes its place.
    history->txtDescr->clear();
    frmAddEntry *replaced = showEntryWindow(HistoryTarget, items.second);
    QTRY_VERIFY(!history);
    QCOMPARE(replaced->itemId(), items.second);
    QVERIFY(replaced->lblItem->text().contains(QStringLiteral("Fan")));

    // History and notes are separate windows.
    QVERIFY(showEntryWindow(NotesTarget, items.first) != replaced);
}

QTEST_MAIN(TestRecords)
#include "test_records.moc"
