// Column settings, the Sort and Lookup dialogs and the two display modes.

#include "TestSupport.h"

#include "core/db/Database.h"
#include "core/db/DbError.h"
#include "core/itemlist/ItemListModel.h"
#include "core/settings/AppContext.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"
#include "gui/views/ColumnSettingsDialog.h"
#include "gui/views/DatePicker.h"
#include "gui/views/LookupDialog.h"
#include "gui/views/SortDialog.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The shown columns in place order with their widths: "2:2010,1:1200".
QString shownColumns(const ColumnSettings &settings)
{
    QMap<int, QString> byPlace;
    for (int i = 0; i < settings.rowCount(); ++i) {
        if (const ColumnSettings::Row &row = settings.row(i); row.shown())
            byPlace.insert(row.place.toInt(), QStringLiteral("%1:%2").arg(row.id).arg(row.size));
    }
    return QStringList(byPlace.values()).join(u',');
}

// The stored layout as the settings list reads it.
QString storedColumns()
{
    return shownColumns(ColumnSettings::read(db()));
}

// One row of the settings list: "Name|1|2400|YES".
QString listRow(ColumnSettingsDialog *window, int row)
{
    QStringList cells;
    for (int c = 0; c < 4; ++c)
        cells << control<QTableWidget>(window, "flxCols")->item(row, c)->text();
    return cells.join(u'|');
}

QString listedNames(MainWindow &window)
{
    QStringList names;
    for (int row = 1; row < window.grid()->rows(); ++row)
        names << window.grid()->itemModel()->cellText(row, Column::Name);
    return names.join(u',');
}

void clickCell(ColumnSettingsDialog *window, int row, int column)
{
    const QRect cell = control<QTableWidget>(window, "flxCols")->visualRect(control<QTableWidget>(window, "flxCols")->model()->index(row, column));
    QTest::mouseClick(control<QTableWidget>(window, "flxCols")->viewport(), Qt::LeftButton, {}, cell.center());
}

// A lookup and a sort as the dialogs, opened from the main window, answer them.
void lookUp(MainWindow &window, Field::Number field, const QString &value)
{
    window.action(QStringLiteral("tbFind"))->trigger();
    emit shownWindow<LookupDialog>()->lookupChosen(field, value);
}
void sortBy(MainWindow &window, Field::Number field, SortOrders order)
{
    window.action(QStringLiteral("mnuSort"))->trigger();
    emit shownWindow<SortDialog>()->sortChosen(field, order);
}

// A small plant: Pump (due 12/20), Fan (due 12/10), Crane (due 1/5) at three locations.
struct Plant {
    TestWorld world;
    MainWindow window {appContext()};
    Plant()
    {
        const qint64 acme = world.addCompany(QStringLiteral("Acme"));
        using Row = std::array<const char *, 4>; // name, service date, location, tools
        for (const Row &row : {Row {"Pump", "2026-12-20", "Hall B", "drill\r\nwrench"},
                               Row {"Fan", "2026-12-10", "Hall C", ""}, Row {"Crane", "2027-01-05", "Hall A", "wrench"}})
            world.addItem(acme, {{"Name", row[0]}, {"servicedate", row[1]}, {"location", row[2]}, {"tools", row[3]}, {"leadtime", 5}});
        window.load();
    }
};

// Key rows type into a place or size cell of the column settings, or the lookup value at a list position.
constexpr int PlaceBox = 100, SizeBox = 101;

} // namespace

class TestViewSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }
    void cleanup()
    {
        DatePicker::setTestPick(nullptr);
        closeAllWindows();
    }

    void columnEdits_data()
    {
        QTest::addColumn<QString>("steps"); // p<row>=<text> place, s<row>=<text> size, +<row> show, -<row> hide
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("shown");
        const QString start = u"0:2400,1:1200,2:2010,7:1500"_s;
        const QString exceeds = QString::fromLatin1(PlaceTooHighMessage), invalid = QString::fromLatin1(InvalidValueMessage);
        QTest::newRow("place 1 swaps with the first") << "p2=1" << QStringList() << "2:2010,1:1200,0:2400,7:1500";
        QTest::newRow("0 refused") << "p1=0" << QStringList {invalid} << start;
        QTest::newRow("above n") << "p1=5" << QStringList {exceeds} << start;
        QTest::newRow("far above n") << "p1=99999999999999999999" << QStringList {exceeds} << start;
        QTest::newRow("hidden column has no place") << "p5=1" << QStringList {invalid} << start;
        QTest::newRow("hide closes the gap, show appends") << "-0 +0" << QStringList() << "1:1200,2:2010,7:1500,0:1500";
        QTest::newRow("show shown, hide hidden") << "+0 -5" << QStringList() << start;
        QTest::newRow("size as plain number") << "s0=0050" << QStringList() << "0:50,1:1200,2:2010,7:1500";
        QTest::newRow("long sequence") << u"p7=1 -1 +3 p3=2 -7 p0=4 p2=3 +24 p24=1"_s << QStringList {exceeds} << u"24:1500,0:2400,2:2010,3:1500"_s;
    }
    void columnEdits()
    {
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        // 25 columns; Name, Tag, Location and Service Date shown at 1..4.
        const QMap<int, QPair<QString, QString>> start = {{0, {u"1"_s, u"2400"_s}}, {1, {u"2"_s, u"1200"_s}}, {2, {u"3"_s, u"2010"_s}}, {7, {u"4"_s, u"1500"_s}}};
        QVector<ColumnSettings::Row> rows;
        for (int id = 0; id < Column::Count; ++id)
            rows.append({id, QStringLiteral("c%1").arg(id), start.value(id).first, start.value(id).second});
        ColumnSettings settings(rows);
        QStringList said;
        for (const QString &step : steps.split(u' ')) {
            const int row = step.mid(1).section(u'=', 0, 0).toInt();
            const auto cell = step.startsWith(u'p') ? ColumnSettings::PlaceCell : ColumnSettings::SizeCell;
            if (step.startsWith(u'+') || step.startsWith(u'-'))
                settings.setShown(row, step.startsWith(u'+'));
            else if (const QString message = settings.validate(row, cell, step.section(u'=', 1)); !message.isEmpty())
                said << message;
            QVERIFY2(settings.isConsistent(), qPrintable(step));
        }
        QTEST(said, "messages");
        QCOMPARE(shownColumns(settings), shown);
    }

    void columnsReadAsTheGridAndWriteInOneTransaction()
    {
        TestWorld world;
        // Gaps, a tie, a Null width, a stray ID and a missing row.
        db().exec(QStringLiteral("UPDATE Columns SET ColLocation = 0; UPDATE Columns SET ColLocation = 7, size = NULL"
                                 " WHERE ID = 4; UPDATE Columns SET ColLocation = 3 WHERE ID IN (9, 2);"
                                 " UPDATE Columns SET ColLocation = 12 WHERE ID = 1; DELETE FROM Columns WHERE ID = 20;"
                                 " INSERT INTO Columns (ID, name, size, ColLocation) VALUES (40, 'x', 1, 1)"));
        ColumnSettings settings = ColumnSettings::read(db());
        QVERIFY(settings.rowCount() == 24 && settings.shownCount() == 4);
        QCOMPARE(shownColumns(settings), u"2:2010,9:1500,4:1500,1:1200"_s);

        settings.setShown(2, false); // Location, stored width kept
        settings.setShown(22, true); // Custom 3 (row 22 is ID 23: ID 20 is missing)
        QVERIFY(settings.validate(1, ColumnSettings::SizeCell, QStringLiteral("0777")).isEmpty());
        // A statement failing half way leaves the table as it was.
        world.refuse(QStringLiteral("UPDATE"), QStringLiteral("Columns"), QStringLiteral("stopped"), QStringLiteral("NEW.ID = 23"));
        QVERIFY_THROWS_EXCEPTION(DbError, settings.write(db()));
        QCOMPARE(storedColumns(), u"2:2010,9:1500,4:1500,1:1200"_s);
        world.allow(u"Columns"_s);
        settings.write(db());
        QCOMPARE(world.scalar(u"SELECT size || '/' || ColLocation FROM Columns WHERE ID = 2"_s).toString(), u"2010/0"_s);
        QCOMPARE(storedColumns(), u"9:1500,4:1500,1:777,23:1500"_s);
    }

    void boxKeys_data()
    {
        QTest::addColumn<int>("box"); // PlaceBox, SizeBox or a lookup list position (-1: none chosen)
        QTest::addColumn<QString>("typed"); // key by key; "\b" is Backspace
        QTest::addColumn<QString>("pasted"); // replaces the whole box afterwards; empty: no paste
        QTest::addColumn<QString>("expected");
        const QString fifty(50, u'1');
        QTest::newRow("place: letters refused") << PlaceBox << u"1a-2 "_s << u""_s << u"12"_s;
        QTest::newRow("size: fifth digit refused, backspace at four") << SizeBox << u"12345\b6"_s << u""_s << u"1236"_s;
        QTest::newRow("place: text pasted refused") << PlaceBox << u"2"_s << u"3x"_s << u"2"_s;
        QTest::newRow("size: five digits pasted refused") << SizeBox << u"12"_s << u"12345"_s << u"12"_s;
        QTest::newRow("lead time: digits only") << 12 << u"a5b6-"_s << u""_s << u"56"_s;
        QTest::newRow("date installed: digits and slash") << 11 << u"1/2x/2027"_s << u""_s << u"1/2/2027"_s;
        QTest::newRow("none chosen: anything") << -1 << u"a*'%_ \"x/y"_s << u""_s << u"a*'%_ \"x/y"_s;
        QTest::newRow("lookup: 51st refused, backspace at 50") << 8 << fifty + u"/\b2"_s << u""_s << fifty.left(49) + u"2"_s;
        QTest::newRow("lookup: letters pasted into a number") << 12 << u"5"_s << u"12a"_s << u"5"_s;
    }
    void boxKeys()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        TestWorld world;
        ColumnSettingsDialog *columns = box < PlaceBox ? nullptr : openAlone<ColumnSettingsDialog>(db());
        QLineEdit *edit = columns ? control<QLineEdit>(columns, "txtDataEntry") : control<QLineEdit>(openAlone<LookupDialog>(std::optional<int>(box)), "txtLookUp");
        if (columns) {
            clickCell(columns, 0, box == PlaceBox ? ColumnSettings::PlaceCell : ColumnSettings::SizeCell);
            edit->clear();
        }
        QTest::keyClicks(edit, typed);
        if (!pasted.isEmpty()) {
            edit->selectAll();
            edit->insert(pasted); // as a paste does
        }
        QTEST(edit->text(), "expected");
    }

    void columnsWindowEditsAndSaves()
    {
        Plant plant;
        MainWindow &window = plant.window;
        sortBy(window, Field::Name, Descending); // OK lists by service date whatever the sort before
        lookUp(window, Field::Location, QStringLiteral("Hall B"));
        window.itemList()->rowClicked(1, 1);
        QVERIFY(!window.itemList()->noItemSelected());
        QPointer<LookupDialog> lookup = shownWindow<LookupDialog>();
        window.action(QStringLiteral("mnuEditColumns"))->trigger();
        QVERIFY(lookup.isNull()); // opening the settings closed it
        ColumnSettingsDialog *columns = shownWindow<ColumnSettingsDialog>();
        // Service Date to place 1 by typing (an empty place is refused); Name takes its place 4.
        clickCell(columns, 7, ColumnSettings::PlaceCell);
        QCOMPARE(control<QLineEdit>(columns, "txtDataEntry")->text(), u"4"_s);
        control<QLineEdit>(columns, "txtDataEntry")->clear();
        QTest::keyClick(control<QLineEdit>(columns, "txtDataEntry"), Qt::Key_Return);
        QCOMPARE(MessageBox::lastText(), QString::fromLatin1(EnterDataMessage));
        QVERIFY(control<QLineEdit>(columns, "txtDataEntry")->isVisible());
        QTest::keyClicks(control<QLineEdit>(columns, "txtDataEntry"), QStringLiteral("01"));
        QTest::keyClick(control<QLineEdit>(columns, "txtDataEntry"), Qt::Key_Enter);
        QCOMPARE(listRow(columns, 7), u"Service Date|1|1500|YES"_s);
        QCOMPARE(listRow(columns, 0), u"Name|4|2400|YES"_s);
        // Tag hidden from the keyboard closes the gap; Name typed wider, OK without Enter.
        control<QTableWidget>(columns, "flxCols")->setCurrentCell(1, ColumnSettings::DisplayCell);
        QTest::keyClick(control<QTableWidget>(columns, "flxCols"), Qt::Key_F2);
        QCOMPARE(control<QComboBox>(columns, "cmbYN")->currentText(), u"YES"_s);
        emit control<QComboBox>(columns, "cmbYN")->activated(1);
        QCOMPARE(listRow(columns, 0), u"Name|3|2400|YES"_s);
        clickCell(columns, 0, ColumnSettings::SizeCell);
        control<QLineEdit>(columns, "txtDataEntry")->setText(QStringLiteral("3000"));
        // The list, made too short for its rows, scrolls: the typed width stays with its cell.
        columns->resize(columns->minimumSize());
        auto *list = control<QTableWidget>(columns, "flxCols");
        list->verticalScrollBar()->setValue(3);
        QCOMPARE(control<QLineEdit>(columns, "txtDataEntry")->geometry(), list->visualRect(list->model()->index(0, ColumnSettings::SizeCell)));
        QTest::mouseClick(control<QPushButton>(columns, "cmdOK"), Qt::LeftButton);
        QVERIFY(!columns->isVisible());

        QCOMPARE(storedColumns(), u"7:1500,2:2010,0:3000,16:2400,6:3600"_s);
        QStringList headings;
        for (int c = 1; c < window.grid()->model()->columnCount(); ++c)
            headings << window.grid()->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headings, QStringList({u"Service Date"_s, u"Location"_s, u"Name"_s, u"Company"_s, u"Replacement Part(s)"_s}));
        QCOMPARE(window.grid()->columnWidth(3), 200);
        QCOMPARE(listedNames(window) + u' ' + window.panelText(1), u"Fan,Pump,Crane Display Mode: All"_s);
        QVERIFY(window.itemList()->noItemSelected());

        // Cancel stores nothing.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        window.action(QStringLiteral("mnuColums"))->trigger();
        columns = shownWindow<ColumnSettingsDialog>();
        clickCell(columns, 2, ColumnSettings::DisplayCell);
        emit control<QComboBox>(columns, "cmbYN")->activated(1);
        QTest::mouseClick(control<QPushButton>(columns, "cmdCancel"), Qt::LeftButton);
        QCOMPARE(storedColumns(), u"7:1500,2:2010,0:3000,16:2400,6:3600"_s);

        // Another program changed the layout meanwhile: OK stores nothing, says so and stays.
        window.action(QStringLiteral("mnuColums"))->trigger();
        columns = shownWindow<ColumnSettingsDialog>();
        clickCell(columns, 2, ColumnSettings::DisplayCell);
        emit control<QComboBox>(columns, "cmbYN")->activated(1);
        plant.world.changeElsewhere(QStringLiteral("UPDATE Columns SET size = 999 WHERE ID = 0"));
        QTest::mouseClick(control<QPushButton>(columns, "cmdOK"), Qt::LeftButton);
        QCOMPARE(MessageBox::lastText(), QString::fromLatin1(ColumnsChangedText));
        QVERIFY(columns->isVisible());
        QCOMPARE(storedColumns(), u"7:1500,2:2010,0:999,16:2400,6:3600"_s);
    }

    void sortDialog_data()
    {
        QTest::addColumn<int>("menuField"); // -1: the toolbar's Sort, no entry chosen
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QString>("names");
        QTest::newRow("by ID descending") << -1 << 22 << true << "Crane,Fan,Pump";
        QTest::newRow("menu by Service Date") << 7 << 6 << true << "Crane,Pump,Fan";
        // All lead times are equal: the rows sorted in place keep the ID order of a fresh load.
        QTest::newRow("by Lead Time") << -1 << 12 << false << "Pump,Fan,Crane";
    }
    void sortDialog()
    {
        QFETCH(int, menuField);
        QFETCH(int, position);
        QFETCH(bool, descending);
        QFETCH(QString, names);
        Plant plant;
        plant.window.action(menuField < 0 ? QStringLiteral("tbSort") : QStringLiteral("mnuSortby_%1").arg(menuField))->trigger();
        QPointer<SortDialog> dialog = shownWindow<SortDialog>();
        QVERIFY(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(dialog->height(), dialog->sizeHint().height()); // as its layout asks, not a placeholder size
        // A menu entry comes chosen; from the toolbar nothing is, and Sort waits for a choice.
        QCOMPARE(control<QComboBox>(dialog, "cmbSort")->currentIndex(), menuField < 0 ? -1 : position);
        QCOMPARE(control<QPushButton>(dialog, "cmdSort")->isEnabled(), menuField >= 0);
        QVERIFY(control<QRadioButton>(dialog, "optAscending")->isChecked());
        control<QComboBox>(dialog, "cmbSort")->setCurrentIndex(position);
        (descending ? control<QRadioButton>(dialog, "optDescending") : control<QRadioButton>(dialog, "optAscending"))->setChecked(true);
        if (menuField >= 0)
            QTest::keyClick(control<QComboBox>(dialog, "cmbSort"), Qt::Key_Return); // Enter in the list sorts
        else
            QTest::mouseClick(control<QPushButton>(dialog, "cmdSort"), Qt::LeftButton);
        QTRY_VERIFY(!dialog);
        QCOMPARE(listedNames(plant.window), names);
        // The sort is kept, and the rows sorted in place stand as a fresh load puts them.
        plant.window.itemList()->loadGrid(plant.window.itemList()->view().SortFieldAll, plant.window.itemList()->view().SortOrderAll, QString(), Field::Name);
        QCOMPARE(listedNames(plant.window), names);
    }

    void lookupDialog_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("status"); // empty: refused, nothing changes
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("listed");
        const QString notFound = u"Lookup query not found"_s, mode = u"Display Mode: Lookup, "_s;
        QTest::newRow("by Reference Manuals") << 16 << u"x"_s << mode + u"RefManuals= \"x\""_s << notFound << 0;
        QTest::newRow("by ID") << 21 << u"2"_s << mode + u"ID= \"2\""_s << u""_s << 1;
        QTest::newRow("by Tools, anywhere") << 10 << u"wrench"_s << mode + u"Tools= \"*wrench\""_s << u""_s << 2;
        QTest::newRow("by Equipment Locked") << 17 << u"x"_s << mode + u"Locked= \"*x\""_s << notFound << 0;
        QTest::newRow("by Service Date") << 6 << u"12/20/2026"_s << mode + u"ServiceDate= \"12/20/2026\""_s << u""_s << 1;
        QTest::newRow("no such date") << 6 << u"2/30/2027"_s << u""_s << u"Date has incorrect form"_s << 3;
    }
    void lookupDialog()
    {
        QFETCH(int, position);
        QFETCH(QString, typed);
        QFETCH(QString, status);
        QFETCH(QString, message);
        QFETCH(int, listed);
        Plant plant;
        plant.window.action(QStringLiteral("mnuLookupBy_%1").arg(position))->trigger();
        LookupDialog *dialog = shownWindow<LookupDialog>();
        QCOMPARE(control<QComboBox>(dialog, "cmbLookup")->currentIndex(), position);
        QTest::keyClicks(control<QLineEdit>(dialog, "txtLookUp"), typed);
        QTest::keyClick(control<QLineEdit>(dialog, "txtLookUp"), Qt::Key_Return);

        QCOMPARE(MessageBox::shownTexts(), message.isEmpty() ? QStringList() : QStringList {message});
        QVERIFY(plant.window.grid()->rows() == listed + 1 && dialog->isVisible());
        // A refused value stays for correcting; after a lookup the box is ready for the next.
        QCOMPARE(control<QLineEdit>(dialog, "txtLookUp")->text(), status.isEmpty() ? typed : QString());
        QCOMPARE(plant.window.panelText(1), status.isEmpty() ? QStringLiteral("Display Mode: All") : status);
    }

    void lookupDialogState()
    {
        Plant plant;
        plant.window.action(QStringLiteral("tbFind"))->trigger();
        plant.window.action(QStringLiteral("mnuLookupBy_3"))->trigger();
        QPointer<LookupDialog> dialog = shownWindow<LookupDialog>(); // shown as it was
        QVERIFY(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(control<QComboBox>(dialog, "cmbLookup")->currentIndex(), -1);
        QTest::keyClicks(control<QLineEdit>(dialog, "txtLookUp"), QStringLiteral("Pump\r"));
        QVERIFY(!control<QPushButton>(dialog, "cmdCal")->isEnabled() && !control<QPushButton>(dialog, "cmdLookUp")->isEnabled()); // no entry chosen
        QCOMPARE(plant.window.itemList()->view().LookupValue, QString());

        // Choosing an entry empties the box; a date entry has the calendar.
        control<QComboBox>(dialog, "cmbLookup")->setCurrentIndex(6); // by Service Date
        QVERIFY(control<QLineEdit>(dialog, "txtLookUp")->text().isEmpty() && control<QPushButton>(dialog, "cmdCal")->isEnabled() && !control<QPushButton>(dialog, "cmdLookUp")->isEnabled());
        DatePicker::setTestPick([](DatePicker &picker) { emit control<QCalendarWidget>(&picker, "MonthView1")->clicked(QDate(2027, 1, 5)); });
        QTest::mouseClick(control<QPushButton>(dialog, "cmdCal"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(dialog, "cmdLookUp"), Qt::LeftButton);
        QCOMPARE(listedNames(plant.window), u"Crane"_s);
        control<QComboBox>(dialog, "cmbLookup")->setCurrentIndex(0);
        QVERIFY(!control<QPushButton>(dialog, "cmdCal")->isEnabled());
    }

    void displayModesKeepTheirSorts()
    {
        Plant plant;
        MainWindow &window = plant.window;
        // Before any lookup the lookup view is empty, also after a sort.
        window.action(QStringLiteral("mnuDispLookUp"))->trigger();
        QCOMPARE(window.panelText(1), u"Display Mode: Lookup"_s);
        QCOMPARE(window.grid()->rows(), 1);
        sortBy(window, Field::Name, Descending);
        QCOMPARE(window.grid()->rows(), 1);
        QCOMPARE(MessageBox::shownTexts(), QStringList());

        window.action(QStringLiteral("mnuAll"))->trigger();
        QCOMPARE(listedNames(window), u"Fan,Pump,Crane"_s);
        sortBy(window, Field::Name, Ascending);
        QCOMPARE(listedNames(window), u"Crane,Fan,Pump"_s);

        // Each view keeps its own sort.
        lookUp(window, Field::Location, QStringLiteral("hall*"));
        QCOMPARE(listedNames(window), u"Pump,Fan,Crane"_s);
        sortBy(window, Field::ServiceDate, Descending); // in the lookup view
        QCOMPARE(listedNames(window), u"Crane,Pump,Fan"_s);
        window.action(QStringLiteral("mnuAll"))->trigger();
        QCOMPARE(listedNames(window), u"Crane,Fan,Pump"_s);
        window.action(QStringLiteral("mnuDispLookUp"))->trigger();
        QCOMPARE(window.panelText(1), u"Display Mode: Lookup, Location= \"hall*\""_s);
        QCOMPARE(listedNames(window), u"Crane,Pump,Fan"_s);
    }
};

QTEST_MAIN(TestViewSettings)
#include "test_viewsettings.moc"
