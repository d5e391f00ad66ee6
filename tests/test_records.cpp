// Item history and notes: the entry texts, the automatic-history options and the add windows.

#include "TestSupport.h"

#include "data/DatabaseADO.h"
#include "data/GlobalVars.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "items/frmAdd.h"
#include "platform/WindowUtil.h"
#include "records/AddHistory.h"
#include "records/History.h"
#include "records/frmAddHst.h"
#include "records/frmAddNote.h"
#include "shell/DetailPanel.h"
#include "shell/ItemGrid.h"
#include "shell/frmmain.h"

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
    void entriesGoToTheirTable_data();
    void entriesGoToTheirTable();

    void windowsLookAndKeepTheirItem_data();
    void windowsLookAndKeepTheirItem();
    void emptyDescriptionRefused_data();
    void emptyDescriptionRefused();
    void descriptionHolds255Characters();
    void enterAddsAndCloses();
    void fromAcknowledgementClosesItemEditorForHistoryOnly_data();
    void fromAcknowledgementClosesItemEditorForHistoryOnly();
    void mainWindowPaneShowsTheNewEntry();
    void deletedItemGetsNoEntry();
    void cancelWritesNothing();
    void boxWidthFollowsWindow();
    void windowsExistOnce();
};

namespace {

int count(TestWorld &world, const QString &table, int itemId)
{
    return world.scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE ID = ?").arg(table), {itemId}).toInt();
}

// Two items in the list rows 1 and 2, and in alarm rows 0 and 1 the other way round.
struct TwoItems {
    int first = 0;
    int second = 0;
};

TwoItems makeTwoItems(TestWorld &world)
{
    const int company = world.addCompany(QStringLiteral("Acme"));
    TwoItems items;
    items.first = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    items.second = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Fan")}});
    gv().RowID = {0, items.first, items.second};
    gv().AlarmRows = {AlarmRow{0, items.second}, AlarmRow{1, items.first}};
    return items;
}

frmAddEntry *openWindow(int target)
{
    if (target == HistoryTarget)
        return showAddHistory();
    return showAddNote();
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
    QTest::newRow("below range") << -1 << "";
    QTest::newRow("above range") << 6 << "";
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
    const int item = world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}});
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
    if (written) {
        QCOMPARE(world.scalar(QStringLiteral("SELECT descr FROM History")).toString(), descr);
        QCOMPARE(world.scalar(QStringLiteral("SELECT Date FROM History")).toString(), QStringLiteral("2026-12-06"));
    }
}

void TestRecords::entriesNewestFirst()
{
    TestWorld world;
    const int item = world.addItem(world.addCompany(QStringLiteral("Acme")), {});
    const int other = world.addItem(world.addCompany(QStringLiteral("Beta")), {});
    world.addEntry(QStringLiteral("History"), item, QStringLiteral("2025-03-01"), QStringLiteral("oldest"));
    writeEntry(db(), HistoryTarget, item, QStringLiteral("today one"));
    world.addEntry(QStringLiteral("History"), other, QStringLiteral("2026-12-07"), QStringLiteral("other item"));
    world.addEntry(QStringLiteral("History"), item, QStringLiteral("2026-11-30"), QStringLiteral("last week"));
    writeEntry(db(), HistoryTarget, item, QStringLiteral("today two"));

    const QVector<Entry> entries = loadEntries(db(), HistoryTarget, item);
    QStringList texts;
    QStringList dates;
    for (const Entry &entry : entries) {
        texts << entry.descr;
        dates << entry.isoDate;
    }
    QCOMPARE(texts, QStringList({"today one", "today two", "last week", "oldest"}));
    // Written on the same day: the same date, without a time.
    QCOMPARE(dates, QStringList({"2026-12-06", "2026-12-06", "2026-11-30", "2025-03-01"}));
    QVERIFY(loadEntries(db(), NotesTarget, item).isEmpty());
}

void TestRecords::entriesGoToTheirTable_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("otherTable");
    QTest::newRow("history") << 0 << "History" << "Notes";
    QTest::newRow("notes") << 1 << "Notes" << "History";
    QTest::newRow("any other target is notes") << 7 << "Notes" << "History";
}

void TestRecords::entriesGoToTheirTable()
{
    QFETCH(int, target);
    QFETCH(QString, table);
    QFETCH(QString, otherTable);
    TestWorld world;
    const int item = world.addItem(world.addCompany(QStringLiteral("Acme")), {});
    AddHistory(0, target, item, QStringLiteral("it's \"quoted\"; DROP TABLE main"), QString());
    QCOMPARE(world.scalar(QStringLiteral("SELECT descr FROM %1 WHERE ID = ?").arg(table), {item}).toString(),
             QStringLiteral("it's \"quoted\"; DROP TABLE main"));
    QCOMPARE(count(world, otherTable, item), 0);
    QCOMPARE(loadEntries(db(), target, item).size(), 1);
}

void TestRecords::windowsLookAndKeepTheirItem_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("fromMain");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("table");
    QTest::newRow("history from the list") << 0 << true << "Add History" << "History";
    QTest::newRow("note from the list") << 1 << true << "Add Note" << "Notes";
    QTest::newRow("history from an alarm") << 0 << false << "Add History" << "History";
    QTest::newRow("note from an alarm") << 1 << false << "Add Note" << "Notes";
}

void TestRecords::windowsLookAndKeepTheirItem()
{
    QFETCH(int, target);
    QFETCH(bool, fromMain);
    QFETCH(QString, caption);
    QFETCH(QString, table);
    TestWorld world;
    const TwoItems items = makeTwoItems(world);
    gv().EntryFromMainWindow = fromMain;
    gv().SelectedRow = 1;      // list row 1: the first item
    gv().SelectedAlarmRow = 0; // alarm row 0: the second item
    const int expected = fromMain ? items.first : items.second;

    QPointer<frmAddEntry> window = openWindow(target);
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->itemId(), expected);
    QCOMPARE(window->lblDescr->text(), QStringLiteral("Description:"));
    QCOMPARE(window->lblDescr->buddy(), window->txtDescr);
    QCOMPARE(window->cmdCancel->text(), QStringLiteral("Cancel"));
    QSignalSpy added(window.data(), &frmAddEntry::entryAdded);

    // The selection moves on while the window is open; the window keeps its item.
    gv().SelectedRow = 2;
    gv().SelectedAlarmRow = 1;
    window->txtDescr->setText(QStringLiteral("belt replaced"));
    QTest::mouseClick(window->cmdAdd, Qt::LeftButton);

    QCOMPARE(world.scalar(QStringLiteral("SELECT descr FROM %1 WHERE ID = ?").arg(table), {expected}).toString(),
             QStringLiteral("belt replaced"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt(), 1);
    QCOMPARE(added.count(), 1);
    QCOMPARE(added.at(0).at(0).toInt(), expected);
    QTRY_VERIFY(!window);
}

void TestRecords::emptyDescriptionRefused_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("history, add button") << 0 << false;
    QTest::newRow("history, Enter") << 0 << true;
    QTest::newRow("note, add button") << 1 << false;
    QTest::newRow("note, Enter") << 1 << true;
}

void TestRecords::emptyDescriptionRefused()
{
    QFETCH(int, target);
    QFETCH(bool, byEnter);
    TestWorld world;
    makeTwoItems(world);
    gv().SelectedRow = 1;
    frmAddEntry *window = openWindow(target);
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
    makeTwoItems(world);
    gv().SelectedRow = 1;
    frmAddEntry *window = showAddNote();
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

    QCOMPARE(descriptionKeyAccepted(QString(254, QLatin1Char('d')), 'a'), true);
    QCOMPARE(descriptionKeyAccepted(QString(255, QLatin1Char('d')), 'a'), false);
    QCOMPARE(descriptionKeyAccepted(QString(255, QLatin1Char('d')), 127), true);
}

void TestRecords::enterAddsAndCloses()
{
    TestWorld world;
    const TwoItems items = makeTwoItems(world);
    gv().SelectedRow = 2;
    QPointer<frmAddEntry> window = showAddHistory();
    QTest::keyClicks(window->txtDescr, QStringLiteral("filter changed"));
    QTest::keyClick(window->txtDescr, Qt::Key_Return);
    QCOMPARE(loadEntries(db(), HistoryTarget, items.second).value(0).descr, QStringLiteral("filter changed"));
    QCOMPARE(MessageBox::shownTexts(), QStringList());
    QTRY_VERIFY(!window);
}

void TestRecords::fromAcknowledgementClosesItemEditorForHistoryOnly_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("editorCloses");
    QTest::newRow("history") << 0 << true;
    QTest::newRow("note") << 1 << false;
}

void TestRecords::fromAcknowledgementClosesItemEditorForHistoryOnly()
{
    QFETCH(int, target);
    QFETCH(bool, editorCloses);
    TestWorld world;
    makeTwoItems(world);
    gv().ItemEditMode = 0;
    QPointer<frmAdd> editor = showItemEditor();
    gv().EntryFromMainWindow = false;
    gv().SelectedAlarmRow = 1;
    QPointer<frmAddEntry> window = openWindow(target);
    window->txtDescr->setText(QStringLiteral("checked"));
    QTest::mouseClick(window->cmdAdd, Qt::LeftButton);
    QCOMPARE(!itemEditor(), editorCloses);
    QTRY_VERIFY(!window);

    // From the main window the item editor is left alone.
    editor = showItemEditor();
    gv().EntryFromMainWindow = true;
    gv().SelectedRow = 1;
    window = openWindow(target);
    window->txtDescr->setText(QStringLiteral("again"));
    QTest::mouseClick(window->cmdAdd, Qt::LeftButton);
    QVERIFY(editor);
    QCOMPARE(itemEditor(), editor.data());
}

void TestRecords::mainWindowPaneShowsTheNewEntry()
{
    TestWorld world;
    const int company = world.addCompany(QStringLiteral("Acme"));
    const int pump = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    const int fan = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Fan")}});
    world.addEntry(QStringLiteral("History"), pump, QStringLiteral("2026-01-05"), QStringLiteral("older"));
    frmmain main;
    main.load();
    main.show();
    auto clickItem = [&](int itemId) {
        ItemGrid *grid = main.grid();
        const int row = int(gv().RowID.indexOf(itemId));
        const QModelIndex index = grid->model()->index(row - 1, 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    };
    QTableWidget *history = main.historyPane()->historyGrid();

    clickItem(pump);
    main.historyPane()->addHistoryButton()->click();
    QPointer<frmAddEntry> window = showAddHistory();
    QCOMPARE(window->itemId(), pump);
    QTest::keyClicks(window->txtDescr, QStringLiteral("seal replaced"));
    QTest::keyClick(window->txtDescr, Qt::Key_Return);
    QCOMPARE(history->rowCount(), 2);
    QCOMPARE(history->item(0, 1)->text(), QStringLiteral("seal replaced"));
    QTRY_VERIFY(!window);

    // Another item is shown by the time the entry is added: its pane is left as it is.
    main.historyPane()->addHistoryButton()->click();
    window = showAddHistory();
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

void TestRecords::deletedItemGetsNoEntry()
{
    TestWorld world;
    const TwoItems items = makeTwoItems(world);
    gv().SelectedRow = 1;
    frmAddEntry *window = showAddHistory();
    QSignalSpy added(window, &frmAddEntry::entryAdded);
    Execute(db(), QStringLiteral("DELETE FROM main WHERE ID = ?"), {items.first});
    window->txtDescr->setText(QStringLiteral("too late"));
    QTest::mouseClick(window->cmdAdd, Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList({QStringLiteral("This item no longer exists; the entry was not added")}));
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM History")).toInt(), 0);
    QCOMPARE(added.count(), 0);
}

void TestRecords::cancelWritesNothing()
{
    TestWorld world;
    makeTwoItems(world);
    gv().SelectedRow = 1;
    QPointer<frmAddEntry> window = showAddNote();
    window->txtDescr->setText(QStringLiteral("never"));
    QTest::mouseClick(window->cmdCancel, Qt::LeftButton);
    QTRY_VERIFY(!window);
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM Notes")).toInt(), 0);
}

void TestRecords::boxWidthFollowsWindow()
{
    TestWorld world;
    makeTwoItems(world);
    frmAddEntry *window = showAddHistory();
    for (int width : {9000, 5000}) {
        window->resize(Twips::toPixels(width), window->height());
        QApplication::processEvents();
        const int expected = Twips::toPixels(width - Twips::fromPixels(window->txtDescr->x()) - 200);
        QCOMPARE(window->txtDescr->width(), expected);
    }
}

void TestRecords::windowsExistOnce()
{
    TestWorld world;
    const TwoItems items = makeTwoItems(world);
    gv().SelectedRow = 1;
    frmAddHst *history = showAddHistory();
    history->txtDescr->setText(QStringLiteral("typed"));
    gv().SelectedRow = 2;
    QCOMPARE(showAddHistory(), history);
    QCOMPARE(history->txtDescr->text(), QStringLiteral("typed"));
    QCOMPARE(history->itemId(), items.first);
    frmAddNote *note = showAddNote();
    QVERIFY(static_cast<QWidget *>(note) != static_cast<QWidget *>(history));
    QCOMPARE(note->itemId(), items.second);
}

QTEST_MAIN(TestRecords)
#include "test_records.moc"
