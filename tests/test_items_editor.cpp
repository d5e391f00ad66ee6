// The item editor window: the checks before a save, what a save writes, its parts grid, its
// boxes and pages, and how it keeps its item and its company choice.

#include "TestSupport.h"

#include "core/maintenance/WorkingDatabase.h"
#include "core/settings/AppContext.h"
#include "core/views/ColumnSettings.h"
#include "gui/alarms/OrderAckDialog.h"
#include "gui/alarms/ServiceAckDialog.h"
#include "gui/companies/CompanyDirectory.h"
#include "gui/companies/CompanyEditor.h"
#include "gui/items/ItemEditor.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/WindowRegistry.h"
#include "gui/platform/BusyWait.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/Mnemonics.h"
#include "gui/records/EntryDialog.h"
#include "gui/views/ColumnSettingsDialog.h"
#include "gui/views/DatePicker.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace Column;

namespace {

const QString NoServiceDate = QStringLiteral("Service date was not specifed\r\nAlarms will not be active.");
const QString NoInterval = QStringLiteral("Service interval was not specified\r\nAlarms will not be active");
const QString NoWarning = QStringLiteral("Service Warning was not specified\r\nService alarms will not be active");
const QString NoLeadTime = QStringLiteral("Lead Time was not specified\r\nOrder alarms will not be active");

// An editor on one item.
ItemEditor *editItem(qint64 itemId)
{
    return openAlone<ItemEditor>(appContext(), ItemEditor::EditListItem, itemId, ColumnLayout());
}

void setBox(ItemEditor *editor, int id, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(editor->box(id)))
        line->setText(text);
    else
        qobject_cast<QPlainTextEdit *>(editor->box(id))->setPlainText(text);
}

void click(QWidget *window, const char *name)
{
    QTest::mouseClick(control(window, name), Qt::LeftButton);
}

void addPart(ItemEditor *editor, const QString &name, const QString &number = QString())
{
    control<QLineEdit>(editor, "txtRepPartName")->setText(name);
    control<QLineEdit>(editor, "txtRepPartNumber")->setText(number);
    click(editor, "cmdaddRepParts");
}

QString itemField(TestWorld &world, qint64 id, const QString &field)
{
    return world.scalar(QStringLiteral("SELECT %1 FROM main WHERE ID = ?").arg(field), {id}).toString();
}

// A window with limited boxes, on a new item where it needs one.
QWidget *openWindow(const QString &kind, TestWorld &world)
{
    const qint64 item = world.addItem(world.addCompany(u"Acme"_s), {{"Name", "Pump"}});
    if (kind == u"columns") {
        auto *grid = control<QTableWidget>(openAlone<ColumnSettingsDialog>(db()), "flxCols");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, ColumnSettings::SizeCell)).center());
        return grid->window();
    }
    return kind == u"service" ? openAlone<ServiceAckDialog>(appContext(), item)
        : kind == u"order"    ? openAlone<OrderAckDialog>(appContext(), item)
        : kind == u"company"  ? openAlone<CompanyEditor>(db(), qint64(0))
        : kind == u"entry"    ? static_cast<QWidget *>(openAlone<EntryDialog>(db(), HistoryTarget, item))
                              : openAlone<ItemEditor>(appContext(), ItemEditor::AddItem, 0, ColumnLayout());
}

} // namespace

class TestItemsEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }
    void cleanup()
    {
        DatePicker::setTestPick(nullptr);
        closeAllWindows();
    }

    void saveChecks_data()
    {
        // Boxes: name, company chosen, service date, interval, warning, lead time, serviced, installed.
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("saves");
        const auto row = [](const char *tag, QStringList boxes, QStringList messages, bool saves) {
            QTest::newRow(tag) << boxes << messages << saves;
        };
        row("no name", {u""_s, u"yes"_s, u""_s, u""_s, u""_s, u""_s, u""_s, u""_s}, {u"A Name must be added"_s}, false);
        row("name and company only", {u"Pump"_s, u"yes"_s, u""_s, u"30"_s, u""_s, u""_s, u""_s, u""_s}, {NoServiceDate}, true);
        row("warning, then bad last service", {u"Pump"_s, u"yes"_s, u""_s, u""_s, u""_s, u""_s, u"13/1/2026"_s, u""_s},
            {NoServiceDate, u"Date Serviced has incorrect form"_s}, false);
        row("interval warning, then bad installation", {u"Pump"_s, u"yes"_s, u"12/6/2026"_s, u""_s, u""_s, u""_s, u""_s, u"2/30/2020"_s},
            {NoInterval, u"Date Installed has incorrect form"_s}, false);
        row("no real day", {u"Pump"_s, u"yes"_s, u"2/29/2027"_s, u"30"_s, u"5"_s, u"5"_s, u""_s, u""_s}, {u"Service date has incorrect form"_s}, false);
        row("today, interval 0: one warning", {u"Pump"_s, u"yes"_s, u"12/6/2026"_s, u"0"_s, u"5"_s, u"5"_s, u""_s, u""_s}, {NoInterval}, true);
        row("interval 00 counts as filled", {u"Pump"_s, u"yes"_s, u"12/6/2026"_s, u"00"_s, u""_s, u""_s, u""_s, u""_s}, {NoWarning, NoLeadTime},
            true);
        row("everything set", {u"Pump"_s, u"yes"_s, u"1/31/2027"_s, u"30"_s, u"7"_s, u"14"_s, u"11/30/2026"_s, u"1/2/2020"_s}, {}, true);
    }
    void saveChecks()
    {
        QFETCH(QStringList, boxes);
        QFETCH(bool, saves);
        TestWorld world;
        const qint64 company = world.addCompany(QStringLiteral("Acme"));
        ItemEditor *editor = openAlone<ItemEditor>(appContext(), ItemEditor::AddItem, 0, ColumnLayout());
        const int ids[] = {Name, -1, ServiceDate, ServiceInterval, ServiceWarn, LeadTime, DateServiced, DateInstalled};
        for (int i = 0; i < 8; ++i) {
            if (ids[i] >= 0)
                setBox(editor, ids[i], boxes.at(i));
        }
        if (!boxes.at(1).isEmpty())
            editor->showCompany(company);
        click(editor, "cmdOK");
        QTEST(MessageBox::shownTexts(), "messages");
        QCOMPARE(world.scalar(u"SELECT count(*) FROM main"_s).toInt(), saves ? 1 : 0);
        const QString emptyDates =
            u"SELECT count(*) FROM main WHERE '' IN ('' || servicedate, '' || DateServiced, '' || dateinstalled)"_s;
        QCOMPARE(world.scalar(emptyDates).toInt(), 0); // empty dates are stored as Null
        QCOMPARE(editor->isVisible(), !saves);
        if (!saves)
            QCOMPARE(editor->form()[Name], boxes.at(0)); // the entries stay as typed
    }

    void editWritesBoxesBack()
    {
        TestWorld world;
        const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")), {{"Name", "Press"}, {"tools", "wrench\r\nhammer"}, {"servicedate", "2026-12-01"}, {"servicewarn", 12}, {"replacestock", 5}, {"ackservice", 1}, {"ackorder", 1}, {"ackorderinstock", 1}});
        changeSettings([](AppSettings &settings) { settings.autoAddHistory = true; });
        ItemEditor *editor = editItem(id);
        QCOMPARE(QStringList({editor->windowTitle(), Mnemonics::plain(control<QPushButton>(editor, "cmdOK")->text()), control<QLabel>(editor, "lblCoName")->text()}),
                 QStringList({QStringLiteral("Edit Item, ID = %1").arg(id), u"Edit"_s, u"Acme"_s}));
        QCOMPARE(editor->form()[LeadTime], QString()); // 0 days shows empty
        QCOMPARE(control<QComboBox>(editor, "cmbReplaceStock")->currentIndex(), -1); // code 5 selects nothing

        // A service date now past blocks every edit until it is moved on.
        setBox(editor, Name, QStringLiteral("New"));
        click(editor, "cmdOK");
        QCOMPARE(MessageBox::shownTexts(), QStringList {u"Service Date must be greater or equal to current date"_s});
        QCOMPARE(itemField(world, id, QStringLiteral("Name")), u"Press"_s);
        MessageBox::clearShown();
        setBox(editor, ServiceDate, QStringLiteral("12/6/2026"));
        setBox(editor, DateServiced, QStringLiteral("11/30/2026"));
        click(editor, "cmdOK");
        QCOMPARE(MessageBox::shownTexts(), QStringList {NoInterval});
        // Nothing chosen keeps the stock code; the acknowledgements start over; no history.
        QCOMPARE(itemField(world, id, u"Name || '|' || replacestock || '|' || tools || '|' || servicedate || '|'"
                                      " || DateServiced || '|' || (ackservice + ackorder + ackorderinstock)"_s),
                 u"New|5|wrench\r\nhammer|2026-12-06|2026-11-30|0"_s);
        QCOMPARE(world.scalar(u"SELECT count(*) FROM History"_s).toInt(), 0);
    }

    void newItemThroughWindow_data()
    {
        QTest::addColumn<int>("autoOn");
        QTest::addColumn<int>("warn");
        QTest::addColumn<QList<int>>("answers"); // 1 Yes, 0 No
        QTest::addColumn<QStringList>("entries");
        const QString created = QStringLiteral("A new Pump was added on 1/2/2020");
        const QString serviced = QStringLiteral("Serviced By Bob on 11/30/2026");
        const QString ordered = QStringLiteral("Replacement part(s) ordered - purchase order #PO-7");
        QTest::newRow("off, warning on") << 0 << 1 << QList<int>() << QStringList();
        QTest::newRow("on, no question") << 1 << 0 << QList<int>() << QStringList {created, serviced, ordered};
        QTest::newRow("on, No to the service") << 1 << 1 << QList<int> {1, 0, 1} << QStringList {created, ordered};
    }
    void newItemThroughWindow()
    {
        QFETCH(int, autoOn);
        QFETCH(int, warn);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, entries);
        TestWorld world;
        changeSettings([&](AppSettings &settings) {
            settings.autoAddHistory = autoOn;
            settings.askBeforeHistory = warn;
        });
        const qint64 company = world.addCompany(QStringLiteral("Acme"));
        ItemEditor *editor = openAlone<ItemEditor>(appContext(), ItemEditor::AddItem, 0, ColumnLayout());
        QCOMPARE(editor->windowTitle() + u'|' + Mnemonics::plain(control<QPushButton>(editor, "cmdOK")->text()), u"Add Item|Add"_s);
        QCOMPARE(control<QComboBox>(editor, "cmbReplaceStock")->currentIndex(), -1);
        QSignalSpy saved(editor, &ItemEditor::itemSaved);
        editor->showCompany(company);
        const QList<QPair<int, const char *>> boxes = {
            {Name, "Pump"}, {Tools, "wrench\nhammer"}, {DateInstalled, "1/2/2020"}, {ServicedBy, "Bob"}, {DateServiced, "11/30/2026"}, {PurchaseOrder, "PO-7"}, {ServiceDate, "1/31/2027"}, {ServiceInterval, "30"}, {ServiceWarn, "7"}, {LeadTime, "14"}};
        for (const auto &[id, text] : boxes)
            setBox(editor, id, QString::fromLatin1(text));
        addPart(editor, QStringLiteral("Seal"));
        for (int answer : answers)
            MessageBox::setNextAnswer(answer ? MessageBox::Yes : MessageBox::No);
        click(editor, "cmdOK");

        // A No never stops the item itself. An empty box is empty text, nothing chosen for the
        // stock is -1, line breaks are CR LF.
        QCOMPARE(saved.count(), 1);
        const qint64 id = saved.at(0).at(0).toLongLong();
        QCOMPARE(itemField(world, id, u"manuID || '|' || coalesce('''' || Tag || '''', 'NULL') || '|' || replacestock || '|'"
                                      " || tools || '|' || (ackservice + ackorder + ackorderinstock)"_s),
                 QStringLiteral("%1|''|-1|wrench\r\nhammer|0").arg(company));
        QCOMPARE(world.scalar(u"SELECT descr FROM repparts WHERE ID = ?"_s, {id}).toString(), u"Seal"_s);
        QCOMPARE(world.joined(u"SELECT descr FROM History WHERE ID = ? ORDER BY "_s + TestWorld::insertionOrder(), u"|"_s, {id}),
                 entries.join(u'|'));
        QCOMPARE(MessageBox::shownTexts().size(), answers.size()); // only the questions were shown
        if (!answers.isEmpty())
            QCOMPARE(MessageBox::shownTexts().first(), u"Add \"A new Pump was added on 1/2/2020\" to history?"_s);
    }

    void partsGrid()
    {
        TestWorld world;
        const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")), {{"Name", "Pump"}});
        world.addPart(id, QStringLiteral("Seal"), QStringLiteral("S-1"));
        world.addPart(id, QStringLiteral("Belt"), QStringLiteral("B-1"));
        ItemEditor *editor = editItem(id);
        auto *grid = control<QTableWidget>(editor, "flxRepParts");
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(0, 0)->text(), u"Belt"_s); // by name
        QCOMPARE(editor->firstNewPartRow(), 3);

        addPart(editor, QString(), QStringLiteral("N-1"));
        QCOMPARE(MessageBox::shownTexts(), QStringList {u"A Part Name must be specified"_s});
        QVERIFY(grid->rowCount() == 2 && control<QLineEdit>(editor, "txtRepPartNumber")->text() == u"N-1");
        addPart(editor, QStringLiteral("Valve"), QStringLiteral("N-1"));
        QCOMPARE(grid->item(2, 1)->text(), u"N-1"_s);
        QVERIFY(control<QLineEdit>(editor, "txtRepPartName")->text().isEmpty());

        // Each part is stored once: the stored ones are not written again.
        click(editor, "cmdOK");
        QCOMPARE(world.scalar(u"SELECT count(*) FROM repparts"_s).toInt(), 3);
    }

    void cancelAndDeletedItemStoreNothing()
    {
        TestWorld world;
        const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")), {{"Name", "Pump"}});
        QPointer<ItemEditor> editor = editItem(id);
        setBox(editor, Name, QStringLiteral("Changed"));
        addPart(editor, QStringLiteral("Belt"));
        click(editor, "cmdCancel");
        QTRY_VERIFY(!editor);
        QCOMPARE(itemField(world, id, QStringLiteral("Name")), u"Pump"_s);
        QCOMPARE(world.scalar(u"SELECT count(*) FROM repparts"_s).toInt(), 0);
    }

    void changedElsewhereWhileOpen_data()
    {
        QTest::addColumn<QString>("change"); // by another program while the editor is open
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("stored"); // the items' tags and locations, then how many parts
        const QString changed = QStringLiteral("This item was changed elsewhere since this window opened; close it and"
                                               " open it again to see the changes.");
        QTest::newRow("another item") << u"UPDATE main SET Tag = 'T-9' WHERE Name = 'Fan'"_s << u""_s << u"|Hall 9,T-9|Hall 2,1"_s;
        QTest::newRow("its tag") << "UPDATE main SET Tag = 'T-9' WHERE Name = 'Pump'" << changed << "T-9|Hall 1,|Hall 2,0";
        QTest::newRow("its service acknowledged") << "UPDATE main SET ackservice = 1" << changed << "|Hall 1,|Hall 2,0";
        QTest::newRow("deleted") << u"DELETE FROM main WHERE Name = 'Pump'"_s << u"This item no longer exists; nothing was saved."_s << u"|Hall 2,0"_s;
    }
    void changedElsewhereWhileOpen()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        QFETCH(QString, stored);
        TestWorld world;
        const qint64 acme = world.addCompany(QStringLiteral("Acme"));
        const qint64 id = world.addItem(acme, {{"Name", "Pump"}, {"location", "Hall 1"}});
        world.addItem(acme, {{"Name", "Fan"}, {"location", "Hall 2"}});
        QPointer<ItemEditor> editor = editItem(id);
        setBox(editor, Location, QStringLiteral("Hall 9"));
        addPart(editor, QStringLiteral("Belt"));
        world.changeElsewhere(change);
        click(editor, "cmdOK");
        settle();
        // A refused save writes nothing and keeps the window with its input.
        QCOMPARE(MessageBox::shownTexts().mid(1), message.isEmpty() ? QStringList() : QStringList {message});
        QCOMPARE(bool(editor), !message.isEmpty());
        QCOMPARE(world.joined(u"SELECT coalesce(Tag, '') || '|' || location FROM main ORDER BY ID"_s, u","_s) + u','
                     + world.scalar(u"SELECT count(*) FROM repparts"_s).toString(),
                 stored);
    }

    // While another program holds the file's write lock (on a server, the item's row) a save
    // waits for it: the pointer is the busy one and the status bar says why, until the save is
    // refused.
    void saveWaitsVisiblyForAnotherProgram()
    {
        TestWorld world;
        const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}});
        MainWindow main(appContext());
        main.load();
        ItemEditor *editor = main.windows()->openItemEditor(ItemEditor::EditListItem, id, true);
        setBox(editor, Location, QStringLiteral("Hall 9"));
        Database other;
        if (TestWorld::onServer()) {
            other.openServer(TestWorld::serverAddress());
            other.exec(QStringLiteral("BEGIN; SELECT ID FROM main FOR UPDATE"));
        } else {
            QVERIFY(other.open(world.databasePath()));
            other.exec(QStringLiteral("BEGIN IMMEDIATE"));
        }
        Database::setBusyTimeout(600);
        const auto restore = qScopeGuard([] { Database::setBusyTimeout(5000); });
        QStringList seen; // the status texts, each with whether the pointer was the busy one
        connect(main.statusBar(), &QStatusBar::messageChanged, this, [&seen](const QString &text) {
            const QCursor *pointer = QGuiApplication::overrideCursor();
            seen << text + (pointer && pointer->shape() == Qt::WaitCursor ? QStringLiteral(" (busy)") : QString());
        });
        click(editor, "cmdOK");
        QCOMPARE(seen, QStringList({QString::fromLatin1(DatabaseWaitText) + QStringLiteral(" (busy)"), QString()}));
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(MessageBox::lastText(), databaseFailureText(QStringLiteral("save the item"), QStringLiteral("database is locked")));
        other.exec(QStringLiteral("ROLLBACK"));
        QCOMPARE(itemField(world, id, QStringLiteral("location")), QString());
    }

    void openEditorKeepsItsItem()
    {
        TestWorld world;
        const qint64 company = world.addCompany(QStringLiteral("Acme"));
        const qint64 first = world.addItem(company, {{"Name", "Alpha"}});
        const qint64 second = world.addItem(company, {{"Name", "Beta"}});
        MainWindow main(appContext());
        ItemEditor *editor = main.windows()->openItemEditor(ItemEditor::EditListItem, first, true);
        QSignalSpy saved(editor, &ItemEditor::itemSaved);
        // Another opener asking for a new item gets the open editor as it is, not reloaded.
        QCOMPARE(main.windows()->openItemEditor(ItemEditor::AddItem, 0, false), editor);
        setBox(editor, Name, QStringLiteral("Alpha 2"));
        click(editor, "cmdOK");
        QCOMPARE(world.joined(u"SELECT Name FROM main ORDER BY ID"_s, u","_s), u"Alpha 2,Beta"_s);
        QCOMPARE(saved.at(0).at(0).toLongLong(), first);

        // A double-click closes an open editor and opens a fresh one for its row.
        QPointer<ItemEditor> old = main.windows()->openItemEditor(ItemEditor::EditListItem, first, true);
        ItemEditor *fresh = main.windows()->openItemEditor(ItemEditor::EditListItem, second, true);
        QTRY_VERIFY(!old);
        QCOMPARE(fresh->form()[Name], u"Beta"_s);
    }

    void companyChoice()
    {
        TestWorld world;
        const qint64 gone = world.addCompany(QStringLiteral("Old Co"));
        const qint64 replacement = world.addCompany(QStringLiteral("New Co"));
        const qint64 id = world.addItem(gone, {{"Name", "Pump"}});
        execute(db(), QStringLiteral("DELETE FROM orderinfo WHERE ID = ?"), {gone});

        // An item whose company is gone opens without one, and must be given one again.
        MainWindow main(appContext());
        ItemEditor *editor = main.windows()->openItemEditor(ItemEditor::EditListItem, id, true);
        QCOMPARE(control<QLabel>(editor, "lblCoName")->text(), QString());
        click(editor, "cmdOK");
        QCOMPARE(MessageBox::shownTexts(), QStringList {u"A Company must be selected"_s});

        // The directory opened by Select serves this editor and hands the choice back.
        click(editor, "cmdSelect");
        QPointer<CompanyDirectory> directory = shownWindow<CompanyDirectory>();
        QCOMPARE(directory->servedEditor(), editor);
        Q_EMIT directory->companyChosen(replacement);
        QCOMPARE(control<QLabel>(editor, "lblCoName")->text(), u"New Co"_s);
        click(editor, "cmdOK");
        QCOMPARE(itemField(world, id, QStringLiteral("manuID")).toLongLong(), replacement);

        // The editor closes while its directory is open: the directory goes with it.
        editor = main.windows()->openItemEditor(ItemEditor::EditListItem, id, true);
        click(editor, "cmdSelect");
        directory = shownWindow<CompanyDirectory>();
        editor->close();
        QTRY_VERIFY(!directory || !directory->isVisible());
    }

    // A box whose whole text is selected takes a new value, typed or pasted, in every window
    // with limited boxes; what goes past the limit is still refused.
    void fullBoxesAreOvertyped_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("start"); // the box's text, all of it selected
        QTest::addColumn<QString>("typed"); // "paste:" pastes the rest instead
        QTest::addColumn<QString>("expected");
        const QString fifty(50, u'n'), full(255, u'd'), paste = QStringLiteral("paste:");
        struct Case {
            const char *name, *window, *box;
            QString start, typed, expected;
        };
        const Case cases[] = {
            {"Service Date", "item", "txtData7", u"12/20/2026"_s, u"01/05/20271"_s, u"01/05/2027"_s},
            {"Service Date, pasted", "item", "txtData7", u"12/20/2026"_s, u"paste:1/5/2027"_s, u"1/5/2027"_s},
            {"Date Installed, dotted paste dropped", "item", "txtData12", u"12/20/2026"_s, u"paste:1.5.2027"_s, u"12/20/2026"_s},
            {"Service Interval", "item", "txtData14", u"180"_s, u"1234"_s, u"123"_s},
            {"Service Warning, letters pasted", "item", "txtData8", u""_s, u"paste:4a"_s, u""_s},
            {"Name", "item", "txtData0", fifty, u"Pump"_s, u"Pump"_s},
            {"Name, long paste cut", "item", "txtData0", u""_s, paste + QString(60, u'p'), QString(50, u'p')},
            {"Tools", "item", "txtData11", full, u"xy"_s, u"xy"_s},
            // A multi-line box is stored with CR LF: its line breaks count twice toward 255.
            {"Tools, paste cut", "item", "txtData11", u""_s, paste + QString(100, u't') + u"\n"_s + QString(200, u't'), QString(100, u't') + u"\n"_s + QString(153, u't')},
            {"Part Name", "item", "txtRepPartName", fifty, u"Seal"_s, u"Seal"_s},
            {"Column width", "columns", "txtDataEntry", u"2400"_s, u"12345"_s, u"1234"_s},
            {"Serviced On", "service", "txtServicedON", u"12/16/2026"_s, u"01/02/20271"_s, u"01/02/2027"_s},
            {"Serviced On, letters", "service", "txtServicedON", u""_s, u"1a2/-6/2026"_s, u"12/6/2026"_s},
            {"Serviced On, paste with a blank dropped", "service", "txtServicedON", u"12/6/2026"_s, u"paste:1/2/2027 "_s, u"12/6/2026"_s},
            {"Purchase order", "order", "txtPoNo", fifty, u"PO-9"_s, u"PO-9"_s},
            {"Serviced By, long paste cut", "service", "txtServicedBy", u""_s, paste + fifty + u"xy"_s, fifty},
            {"company Zip", "company", "Text1_5", QString(20, u'7'), QString(21, u'4'), QString(20, u'4')},
            {"company Notes", "company", "Text1_10", QString(100, u'x'), u"ok"_s, u"ok"_s},
            {"history description", "entry", "txtDescr", full, u"belt"_s, u"belt"_s},
            {"history description, 256th", "entry", "txtDescr", u""_s, full + u'e', full}};
        for (const Case &c : cases)
            QTest::newRow(c.name) << QString::fromLatin1(c.window) << QString::fromLatin1(c.box) << c.start << c.typed << c.expected;
    }
    void fullBoxesAreOvertyped()
    {
        QFETCH(QString, window);
        QFETCH(QString, box);
        QFETCH(QString, start);
        QFETCH(QString, typed);
        TestWorld world;
        QWidget *edit = control<QWidget>(openWindow(window, world), box.toLatin1().constData());
        auto *line = qobject_cast<QLineEdit *>(edit);
        auto *multi = qobject_cast<QPlainTextEdit *>(edit);
        line ? line->setText(start) : multi->setPlainText(start);
        line ? line->selectAll() : multi->selectAll();
        if (typed.startsWith(u"paste:")) {
            QApplication::clipboard()->setText(typed.mid(6));
            QMetaObject::invokeMethod(edit, "paste");
        } else {
            QTest::keyClicks(edit, typed);
        }
        QTEST(line ? line->text() : multi->toPlainText(), "expected");
    }

    void boxesLabelsAndPages()
    {
        TestWorld world;
        ColumnLayout columns;
        columns.colLoc = QVector<int>(Column::Count, 1);
        for (int hidden : {Hazmat, Tools, ReplaceStock})
            columns.colLoc[hidden] = 0;
        ItemEditor *editor = openAlone<ItemEditor>(appContext(), ItemEditor::AddItem, 0, columns);
        editor->show();

        // Every box has its label as buddy; the company, the stock choice and the parts have none.
        const QList<QPair<int, const char *>> labels = {
            {Name, "Name"}, {DateInstalled, "Date Installed"}, {ServiceWarn, "Service Warning"}, {Tools, "Tools"}, {DateServiced, "Last Service Date"}, {PurchaseOrder, "Last Purchase Order #"}, {Custom3, "Custom 3"}};
        QHash<QWidget *, QString> buddies;
        for (QLabel *label : editor->findChildren<QLabel *>())
            buddies.insert(label->buddy(), Mnemonics::plain(label->text()));
        for (const auto &[id, text] : labels)
            QCOMPARE(buddies.value(editor->box(id)), QString::fromLatin1(text));
        QCOMPARE(buddies.value(control<QComboBox>(editor, "cmbReplaceStock")), u"Replacement(s) Stocked?"_s);

        // Fields whose column the list hides are greyed, and stay editable.
        const QColor face = editor->palette().color(QPalette::Button);
        QCOMPARE(QList<QColor>({editor->box(Tools)->palette().color(QPalette::Base), control<QComboBox>(editor, "cmbReplaceStock")->palette().color(QPalette::Base)}),
                 QList<QColor>({face, face}));
        QVERIFY(editor->box(Name)->palette().color(QPalette::Base) != face && editor->box(Hazmat)->isEnabled());

        // "More" shows the second page, and "Back" the first.
        click(editor, "cmdMore");
        QVERIFY(control<QGroupBox>(editor, "frmExtra")->isVisible() && !control<QGroupBox>(editor, "frmEquip")->isVisible());
        click(editor, "cmdMore");
        QVERIFY(control<QGroupBox>(editor, "frmrepparts")->isVisible() && !control<QGroupBox>(editor, "frmHst")->isVisible());
    }

    void calendarButtons()
    {
        TestWorld world;
        ItemEditor *editor = openAlone<ItemEditor>(appContext(), ItemEditor::AddItem, 0, ColumnLayout());
        editor->show();
        DatePicker::setTestPick([](DatePicker &picker) { Q_EMIT control<QCalendarWidget>(&picker, "MonthView1")->clicked(QDate(2027, 1, 15)); });
        const QList<QPair<const char *, int>> buttons = {
            {"cmdCal0", ServiceDate}, {"cmdCal1", DateServiced}, {"cmdCal2", DateInstalled}};
        for (const auto &[name, id] : buttons) {
            setBox(editor, id, QStringLiteral("old"));
            click(editor, name);
            QCOMPARE(editor->form()[id], u"1/15/2027"_s);
        }
        editor->openCalendar(3);
        QCOMPARE(MessageBox::shownTexts(), QStringList {u"Case Else Error"_s});
    }
};

QTEST_MAIN(TestItemsEditor)
#include "test_items_editor.moc"
