// Messages above the window the user works in, the keyboard after them, Alt keys, and what the
// keyboard and a screen reader reach in every window.

#include "TestSupport.h"

#include "core/companies/Company.h"
#include "core/db/FieldTable.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/settings/ColumnLayout.h"
#include "gui/alarms/AlarmWindow.h"
#include "gui/alarms/OrderAckDialog.h"
#include "gui/alarms/ServiceAckDialog.h"
#include "gui/alarms/SnoozeDialog.h"
#include "gui/companies/CompanyDirectory.h"
#include "gui/companies/CompanyEditor.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/items/ImportPreviewDialog.h"
#include "gui/items/ItemEditor.h"
#include "gui/maintenance/OptionsDialog.h"
#include "gui/mainwindow/AboutDialog.h"
#include "gui/mainwindow/DetailPanel.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/Mnemonics.h"
#include "gui/records/EntryDialog.h"
#include "gui/views/CalendarPanel.h"
#include "gui/views/CalendarWindow.h"
#include "gui/views/ColumnSettingsDialog.h"
#include "gui/views/DatePicker.h"
#include "gui/views/LookupDialog.h"
#include "gui/views/SortDialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QWindow>

namespace {

// What a real message box was like when it opened, and where the keyboard went after it.
struct ShownBox {
    QString owner; // the window it stands above
    bool onTop = false;
    QString defaultButton;
};

QList<ShownBox> &shownBoxes()
{
    static QList<ShownBox> boxes;
    return boxes;
}

void activate(QWidget *window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

QString focusName()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->window()->objectName() + u'/' + focus->objectName() : QStringLiteral("nothing");
}

// The Alt keys of a window's controls or a menu's entries, each with what it names; a clash or a
// caption without one is a fault, given in the result.
QString mnemonicFault(const QString &where, const QStringList &captions)
{
    QHash<QChar, QString> keys;
    for (const QString &caption : captions) {
        const QChar key = Mnemonics::keyOf(caption);
        const bool hasLetter = std::any_of(caption.cbegin(), caption.cend(), [](QChar c) { return c.isLetterOrNumber(); });
        if (key.isNull() && hasLetter)
            return where + QStringLiteral(": no Alt key for \"") + caption + u'"';
        if (!key.isNull() && keys.contains(key))
            return where + QStringLiteral(": Alt+") + key + QStringLiteral(" for both \"") + keys.value(key) + QStringLiteral("\" and \"") + caption + u'"';
        keys.insert(key, caption);
    }
    return QString();
}

// The captions of a window that take an Alt key: buttons, tabs, labels of inputs and the menu
// bar, of the controls the window shows (one page of several).
QStringList windowCaptions(QWidget *window)
{
    QStringList captions;
    const auto ours = [window](const QWidget *control) {
        for (const QWidget *w = control->parentWidget(); w && w != window; w = w->parentWidget()) {
            if (w->inherits("QCalendarWidget") || w->inherits("QToolBar"))
                return false;
        }
        return !control->objectName().startsWith(u"qt_") && control->isVisibleTo(window);
    };
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (ours(button) && !button->text().isEmpty())
            captions << button->text();
    }
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i)
            captions << tabs->tabText(i);
    }
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy() && ours(label))
            captions << label->text();
    }
    for (QMenuBar *bar : window->findChildren<QMenuBar *>()) {
        for (QAction *title : bar->actions())
            captions << title->text();
    }
    return captions;
}

// An item with its company, a service alarm due and an order alarm due.
struct Plant {
    TestWorld world;
    qint64 company = world.addCompany(QStringLiteral("Acme"), {{QStringLiteral("email"), QStringLiteral("sales@acme.example")}, {QStringLiteral("website"), QStringLiteral("acme.example")}});
    qint64 pump = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Pump")}, {QStringLiteral("servicedate"), QStringLiteral("2026-12-10")}, {QStringLiteral("servicewarn"), 10}, {QStringLiteral("leadtime"), 20}, {QStringLiteral("serviceinterval"), 30}});
};

} // namespace

class TestKeyboard : public QObject
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
        MessageBox::setTestHandler(nullptr);
        DatePicker::setTestPick(nullptr);
        closeAllWindows();
    }

    void messageStandsAboveItsWindow_data();
    void messageStandsAboveItsWindow();
    void validationSendsKeyboardToTheFault_data();
    void validationSendsKeyboardToTheFault();
    void everyWindowHasItsOwnAltKeys();
    void columnSettingsEscDropsOnlyTheEdit();
    void listMenuAndLinksFromTheKeyboard();
    void pickerButtonsReachedAndNamed();
    void accessibleNames();
    void timerAlarmWindowStandsAside_data();
    void timerAlarmWindowStandsAside();
    void enterAddsPartAndReturnsToName();
    void importPreviewReadsWhole();
};

// Lookup and the Calendar stay on top: the boxes they cause stand above them and give the
// keyboard back to them; a box of the main window is on top while they are open, and the delete
// question answers Cancel to Enter.
void TestKeyboard::messageStandsAboveItsWindow_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("defaultButton");
    QTest::addColumn<QString>("focus"); // after the box closed
    QTest::addColumn<int>("items"); // left in the database
    QTest::newRow("lookup with no match") << "lookup"
                                          << "frmLookup"
                                          << "OK"
                                          << "frmLookup/txtLookUp" << 1;
    QTest::newRow("calendar day with no items") << "calendar"
                                                << "frmCalendar"
                                                << "OK"
                                                << "frmCalendar/qt_calendar_calendarview" << 1;
    QTest::newRow("delete while Lookup is open") << "delete"
                                                 << "frmmain"
                                                 << "Cancel"
                                                 << "frmmain/flxdata" << 1;
}

void TestKeyboard::messageStandsAboveItsWindow()
{
    QFETCH(QString, command);
    QFETCH(QString, owner);
    QFETCH(QString, defaultButton);
    QFETCH(QString, focus);
    QFETCH(int, items);
    Plant plant;
    MainWindow main;
    main.load();
    main.show();
    activate(&main);
    // Each real box is answered with Enter, as by a user who does not read it.
    static QList<ShownBox> &boxes = shownBoxes();
    boxes.clear();
    MessageBox::setTestHandler([](QMessageBox &box) {
        const QWindow *parent = box.windowHandle() ? box.windowHandle()->transientParent() : nullptr;
        QString ownerName = QStringLiteral("none");
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (parent && window->windowHandle() == parent)
                ownerName = window->objectName();
        }
        boxes.append({ownerName, box.windowFlags().testFlag(Qt::WindowStaysOnTopHint),
                      box.defaultButton() ? Mnemonics::plain(box.defaultButton()->text()) : QString()});
        QTest::keyClick(&box, Qt::Key_Return);
    });

    if (command == u"lookup") {
        main.action(QStringLiteral("mnuLookupBy_0"))->trigger();
        auto *lookup = shownWindow<LookupDialog>();
        activate(lookup);
        QTest::keyClicks(control<QLineEdit>(lookup, "txtLookUp"), QStringLiteral("Nothing like it"));
        QTest::keyClick(control<QLineEdit>(lookup, "txtLookUp"), Qt::Key_Return);
    } else if (command == u"calendar") {
        main.action(QStringLiteral("mnuCalendar"))->trigger();
        auto *calendar = shownWindow<CalendarWindow>();
        activate(calendar);
        QWidget *days = calendar->panel()->calendar()->focusProxy();
        days->setFocus();
        calendar->panel()->calendar()->setSelectedDate(QDate(2027, 1, 2));
        QTest::keyClick(days, Qt::Key_Return);
    } else {
        main.rowClicked(1, 1);
        main.action(QStringLiteral("mnuLookup"))->trigger();
        activate(&main); // the user clicks Delete on the main window's toolbar
        main.grid()->setFocus();
        main.action(QStringLiteral("tbDelete"))->trigger();
    }
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().owner, owner);
    QVERIFY(boxes.first().onTop);
    QCOMPARE(boxes.first().defaultButton, defaultButton);
    QTRY_COMPARE(focusName(), focus);
    QCOMPARE(plant.world.scalar(QStringLiteral("SELECT count(*) FROM main")).toInt(), items);
}

// After an input error the keyboard is at the box at fault, on its page, not on the button.
void TestKeyboard::validationSendsKeyboardToTheFault_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("setUp"); // what the user typed first: box=text
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("item without a name") << "item"
                                         << ""
                                         << "cmdOK"
                                         << "A Name must be added"
                                         << "txtData0";
    QTest::newRow("item without a company") << "item"
                                            << "txtData0=Pump"
                                            << "cmdOK"
                                            << "A Company must be selected"
                                            << "cmdSelect";
    QTest::newRow("item's service date") << "item"
                                         << "txtData0=Pump;company;txtData7=13/45/2026"
                                         << "cmdOK"
                                         << "Service date has incorrect form"
                                         << "txtData7";
    QTest::newRow("item's date serviced, on the other page")
        << "item"
        << "txtData0=Pump;company;txtData9=2/30/2026"
        << "cmdOK"
        << "Date Serviced has incorrect form"
        << "txtData9";
    QTest::newRow("part without a name") << "item"
                                         << "txtRepPartNumber=N-1"
                                         << "cmdaddRepParts"
                                         << "A Part Name must be specified"
                                         << "txtRepPartName";
    QTest::newRow("entry without a description") << "entry"
                                                 << ""
                                                 << "cmdAdd"
                                                 << "Description must be entered"
                                                 << "txtDescr";
    QTest::newRow("company without a name") << "company"
                                            << "Text1_6=555"
                                            << "cmdOK"
                                            << "A company name must be entered"
                                            << "Text1_0";
    QTest::newRow("service on no date") << "service"
                                        << "txtServicedON="
                                        << "cmdAck"
                                        << "Serviced on date must be specified"
                                        << "txtServicedON";
    QTest::newRow("order without a number") << "order"
                                            << ""
                                            << "cmdAck"
                                            << "Purchase order number must be specified"
                                            << "txtPoNo";
    QTest::newRow("options without an interval") << "options"
                                                 << "txtBackup="
                                                 << "cmdOK"
                                                 << "Please enter the backup interval in days"
                                                 << "txtBackup";
    QTest::newRow("alarm not chosen") << "alarms"
                                      << ""
                                      << "cmdDetails"
                                      << "Please select an alarm"
                                      << "flxAlarms";
    QTest::newRow("company not chosen") << "directory"
                                        << ""
                                        << "cmdEdit"
                                        << "Please select an company to edit"
                                        << "flxCompanies";
}

void TestKeyboard::validationSendsKeyboardToTheFault()
{
    QFETCH(QString, window);
    QFETCH(QString, setUp);
    QFETCH(QString, button);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    Plant plant;
    const AppSettings settings;
    QWidget *shown = nullptr;
    if (window == u"item")
        shown = openAlone<ItemEditor>(ItemEditor::AddItem, qint64(0), settings);
    else if (window == u"entry")
        shown = openAlone<EntryDialog>(HistoryTarget, plant.pump);
    else if (window == u"company")
        shown = openAlone<CompanyEditor>(qint64(0));
    else if (window == u"service")
        shown = openAlone<ServiceAckDialog>(plant.pump);
    else if (window == u"order")
        shown = openAlone<OrderAckDialog>(plant.pump);
    else if (window == u"options")
        shown = openAlone<OptionsDialog>();
    else if (window == u"alarms")
        shown = openAlone<AlarmWindow>(settings);
    else
        shown = openAlone<CompanyDirectory>(CompanyDirectory::Mode::Browse, nullptr);
    activate(shown);
    for (const QString &step : setUp.split(u';', Qt::SkipEmptyParts)) {
        if (step == u"company") {
            static_cast<ItemEditor *>(shown)->showCompany(plant.company);
            continue;
        }
        const QString name = step.section(u'=', 0, 0);
        shown->findChild<QLineEdit *>(name)->setText(step.section(u'=', 1));
    }
    QTest::mouseClick(control<QPushButton>(shown, button.toLatin1().constData()), Qt::LeftButton);
    QCOMPARE(MessageBox::lastText(), message);
    QCOMPARE(focusName(), shown->objectName() + u'/' + focus);
    QVERIFY(QApplication::focusWidget()->isVisible());
}

// Menu entries, buttons, tabs and the labels of inputs each have an Alt key of their own.
void TestKeyboard::everyWindowHasItsOwnAltKeys()
{
    Plant plant;
    const AppSettings settings;
    MainWindow main;
    main.load();
    QStringList faults;
    const auto check = [&faults](const QString &where, const QStringList &captions) {
        if (const QString fault = mnemonicFault(where, captions); !fault.isEmpty())
            faults << fault;
    };
    for (QMenu *menu : main.findChildren<QMenu *>()) {
        QStringList entries;
        for (QAction *entry : menu->actions()) {
            if (!entry->isSeparator())
                entries << entry->text();
        }
        check(menu->objectName(), entries);
    }
    // The main window's own controls, as each page of its panes shows them.
    QStringList mainCaptions = windowCaptions(&main);
    check(QStringLiteral("frmmain"), mainCaptions);
    main.companyPane()->toggleCompanyPage();
    main.historyPane()->toggleView();
    check(QStringLiteral("frmmain, second pages"), windowCaptions(&main));

    const QList<QWidget *> windows = {
        openAlone<ItemEditor>(ItemEditor::AddItem, qint64(0), settings),
        openAlone<ItemEditor>(ItemEditor::EditListItem, plant.pump, settings),
        openAlone<CompanyEditor>(plant.company),
        openAlone<CompanyDirectory>(CompanyDirectory::Mode::Select, nullptr),
        openAlone<EntryDialog>(NotesTarget, plant.pump),
        openAlone<AlarmWindow>(settings),
        openAlone<SnoozeDialog>(),
        openAlone<ServiceAckDialog>(plant.pump),
        openAlone<OrderAckDialog>(plant.pump),
        openAlone<ColumnSettingsDialog>(),
        openAlone<SortDialog>(std::optional<int>()),
        openAlone<LookupDialog>(std::optional<int>()),
        openAlone<CalendarWindow>(),
        openAlone<OptionsDialog>(),
        openAlone<AboutDialog>(),
    };
    for (QWidget *window : windows) {
        check(window->objectName(), windowCaptions(window));
        if (auto *editor = qobject_cast<ItemEditor *>(window)) {
            editor->togglePage();
            check(window->objectName() + QStringLiteral(", second page"), windowCaptions(window));
        }
    }
    QCOMPARE(faults.join(u'\n'), QString());
}

// Esc in a cell's editor drops that edit and keeps the window with its other changes; the next
// Esc closes it.
void TestKeyboard::columnSettingsEscDropsOnlyTheEdit()
{
    TestWorld world;
    QPointer<ColumnSettingsDialog> window = openAlone<ColumnSettingsDialog>();
    activate(window);
    auto *list = control<QTableWidget>(window, "flxCols");
    const auto clickCell = [&](int row, int column) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, column)).center());
    };
    int shownRow = 0;
    while (list->item(shownRow, 3)->text() != u"YES")
        ++shownRow;
    const QString size = list->item(shownRow, 2)->text();
    clickCell(shownRow, 2);
    auto *edit = control<QLineEdit>(window, "txtDataEntry");
    QVERIFY(edit->isVisible());
    edit->setText(QStringLiteral("4321"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(window && window->isVisible() && !edit->isVisible());
    QCOMPARE(list->item(shownRow, 2)->text(), size);
    QVERIFY(list->hasFocus());

    clickCell(shownRow, 3);
    auto *yesNo = control<QComboBox>(window, "cmbYN");
    QVERIFY(yesNo->isVisible() && yesNo->hasFocus());
    QTest::keyClick(yesNo, Qt::Key_Escape);
    QVERIFY(window && window->isVisible() && !yesNo->isVisible());
    QCOMPARE(list->item(shownRow, 3)->text(), QStringLiteral("YES"));

    QTest::keyClick(list, Qt::Key_Escape);
    settle();
    QVERIFY(!window);
}

// The list's context menu opens from the keyboard; the company pane's links are reached with Tab
// and open with Enter.
void TestKeyboard::listMenuAndLinksFromTheKeyboard()
{
    Plant plant;
    MainWindow main;
    main.load();
    main.show();
    activate(&main);
    auto *menu = main.findChild<QMenu *>(QStringLiteral("mnuInv"));
    for (const auto &[key, modifiers] : {std::pair(Qt::Key_Menu, Qt::NoModifier), std::pair(Qt::Key_F10, Qt::ShiftModifier)}) {
        main.grid()->setFocus();
        QTest::keyClick(main.grid(), Qt::Key_Down);
        QTest::keyClick(main.grid(), key, modifiers);
        QTRY_VERIFY2(menu->isVisible(), qPrintable(QKeySequence(key | modifiers).toString()));
        QVERIFY(main.grid()->viewport()->rect().contains(main.grid()->viewport()->mapFromGlobal(menu->pos())));
        menu->close();
    }

    // The item chosen above shows its company: Tab reaches the e-mail link after the panes' grids.
    QWidget *email = main.companyPane()->findChild<QLabel *>(QStringLiteral("lblEmail"));
    main.historyPane()->notesGrid()->setFocus();
    main.historyPane()->historyGrid()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), email);
    QTest::keyClick(email, Qt::Key_Return);
    main.companyPane()->toggleCompanyPage();
    QWidget *web = main.companyPane()->findChild<QLabel *>(QStringLiteral("lblWeb"));
    web->setFocus();
    QTest::keyClick(web, Qt::Key_Return);
    QCOMPARE(Desktop::openedUrls(), QList<QUrl>({QUrl(QStringLiteral("mailto:sales@acme.example")), QUrl(QStringLiteral("http://acme.example"))}));
}

// The picker's "<", ">" and "x" are reached with Tab and pressed with Space, and say what they do.
void TestKeyboard::pickerButtonsReachedAndNamed()
{
    TestWorld world;
    QPointer<CalendarWindow> calendar = openAlone<CalendarWindow>();
    activate(calendar);
    CalendarPanel *panel = calendar->panel();
    const QDate shown = panel->calendar()->selectedDate();
    QStringList reached;
    QWidget *start = QApplication::focusWidget();
    for (int i = 0; i < 8 && reached.size() < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        auto *button = qobject_cast<QPushButton *>(QApplication::focusWidget());
        if (button && !reached.contains(button->objectName()))
            reached << button->objectName() + u'=' + button->accessibleName();
        if (QApplication::focusWidget() == start)
            break;
    }
    reached.sort();
    QCOMPARE(reached, QStringList({QStringLiteral("cmdCancel=Close the calendar"), QStringLiteral("cmdNextYear=Next year"), QStringLiteral("cmdPrevYear=Previous year")}));
    auto *next = control<QPushButton>(panel, "cmdNextYear");
    next->setFocus();
    QTest::keyClick(next, Qt::Key_Space);
    QCOMPARE(panel->calendar()->selectedDate(), shown.addYears(1));
    auto *cancel = control<QPushButton>(panel, "cmdCancel");
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Space);
    settle();
    QVERIFY(!calendar);
}

// What a screen reader hears for the controls whose caption is a picture or a sign, and for the
// company pane's values.
void TestKeyboard::accessibleNames()
{
    Plant plant;
    const AppSettings settings;
    const auto name = [](QWidget *control) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
        return face ? face->text(QAccessible::Name) : QString();
    };
    ItemEditor *editor = openAlone<ItemEditor>(ItemEditor::AddItem, qint64(0), settings);
    QCOMPARE(QStringList({name(control(editor, "cmdCal0")), name(control(editor, "cmdCal1")), name(control(editor, "cmdCal2"))}),
             QStringList({QStringLiteral("Pick Service Date"), QStringLiteral("Pick Last Service Date"), QStringLiteral("Pick Date Installed")}));
    ServiceAckDialog *service = openAlone<ServiceAckDialog>(plant.pump);
    QCOMPARE(QStringList({name(control(service, "flxHistory")), name(control(service, "flxNotes")), name(control(service, "cmdCal"))}),
             QStringList({QStringLiteral("History"), QStringLiteral("Notes"), QStringLiteral("Pick Serviced On")}));
    OptionsDialog *options = openAlone<OptionsDialog>();
    QVERIFY(!name(control<QTabWidget>(options, "SSTab1")->tabBar()).isEmpty());

    MainWindow main;
    main.load();
    main.rowClicked(1, 1);
    CompanyPane *pane = main.companyPane();
    QStringList values;
    for (const char *label : {"lblName", "lblPhone1", "lblPhone2", "lblEmail", "lblWeb", "lblContact", "lblNotes"})
        values << name(control(pane, label));
    QCOMPARE(values, QStringList({QStringLiteral("Company Name"), QStringLiteral("Phone"), QStringLiteral("Fax"), QStringLiteral("E-mail"), QStringLiteral("Web Site"), QStringLiteral("Contact"), QStringLiteral("Notes")}));
}

// A window shown by the alarm timer stands beside the window the user types in, where the
// screen has room, and leaves the keyboard there.
void TestKeyboard::timerAlarmWindowStandsAside_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("avoid");
    QTest::addColumn<QPoint>("expected");
    const QRect laptop(0, 0, 1366, 740);
    QTest::newRow("room on the right") << laptop << QSize(700, 400) << QRect(0, 0, 600, 500) << QPoint(600, 0);
    QTest::newRow("room below only") << laptop << QSize(700, 300) << QRect(300, 0, 800, 400) << QPoint(300, 400);
    QTest::newRow("room on the left") << laptop << QSize(500, 400) << QRect(700, 100, 666, 500) << QPoint(200, 100);
    QTest::newRow("no room: the corner that covers least") << laptop << QSize(700, 400) << QRect(200, 100, 900, 500)
                                                           << QPoint(666, 340);
}

void TestKeyboard::timerAlarmWindowStandsAside()
{
    QFETCH(QRect, area);
    QFETCH(QSize, size);
    QFETCH(QRect, avoid);
    QFETCH(QPoint, expected);
    const QPoint at = asidePlace(area, size, avoid);
    QCOMPARE(at, expected);
    QVERIFY(area.contains(QRect(at, size)));

    // On the screen: the window the user types in keeps the keyboard and is not covered.
    TestWorld world;
    EntryDialog *typing = openAlone<EntryDialog>(NotesTarget, world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}}));
    typing->move(150, 250); // in the middle, where a window placed anyhow would cover it
    activate(typing);
    QPointer<AlarmWindow> alarms;
    showOnce(
        alarms, [] { return new AlarmWindow(AppSettings()); }, false);
    QVERIFY(!typing->frameGeometry().intersects(alarms->frameGeometry()));
    QTRY_COMPARE(QApplication::activeWindow(), typing);
}

// Enter in the part boxes adds the part and takes the caret back to Part Name for the next.
void TestKeyboard::enterAddsPartAndReturnsToName()
{
    TestWorld world;
    ItemEditor *editor = openAlone<ItemEditor>(ItemEditor::AddItem, qint64(0), AppSettings());
    activate(editor);
    auto *name = control<QLineEdit>(editor, "txtRepPartName");
    auto *number = control<QLineEdit>(editor, "txtRepPartNumber");
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("Belt"));
    QTest::keyClick(name, Qt::Key_Tab);
    QTest::keyClicks(number, QStringLiteral("B-7"));
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(control<QTableWidget>(editor, "flxRepParts")->rowCount(), 1);
    QVERIFY(name->hasFocus());
    QVERIFY(editor->isVisible());
}

// The import preview's headings read from their start to their end, and each row's problems
// can be read whole.
void TestKeyboard::importPreviewReadsWhole()
{
    TestWorld world;
    world.addCompany(QStringLiteral("Acme"));
    const QString path = QDir(world.folder()).filePath(QStringLiteral("list.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Name,Company,Replacement Part(s),Equipment Locked,Lead Time\r\n"
               "Pump,Acme, / S-1,,1000\r\n");
    file.close();
    FileDialog::setNextPath(path);
    QPointer<ImportPreviewDialog> slot;
    ImportPreviewDialog *preview = importItemsFromCsv(slot, nullptr, ColumnLayout::read(db()));
    QVERIFY(preview);
    auto *grid = preview->findChild<QTableView *>(QStringLiteral("flxImport"));
    QHeaderView *headings = grid->horizontalHeader();
    for (int column = 0; column + 1 < headings->count(); ++column) {
        const QString heading = grid->model()->headerData(column, Qt::Horizontal).toString();
        QVERIFY2(headings->sectionSize(column) >= headings->sectionSizeHint(column), qPrintable(heading));
        QVERIFY2(headings->defaultAlignment() & Qt::AlignLeft, qPrintable(heading));
    }
    const QString problems = preview->findChild<QPlainTextEdit *>(QStringLiteral("txtProblems"))->toPlainText();
    QCOMPARE(problems, QStringLiteral("Record 2: Replacement Part(s): a part without a name; Lead Time: \"1000\" is not a number from 0 to 999"));
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
