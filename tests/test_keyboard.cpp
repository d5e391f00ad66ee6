// Messages above the window the user works in and the keyboard after them and after an input
// error, Alt keys, and what the keyboard and a screen reader reach.

#include "TestSupport.h"

#include "core/platform/SafeFile.h"
#include "core/settings/ColumnLayout.h"
#include "gui/alarms/AlarmWindow.h"
#include "gui/alarms/OrderAckDialog.h"
#include "gui/alarms/ServiceAckDialog.h"
#include "gui/alarms/SnoozeDialog.h"
#include "gui/companies/CompanyDirectory.h"
#include "gui/companies/CompanyEditor.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/itemlist/ItemListController.h"
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
#include "gui/views/LookupDialog.h"
#include "gui/views/SortDialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCalendarWidget>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

namespace {

void activate(QWidget *window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// The window and the control that have the keyboard: "frmLookup/txtLookUp".
QString focusName()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->window()->objectName() + u'/' + focus->objectName() : QStringLiteral("nothing");
}

QString accessibleName(QWidget *control)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(QAccessible::Name) : QString();
}

// A caption with letters and no Alt key, or two captions with one key; empty when there is none.
QString mnemonicFault(const QString &where, const QStringList &captions)
{
    QHash<QChar, QString> keys;
    for (const QString &caption : captions) {
        const QChar key = Mnemonics::keyOf(caption);
        if (key.isNull() && std::any_of(caption.cbegin(), caption.cend(), [](QChar c) { return c.isLetterOrNumber(); }))
            return where + QStringLiteral(": no Alt key for ") + caption;
        if (!key.isNull() && keys.contains(key))
            return where + QStringLiteral(": one Alt key for ") + keys.value(key) + QStringLiteral(" and ") + caption;
        keys.insert(key, caption);
    }
    return QString();
}

// The captions of the controls a window shows (one page of several) that take an Alt key:
// buttons, tabs, labels of inputs and the menu bar's titles.
QStringList windowCaptions(QWidget *window)
{
    const auto ours = [window](const QWidget *control) {
        for (const QWidget *w = control->parentWidget(); w && w != window; w = w->parentWidget()) {
            if (w->inherits("QCalendarWidget") || w->inherits("QToolBar"))
                return false;
        }
        return !control->objectName().startsWith(u"qt_") && control->isVisibleTo(window);
    };
    QStringList captions;
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

// An item due for service, with its company.
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
    void initTestCase() { initTestEnvironment(); }
    void cleanup()
    {
        MessageBox::setTestHandler(nullptr);
        closeAllWindows();
    }

    // Lookup and the Calendar stay on top: a box they cause stands above them and gives the
    // keyboard back to them; a box of the main window is on top while they are open, and the
    // delete question answers Enter with Cancel.
    void messageStandsAboveItsWindow_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("seen"); // the box when it opened; who has the keyboard after it
        QTest::newRow("lookup with no match") << QStringLiteral("lookup") << QStringLiteral("above frmLookup, on top, OK; frmLookup/txtLookUp");
        QTest::newRow("calendar day with no items") << QStringLiteral("calendar") << QStringLiteral("above frmCalendar, on top, OK; frmCalendar/qt_calendar_calendarview");
        QTest::newRow("delete while Lookup is open") << QStringLiteral("delete") << QStringLiteral("above frmmain, on top, Cancel; frmmain/flxdata");
    }
    void messageStandsAboveItsWindow()
    {
        QFETCH(QString, command);
        QFETCH(QString, seen);
        Plant plant;
        MainWindow main(appContext());
        main.load();
        main.show();
        activate(&main);
        // Each real box is answered with Enter, as by a user who does not read it.
        static QStringList boxes;
        boxes.clear();
        MessageBox::setTestHandler([](QMessageBox &box) {
            QString owner;
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (window->windowHandle() && window->windowHandle() == box.windowHandle()->transientParent())
                    owner = window->objectName();
            }
            boxes << QStringLiteral("above %1, %2, %3").arg(owner, box.windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? QStringLiteral("on top") : QStringLiteral("below"), Mnemonics::plain(box.defaultButton()->text()));
            QTest::keyClick(&box, Qt::Key_Return);
        });
        if (command == u"lookup") {
            main.action(QStringLiteral("mnuLookupBy_0"))->trigger();
            auto *lookup = shownWindow<LookupDialog>();
            activate(lookup);
            QTest::keyClicks(control<QLineEdit>(lookup, "txtLookUp"), QStringLiteral("Nothing like it\r"));
        } else if (command == u"calendar") {
            main.action(QStringLiteral("mnuCalendar"))->trigger();
            auto *calendar = shownWindow<CalendarWindow>();
            activate(calendar);
            calendar->panel()->calendar()->focusProxy()->setFocus();
            calendar->panel()->calendar()->setSelectedDate(QDate(2027, 1, 2));
            QTest::keyClick(calendar->panel()->calendar()->focusProxy(), Qt::Key_Return);
        } else {
            main.itemList()->rowClicked(1, 1);
            main.action(QStringLiteral("mnuLookup"))->trigger();
            activate(&main); // the user clicks Delete on the main window's toolbar
            main.grid()->setFocus();
            main.action(QStringLiteral("tbDelete"))->trigger();
        }
        QCOMPARE(boxes.size(), 1);
        QTRY_COMPARE(boxes.first() + QStringLiteral("; ") + focusName(), seen);
        QCOMPARE(plant.world.scalar(QStringLiteral("SELECT count(*) FROM main")).toInt(), 1);
    }

    // After an input error the keyboard is at the entry at fault, on its page, not on the button.
    void validationSendsKeyboardToTheFault_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("typed"); // box=text;...; "company" chooses the company
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("focus");
        QTest::newRow("item without a name") << QStringLiteral("item") << QString() << QStringLiteral("cmdOK") << QStringLiteral("txtData0");
        QTest::newRow("item without a company") << QStringLiteral("item") << QStringLiteral("txtData0=Pump") << QStringLiteral("cmdOK") << QStringLiteral("cmdSelect");
        QTest::newRow("item's service date") << QStringLiteral("item") << QStringLiteral("txtData0=Pump;company;txtData7=13/45/2026") << QStringLiteral("cmdOK") << QStringLiteral("txtData7");
        QTest::newRow("item's date serviced, on the other page") << QStringLiteral("item") << QStringLiteral("txtData0=Pump;company;txtData9=2/30/2026") << QStringLiteral("cmdOK") << QStringLiteral("txtData9");
        QTest::newRow("part without a name") << QStringLiteral("item") << QStringLiteral("txtRepPartNumber=N-1") << QStringLiteral("cmdaddRepParts") << QStringLiteral("txtRepPartName");
        QTest::newRow("entry without a description") << QStringLiteral("entry") << QString() << QStringLiteral("cmdAdd") << QStringLiteral("txtDescr");
        QTest::newRow("company without a name") << QStringLiteral("company") << QStringLiteral("Text1_6=555") << QStringLiteral("cmdOK") << QStringLiteral("Text1_0");
        QTest::newRow("service on no date") << QStringLiteral("service") << QStringLiteral("txtServicedON=") << QStringLiteral("cmdAck") << QStringLiteral("txtServicedON");
        QTest::newRow("order without a number") << QStringLiteral("order") << QString() << QStringLiteral("cmdAck") << QStringLiteral("txtPoNo");
        QTest::newRow("options without an interval") << QStringLiteral("options") << QStringLiteral("txtBackup=") << QStringLiteral("cmdOK") << QStringLiteral("txtBackup");
        QTest::newRow("alarm not chosen") << QStringLiteral("alarms") << QString() << QStringLiteral("cmdDetails") << QStringLiteral("flxAlarms");
        QTest::newRow("company not chosen") << QStringLiteral("directory") << QString() << QStringLiteral("cmdEdit") << QStringLiteral("flxCompanies");
    }
    void validationSendsKeyboardToTheFault()
    {
        QFETCH(QString, window);
        QFETCH(QString, typed);
        QFETCH(QString, button);
        QFETCH(QString, focus);
        Plant plant;
        const QHash<QString, std::function<QWidget *()>> windows = {
            {QStringLiteral("item"), [] { return openAlone<ItemEditor>(appContext(), ItemEditor::AddItem, qint64(0), ColumnLayout()); }},
            {QStringLiteral("entry"), [&] { return openAlone<EntryDialog>(db(), HistoryTarget, plant.pump); }},
            {QStringLiteral("company"), [] { return openAlone<CompanyEditor>(db(), qint64(0)); }},
            {QStringLiteral("service"), [&] { return openAlone<ServiceAckDialog>(appContext(), plant.pump); }},
            {QStringLiteral("order"), [&] { return openAlone<OrderAckDialog>(appContext(), plant.pump); }},
            {QStringLiteral("options"), [] { return openAlone<OptionsDialog>(db()); }},
            {QStringLiteral("alarms"), [] { return openAlone<AlarmWindow>(appContext()); }},
            {QStringLiteral("directory"), [] { return openAlone<CompanyDirectory>(db(), CompanyDirectory::Mode::Browse); }},
        };
        QWidget *shown = windows.value(window)();
        activate(shown);
        for (const QString &step : typed.split(u';', Qt::SkipEmptyParts)) {
            if (step == u"company")
                static_cast<ItemEditor *>(shown)->showCompany(plant.company);
            else
                shown->findChild<QLineEdit *>(step.section(u'=', 0, 0))->setText(step.section(u'=', 1));
        }
        QTest::mouseClick(control<QPushButton>(shown, button.toLatin1().constData()), Qt::LeftButton);
        QVERIFY(!MessageBox::lastText().isEmpty());
        QCOMPARE(focusName(), shown->objectName() + u'/' + focus);
        QVERIFY(QApplication::focusWidget()->isVisible());
    }

    // Menu entries, buttons, tabs and the labels of inputs each have an Alt key of their own.
    void everyWindowHasItsOwnAltKeys()
    {
        Plant plant;
        MainWindow main(appContext());
        main.load();
        QStringList faults;
        const auto check = [&faults](const QString &where, const QStringList &captions) {
            if (const QString fault = mnemonicFault(where, captions); !fault.isEmpty())
                faults << fault;
        };
        for (QMenu *menu : main.findChildren<QMenu *>()) {
            QStringList entries;
            for (QAction *entry : menu->actions())
                entries << entry->text();
            check(menu->objectName(), entries);
        }
        // Each window as each of its pages shows it.
        check(QStringLiteral("frmmain"), windowCaptions(&main));
        main.companyPane()->toggleCompanyPage();
        main.historyPane()->toggleView();
        check(QStringLiteral("frmmain, second pages"), windowCaptions(&main));
        for (QWidget *window : QList<QWidget *> {openAlone<ItemEditor>(appContext(), ItemEditor::AddItem, qint64(0), ColumnLayout()), openAlone<ItemEditor>(appContext(), ItemEditor::EditListItem, plant.pump, ColumnLayout()), openAlone<CompanyEditor>(db(), plant.company), openAlone<CompanyDirectory>(db(), CompanyDirectory::Mode::Select), openAlone<EntryDialog>(db(), NotesTarget, plant.pump), openAlone<AlarmWindow>(appContext()), openAlone<SnoozeDialog>(), openAlone<ServiceAckDialog>(appContext(), plant.pump), openAlone<OrderAckDialog>(appContext(), plant.pump), openAlone<ColumnSettingsDialog>(db()), openAlone<SortDialog>(std::optional<int>()), openAlone<LookupDialog>(std::optional<int>()), openAlone<CalendarWindow>(db()), openAlone<OptionsDialog>(db()), openAlone<AboutDialog>(db())}) {
            check(window->objectName(), windowCaptions(window));
            if (auto *editor = qobject_cast<ItemEditor *>(window)) {
                editor->togglePage();
                check(window->objectName() + QStringLiteral(", second page"), windowCaptions(window));
            }
        }
        QCOMPARE(faults.join(u'\n'), QString());
    }

    // Esc in a cell's editor drops that edit and keeps the window; the next Esc closes it.
    void columnSettingsEscDropsOnlyTheEdit()
    {
        TestWorld world;
        QPointer<ColumnSettingsDialog> window = openAlone<ColumnSettingsDialog>(db());
        activate(window);
        auto *list = control<QTableWidget>(window, "flxCols");
        const int row = int(list->findItems(QStringLiteral("YES"), Qt::MatchExactly).first()->row());
        const QString size = list->item(row, 2)->text();
        for (const auto &[column, editor] : {std::pair(2, "txtDataEntry"), std::pair(3, "cmbYN")}) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, column)).center());
            if (auto *edit = qobject_cast<QLineEdit *>(control(window, editor)))
                edit->setText(QStringLiteral("4321"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY2(window && !control(window, editor)->isVisible() && list->hasFocus(), editor);
        }
        QCOMPARE(list->item(row, 2)->text() + list->item(row, 3)->text(), size + QStringLiteral("YES"));
        QTest::keyClick(list, Qt::Key_Escape);
        settle();
        QVERIFY(!window);
    }

    // The list's context menu opens from the keyboard on the chosen row; the company pane's
    // links are reached with Tab and open with Enter.
    void listMenuAndLinksFromTheKeyboard()
    {
        Plant plant;
        MainWindow main(appContext());
        main.load();
        main.show();
        activate(&main);
        auto *menu = main.findChild<QMenu *>(QStringLiteral("mnuInv"));
        for (const QKeyCombination key : {QKeyCombination(Qt::Key_Menu), Qt::ShiftModifier | Qt::Key_F10}) {
            main.grid()->setFocus();
            QTest::keyClick(main.grid(), Qt::Key_Down);
            QTest::keyClick(main.grid(), key.key(), key.keyboardModifiers());
            QTRY_VERIFY2(menu->isVisible(), qPrintable(QKeySequence(key).toString()));
            QVERIFY(main.grid()->viewport()->rect().contains(main.grid()->viewport()->mapFromGlobal(menu->pos())));
            menu->close();
        }
        QWidget *email = control(main.companyPane(), "lblEmail");
        main.historyPane()->historyGrid()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), email);
        QTest::keyClick(email, Qt::Key_Return);
        main.companyPane()->toggleCompanyPage();
        control(main.companyPane(), "lblWeb")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(Desktop::openedUrls(), QList<QUrl>({QUrl(QStringLiteral("mailto:sales@acme.example")), QUrl(QStringLiteral("http://acme.example"))}));
    }

    // What a screen reader hears for controls whose caption is a picture or a sign and for the
    // company pane's values; the calendar's "<", ">" and "x" are reached with Tab.
    void accessibleNamesAndSigns()
    {
        Plant plant;
        QStringList names;
        ItemEditor *editor = openAlone<ItemEditor>(appContext(), ItemEditor::AddItem, qint64(0), ColumnLayout());
        ServiceAckDialog *service = openAlone<ServiceAckDialog>(appContext(), plant.pump);
        for (QWidget *named : {control(editor, "cmdCal0"), control(editor, "cmdCal1"), control(editor, "cmdCal2"), control(service, "flxHistory"), control(service, "flxNotes"), control(service, "cmdCal")})
            names << accessibleName(named);
        QCOMPARE(names.join(u','), QStringLiteral("Pick Service Date,Pick Last Service Date,Pick Date Installed,History,Notes,Pick Serviced On"));
        QVERIFY(!accessibleName(control<QTabWidget>(openAlone<OptionsDialog>(db()), "SSTab1")->tabBar()).isEmpty());
        MainWindow main(appContext());
        main.load();
        main.itemList()->rowClicked(1, 1);
        names.clear();
        for (const char *label : {"lblName", "lblPhone1", "lblPhone2", "lblEmail", "lblWeb", "lblContact", "lblNotes"})
            names << accessibleName(control(main.companyPane(), label));
        QCOMPARE(names.join(u','), QStringLiteral("Company Name,Phone,Fax,E-mail,Web Site,Contact,Notes"));

        CalendarWindow *calendar = openAlone<CalendarWindow>(db());
        QCOMPARE(keyboardWalkFault(calendar, QStringLiteral("qt_calendar_calendarview")), QString());
        names.clear();
        for (const char *sign : {"cmdPrevYear", "cmdNextYear", "cmdCancel"}) {
            QVERIFY2(control(calendar->panel(), sign)->focusPolicy() & Qt::TabFocus, sign);
            names << accessibleName(control(calendar->panel(), sign));
        }
        QCOMPARE(names.join(u','), QStringLiteral("Previous year,Next year,Close the calendar"));
    }

    // Where a window shown by the alarm timer stands beside the window the user types in (the
    // alarm window's own test sees it there).
    void timerAlarmWindowStandsAside_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("avoid");
        QTest::addColumn<QPoint>("expected"); // on a screen of 1366x740
        QTest::newRow("room on the right") << QSize(700, 400) << QRect(0, 0, 600, 500) << QPoint(600, 0);
        QTest::newRow("room below only") << QSize(700, 300) << QRect(300, 0, 800, 400) << QPoint(300, 400);
        QTest::newRow("room on the left") << QSize(500, 400) << QRect(700, 100, 666, 500) << QPoint(200, 100);
        QTest::newRow("no room: the corner that covers least") << QSize(700, 400) << QRect(200, 100, 900, 500) << QPoint(666, 340);
    }
    void timerAlarmWindowStandsAside()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, avoid);
        QTEST(asidePlace(QRect(0, 0, 1366, 740), size, avoid), "expected");
    }

    // Enter in the part boxes adds the part and takes the caret back to Part Name for the next.
    void enterAddsPartAndReturnsToName()
    {
        TestWorld world;
        ItemEditor *editor = openAlone<ItemEditor>(appContext(), ItemEditor::AddItem, qint64(0), ColumnLayout());
        activate(editor);
        auto *name = control<QLineEdit>(editor, "txtRepPartName");
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("Belt\t"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("B-7\r"));
        QCOMPARE(control<QTableWidget>(editor, "flxRepParts")->rowCount(), 1);
        QVERIFY(name->hasFocus() && editor->isVisible());
    }

    // The import preview's headings read from their start to their end, and each row's problems
    // read whole.
    void importPreviewReadsWhole()
    {
        TestWorld world;
        world.addCompany(QStringLiteral("Acme"));
        const QString path = QDir(world.folder()).filePath(QStringLiteral("list.csv"));
        QVERIFY(SafeFile::write(path, "Name,Company,Replacement Part(s),Equipment Locked,Lead Time\r\nPump,Acme, / S-1,,1000\r\n"));
        FileDialog::setNextPath(path);
        QPointer<ImportPreviewDialog> slot;
        ImportPreviewDialog *preview = importItemsFromCsv(slot, nullptr, appContext(), ColumnLayout::read(db()));
        QHeaderView *headings = control<QTableView>(preview, "flxImport")->horizontalHeader();
        QVERIFY(headings->defaultAlignment() & Qt::AlignLeft);
        for (int column = 0; column + 1 < headings->count(); ++column)
            QVERIFY2(headings->sectionSize(column) >= headings->sectionSizeHint(column), qPrintable(QString::number(column)));
        QCOMPARE(control<QPlainTextEdit>(preview, "txtProblems")->toPlainText(), QStringLiteral("Line 2: Replacement Part(s): a part without a name; Lead Time: \"1000\" is not a number from 0 to 999"));
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
