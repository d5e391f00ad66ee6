// The item editor window: the checks before a save, what a save writes, its parts grid, its
// pages and boxes, and how it keeps its item while it is open.

#include "TestSupport.h"

#include "gui/companies/frmCompanies.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "core/items/ItemRules.h"
#include "gui/items/frmAdd.h"
#include "gui/platform/MessageBox.h"
#include "core/platform/Twips.h"
#include "gui/platform/WindowUtil.h"
#include "gui/shell/frmmain.h"
#include "gui/views/lib_frmCal.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace Column;

namespace {

const QString NoServiceDate = QStringLiteral("Service date was not specifed\r\nAlarms will not be active.");
const QString NoInterval = QStringLiteral("Service interval was not specified\r\nAlarms will not be active");
const QString NoWarning = QStringLiteral("Service Warning was not specified\r\nService alarms will not be active");
const QString NoLeadTime = QStringLiteral("Lead Time was not specified\r\nOrder alarms will not be active");
const QString PastDate = QStringLiteral("Service Date must be greater or equal to current date");

frmAdd *newItem()
{
    return reopenItemEditor(frmAdd::AddItem);
}

// Opens the editor on one item, as a double-click on its list row does.
frmAdd *editItem(qint64 itemId)
{
    return reopenItemEditor(frmAdd::EditListItem, itemId);
}

void setBox(frmAdd *editor, int id, const QString &text)
{
    QWidget *box = editor->box(id);
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else
        qobject_cast<QPlainTextEdit *>(box)->setPlainText(text);
}

QString boxText(frmAdd *editor, int id)
{
    QWidget *box = editor->box(id);
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->text();
    return qobject_cast<QPlainTextEdit *>(box)->toPlainText();
}

template <typename W = QPushButton>
W *child(QWidget *window, const char *name)
{
    W *widget = window->findChild<W *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control named %s", name);
    return widget;
}

void click(QWidget *window, const char *name)
{
    QTest::mouseClick(child(window, name), Qt::LeftButton);
}

// Windows closed with delete-on-close go away at once.
void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int count(TestWorld &world, const QString &table)
{
    return world.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt();
}

QString itemField(TestWorld &world, qint64 id, const QString &field)
{
    return world.scalar(QStringLiteral("SELECT %1 FROM main WHERE ID = ?").arg(field), {id}).toString();
}

QStringList questionsAsked()
{
    QStringList questions;
    for (const QString &text : MessageBox::shownTexts()) {
        if (text.startsWith(u"Add \""))
            questions << text;
    }
    return questions;
}

} // namespace

class TestItemsEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initTestEnvironment();
        initResources();
    }
    void cleanup()
    {
        closeItemEditor();
        lib_frmCal::setTestPick(nullptr);
        flushDeletes();
    }

    void saveChecks_data();
    void saveChecks();
    void pastServiceDateBlocksEveryEdit();
    void newItemThroughWindow();
    void editWritesBoxesBack();
    void historyOfNewItem_data();
    void historyOfNewItem();
    void partsGrid();
    void cancelStoresNothing();
    void openEditorKeepsItsItem();
    void deletedItemWritesNothing();
    void goneCompanyMustBeChosenAgain();
    void chosenCompanyReachesTheEditorThatAsked();
    void typingAndPastingInBoxes();
    void pagesSwitch();
    void everyBoxHasItsLabel();
    void hiddenColumnsAreGreyed();
    void calendarButtons();
};

void TestItemsEditor::saveChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("company");
    QTest::addColumn<QString>("serviceDate");
    QTest::addColumn<QString>("interval");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("leadTime");
    QTest::addColumn<QString>("dateServiced");
    QTest::addColumn<QString>("dateInstalled");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("saves");

    const QString today = QStringLiteral("12/6/2026");
    QTest::newRow("no name") << "" << true << "" << "" << "" << "" << "" << ""
                             << QStringList{"A Name must be added"} << false;
    QTest::newRow("no company") << "Pump" << false << "" << "" << "" << "" << "" << ""
                                << QStringList{"A Company must be selected"} << false;
    QTest::newRow("name and company only") << "Pump" << true << "" << "" << "" << "" << "" << ""
                                           << QStringList{NoServiceDate} << true;
    QTest::newRow("no service date skips the schedule") << "Pump" << true << "" << "30" << "" << "" << "" << ""
                                                        << QStringList{NoServiceDate} << true;
    QTest::newRow("warning, then bad last service") << "Pump" << true << "" << "" << "" << "" << "13/1/2026" << ""
                                                    << QStringList{NoServiceDate, "Date Serviced has incorrect form"}
                                                    << false;
    QTest::newRow("warning, then bad installation") << "Pump" << true << "" << "" << "" << "" << "" << "2/30/2020"
                                                    << QStringList{NoServiceDate, "Date Installed has incorrect form"}
                                                    << false;
    QTest::newRow("service date malformed") << "Pump" << true << "12/6" << "30" << "5" << "5" << "" << ""
                                            << QStringList{"Service date has incorrect form"} << false;
    QTest::newRow("service date no real day") << "Pump" << true << "2/29/2027" << "30" << "5" << "5" << "" << ""
                                              << QStringList{"Service date has incorrect form"} << false;
    QTest::newRow("yesterday") << "Pump" << true << "12/5/2026" << "30" << "5" << "5" << "" << ""
                               << QStringList{PastDate} << false;
    QTest::newRow("today, no interval: one warning") << "Pump" << true << today << "" << "" << "" << "" << ""
                                                     << QStringList{NoInterval} << true;
    QTest::newRow("interval 0") << "Pump" << true << today << "0" << "5" << "5" << "" << ""
                                << QStringList{NoInterval} << true;
    QTest::newRow("interval 00 counts as filled") << "Pump" << true << today << "00" << "" << ""
                                                  << "" << "" << QStringList{NoWarning, NoLeadTime} << true;
    QTest::newRow("warning 0, lead time set") << "Pump" << true << today << "30" << "0" << "7" << "" << ""
                                              << QStringList{NoWarning} << true;
    QTest::newRow("lead time missing") << "Pump" << true << today << "30" << "7" << "" << "" << ""
                                       << QStringList{NoLeadTime} << true;
    QTest::newRow("everything set") << "Pump" << true << "1/31/2027" << "30" << "7" << "14" << "11/30/2026"
                                    << "1/2/2020" << QStringList() << true;
    QTest::newRow("interval warning, then bad installation") << "Pump" << true << today << "" << "" << "" << ""
                                                             << "1/2/20201"
                                                             << QStringList{NoInterval, "Date Installed has incorrect form"}
                                                             << false;
}

void TestItemsEditor::saveChecks()
{
    QFETCH(QString, name);
    QFETCH(bool, company);
    QFETCH(QString, serviceDate);
    QFETCH(QString, interval);
    QFETCH(QString, warning);
    QFETCH(QString, leadTime);
    QFETCH(QString, dateServiced);
    QFETCH(QString, dateInstalled);
    QFETCH(QStringList, messages);
    QFETCH(bool, saves);

    TestWorld world;
    gv().AutoAddhstOn = 1;
    const qint64 companyId = world.addCompany(QStringLiteral("Acme"));
    frmAdd *editor = newItem();
    setBox(editor, Name, name);
    if (company)
        editor->LoadCompany(companyId);
    setBox(editor, ServiceDate, serviceDate);
    setBox(editor, ServiceInterval, interval);
    setBox(editor, ServiceWarn, warning);
    setBox(editor, LeadTime, leadTime);
    setBox(editor, DateServiced, dateServiced);
    setBox(editor, DateInstalled, dateInstalled);
    setBox(editor, PurchaseOrder, QStringLiteral("PO-1"));

    QCOMPARE(checkItem(editor->form(), TestWorld::Now.date()).messages, messages);
    click(editor, "cmdOK");
    QStringList shown = MessageBox::shownTexts();
    QCOMPARE(shown, messages);
    QCOMPARE(count(world, QStringLiteral("main")), saves ? 1 : 0);
    QCOMPARE(count(world, QStringLiteral("History")) > 0, saves);
    QCOMPARE(editor->isVisible(), !saves);
    if (!saves)
        QCOMPARE(boxText(editor, Name), name); // the entries stay as typed
}

void TestItemsEditor::pastServiceDateBlocksEveryEdit()
{
    TestWorld world;
    const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")),
                                 {{QStringLiteral("Name"), QStringLiteral("Old")},
                                  {QStringLiteral("servicedate"), QStringLiteral("2026-12-01")},
                                  {QStringLiteral("serviceinterval"), 30}});
    frmAdd *editor = editItem(id);
    QCOMPARE(boxText(editor, ServiceDate), QStringLiteral("12/1/2026"));
    setBox(editor, Name, QStringLiteral("New"));
    click(editor, "cmdOK");
    QCOMPARE(MessageBox::shownTexts(), QStringList{PastDate});
    QCOMPARE(itemField(world, id, QStringLiteral("Name")), QStringLiteral("Old"));

    MessageBox::clearShown();
    setBox(editor, ServiceDate, QStringLiteral("12/6/2026"));
    click(editor, "cmdOK");
    QCOMPARE(MessageBox::shownTexts(), QStringList({NoWarning, NoLeadTime}));
    QCOMPARE(itemField(world, id, QStringLiteral("Name")), QStringLiteral("New"));
    QCOMPARE(itemField(world, id, QStringLiteral("servicedate")), QStringLiteral("2026-12-06"));
}

void TestItemsEditor::newItemThroughWindow()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    frmAdd *editor = newItem();
    QCOMPARE(editor->windowTitle(), QStringLiteral("Add Item"));
    QCOMPARE(child(editor, "cmdOK")->text(), QStringLiteral("Add"));
    QCOMPARE(child<QComboBox>(editor, "cmbReplaceStock")->currentIndex(), -1);
    QCOMPARE(child<QTableWidget>(editor, "flxRepParts")->rowCount(), 0);
    QCOMPARE(editor->firstNewPartRow(), 1);

    setBox(editor, Name, QStringLiteral("Pump"));
    setBox(editor, Tools, QStringLiteral("wrench\nhammer"));
    editor->LoadCompany(company);
    for (const char *part : {"Seal", "Belt", "Valve"}) {
        child<QLineEdit>(editor, "txtRepPartName")->setText(QString::fromLatin1(part));
        click(editor, "cmdaddRepParts");
    }
    click(editor, "cmdOK");
    QCOMPARE(MessageBox::shownTexts(), QStringList{NoServiceDate});

    const qint64 id = world.scalar(QStringLiteral("SELECT max(ID) FROM main")).toInt();
    Statement row(db(), QStringLiteral("SELECT manuID, servicedate, servicewarn, leadtime, serviceinterval, replacestock,"
                                       " ackservice, ackorder, ackorderinstock, tools, DateServiced, dateinstalled, Tag"
                                       " FROM main WHERE ID = ?"));
    row.bind(1, id);
    QVERIFY(row.next());
    QCOMPARE(row.integer(0), company);
    QVERIFY(row.isNull(1) && row.isNull(10) && row.isNull(11)); // empty dates are Null
    QVERIFY(!row.isNull(12) && row.text(12).isEmpty());         // an empty box is empty text
    QCOMPARE(row.integer(2) + row.integer(3) + row.integer(4), 0);
    QCOMPARE(row.integer(5), -1);
    QCOMPARE(row.integer(6) + row.integer(7) + row.integer(8), 0);
    QCOMPARE(row.text(9), QStringLiteral("wrench\r\nhammer"));

    Statement parts(db(), QStringLiteral("SELECT ID, descr FROM repparts ORDER BY rowid"));
    QStringList stored;
    while (parts.next()) {
        QCOMPARE(parts.integer(0), id);
        stored << parts.text(1);
    }
    QCOMPARE(stored, QStringList({"Seal", "Belt", "Valve"}));
}

void TestItemsEditor::editWritesBoxesBack()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    const qint64 id = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Press")},
                                           {QStringLiteral("tools"), QStringLiteral("wrench\r\nhammer")},
                                           {QStringLiteral("servicewarn"), 12},
                                           {QStringLiteral("replacestock"), 5},
                                           {QStringLiteral("ackservice"), 1},
                                           {QStringLiteral("ackorder"), 1},
                                           {QStringLiteral("ackorderinstock"), 1}});
    gv().AutoAddhstOn = 1;
    frmAdd *editor = editItem(id);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Edit Item, ID = %1").arg(id));
    QCOMPARE(child(editor, "cmdOK")->text(), QStringLiteral("Edit"));
    QCOMPARE(child<QLabel>(editor, "lblCoName")->text(), QStringLiteral("Acme"));
    QCOMPARE(boxText(editor, Tools), QStringLiteral("wrench\nhammer"));
    QCOMPARE(boxText(editor, ServiceWarn), QStringLiteral("12"));
    QCOMPARE(boxText(editor, LeadTime), QString());
    auto *stock = child<QComboBox>(editor, "cmbReplaceStock");
    QCOMPARE(stock->currentIndex(), -1); // a code outside the list selects nothing

    setBox(editor, DateServiced, QStringLiteral("11/30/2026"));
    setBox(editor, PurchaseOrder, QStringLiteral("PO-9"));
    click(editor, "cmdOK");
    QCOMPARE(itemField(world, id, QStringLiteral("replacestock")).toInt(), 5); // nothing chosen keeps it
    QCOMPARE(itemField(world, id, QStringLiteral("tools")), QStringLiteral("wrench\r\nhammer"));
    QCOMPARE(itemField(world, id, QStringLiteral("DateServiced")), QStringLiteral("2026-11-30"));
    QCOMPARE(itemField(world, id, QStringLiteral("ackservice + ackorder + ackorderinstock")).toInt(), 0);
    QCOMPARE(count(world, QStringLiteral("History")), 0); // editing writes no history
    QCOMPARE(count(world, QStringLiteral("main")), 1);

    editor = editItem(id);
    child<QComboBox>(editor, "cmbReplaceStock")->setCurrentIndex(1);
    click(editor, "cmdOK");
    QCOMPARE(itemField(world, id, QStringLiteral("replacestock")).toInt(), 1);
}

void TestItemsEditor::historyOfNewItem_data()
{
    QTest::addColumn<int>("autoOn");
    QTest::addColumn<int>("warn");
    QTest::addColumn<QList<int>>("answers"); // 1 Yes, 0 No
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("questions");

    const QString created = QStringLiteral("A new Pump was added on 1/2/2020");
    const QString serviced = QStringLiteral("Serviced By Bob on 11/30/2026");
    const QString ordered = QStringLiteral("Replacement part(s) ordered - purchase order #PO-7");
    QTest::newRow("off") << 0 << 0 << QList<int>() << QStringList() << 0;
    QTest::newRow("off, warning on") << 0 << 1 << QList<int>() << QStringList() << 0;
    QTest::newRow("on, no question") << 1 << 0 << QList<int>() << QStringList{created, serviced, ordered} << 0;
    QTest::newRow("on, all Yes") << 1 << 1 << QList<int>{1, 1, 1} << QStringList{created, serviced, ordered} << 3;
    QTest::newRow("on, No to the service") << 1 << 1 << QList<int>{1, 0, 1} << QStringList{created, ordered} << 3;
    QTest::newRow("on, all No") << 1 << 1 << QList<int>{0, 0, 0} << QStringList() << 3;
}

void TestItemsEditor::historyOfNewItem()
{
    QFETCH(int, autoOn);
    QFETCH(int, warn);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, entries);
    QFETCH(int, questions);

    TestWorld world;
    gv().AutoAddhstOn = autoOn;
    gv().AutoAddHstWarn = warn;
    frmAdd *editor = newItem();
    setBox(editor, Name, QStringLiteral("Pump"));
    editor->LoadCompany(world.addCompany(QStringLiteral("Acme")));
    setBox(editor, DateInstalled, QStringLiteral("1/2/2020"));
    setBox(editor, ServicedBy, QStringLiteral("Bob"));
    setBox(editor, DateServiced, QStringLiteral("11/30/2026"));
    setBox(editor, PurchaseOrder, QStringLiteral("PO-7"));
    // A full schedule: no warnings before the questions.
    setBox(editor, ServiceDate, QStringLiteral("1/31/2027"));
    setBox(editor, ServiceInterval, QStringLiteral("30"));
    setBox(editor, ServiceWarn, QStringLiteral("7"));
    setBox(editor, LeadTime, QStringLiteral("14"));
    for (int answer : answers)
        MessageBox::setNextAnswer(answer ? MessageBox::Yes : MessageBox::No);
    click(editor, "cmdOK");

    const qint64 id = world.scalar(QStringLiteral("SELECT max(ID) FROM main")).toInt();
    QVERIFY(id > 0); // a No never stops the item itself
    Statement rows(db(), QStringLiteral("SELECT ID, Date, descr FROM History ORDER BY rowid"));
    QStringList written;
    while (rows.next()) {
        QCOMPARE(rows.integer(0), id);
        QCOMPARE(rows.text(1), QStringLiteral("2026-12-06"));
        written << rows.text(2);
    }
    QCOMPARE(written, entries);
    QCOMPARE(questionsAsked().size(), questions);
    QCOMPARE(MessageBox::shownTexts().size(), questions); // nothing else was shown
    if (questions)
        QCOMPARE(questionsAsked().first(), QStringLiteral("Add \"A new Pump was added on 1/2/2020\" to history?"));
}

void TestItemsEditor::partsGrid()
{
    TestWorld world;
    const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    world.addPart(id, QStringLiteral("Seal"), QStringLiteral("S-1"));
    world.addPart(id, QStringLiteral("Belt"), QStringLiteral("B-1"));
    frmAdd *editor = editItem(id);

    auto *grid = child<QTableWidget>(editor, "flxRepParts");
    auto *name = child<QLineEdit>(editor, "txtRepPartName");
    auto *number = child<QLineEdit>(editor, "txtRepPartNumber");
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Part Name"));
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Part Number"));
    QCOMPARE(grid->columnWidth(0), name->width());
    QCOMPARE(grid->columnWidth(1), number->width());
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("Belt")); // by name
    QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("S-1"));
    QCOMPARE(editor->firstNewPartRow(), 3);

    number->setText(QStringLiteral("N-1"));
    click(editor, "cmdaddRepParts");
    QCOMPARE(MessageBox::shownTexts(), QStringList{"A Part Name must be specified"});
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(number->text(), QStringLiteral("N-1"));

    name->setText(QStringLiteral("Valve"));
    click(editor, "cmdaddRepParts");
    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(grid->item(2, 0)->text(), QStringLiteral("Valve"));
    QCOMPARE(grid->item(2, 1)->text(), QStringLiteral("N-1"));
    QVERIFY(name->text().isEmpty() && number->text().isEmpty());

    click(editor, "cmdOK");
    QCOMPARE(count(world, QStringLiteral("repparts")), 3);
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM repparts WHERE descr = 'Valve' AND partnumber = 'N-1'"))
                 .toInt(),
             1);

    // A fresh editor shows all three by name, none of them new.
    editor = editItem(id);
    QCOMPARE(child<QTableWidget>(editor, "flxRepParts")->rowCount(), 3);
    QCOMPARE(editor->firstNewPartRow(), 4);
}

void TestItemsEditor::cancelStoresNothing()
{
    TestWorld world;
    const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    frmAdd *editor = editItem(id);
    setBox(editor, Name, QStringLiteral("Changed"));
    child<QLineEdit>(editor, "txtRepPartName")->setText(QStringLiteral("Belt"));
    click(editor, "cmdaddRepParts");
    click(editor, "cmdCancel");
    flushDeletes();
    QVERIFY(!itemEditor());
    QCOMPARE(itemField(world, id, QStringLiteral("Name")), QStringLiteral("Pump"));
    QCOMPARE(count(world, QStringLiteral("repparts")), 0);
    QCOMPARE(MessageBox::shownTexts(), QStringList());
}

void TestItemsEditor::openEditorKeepsItsItem()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    const qint64 first = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Alpha")}});
    const qint64 second = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Beta")}});
    frmAdd *editor = editItem(first);
    QSignalSpy saved(editor, &frmAdd::itemSaved);
    // Another opener asking for a new item gets the open editor as it is, not reloaded.
    QCOMPARE(showItemEditor(frmAdd::AddItem), editor);
    QCOMPARE(boxText(editor, Name), QStringLiteral("Alpha"));

    setBox(editor, Name, QStringLiteral("Alpha 2"));
    click(editor, "cmdOK");
    QCOMPARE(itemField(world, first, QStringLiteral("Name")), QStringLiteral("Alpha 2"));
    QCOMPARE(itemField(world, second, QStringLiteral("Name")), QStringLiteral("Beta"));
    QCOMPARE(saved.count(), 1);
    QCOMPARE(saved.at(0).at(0).toLongLong(), first);

    // A double-click closes an open editor and opens a fresh one for its row.
    QPointer<frmAdd> old = editItem(first);
    frmAdd *fresh = editItem(second);
    flushDeletes();
    QVERIFY(!old);
    QCOMPARE(boxText(fresh, Name), QStringLiteral("Beta"));
    QCOMPARE(itemEditor(), fresh);
}

void TestItemsEditor::deletedItemWritesNothing()
{
    TestWorld world;
    gv().AutoAddhstOn = 1;
    const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    frmAdd *editor = editItem(id);
    child<QLineEdit>(editor, "txtRepPartName")->setText(QStringLiteral("Belt"));
    click(editor, "cmdaddRepParts");
    Execute(db(), QStringLiteral("DELETE FROM main WHERE ID = ?"), {id});

    click(editor, "cmdOK");
    QCOMPARE(MessageBox::shownTexts(),
             QStringList({NoServiceDate, QStringLiteral("This item no longer exists; nothing was saved.")}));
    QCOMPARE(count(world, QStringLiteral("main")), 0);
    QCOMPARE(count(world, QStringLiteral("repparts")), 0);
    QCOMPARE(count(world, QStringLiteral("History")), 0);
    QVERIFY(editor->isVisible());
}

void TestItemsEditor::goneCompanyMustBeChosenAgain()
{
    TestWorld world;
    const qint64 gone = world.addCompany(QStringLiteral("Old Co"));
    const qint64 replacement = world.addCompany(QStringLiteral("New Co"));
    const qint64 id = world.addItem(gone, {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    Execute(db(), QStringLiteral("DELETE FROM orderinfo WHERE ID = ?"), {gone});

    frmAdd *editor = editItem(id);
    QCOMPARE(boxText(editor, Name), QStringLiteral("Pump"));
    QCOMPARE(child<QLabel>(editor, "lblCoName")->text(), QString());
    click(editor, "cmdOK");
    QCOMPARE(MessageBox::shownTexts(), QStringList{"A Company must be selected"});
    QCOMPARE(itemField(world, id, QStringLiteral("manuID")).toInt(), gone);

    editor->LoadCompany(replacement);
    QCOMPARE(child<QLabel>(editor, "lblCoName")->text(), QStringLiteral("New Co"));
    QCOMPARE(editor->companyId(), replacement);
    click(editor, "cmdOK");
    QCOMPARE(itemField(world, id, QStringLiteral("manuID")).toInt(), replacement);

    // A company that is no longer there leaves no company chosen.
    editor = editItem(id);
    editor->LoadCompany(gone);
    QCOMPARE(editor->companyId(), 0);
    QCOMPARE(child<QLabel>(editor, "lblCoName")->text(), QString());
}

void TestItemsEditor::chosenCompanyReachesTheEditorThatAsked()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    frmAdd *editor = newItem();
    click(editor, "cmdSelect");
    QPointer<frmCompanies> directory = showCompanyDirectory(frmCompanies::Mode::Select, editor);
    QCOMPARE(directory->windowTitle(), QStringLiteral("Select Company"));
    Q_EMIT directory->companyChosen(company);
    QCOMPARE(child<QLabel>(editor, "lblCoName")->text(), QStringLiteral("Acme"));
    QCOMPARE(editor->companyId(), company);

    // The editor closes while the directory is open: the directory goes with it.
    click(editor, "cmdSelect");
    directory = showCompanyDirectory(frmCompanies::Mode::Select, editor);
    closeItemEditor();
    QTRY_VERIFY(!directory || !directory->isVisible());
}

void TestItemsEditor::typingAndPastingInBoxes()
{
    TestWorld world;
    frmAdd *editor = newItem();
    editor->show();
    auto *warn = qobject_cast<QLineEdit *>(editor->box(ServiceWarn));
    QTest::keyClicks(warn, QStringLiteral("12a34"));
    QCOMPARE(warn->text(), QStringLiteral("123"));
    QTest::keyClick(warn, Qt::Key_Backspace);
    QCOMPARE(warn->text(), QStringLiteral("12"));

    auto *date = qobject_cast<QLineEdit *>(editor->box(ServiceDate));
    QTest::keyClicks(date, QStringLiteral("12/31/x20301"));
    QCOMPARE(date->text(), QStringLiteral("12/31/2030"));

    auto *name = qobject_cast<QLineEdit *>(editor->box(Name));
    QTest::keyClicks(name, QString(52, u'n'));
    QCOMPARE(name->text().size(), 50);

    // Pastes: a digit box takes only digits; other boxes are cut to their limit.
    QApplication::clipboard()->setText(QStringLiteral("4a"));
    warn->clear();
    warn->paste();
    QCOMPARE(warn->text(), QString());
    QApplication::clipboard()->setText(QStringLiteral("45"));
    warn->paste();
    QCOMPARE(warn->text(), QStringLiteral("45"));
    QApplication::clipboard()->setText(QString(60, u'p'));
    name->clear();
    name->paste();
    QCOMPARE(name->text(), QString(50, u'p'));
    auto *tools = qobject_cast<QPlainTextEdit *>(editor->box(Tools));
    QApplication::clipboard()->setText(QString(300, u't'));
    tools->paste();
    QCOMPARE(tools->toPlainText().size(), 255);

    // A full part box can still be corrected.
    auto *partName = child<QLineEdit>(editor, "txtRepPartName");
    QTest::keyClicks(partName, QString(51, u'q'));
    QCOMPARE(partName->text().size(), 50);
    QTest::keyClick(partName, Qt::Key_Backspace);
    QCOMPARE(partName->text().size(), 49);
}

void TestItemsEditor::pagesSwitch()
{
    TestWorld world;
    frmAdd *editor = newItem();
    editor->show();
    auto frame = [&](const char *name) { return child<QGroupBox>(editor, name); };
    const QStringList firstPage = {"frmEquip", "frmAlarm", "frmrepparts"};
    const QStringList secondPage = {"frmExtra", "frmHst", "frmCustom"};
    auto visible = [&](const QStringList &names) {
        for (const QString &name : names) {
            if (!editor->findChild<QGroupBox *>(name)->isVisible())
                return false;
        }
        return true;
    };
    auto hidden = [&](const QStringList &names) {
        for (const QString &name : names) {
            if (editor->findChild<QGroupBox *>(name)->isVisible())
                return false;
        }
        return true;
    };
    QCOMPARE(frame("frmEquip")->title(), QStringLiteral("Equipment"));
    QCOMPARE(frame("frmrepparts")->title(), QStringLiteral("Replacable Part(s) "));
    QVERIFY(visible(firstPage) && hidden(secondPage));

    setBox(editor, Name, QStringLiteral("Pump"));
    click(editor, "cmdMore");
    QCOMPARE(child(editor, "cmdMore")->text(), QStringLiteral("Back"));
    QVERIFY(visible(secondPage) && hidden(firstPage));
    QCOMPARE(frame("frmExtra")->pos(), frame("frmEquip")->pos());
    for (const char *button : {"cmdMore", "cmdOK", "cmdCancel"})
        QVERIFY2(child(editor, button)->isVisible(), button);

    click(editor, "cmdMore");
    QCOMPARE(child(editor, "cmdMore")->text(), QStringLiteral("More"));
    QVERIFY(visible(firstPage) && hidden(secondPage));
    QCOMPARE(boxText(editor, Name), QStringLiteral("Pump")); // entries stay in their boxes
}

void TestItemsEditor::everyBoxHasItsLabel()
{
    TestWorld world;
    frmAdd *editor = newItem();
    const QList<QPair<int, const char *>> labels = {
        {Name, "Name"}, {Tag, "Tag"}, {Location, "Location"}, {Part, "Part"}, {Serial, "Serial"},
        {DateInstalled, "Date Installed"}, {ServiceDate, "Service Date"}, {ServiceWarn, "Service Warning"},
        {LeadTime, "Lead Time"}, {ServiceInterval, "Service Interval"}, {Tools, "Tools"},
        {Locked, "Equipment Locked"}, {RefManuals, "Reference Manuals"}, {Hazmat, "Hazmat"},
        {DateServiced, "Last Service Date"}, {ServicedBy, "Serviced By"}, {PurchaseOrder, "Last Purchase Order #"},
        {Custom1, "Custom 1"}, {Custom2, "Custom 2"}, {Custom3, "Custom 3"}};
    QHash<QWidget *, QString> buddies;
    for (QLabel *label : editor->findChildren<QLabel *>()) {
        if (label->buddy())
            buddies.insert(label->buddy(), label->text());
    }
    for (const auto &[id, text] : labels) {
        QWidget *box = editor->box(id);
        QVERIFY2(box, text);
        QCOMPARE(box->objectName(), QStringLiteral("txtData%1").arg(id));
        QCOMPARE(buddies.value(box), QString::fromLatin1(text));
    }
    for (int id : {int(RepParts), int(Company), int(ReplaceStock)})
        QVERIFY(!editor->box(id));
    QCOMPARE(buddies.value(child<QComboBox>(editor, "cmbReplaceStock")), QStringLiteral("Replacement(s) Stocked?"));
    QCOMPARE(buddies.value(child(editor, "cmdSelect")), QStringLiteral("Company Name"));
    QCOMPARE(child<QLineEdit>(editor, "txtRepPartName")->accessibleName(), QStringLiteral("Part Name"));

}

void TestItemsEditor::hiddenColumnsAreGreyed()
{
    TestWorld world;
    gv().Columns.colLoc = QVector<int>(Column::Count, 1);
    for (int hidden : {Hazmat, Tools, ReplaceStock})
        gv().Columns.colLoc[hidden] = 0;
    frmAdd *editor = newItem();
    auto base = [](QWidget *w) { return w->palette().color(QPalette::Base); };
    const QColor face = editor->palette().color(QPalette::Button);
    QCOMPARE(base(editor->box(Hazmat)), face);
    QCOMPARE(base(editor->box(Tools)), face);
    QCOMPARE(base(child<QComboBox>(editor, "cmbReplaceStock")), face);
    QVERIFY(base(editor->box(Name)) != face);
    QVERIFY(editor->box(Hazmat)->isEnabled());
    QCOMPARE(editor->box(Hazmat)->palette().color(QPalette::Text), editor->palette().color(QPalette::ButtonText));
}

void TestItemsEditor::calendarButtons()
{
    TestWorld world;
    frmAdd *editor = newItem();
    editor->show();
    lib_frmCal::setTestPick([](lib_frmCal &picker) { Q_EMIT picker.MonthView1->clicked(QDate(2027, 1, 15)); });
    const QList<QPair<const char *, int>> buttons = {
        {"cmdCal0", ServiceDate}, {"cmdCal1", DateServiced}, {"cmdCal2", DateInstalled}};
    for (const auto &[name, id] : buttons) {
        QCOMPARE(child(editor, name)->property("index").toInt(), QByteArray(name).right(1).toInt());
        setBox(editor, id, QStringLiteral("old"));
        click(editor, name);
        QCOMPARE(boxText(editor, id), QStringLiteral("1/15/2027"));
    }
    QVERIFY(MessageBox::shownTexts().isEmpty());
    editor->openCalendar(3);
    QCOMPARE(MessageBox::shownTexts(), QStringList{"Case Else Error"});
}

QTEST_MAIN(TestItemsEditor)
#include "test_items_editor.moc"
