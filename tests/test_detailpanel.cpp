// The main window's detail panel and commands: selection, panes, cell viewer, the commands
// driven end to end, delete, links.

#include "TestSupport.h"

#include "core/itemlist/ItemListModel.h"
#include "core/settings/AppContext.h"
#include "gui/alarms/ServiceAckDialog.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/items/ItemEditor.h"
#include "gui/mainwindow/AboutDialog.h"
#include "gui/mainwindow/DetailPanel.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/WindowRegistry.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/RowColours.h"
#include "gui/records/EntryDialog.h"
#include "gui/views/LookupDialog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QToolBar>

using namespace Qt::StringLiterals;

// What a user reads in a label or a tooltip: its text, or what that renders to when Qt takes
// it for markup.
static QString readable(const QString &text, Qt::TextFormat format)
{
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    QTextDocument page;
    page.setHtml(text);
    return page.toPlainText();
}

class TestDetailPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }

    void init()
    {
        m_world = new TestWorld;
        m_acme = m_world->addCompany(u"Acme"_s, {{"Street1", "1 Main St"}, {"city", "Dayton"}, {"State", "OH"}, {"zip", "45402"}, {"email", "parts@acme.example"}, {"phone2", "555-0101"}});
        m_pump = m_world->addItem(m_acme, {{"Name", "Pump"}, {"servicedate", "2026-12-10"}, {"tools", "Wrench\r\nMeter\r\nGloves"}});
        m_boiler = m_world->addItem(m_world->addCompany(u"Zeta"_s), {{"Name", "Boiler"}, {"servicedate", "2026-12-20"}});
        m_crane = m_world->addItem(m_acme, {{"Name", "Crane"}, {"servicedate", "2026-12-30"}});
        m_world->addPart(m_pump, u"Seal"_s, u"S-1"_s);
        m_world->addEntry(u"History"_s, m_pump, u"2026-01-02"_s, u"Older"_s);
        m_world->addEntry(u"History"_s, m_pump, u"2026-11-02"_s, u"Newer"_s);
        m_world->addEntry(u"Notes"_s, m_pump, u"2026-10-02"_s, u"A note"_s);
        m_world->addEntry(u"History"_s, m_boiler, u"2026-10-02"_s, u"Boiler entry"_s);
        execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 7 WHERE ID = 11")); // show the tools too

        m_window = new MainWindow(appContext());
        m_window->load();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        MessageBox::clearShown();
    }
    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
        closeAllWindows();
        delete m_world;
        m_world = nullptr;
    }

    void clickPaintsOnlyTheLastRow()
    {
        ItemListModel *model = m_window->grid()->itemModel();
        // The list takes the focus with nothing chosen; the first Down chooses the first row.
        m_window->grid()->setFocus();
        QTest::keyClick(m_window->grid(), Qt::Key_Down);
        QVERIFY(model->isRowSelected(1) && !model->isRowSelected(2));
        click(1);
        click(3);
        QVERIFY(!model->isRowSelected(1) && model->isRowSelected(3));
        click(3);
        QVERIFY(model->isRowSelected(3));
        QCOMPARE(QList<QColor>({shownColours(*m_window->grid(), model->index(2, 1)).text.color(), shownColours(*m_window->grid(), model->index(0, 1)).background.color()}),
                 QList<QColor>({Qt::white, Qt::white}));
        QVERIFY(!m_window->itemList()->noItemSelected());
        // The keyboard moves the selection as a click does.
        QTest::keyClick(m_window->grid(), Qt::Key_Up);
        QVERIFY(model->isRowSelected(2) && !model->isRowSelected(3));
        QTest::keyClick(m_window->grid(), Qt::Key_Return); // and Enter opens it
        QCOMPARE(m_window->windows()->itemEditor()->itemId(), model->itemIdAt(2));
        delete m_window->windows()->itemEditor();

        // After a reload nothing is selected and the first click selects its row alone.
        m_window->itemList()->loadGrid(Field::ServiceDate, Ascending, QString(), 0);
        QVERIFY(m_window->itemList()->noItemSelected());
        click(1);
        QVERIFY(model->isRowSelected(1) && !model->isRowSelected(2));
        m_window->itemList()->clearLastClick();
        QVERIFY(!model->isRowSelected(1) && m_window->itemList()->noItemSelected());
    }

    void clickFillsThePanesAndViewer()
    {
        click(row(m_pump));
        CompanyPane *company = m_window->companyPane();
        QTableWidget *history = m_window->historyPane()->historyGrid();
        QCOMPARE(history->rowCount(), 2);
        // History newest first.
        QCOMPARE(QStringList({company->valueText("lblName"), company->valueText("lblCity"), history->item(0, 1)->text(), m_window->historyPane()->notesGrid()->item(0, 1)->text()}),
                 QStringList({u"Acme"_s, u"Dayton, OH  45402"_s, u"Newer"_s, u"A note"_s}));

        // Long cells open in the viewer over the cell; another cell or a scroll closes it.
        QPlainTextEdit *viewer = m_window->cellViewer();
        click(row(m_pump), Column::Tools);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->toPlainText(), QStringLiteral("Wrench\nMeter\nGloves"));
        QCOMPARE(viewer->geometry(), m_window->grid()->cellRect(row(m_pump), gridColumnOf(Column::Tools)));
        click(row(m_pump), Column::RepParts);
        QCOMPARE(viewer->toPlainText(), QStringLiteral("Seal / S-1\n"));
        Q_EMIT m_window->grid()->scrolled();
        QVERIFY(!viewer->isVisible());
        click(row(m_pump), Column::Tools);
        click(row(m_pump), Column::Name);
        QVERIFY(!viewer->isVisible());
        click(row(m_pump), Column::Tools); // a resize, which can leave the cell out of view, hides it too
        m_window->resize(m_window->size() - QSize(40, 40));
        QVERIFY(!viewer->isVisible());

        // A company without a city still shows the separators.
        click(row(m_boiler));
        QCOMPARE(company->valueText("lblCity"), QStringLiteral(",   "));
        QCOMPARE(m_window->historyPane()->notesGrid()->rowCount(), 0);
        m_window->clearData();
        QVERIFY(history->rowCount() == 0 && company->valueText("lblName").isEmpty());
    }

    void companyPagesAndPaneToggle()
    {
        CompanyPane *company = m_window->companyPane();
        auto visible = [&](const char *name) { return company->findChild<QLabel *>(QString::fromLatin1(name))->isVisible(); };
        QPushButton *more = company->findChild<QPushButton *>(QStringLiteral("cmdChangeCo"));
        more->click();
        QCOMPARE(Mnemonics::plain(more->text()), QStringLiteral("Back"));
        QVERIFY(visible("lblWeb") && visible("lblCo3") && !visible("lblName") && !visible("lblCo0"));
        more->click();
        QVERIFY(!visible("lblWeb") && visible("lblName") && visible("lblCo0"));

        HistoryPane *pane = m_window->historyPane();
        QPushButton *change = pane->findChild<QPushButton *>(QStringLiteral("cmdChange"));
        change->click();
        QVERIFY(pane->notesGrid()->isVisible() && pane->addNoteButton()->isVisible() && !pane->historyGrid()->isVisible() && !pane->addHistoryButton()->isVisible());
        QCOMPARE(Mnemonics::plain(change->text()), QStringLiteral("View History"));
    }

    void commandsOpenTheEditor()
    {
        m_window->action(QStringLiteral("mnuEditItem"))->trigger();
        m_window->action(QStringLiteral("mnuDelete"))->trigger();
        m_window->historyPane()->addHistoryButton()->click();
        QCOMPARE(MessageBox::shownTexts(), QStringList({u"Please select an item to edit first"_s, u"Please select an item to delete first"_s, u"Please select an item first"_s}));
        QVERIFY(!m_window->windows()->itemEditor());
        MessageBox::clearShown();

        // New opens an empty editor; with one open, Edit raises it unchanged.
        m_window->action(QStringLiteral("mnuNew"))->trigger();
        QPointer<ItemEditor> editor = m_window->windows()->itemEditor();
        QVERIFY(editor && editor->isAddMode());
        click(row(m_boiler));
        m_window->action(QStringLiteral("mnuEdit"))->trigger();
        QCOMPARE(m_window->windows()->itemEditor(), editor.data());
        delete m_window->windows()->itemEditor();

        // The context menu's Edit Item opens the selected item.
        m_window->action(QStringLiteral("mnuEditItem"))->trigger();
        QCOMPARE(m_window->windows()->itemEditor()->windowTitle(), QStringLiteral("Edit Item, ID = %1").arg(m_boiler));

        // A double-click on a row opens a fresh editor for its item; below the rows, nothing.
        // (The mouse sends a click before the double-click.)
        ItemGrid *grid = m_window->grid();
        editor = m_window->windows()->itemEditor();
        const QPoint crane = grid->visualRect(grid->model()->index(row(m_crane) - 1, 1)).center(), below(10, grid->viewport()->height() - 3);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, crane);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, crane);
        settle();
        QVERIFY(!editor);
        QCOMPARE(m_window->windows()->itemEditor()->itemId(), m_crane);
        delete m_window->windows()->itemEditor();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, below);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, below);
        QApplication::processEvents();
        QVERIFY(!m_window->windows()->itemEditor());
        QCOMPARE(MessageBox::shownTexts(), QStringList());

        // The context menu pops up on the right button.
        auto *menu = m_window->findChild<QMenu *>(QStringLiteral("mnuInv"));
        QCOMPARE(menu->actions().size(), 3);
        QTest::mousePress(grid->viewport(), Qt::RightButton, {}, QPoint(20, 10));
        QVERIFY(menu->isVisible());
        menu->close();
    }

    void savedItemReloadsTheList()
    {
        click(row(m_pump));
        m_window->action(QStringLiteral("mnuEdit"))->trigger();
        ItemEditor *editor = m_window->windows()->itemEditor();
        qobject_cast<QLineEdit *>(editor->box(Column::Name))->setText(QStringLiteral("Pump 2"));
        editor->save();
        settle();
        QVERIFY(!m_window->windows()->itemEditor());
        // All items by service date, the selection and panes cleared.
        QVERIFY(m_window->itemList()->noItemSelected() && m_window->companyPane()->valueText("lblName").isEmpty());
        QCOMPARE(m_window->panelText(1), QStringLiteral("Display Mode: All"));
        QCOMPARE(m_window->grid()->itemModel()->cellText(row(m_pump), Column::Name), QStringLiteral("Pump 2"));
    }

    void deleteIsAllOrNothing()
    {
        click(row(m_pump));
        const QVector<qint64> before = listedIds();
        m_window->action(QStringLiteral("mnuDelete"))->trigger(); // unanswered: Cancel
        QCOMPARE(listedIds(), before);
        QVERIFY(m_window->companyPane()->valueText("lblName") == u"Acme" && !m_window->itemList()->noItemSelected());

        // A statement that fails half-way leaves every table as it was, and says what failed.
        const QString count = QStringLiteral("SELECT '' || (SELECT count(*) FROM main WHERE ID = ?1) || (SELECT count(*) FROM History"
                                             " WHERE ID = ?1) || (SELECT count(*) FROM Notes WHERE ID = ?1) ||"
                                             " (SELECT count(*) FROM repparts WHERE ID = ?1)");
        m_world->refuse(QStringLiteral("DELETE"), QStringLiteral("repparts"), QStringLiteral("parts are locked"));
        MessageBox::setNextAnswer(MessageBox::Ok);
        m_window->action(QStringLiteral("mnuDelete"))->trigger();
        QCOMPARE(MessageBox::lastText(), QStringLiteral("Could not delete the item.\r\nThe database said: parts are locked"));
        QCOMPARE(m_world->scalar(count, {m_pump}).toString(), QStringLiteral("1211"));

        m_world->allow(QStringLiteral("repparts"));
        MessageBox::clearShown();
        MessageBox::setNextAnswer(MessageBox::Ok);
        m_window->action(QStringLiteral("mnuDelete"))->trigger();
        QCOMPARE(MessageBox::shownTexts(),
                 QStringList {QStringLiteral("All data for this record (ID = %1) will be deleted permanently").arg(m_pump)});
        QCOMPARE(m_world->scalar(count, {m_pump}).toString() + u' ' + m_world->scalar(count, {m_boiler}).toString(), u"0000 1100"_s);
        // Reloaded with the lookup view's sort (by name) and the panel cleared.
        QCOMPARE(listedIds(), QVector<qint64>({m_boiler, m_crane}));
        QCOMPARE(m_window->companyPane()->valueText("lblName"), QString());
    }

    void linksOpenOnlyMailAndWeb_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("website");
        QTest::addColumn<QStringList>("opened");
        QTest::newRow("addresses") << u"parts@acme.example"_s << u"www.acme.example"_s << QStringList {u"mailto:parts@acme.example"_s, u"http://www.acme.example"_s};
        QTest::newRow("empty") << u""_s << u""_s << QStringList {u"mailto:"_s};
        QTest::newRow("local program") << u"x@y.example"_s << u"/usr/bin/xterm"_s << QStringList {u"mailto:x@y.example"_s};
    }
    void linksOpenOnlyMailAndWeb()
    {
        QFETCH(QString, email);
        QFETCH(QString, website);
        execute(db(), QStringLiteral("UPDATE orderinfo SET email = ?, website = ? WHERE ID = ?"), {email, website, m_acme});
        click(row(m_pump));
        CompanyPane *company = m_window->companyPane();
        QTest::mousePress(company->findChild<QLabel *>(QStringLiteral("lblEmail")), Qt::LeftButton);
        company->toggleCompanyPage();
        QTest::mousePress(company->findChild<QLabel *>(QStringLiteral("lblWeb")), Qt::LeftButton);
        QStringList urls;
        for (const QUrl &url : Desktop::openedUrls())
            urls << url.toString(QUrl::FullyEncoded);
        QTEST(urls, "opened");
    }

    // Stored and typed text reads as typed in every kind of label, never as markup.
    void userTextReadsAsTyped_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("label"); // a grid: the tooltip of its first entry
        QTest::newRow("lookup in the status bar") << u"main"_s << u"sbStatusBarPanel1"_s;
        QTest::newRow("company pane") << u"main"_s << u"lblName"_s;
        QTest::newRow("company notes") << u"main"_s << u"lblNotes"_s;
        QTest::newRow("item editor's company") << u"editor"_s << u"lblCoName"_s;
        QTest::newRow("entry window's item") << u"entry"_s << u"lblItem"_s;
        QTest::newRow("acknowledgement's history") << u"service"_s << u"flxHistory"_s;
    }
    void userTextReadsAsTyped()
    {
        QFETCH(QString, window);
        QFETCH(QString, label);
        const QString typed = QStringLiteral("<b>x</b> & <i>");
        execute(db(), QStringLiteral("UPDATE orderinfo SET company = ?, notes = ?"), {typed, typed});
        execute(db(), QStringLiteral("UPDATE main SET Name = ?"), {typed});
        m_world->addEntry(u"History"_s, m_pump, u"2026-12-01"_s, typed);
        m_window->action(QStringLiteral("tbFind"))->trigger();
        emit shownWindow<LookupDialog>()->lookupChosen(Field::Name, typed);
        click(row(m_pump));
        QWidget *shown = window == u"editor" ? openAlone<ItemEditor>(appContext(), ItemEditor::EditListItem, m_pump, ColumnLayout())
            : window == u"entry"             ? openAlone<EntryDialog>(db(), HistoryTarget, m_pump)
            : window == u"service"           ? static_cast<QWidget *>(openAlone<ServiceAckDialog>(appContext(), m_pump))
                                             : m_window;
        QString read;
        if (auto *grid = shown->findChild<QTableWidget *>(label))
            read = readable(grid->item(0, 1)->toolTip(), Qt::AutoText);
        else if (auto *text = shown->findChild<QLabel *>(label))
            read = readable(text->text(), text->textFormat());
        QVERIFY2(read.contains(typed), qPrintable(read));
    }

    void manualAboutAndToolbar()
    {
        m_window->action(QStringLiteral("mnuContents"))->trigger();
        // The test's folder holds no manual: the one beside the executable opens.
        const QString manual = QCoreApplication::applicationDirPath() + u"/manual.htm"_s;
        QCOMPARE(Desktop::openedUrls(), QList<QUrl> {QUrl::fromLocalFile(manual)});
        execute(db(), QStringLiteral("UPDATE settings SET Version = '2.1', build = '57'"));
        QCOMPARE(AboutDialog::aboutText(db()), QStringLiteral("Tarvo v2.1\r\nBuild: 57"));
        QStringList keys;
        for (QAction *button : m_window->findChild<QToolBar *>(QStringLiteral("tbToolBar"))->actions())
            keys << button->property("key").toString();
        QCOMPARE(keys, QStringList({u"New"_s, u"Open"_s, u"Delete"_s, u"Find"_s, u"Sort"_s, u"Alarm"_s, u"Comp"_s, u"Cal"_s}));
        // The toolbar runs the menu command: Delete without a selection.
        m_window->findChild<QToolBar *>(QStringLiteral("tbToolBar"))->actions().at(2)->trigger();
        QCOMPARE(MessageBox::lastText(), QStringLiteral("Please select an item to delete first"));
    }

private:
    int gridColumnOf(int columnId) const { return m_window->grid()->itemModel()->columnLayout().colLoc[columnId]; }
    int row(qint64 itemId) const { return int(listedIds().indexOf(itemId)) + 1; }

    QVector<qint64> listedIds() const
    {
        const ItemListModel *model = m_window->grid()->itemModel();
        QVector<qint64> ids;
        for (int row = 1; row <= model->itemCount(); ++row)
            ids << model->itemIdAt(row);
        return ids;
    }

    void click(int row, int columnId = 0)
    {
        ItemGrid *grid = m_window->grid();
        const QModelIndex index = grid->model()->index(row - 1, gridColumnOf(columnId));
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }

    TestWorld *m_world = nullptr;
    MainWindow *m_window = nullptr;
    qint64 m_acme = 0;
    qint64 m_pump = 0, m_boiler = 0, m_crane = 0;
};

QTEST_MAIN(TestDetailPanel)
#include "test_detailpanel.moc"
