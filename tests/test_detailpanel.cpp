// The main window's detail panel and commands: selection, panes, cell viewer, delete, links.

#include "TestSupport.h"

#include "core/data/AppPaths.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"
#include "gui/shell/DetailPanel.h"
#include "gui/shell/ItemGrid.h"
#include "core/shell/ItemListModel.h"
#include "gui/shell/frmAbout.h"
#include "gui/items/frmAdd.h"
#include "gui/shell/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>

class TestDetailPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initTestEnvironment();
        initResources();
    }
    void init();
    void cleanup();

    void clickPaintsOnlyTheLastRow();
    void clickFillsThePanes();
    void keyboardSelectsRows();
    void cellViewerShowsLongCells();
    void companyPagesAndPaneToggle();
    void commandsNeedASelection_data();
    void commandsNeedASelection();
    void deleteRemovesTheItemAndItsRecords();
    void deleteCancelledChangesNothing();
    void failedDeleteLeavesEverything();
    void linksOpenOnlyMailAndWeb_data();
    void linksOpenOnlyMailAndWeb();
    void commandsOpenTheEditor();
    void savedItemReloadsTheList();
    void manualAndAbout();
    void menusAndToolbar();

private:
    void click(int row, int columnId = 0);
    void doubleClick(QPoint at);
    int gridColumnOf(int columnId) const;
    int row(qint64 itemId) const;
    QVector<qint64> listedIds() const;

    TestWorld *m_world = nullptr;
    frmmain *m_window = nullptr;
    qint64 m_acme = 0, m_zeta = 0;
    qint64 m_pump = 0, m_boiler = 0, m_crane = 0;
};

void TestDetailPanel::init()
{
    m_world = new TestWorld;
    m_acme = m_world->addCompany(QStringLiteral("Acme"), {{QStringLiteral("Street1"), QStringLiteral("1 Main St")},
                                                         {QStringLiteral("city"), QStringLiteral("Dayton")},
                                                         {QStringLiteral("State"), QStringLiteral("OH")},
                                                         {QStringLiteral("zip"), QStringLiteral("45402")},
                                                         {QStringLiteral("email"), QStringLiteral("parts@acme.example")},
                                                         {QStringLiteral("website"), QStringLiteral("www.acme.example")},
                                                         {QStringLiteral("phone2"), QStringLiteral("555-0101")}});
    m_zeta = m_world->addCompany(QStringLiteral("Zeta"));
    m_pump = m_world->addItem(m_acme, {{QStringLiteral("Name"), QStringLiteral("Pump")},
                                       {QStringLiteral("servicedate"), QStringLiteral("2026-12-10")},
                                       {QStringLiteral("tools"), QStringLiteral("Wrench\r\nMeter\r\nGloves")}});
    m_boiler = m_world->addItem(m_zeta, {{QStringLiteral("Name"), QStringLiteral("Boiler")},
                                         {QStringLiteral("servicedate"), QStringLiteral("2026-12-20")}});
    m_crane = m_world->addItem(m_acme, {{QStringLiteral("Name"), QStringLiteral("Crane")},
                                        {QStringLiteral("servicedate"), QStringLiteral("2026-12-30")}});
    m_world->addPart(m_pump, QStringLiteral("Seal"), QStringLiteral("S-1"));
    m_world->addEntry(QStringLiteral("History"), m_pump, QStringLiteral("2026-01-02"), QStringLiteral("Older"));
    m_world->addEntry(QStringLiteral("History"), m_pump, QStringLiteral("2026-11-02"), QStringLiteral("Newer"));
    m_world->addEntry(QStringLiteral("Notes"), m_pump, QStringLiteral("2026-10-02"), QStringLiteral("A note"));
    m_world->addEntry(QStringLiteral("History"), m_boiler, QStringLiteral("2026-10-02"), QStringLiteral("Boiler entry"));
    // Show the tools column too.
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 7 WHERE ID = 11"));

    m_window = new frmmain;
    m_window->load();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    MessageBox::clearShown();
}

void TestDetailPanel::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_world;
    m_world = nullptr;
}

int TestDetailPanel::gridColumnOf(int columnId) const
{
    return m_window->grid()->itemModel()->columnLayout().colLoc[columnId];
}

int TestDetailPanel::row(qint64 itemId) const
{
    const QVector<qint64> ids = listedIds();
    return int(ids.indexOf(itemId)) + 1;
}

QVector<qint64> TestDetailPanel::listedIds() const
{
    const ItemListModel *model = m_window->grid()->itemModel();
    QVector<qint64> ids;
    for (int row = 1; row <= model->itemCount(); ++row)
        ids << model->itemIdAt(row);
    return ids;
}

void TestDetailPanel::doubleClick(QPoint at)
{
    QTest::mouseDClick(m_window->grid()->viewport(), Qt::LeftButton, {}, at);
    QApplication::processEvents();
}

void TestDetailPanel::click(int row, int columnId)
{
    ItemGrid *grid = m_window->grid();
    const QModelIndex index = grid->model()->index(row - 1, gridColumnOf(columnId));
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

void TestDetailPanel::clickPaintsOnlyTheLastRow()
{
    ItemListModel *model = m_window->grid()->itemModel();
    click(1);
    click(3);
    QVERIFY(!model->isRowPainted(1));
    QVERIFY(model->isRowPainted(3));
    click(3);
    QVERIFY(model->isRowPainted(3));
    QCOMPARE(model->data(model->index(2, 1), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::white));
    QCOMPARE(model->data(model->index(0, 1), Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::white));
    QVERIFY(!m_window->noItemSelected());

    // After a reload nothing is painted and the first click paints its row alone.
    m_window->LoadGrid(Field::ServiceDate, Ascending, QString(), 0);
    QVERIFY(m_window->noItemSelected());
    QVERIFY(!model->isRowPainted(3));
    click(2);
    QVERIFY(model->isRowPainted(2));
    QVERIFY(!model->isRowPainted(3));

    m_window->ClearLastClick();
    QVERIFY(!model->isRowPainted(2));
    QVERIFY(m_window->noItemSelected());
}

void TestDetailPanel::clickFillsThePanes()
{
    click(row(m_pump));
    CompanyPane *company = m_window->companyPane();
    QCOMPARE(company->valueText("lblName"), QStringLiteral("Acme"));
    QCOMPARE(company->valueText("lblCity"), QStringLiteral("Dayton, OH  45402"));
    QCOMPARE(company->valueText("lblEmail"), QStringLiteral("parts@acme.example"));
    QTableWidget *history = m_window->historyPane()->historyGrid();
    QCOMPARE(history->rowCount(), 2);
    QCOMPARE(history->item(0, 1)->text(), QStringLiteral("Newer")); // newest first
    QCOMPARE(history->item(0, 0)->text(), QStringLiteral("11/2/2026"));
    QCOMPARE(m_window->historyPane()->notesGrid()->item(0, 1)->text(), QStringLiteral("A note"));

    // A company without a city still shows the separators.
    click(row(m_boiler));
    QCOMPARE(company->valueText("lblName"), QStringLiteral("Zeta"));
    QCOMPARE(company->valueText("lblCity"), QStringLiteral(",   "));
    QCOMPARE(history->rowCount(), 1);
    QCOMPARE(m_window->historyPane()->notesGrid()->rowCount(), 0);

    m_window->ClearData();
    QCOMPARE(history->rowCount(), 0);
    QCOMPARE(company->valueText("lblName"), QString());
}

void TestDetailPanel::keyboardSelectsRows()
{
    ItemListModel *model = m_window->grid()->itemModel();
    click(row(m_pump));
    QTest::keyClick(m_window->grid(), Qt::Key_Down);
    QVERIFY(model->isRowPainted(row(m_boiler)));
    QVERIFY(!model->isRowPainted(row(m_pump)));
    QCOMPARE(m_window->grid()->currentRow(), row(m_boiler));
    QCOMPARE(m_window->companyPane()->valueText("lblName"), QStringLiteral("Zeta"));
}

void TestDetailPanel::cellViewerShowsLongCells()
{
    QPlainTextEdit *viewer = m_window->cellViewer();
    click(row(m_pump), 11);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->toPlainText(), QStringLiteral("Wrench\nMeter\nGloves"));
    const QRect cell = m_window->grid()->cellRect(row(m_pump), gridColumnOf(11));
    QCOMPARE(viewer->geometry(), cell);
    click(row(m_pump), 6);
    QCOMPARE(viewer->toPlainText(), QStringLiteral("Seal / S-1\n"));
    click(row(m_pump), 0);
    QVERIFY(!viewer->isVisible());
    click(row(m_pump), 11);
    QVERIFY(viewer->isVisible());
    m_window->grid()->horizontalScrollBar()->setValue(m_window->grid()->horizontalScrollBar()->maximum());
    m_window->grid()->verticalScrollBar()->setValue(1);
    Q_EMIT m_window->grid()->scrolled();
    QVERIFY(!viewer->isVisible());
}

void TestDetailPanel::companyPagesAndPaneToggle()
{
    CompanyPane *company = m_window->companyPane();
    auto visible = [&](const char *name) { return company->findChild<QLabel *>(QString::fromLatin1(name))->isVisible(); };
    QPushButton *more = company->findChild<QPushButton *>(QStringLiteral("cmdChangeCo"));
    QVERIFY(visible("lblName"));
    QVERIFY(!visible("lblWeb"));
    more->click();
    QCOMPARE(more->text(), QStringLiteral("Back"));
    QVERIFY(visible("lblWeb") && visible("lblPhone2") && visible("lblNotes") && visible("lblCo3"));
    QVERIFY(!visible("lblName") && !visible("lblStreet1") && !visible("lblCo0"));
    more->click();
    QCOMPARE(more->text(), QStringLiteral("More"));
    for (const char *name : {"lblCo0", "lblCo1", "lblCo2", "lblCo4", "lblCo6", "lblName", "lblStreet1", "lblStreet2",
                             "lblCity", "lblPhone1", "lblEmail", "lblContact"})
        QVERIFY2(visible(name), name);

    HistoryPane *pane = m_window->historyPane();
    QPushButton *change = pane->findChild<QPushButton *>(QStringLiteral("cmdChange"));
    change->click();
    QVERIFY(pane->notesGrid()->isVisible() && pane->addNoteButton()->isVisible());
    QVERIFY(!pane->historyGrid()->isVisible() && !pane->addHistoryButton()->isVisible());
    QCOMPARE(change->text(), QStringLiteral("View History"));
    change->click();
    QVERIFY(pane->historyGrid()->isVisible() && !pane->addNoteButton()->isVisible());
}

void TestDetailPanel::commandsNeedASelection_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message");
    QTest::newRow("edit") << "mnuEdit" << "Please select an item to edit first";
    QTest::newRow("edit item") << "mnuEditItem" << "Please select an item to edit first";
    QTest::newRow("delete") << "mnuDelete" << "Please select an item to delete first";
    QTest::newRow("delete item") << "mnuDeleteItem" << "Please select an item to delete first";
}

void TestDetailPanel::commandsNeedASelection()
{
    QFETCH(QString, command);
    QFETCH(QString, message);
    m_window->action(command)->trigger();
    QCOMPARE(MessageBox::shownTexts(), QStringList{message});
    QCOMPARE(m_world->scalar(QStringLiteral("SELECT count(*) FROM main")).toInt(), 3);

    MessageBox::clearShown();
    m_window->historyPane()->addHistoryButton()->click();
    QCOMPARE(MessageBox::lastText(), QStringLiteral("Please select an item first"));
}

void TestDetailPanel::deleteRemovesTheItemAndItsRecords()
{
    click(row(m_pump));
    MessageBox::setNextAnswer(MessageBox::Ok);
    m_window->action(QStringLiteral("mnuDelete"))->trigger();
    QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("All data for this record (ID = %1) will be deleted permanently").arg(m_pump)});
    for (const char *table : {"main", "History", "Notes", "repparts"})
        QCOMPARE(m_world->scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE ID = ?").arg(QLatin1String(table)), {m_pump}).toInt(), 0);
    QCOMPARE(m_world->scalar(QStringLiteral("SELECT count(*) FROM History WHERE ID = ?"), {m_boiler}).toInt(), 1);
    // Reloaded with the lookup view's sort (by name) and the panel cleared.
    QCOMPARE(listedIds(), QVector<qint64>({m_boiler, m_crane}));
    QCOMPARE(m_window->companyPane()->valueText("lblName"), QString());
}

void TestDetailPanel::deleteCancelledChangesNothing()
{
    click(row(m_pump));
    const QVector<qint64> before = listedIds();
    m_window->action(QStringLiteral("mnuDelete"))->trigger(); // unanswered: Cancel
    QCOMPARE(m_world->scalar(QStringLiteral("SELECT count(*) FROM main")).toInt(), 3);
    QCOMPARE(listedIds(), before);
    QCOMPARE(m_window->companyPane()->valueText("lblName"), QStringLiteral("Acme"));
    QVERIFY(!m_window->noItemSelected());
}

void TestDetailPanel::failedDeleteLeavesEverything()
{
    Execute(db(), QStringLiteral("CREATE TRIGGER keep_parts BEFORE DELETE ON repparts BEGIN SELECT RAISE(ABORT, 'parts are locked'); END"));
    click(row(m_pump));
    MessageBox::setNextAnswer(MessageBox::Ok);
    m_window->action(QStringLiteral("mnuDelete"))->trigger();
    QVERIFY(MessageBox::lastText().contains(QStringLiteral("parts are locked")));
    QCOMPARE(m_world->scalar(QStringLiteral("SELECT count(*) FROM main WHERE ID = ?"), {m_pump}).toInt(), 1);
    QCOMPARE(m_world->scalar(QStringLiteral("SELECT count(*) FROM History WHERE ID = ?"), {m_pump}).toInt(), 2);
    QCOMPARE(m_world->scalar(QStringLiteral("SELECT count(*) FROM Notes WHERE ID = ?"), {m_pump}).toInt(), 1);
}

void TestDetailPanel::linksOpenOnlyMailAndWeb_data()
{
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("website");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("addresses") << "parts@acme.example" << "www.acme.example"
                               << QStringList{"mailto:parts@acme.example", "http://www.acme.example"};
    QTest::newRow("empty") << "" << "" << QStringList{"mailto:"};
    QTest::newRow("local program") << "x@y.example" << "/usr/bin/xterm" << QStringList{"mailto:x@y.example"};
}

void TestDetailPanel::linksOpenOnlyMailAndWeb()
{
    QFETCH(QString, email);
    QFETCH(QString, website);
    QFETCH(QStringList, opened);
    Execute(db(), QStringLiteral("UPDATE orderinfo SET email = ?, website = ? WHERE ID = ?"), {email, website, m_acme});
    click(row(m_pump));
    Desktop::setTestMode(true);
    CompanyPane *company = m_window->companyPane();
    QTest::mousePress(company->findChild<QLabel *>(QStringLiteral("lblEmail")), Qt::LeftButton);
    company->toggleCompanyPage();
    QTest::mousePress(company->findChild<QLabel *>(QStringLiteral("lblWeb")), Qt::LeftButton);
    QStringList urls;
    for (const QUrl &url : Desktop::openedUrls())
        urls << url.toString(QUrl::FullyEncoded);
    QCOMPARE(urls, opened);
}

void TestDetailPanel::commandsOpenTheEditor()
{
    // New opens an empty editor; with one open, Edit raises it unchanged.
    m_window->action(QStringLiteral("mnuNew"))->trigger();
    QPointer<frmAdd> editor = itemEditor();
    QVERIFY(editor && editor->isAddMode());
    click(row(m_boiler));
    m_window->action(QStringLiteral("mnuEdit"))->trigger();
    QCOMPARE(itemEditor(), editor.data());
    closeItemEditor();

    // Edit, and the context menu's Edit Item, open the selected item.
    m_window->action(QStringLiteral("mnuEditItem"))->trigger();
    QVERIFY(itemEditor() && itemEditor()->itemId() == m_boiler);
    QCOMPARE(itemEditor()->windowTitle(), QStringLiteral("Edit Item, ID = %1").arg(m_boiler));

    // A double-click on a row opens a fresh editor for its item; below the rows, nothing.
    ItemGrid *grid = m_window->grid();
    editor = itemEditor();
    doubleClick(grid->visualRect(grid->model()->index(row(m_crane) - 1, 1)).center());
    QVERIFY(!editor);
    QCOMPARE(itemEditor()->itemId(), m_crane);
    closeItemEditor();
    doubleClick(QPoint(10, grid->viewport()->height() - 3));
    QVERIFY(!itemEditor());
    QCOMPARE(MessageBox::shownTexts(), QStringList());

    // The context menu pops up on the right button and holds the item commands.
    auto *menu = m_window->findChild<QMenu *>(QStringLiteral("mnuInv"));
    QStringList entries;
    for (QAction *entry : menu->actions())
        entries << entry->text();
    QCOMPARE(entries, QStringList({"Edit Item", "Delete Item", "Edit Columns"}));
    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, QPoint(20, 10));
    QTRY_VERIFY(menu->isVisible());
    menu->close();
}

void TestDetailPanel::savedItemReloadsTheList()
{
    click(row(m_pump));
    m_window->action(QStringLiteral("mnuEdit"))->trigger();
    frmAdd *editor = itemEditor();
    auto *name = qobject_cast<QLineEdit *>(editor->box(Column::Name));
    name->setText(QStringLiteral("Pump 2"));
    editor->save();
    QTRY_VERIFY(!itemEditor());
    // All items by service date, the selection and panes cleared.
    QVERIFY(m_window->noItemSelected());
    QCOMPARE(m_window->panelText(1), QStringLiteral("Display Mode: All"));
    QCOMPARE(m_window->grid()->itemModel()->cellText(row(m_pump), Column::Name), QStringLiteral("Pump 2"));
    QCOMPARE(m_window->companyPane()->valueText("lblName"), QString());
}

void TestDetailPanel::manualAndAbout()
{
    Desktop::setTestMode(true);
    m_window->action(QStringLiteral("mnuContents"))->trigger();
    QCOMPARE(Desktop::openedUrls(), QList<QUrl>{QUrl::fromLocalFile(AppPaths::applicationFolder() + QStringLiteral("/manual.htm"))});
    Execute(db(), QStringLiteral("UPDATE settings SET Version = '2.1', build = '57'"));
    QCOMPARE(frmAbout::aboutText(), QStringLiteral("Tarvo v2.1\r\nBuild: 57"));
}

void TestDetailPanel::menusAndToolbar()
{
    QStringList menus;
    for (QAction *menu : m_window->menuBar()->actions())
        menus << menu->text().remove(u'&');
    QCOMPARE(menus, QStringList({"File", "Display", "Lookup", "Sort", "Reports", "View", "Options", "Help"}));
    QMenu *sort = m_window->findChild<QMenu *>(QStringLiteral("mnuSortby"));
    QCOMPARE(sort->actions().size(), 23);
    QCOMPARE(sort->actions().at(5)->property("position").toInt(), 5);
    QCOMPARE(sort->actions().at(6)->text(), QStringLiteral("by Service Date"));
    QCOMPARE(sort->actions().at(6)->property("position").toInt(), 7);
    QCOMPARE(sort->actions().at(16)->text(), QStringLiteral("by Replacement Stock"));
    QCOMPARE(sort->actions().at(22)->property("position").toInt(), 23);
    QCOMPARE(m_window->findChild<QMenu *>(QStringLiteral("mnuLookupBy"))->actions().size(), 22);

    QStringList keys, tips;
    for (QAction *button : m_window->findChild<QToolBar *>(QStringLiteral("tbToolBar"))->actions()) {
        keys << button->property("key").toString();
        tips << button->toolTip();
    }
    QCOMPARE(keys, QStringList({"New", "Open", "Delete", "Find", "Sort", "Alarm", "Comp", "Cal"}));
    QCOMPARE(tips, QStringList({"Add New Item", "Edit Item", "Delete", "Lookup", "Sort", "View Alarms",
                                "View Companies", "View Calendar"}));
    // The toolbar runs the menu command: Delete without a selection.
    m_window->findChild<QToolBar *>(QStringLiteral("tbToolBar"))->actions().at(2)->trigger();
    QCOMPARE(MessageBox::lastText(), QStringLiteral("Please select an item to delete first"));
}

QTEST_MAIN(TestDetailPanel)
#include "test_detailpanel.moc"
