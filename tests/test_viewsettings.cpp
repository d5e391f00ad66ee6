// Column settings, the Sort and Lookup dialogs and the two display modes.

#include "TestSupport.h"

#include "core/data/ColumnLayout.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "core/shell/ItemListModel.h"
#include "core/views/ColumnSettings.h"
#include "core/views/ViewRules.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"
#include "gui/shell/ItemGrid.h"
#include "gui/shell/frmmain.h"
#include "gui/views/frmColumns.h"
#include "gui/views/frmLookup.h"
#include "gui/views/frmSort.h"
#include "gui/views/lib_frmCal.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

class TestViewSettings : public QObject
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
        lib_frmCal::setTestPick(nullptr);
        closeAllWindows();
    }

    void columnEdits_data();
    void columnEdits();
    void columnsReadAsTheGridReadsThem();
    void columnsWriteInOneTransaction();
    void columnBoxKeys_data();
    void columnBoxKeys();
    void columnsWindowEditsInPlace();
    void columnsOkRebuildsGridAndSurvivesRestart();
    void columnsCancelWritesNothing();

    void sortDialog_data();
    void sortDialog();
    void lookupDialog_data();
    void lookupDialog();
    void lookupBoxKeys_data();
    void lookupBoxKeys();
    void lookupDialogState();
    void lookupValueFoundExactly_data();
    void lookupValueFoundExactly();
    void displayModesKeepTheirSorts();
};

namespace {

// 25 columns; Name, Tag, Location and Service Date shown at 1..4.
ColumnSettings fourShown()
{
    QVector<ColumnSettings::Row> rows;
    const QMap<int, QPair<QString, QString>> shown = {{0, {"1", "2400"}}, {1, {"2", "1200"}}, {2, {"3", "2010"}},
                                                      {7, {"4", "1500"}}};
    for (int id = 0; id < Column::Count; ++id)
        rows.append({id, QStringLiteral("c%1").arg(id), shown.value(id).first, shown.value(id).second});
    return ColumnSettings(rows);
}

// The shown columns in place order with their widths: "2:2010,1:1200".
QString shownColumns(const ColumnSettings &settings)
{
    QMap<int, QString> byPlace;
    for (int i = 0; i < settings.rowCount(); ++i) {
        if (settings.row(i).shown())
            byPlace.insert(settings.row(i).place.toInt(), QStringLiteral("%1:%2").arg(settings.row(i).id).arg(settings.row(i).size));
    }
    return QStringList(byPlace.values()).join(u',');
}

// The Columns table as text, for "nothing changed".
QString columnsTable()
{
    QStringList rows;
    Statement query(db(), QStringLiteral("SELECT ID, size, ColLocation FROM Columns ORDER BY ID"));
    while (query.next())
        rows << query.text(0) + u'/' + query.text(1) + u'/' + query.text(2);
    return rows.join(u' ');
}

QStringList gridHeadings(frmmain &window)
{
    QStringList headings;
    for (int c = 1; c < window.grid()->model()->columnCount(); ++c)
        headings << window.grid()->model()->headerData(c, Qt::Horizontal).toString();
    return headings;
}

QVector<qint64> listedIds(frmmain &window)
{
    QVector<qint64> ids;
    for (int row = 1; row < window.grid()->rows(); ++row)
        ids << window.grid()->itemModel()->itemIdAt(row);
    return ids;
}

void clickCell(frmColumns *window, int row, int column)
{
    const QRect cell = window->flxCols->visualRect(window->flxCols->model()->index(row, column));
    QTest::mouseClick(window->flxCols->viewport(), Qt::LeftButton, {}, cell.center());
}

void paste(QLineEdit *box, const QString &text)
{
    QApplication::clipboard()->setText(text);
    box->selectAll();
    box->paste();
}

// Types key by key through the box's filter; "\b" is Backspace.
void typeInto(QLineEdit *box, const QString &keys)
{
    for (QChar c : keys) {
        if (c == u'\b')
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, QString(c));
    }
}

// A lookup through the main window's Lookup menu and the dialog.
void lookUp(frmmain &window, int position, const QString &value)
{
    window.action(QStringLiteral("mnuLookupBy_%1").arg(position))->trigger();
    frmLookup *dialog = showLookupDialog(std::nullopt);
    dialog->cmbLookup->setCurrentIndex(position);
    dialog->txtLookUp->setText(value);
    QTest::mouseClick(dialog->cmdLookUp, Qt::LeftButton);
}

// A sort through View > Sort and the dialog.
void sortBy(frmmain &window, int position, bool descending)
{
    window.action(QStringLiteral("mnuSort"))->trigger();
    frmSort *dialog = showSortDialog(std::nullopt);
    dialog->cmbSort->setCurrentIndex(position);
    (descending ? dialog->optDescending : dialog->optAscending)->setChecked(true);
    QTest::mouseClick(dialog->cmdSort, Qt::LeftButton);
}

// A small plant: Pump (due 12/20), Fan (due 12/10), Crane (due 1/5) at three locations.
struct Plant {
    TestWorld world;
    qint64 pump, fan, crane;
    frmmain window;
    Plant()
    {
        const qint64 acme = world.addCompany(QStringLiteral("Acme"));
        auto item = [&](const char *name, const char *due, const char *location, const char *tools) {
            return world.addItem(acme, {{"Name", name}, {"servicedate", due}, {"location", location},
                                        {"tools", tools}, {"leadtime", 5}});
        };
        pump = item("Pump", "2026-12-20", "Hall B", "drill\r\nwrench");
        fan = item("Fan", "2026-12-10", "Hall C", "");
        crane = item("Crane", "2027-01-05", "Hall A", "wrench");
        window.load();
    }
};

} // namespace

void TestViewSettings::columnEdits_data()
{
    QTest::addColumn<QStringList>("steps"); // p<row>=<text> place, s<row>=<text> size, +<row> show, -<row> hide
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("shown");
    const QString start = "0:2400,1:1200,2:2010,7:1500";
    const QString exceeds = PlaceTooHighMessage, invalid = InvalidValueMessage, empty = EnterDataMessage;
    QTest::newRow("place 1 swaps with the first") << QStringList{"p2=1"} << QStringList() << "2:2010,1:1200,0:2400,7:1500";
    QTest::newRow("01 is place 1") << QStringList{"p7=01"} << QStringList() << "7:1500,1:1200,2:2010,0:2400";
    QTest::newRow("own place") << QStringList{"p1=2"} << QStringList() << start;
    QTest::newRow("0 refused") << QStringList{"p1=0"} << QStringList{invalid} << start;
    QTest::newRow("00 refused") << QStringList{"p1=00"} << QStringList{invalid} << start;
    QTest::newRow("above n") << QStringList{"p1=5"} << QStringList{exceeds} << start;
    QTest::newRow("far above n") << QStringList{"p1=99999999999999999999"} << QStringList{exceeds} << start;
    QTest::newRow("empty place") << QStringList{"p1="} << QStringList{empty} << start;
    QTest::newRow("hidden column has no place") << QStringList{"p5=1"} << QStringList{invalid} << start;
    QTest::newRow("hide place 2 of 4") << QStringList{"-1"} << QStringList() << "0:2400,2:2010,7:1500";
    QTest::newRow("show a fifth") << QStringList{"+5"} << QStringList() << start + ",5:1500";
    QTest::newRow("hide then show again") << QStringList{"-0", "+0"} << QStringList() << "1:1200,2:2010,7:1500,0:1500";
    QTest::newRow("show shown, hide hidden") << QStringList{"+0", "-5"} << QStringList() << start;
    QTest::newRow("hide all, show one") << QStringList{"-0", "-7", "-2", "-1", "+4"} << QStringList() << "4:1500";
    QTest::newRow("size as plain number") << QStringList{"s0=0050"} << QStringList() << "0:50,1:1200,2:2010,7:1500";
    QTest::newRow("size 0 and 9999") << QStringList{"s0=0", "s1=9999"} << QStringList() << "0:0,1:9999,2:2010,7:1500";
    QTest::newRow("empty size") << QStringList{"s0="} << QStringList{empty} << start;
    QTest::newRow("long sequence")
        << QStringList{"p7=1", "-1", "+3", "p3=2", "-7", "p0=4", "p2=3", "+24", "p24=1"}
        << QStringList{exceeds} << "24:1500,0:2400,2:2010,3:1500";
}

void TestViewSettings::columnEdits()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, messages);
    QFETCH(QString, shown);
    ColumnSettings settings = fourShown();
    QStringList said;
    for (const QString &step : steps) {
        const int row = step.mid(1).section(u'=', 0, 0).toInt();
        if (step.startsWith(u'+') || step.startsWith(u'-'))
            settings.setShown(row, step.startsWith(u'+'));
        else if (const QString message = settings.validate(row, step.startsWith(u'p') ? ColumnSettings::PlaceCell
                                                                                      : ColumnSettings::SizeCell,
                                                            step.section(u'=', 1));
                 !message.isEmpty())
            said << message;
        QVERIFY2(settings.isConsistent(), qPrintable(step));
    }
    QCOMPARE(said, messages);
    QCOMPARE(shownColumns(settings), shown);
}

void TestViewSettings::columnsReadAsTheGridReadsThem()
{
    TestWorld world;
    // Gaps, a tie, a Null width, a stray ID and a missing row.
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 0"));
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 7, size = NULL WHERE ID = 4"));
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 3 WHERE ID IN (9, 2)"));
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 12 WHERE ID = 1"));
    Execute(db(), QStringLiteral("DELETE FROM Columns WHERE ID = 20"));
    Execute(db(), QStringLiteral("INSERT INTO Columns (ID, name, size, ColLocation) VALUES (40, 'x', 1, 1)"));
    const ColumnSettings settings = ColumnSettings::read(db());
    QCOMPARE(settings.rowCount(), 24);
    QCOMPARE(settings.shownCount(), 4);
    QVERIFY(settings.isConsistent());
    QCOMPARE(shownColumns(settings), QStringLiteral("2:2010,9:1500,4:1500,1:1200"));
    const ColumnLayout layout = ColumnLayout::read(db());
    for (int i = 0; i < settings.rowCount(); ++i)
        QCOMPARE(settings.row(i).place.toInt(), layout.colLoc.at(settings.row(i).id));
}

void TestViewSettings::columnsWriteInOneTransaction()
{
    TestWorld world;
    Execute(db(), QStringLiteral("DELETE FROM Columns WHERE ID = 3"));
    ColumnSettings settings = ColumnSettings::read(db());
    settings.setShown(0, false);  // Name, stored width kept
    settings.setShown(22, true); // Custom 3 (row 22 is ID 23: ID 3 is missing)
    QCOMPARE(settings.row(22).id, 23);
    QVERIFY(settings.validate(1, ColumnSettings::SizeCell, QStringLiteral("0777")).isEmpty());

    // A statement failing half way leaves the table as it was.
    const QString before = columnsTable();
    Execute(db(), QStringLiteral("CREATE TRIGGER stop BEFORE UPDATE ON Columns WHEN NEW.ID = 20 "
                                 "BEGIN SELECT RAISE(ABORT, 'stopped'); END"));
    QVERIFY_THROWS_EXCEPTION(DbError, settings.write(db()));
    QCOMPARE(columnsTable(), before);

    Execute(db(), QStringLiteral("DROP TRIGGER stop"));
    settings.write(db());
    QCOMPARE(world.scalar("SELECT count(*) FROM Columns").toInt(), 24);
    QCOMPARE(world.scalar("SELECT size || '/' || ColLocation FROM Columns WHERE ID = 0").toString(), "2400/0");
    QCOMPARE(world.scalar("SELECT size || '/' || ColLocation FROM Columns WHERE ID = 1").toString(), "777/1");
    QCOMPARE(world.scalar("SELECT size || '/' || ColLocation FROM Columns WHERE ID = 23").toString(), "1500/6");
    QCOMPARE(ColumnSettings::read(db()).row(22).place, QStringLiteral("6"));
}

void TestViewSettings::columnBoxKeys_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted"); // replaces the whole box afterwards; empty: no paste
    QTest::addColumn<QString>("expected");
    const int place = ColumnSettings::PlaceCell, size = ColumnSettings::SizeCell;
    QTest::newRow("place digits") << place << "12" << "" << "12";
    QTest::newRow("place letters refused") << place << "1a-2 " << "" << "12";
    QTest::newRow("size fifth digit refused") << size << "123456" << "" << "1234";
    QTest::newRow("size backspace at four") << size << "1234\b5" << "" << "1235";
    QTest::newRow("paste digits") << place << "" << "3" << "3";
    QTest::newRow("paste text refused") << place << "2" << "3x" << "2";
    QTest::newRow("paste five size digits refused") << size << "12" << "12345" << "12";
}

void TestViewSettings::columnBoxKeys()
{
    QFETCH(int, cell);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    TestWorld world;
    frmColumns *window = showColumnSettings();
    clickCell(window, 0, cell);
    QVERIFY(window->txtDataEntry->isVisible());
    window->txtDataEntry->clear();
    typeInto(window->txtDataEntry, typed);
    if (!pasted.isEmpty())
        paste(window->txtDataEntry, pasted);
    QCOMPARE(window->txtDataEntry->text(), expected);
}

void TestViewSettings::columnsWindowEditsInPlace()
{
    TestWorld world;
    frmColumns *window = showColumnSettings();
    QCOMPARE(window->windowTitle(), QStringLiteral("Column Settings"));
    QCOMPARE(window->flxCols->rowCount(), 25);
    QCOMPARE(window->flxCols->item(7, 0)->text(), QStringLiteral("Service Date"));
    QCOMPARE(window->flxCols->item(7, 1)->text(), QStringLiteral("4"));
    QCOMPARE(window->flxCols->item(3, 3)->text(), QStringLiteral("NO"));

    // A hidden column's place opens no editor; the name never does.
    clickCell(window, 3, ColumnSettings::PlaceCell);
    QVERIFY(!window->txtDataEntry->isVisible());
    clickCell(window, 0, ColumnSettings::NameCell);
    QVERIFY(!window->txtDataEntry->isVisible() && !window->cmbYN->isVisible());

    // Service Date to place 1 by typing; Name takes its place 4.
    clickCell(window, 7, ColumnSettings::PlaceCell);
    QCOMPARE(window->txtDataEntry->text(), QStringLiteral("4"));
    QCOMPARE(window->txtDataEntry->geometry(), window->flxCols->visualRect(window->flxCols->model()->index(7, 1)));
    window->txtDataEntry->clear();
    QTest::keyClick(window->txtDataEntry, Qt::Key_Return);
    QCOMPARE(MessageBox::lastText(), QString::fromLatin1(EnterDataMessage));
    QVERIFY(window->txtDataEntry->isVisible());
    QTest::keyClicks(window->txtDataEntry, QStringLiteral("01"));
    QTest::keyClick(window->txtDataEntry, Qt::Key_Return);
    QVERIFY(!window->txtDataEntry->isVisible());
    QCOMPARE(window->flxCols->item(7, 1)->text(), QStringLiteral("1"));
    QCOMPARE(window->flxCols->item(0, 1)->text(), QStringLiteral("4"));

    // Display NO on Tag closes the gap; YES on Hazmat appends it with width 1500.
    clickCell(window, 1, ColumnSettings::DisplayCell);
    QVERIFY(window->cmbYN->isVisible());
    QCOMPARE(window->cmbYN->currentText(), QStringLiteral("YES"));
    emit window->cmbYN->activated(1);
    QCOMPARE(window->flxCols->item(1, 1)->text(), QString());
    QCOMPARE(window->flxCols->item(1, 3)->text(), QStringLiteral("NO"));
    QCOMPARE(window->flxCols->item(2, 1)->text(), QStringLiteral("2"));
    clickCell(window, 3, ColumnSettings::DisplayCell);
    QCOMPARE(window->cmbYN->currentText(), QStringLiteral("NO"));
    emit window->cmbYN->activated(0);
    QCOMPARE(window->flxCols->item(3, 1)->text(), QStringLiteral("6"));
    QCOMPARE(window->flxCols->item(3, 2)->text(), QStringLiteral("1500"));
    QVERIFY(window->settings().isConsistent());
}

void TestViewSettings::columnsOkRebuildsGridAndSurvivesRestart()
{
    Plant plant;
    frmmain &window = plant.window;
    lookUp(window, 2, QStringLiteral("Hall B"));
    window.rowClicked(1, 1);
    QVERIFY(!window.noItemSelected());
    QPointer<frmLookup> lookup = showLookupDialog(0);
    window.action(QStringLiteral("mnuEditColumns"))->trigger();
    QVERIFY(!lookup); // opening the settings closed it

    frmColumns *columns = showColumnSettings();
    columns->flxCols->setCurrentCell(1, ColumnSettings::DisplayCell);
    QTest::keyClick(columns->flxCols, Qt::Key_F2); // the keyboard opens the editors too
    QVERIFY(columns->cmbYN->isVisible());
    emit columns->cmbYN->activated(1); // Tag hidden
    clickCell(columns, 7, ColumnSettings::PlaceCell);
    columns->txtDataEntry->setText(QStringLiteral("1"));
    QTest::keyClick(columns->txtDataEntry, Qt::Key_Enter); // Service Date first
    clickCell(columns, 0, ColumnSettings::SizeCell);        // Name typed wider, OK without Enter
    columns->txtDataEntry->setText(QStringLiteral("3000"));
    QTest::mouseClick(columns->cmdOK, Qt::LeftButton);
    QVERIFY(!columns->isVisible());

    QCOMPARE(columnsTable().section(u' ', 0, 1), QStringLiteral("0/3000/3 1/1200/0"));
    const QStringList expected = {"Service Date", "Location", "Name", "Company", "Replacement Part(s)"};
    QCOMPARE(gridHeadings(window), expected);
    QCOMPARE(window.grid()->columnWidth(3), 200);
    QCOMPARE(listedIds(window), QVector<qint64>({plant.fan, plant.pump, plant.crane}));
    QVERIFY(window.noItemSelected());
    QCOMPARE(window.panelText(1), QStringLiteral("Display Mode: All"));
    QCOMPARE(gv().DisplayMode, int(AllDisplay));

    // Widened by dragging, then a restart.
    window.grid()->setColumnWidth(2, 150);
    window.close();
    QVERIFY(OpenDatabase());
    frmmain restarted;
    restarted.load();
    QCOMPARE(gridHeadings(restarted), expected);
    QCOMPARE(restarted.grid()->columnWidth(2), 150);
    QCOMPARE(restarted.grid()->columnWidth(3), 200);
}

void TestViewSettings::columnsCancelWritesNothing()
{
    Plant plant;
    const QString before = columnsTable();
    const QStringList headings = gridHeadings(plant.window);
    frmColumns *columns = showColumnSettings();
    clickCell(columns, 0, ColumnSettings::DisplayCell);
    emit columns->cmbYN->activated(1);
    clickCell(columns, 1, ColumnSettings::SizeCell);
    columns->txtDataEntry->setText(QStringLiteral("99"));
    QTest::keyClick(columns->txtDataEntry, Qt::Key_Return);
    QTest::mouseClick(columns->cmdCancel, Qt::LeftButton);
    QVERIFY(!columns->isVisible());
    QCOMPARE(columnsTable(), before);
    QCOMPARE(gridHeadings(plant.window), headings);
}

void TestViewSettings::sortDialog_data()
{
    QTest::addColumn<bool>("lookupMode");
    QTest::addColumn<int>("menuField"); // -1: the toolbar's Sort, no entry chosen
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("first"); // the first item listed; empty: not checked
    QTest::newRow("by Service Date") << false << -1 << -1 << 6 << false << 7 << "Fan";
    QTest::newRow("by ID descending") << false << -1 << -1 << 22 << true << 23 << "Crane";
    QTest::newRow("by Serial") << false << -1 << -1 << 5 << false << 5 << "";
    QTest::newRow("by Location descending") << false << -1 << -1 << 2 << true << 2 << "Fan";
    QTest::newRow("menu by Custom 2") << false << 21 << 20 << 20 << false << 21 << "";
    QTest::newRow("menu by ID") << false << 23 << 22 << 22 << false << 23 << "Pump";
    QTest::newRow("menu by Serial") << false << 5 << 5 << 5 << false << 5 << "";
    QTest::newRow("menu by Service Date") << false << 7 << 6 << 6 << true << 7 << "Crane";
    QTest::newRow("lookup view by Name descending") << true << 0 << 0 << 0 << true << 0 << "Pump";
    QTest::newRow("lookup view by Lead Time") << true << -1 << -1 << 12 << false << 13 << "";
}

void TestViewSettings::sortDialog()
{
    QFETCH(bool, lookupMode);
    QFETCH(int, menuField);
    QFETCH(int, preset);
    QFETCH(int, position);
    QFETCH(bool, descending);
    QFETCH(int, field);
    QFETCH(QString, first);
    Plant plant;
    if (lookupMode)
        lookUp(plant.window, 2, QStringLiteral("Hall*"));
    const GlobalVars before = gv();
    plant.window.action(menuField < 0 ? QStringLiteral("tbSort") : QStringLiteral("mnuSortby_%1").arg(menuField))->trigger();
    QPointer<frmSort> dialog = showSortDialog(std::nullopt);
    QVERIFY(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(dialog->cmbSort->count(), 23);
    QCOMPARE(dialog->cmbSort->currentIndex(), preset);
    QCOMPARE(dialog->cmdSort->isEnabled(), preset >= 0);
    QVERIFY(dialog->optAscending->isChecked());
    dialog->cmbSort->setCurrentIndex(position);
    QVERIFY(dialog->cmdSort->isEnabled());
    (descending ? dialog->optDescending : dialog->optAscending)->setChecked(true);
    if (menuField >= 0)
        QTest::keyClick(dialog->cmbSort, Qt::Key_Return); // Enter in the list sorts
    else
        QTest::mouseClick(dialog->cmdSort, Qt::LeftButton);
    QTRY_VERIFY(!dialog);

    const GlobalVars &g = gv();
    QCOMPARE(int(lookupMode ? g.SortFieldLookup : g.SortFieldAll), field);
    QCOMPARE(lookupMode ? g.SortOrderLookup : g.SortOrderAll, int(descending));
    // The other view's sort stays as it was.
    QCOMPARE(lookupMode ? g.SortFieldAll : g.SortFieldLookup, lookupMode ? before.SortFieldAll : before.SortFieldLookup);
    QCOMPARE(lookupMode ? g.SortOrderAll : g.SortOrderLookup, lookupMode ? before.SortOrderAll : before.SortOrderLookup);
    QCOMPARE(plant.window.grid()->rows(), 4);
    if (!first.isEmpty())
        QCOMPARE(plant.window.grid()->itemModel()->cellText(1, Column::Name), first);
    // The rows sorted in place stand as a fresh load puts them, ties included.
    const QVector<qint64> sorted = listedIds(plant.window);
    plant.window.LoadGrid(field, descending, lookupMode ? g.LookupValue : QString(), g.LookupField);
    QCOMPARE(listedIds(plant.window), sorted);
}

void TestViewSettings::lookupDialog_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("status"); // empty: refused, nothing changes
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("listed");
    QTest::newRow("by Reference Manuals") << 16 << "x" << 18 << "Display Mode: Lookup, RefManuals= \"x\""
                                          << "Lookup query not found" << 0;
    QTest::newRow("by ID") << 21 << "2" << 23 << "Display Mode: Lookup, ID= \"2\"" << "" << 1;
    QTest::newRow("by Company") << 15 << "acme" << 16 << "Display Mode: Lookup, Company= \"acme\"" << "" << 3;
    QTest::newRow("by Tools") << 10 << "drill" << 11 << "Display Mode: Lookup, Tools= \"*drill\"" << "" << 1;
    QTest::newRow("by Equipment Locked") << 17 << "x" << 19 << "Display Mode: Lookup, Locked= \"*x\""
                                         << "Lookup query not found" << 0;
    QTest::newRow("by Service Date") << 6 << "12/20/2026" << 7 << "Display Mode: Lookup, ServiceDate= \"12/20/2026\""
                                     << "" << 1;
    QTest::newRow("by Lead Time") << 12 << "5" << 13 << "Display Mode: Lookup, LeadTime= \"5\"" << "" << 3;
    QTest::newRow("no such date") << 6 << "2/30/2027" << 7 << "" << "Date has incorrect form" << 3;
}

void TestViewSettings::lookupDialog()
{
    QFETCH(int, position);
    QFETCH(QString, typed);
    QFETCH(int, field);
    QFETCH(QString, status);
    QFETCH(QString, message);
    QFETCH(int, listed);
    Plant plant;
    plant.window.action(QStringLiteral("mnuLookupBy_%1").arg(position))->trigger();
    frmLookup *dialog = showLookupDialog(std::nullopt);
    QCOMPARE(dialog->cmbLookup->count(), 22);
    QCOMPARE(dialog->cmbLookup->currentIndex(), position);
    QTest::keyClicks(dialog->txtLookUp, typed);
    QTest::keyClick(dialog->txtLookUp, Qt::Key_Return);

    QCOMPARE(MessageBox::shownTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(plant.window.grid()->rows(), listed + 1);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->cmbLookup->currentIndex(), position);
    if (status.isEmpty()) {
        QCOMPARE(dialog->txtLookUp->text(), typed); // kept for correcting
        QCOMPARE(gv().LookupValue, QString());
        QCOMPARE(plant.window.panelText(1), QStringLiteral("Display Mode: All"));
        return;
    }
    QCOMPARE(dialog->txtLookUp->text(), QString()); // ready for the next lookup
    QCOMPARE(int(gv().LookupField), field);
    QCOMPARE(gv().DisplayMode, int(LookupDisplay));
    QCOMPARE(plant.window.panelText(1), status);
}

void TestViewSettings::lookupBoxKeys_data()
{
    QTest::addColumn<int>("position"); // -1: none chosen
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted"); // over the whole box; empty: no paste
    QTest::addColumn<QString>("expected");
    const QString fifty(50, u'1');
    QTest::newRow("lead time: digits only") << 12 << "a5b6-" << "" << "56";
    QTest::newRow("date installed: digits and slash") << 11 << "1/2x/2027" << "" << "1/2/2027";
    QTest::newRow("ID: digits only") << 21 << "1.5" << "" << "15";
    QTest::newRow("name: anything") << 0 << "a*'%_ \"1" << "" << "a*'%_ \"1";
    QTest::newRow("none chosen: anything") << -1 << "x/y" << "" << "x/y";
    QTest::newRow("51st character, text") << 0 << fifty + "a" << "" << fifty;
    QTest::newRow("51st character, number") << 13 << fifty + "2" << "" << fifty;
    QTest::newRow("51st character, date") << 8 << fifty + "/" << "" << fifty;
    QTest::newRow("backspace at 50") << 0 << fifty + "\b2" << "" << QString(49, u'1') + "2";
    QTest::newRow("letters pasted into a number") << 12 << "5" << "12a" << "5";
    QTest::newRow("date pasted into a date") << 6 << "" << "1/2/2027" << "1/2/2027";
    QTest::newRow("anything pasted into text") << 1 << "" << "x'y%" << "x'y%";
}

void TestViewSettings::lookupBoxKeys()
{
    QFETCH(int, position);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    TestWorld world;
    frmLookup *dialog = showLookupDialog(position < 0 ? std::nullopt : std::optional<int>(position));
    typeInto(dialog->txtLookUp, typed);
    if (!pasted.isEmpty())
        paste(dialog->txtLookUp, pasted);
    QCOMPARE(dialog->txtLookUp->text(), expected);
}

void TestViewSettings::lookupDialogState()
{
    Plant plant;
    plant.window.action(QStringLiteral("tbFind"))->trigger();
    QPointer<frmLookup> dialog = showLookupDialog(3);
    QCOMPARE(showLookupDialog(5), dialog.data()); // exists once, shown as it was
    QVERIFY(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(dialog->cmbLookup->currentIndex(), -1);
    QVERIFY(!dialog->cmdCal->isEnabled() && !dialog->cmdLookUp->isEnabled());
    QTest::keyClicks(dialog->txtLookUp, QStringLiteral("Pump"));
    QVERIFY(!dialog->cmdLookUp->isEnabled()); // no entry chosen
    QTest::keyClick(dialog->txtLookUp, Qt::Key_Return);
    QCOMPARE(gv().LookupValue, QString());

    dialog->cmbLookup->setCurrentIndex(11); // by Date Installed
    QCOMPARE(dialog->txtLookUp->text(), QString());
    QVERIFY(dialog->cmdCal->isEnabled() && !dialog->cmdLookUp->isEnabled());
    lib_frmCal::setTestPick([](lib_frmCal &picker) { emit picker.MonthView1->clicked(QDate(2027, 1, 5)); });
    QTest::mouseClick(dialog->cmdCal, Qt::LeftButton);
    QCOMPARE(dialog->txtLookUp->text(), QStringLiteral("1/5/2027"));
    QVERIFY(dialog->cmdLookUp->isEnabled());
    dialog->txtLookUp->clear();
    QVERIFY(!dialog->cmdLookUp->isEnabled());
    dialog->cmbLookup->setCurrentIndex(6); // by Service Date
    QTest::keyClicks(dialog->txtLookUp, QStringLiteral("1/5/2027"));
    QTest::mouseClick(dialog->cmdLookUp, Qt::LeftButton);
    QCOMPARE(listedIds(plant.window), QVector<qint64>({plant.crane}));
    dialog->cmbLookup->setCurrentIndex(0);
    QVERIFY(!dialog->cmdCal->isEnabled());
    QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    QTRY_VERIFY(!dialog);
    QCOMPARE(listedIds(plant.window), QVector<qint64>({plant.crane})); // the view stays
}

void TestViewSettings::lookupValueFoundExactly_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("decoy");
    QTest::newRow("quotes") << 0 << "Name" << "O'Brien \"big\" pump" << "O'Brien big pump";
    QTest::newRow("percent anywhere") << 10 << "tools" << "50% torque" << "50 and more torque";
    QTest::newRow("underscore anywhere") << 17 << "Locked" << "valve_a" << "valveXa";
    QTest::newRow("a field name") << 1 << "Tag" << "Tag" << "T-1";
    QTest::newRow("SQL text") << 2 << "location" << "x' OR 1=1 --" << "x";
}

void TestViewSettings::lookupValueFoundExactly()
{
    QFETCH(int, position);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, decoy);
    TestWorld world;
    const qint64 acme = world.addCompany(QStringLiteral("Acme"));
    const qint64 wanted = world.addItem(acme, {{field, value}});
    world.addItem(acme, {{field, decoy}});
    frmmain window;
    window.load();
    lookUp(window, position, value);
    QCOMPARE(listedIds(window), QVector<qint64>({wanted}));
    QCOMPARE(MessageBox::shownTexts(), QStringList());
}

void TestViewSettings::displayModesKeepTheirSorts()
{
    Plant plant;
    frmmain &window = plant.window;
    auto names = [&] {
        QStringList listed;
        for (int row = 1; row < window.grid()->rows(); ++row)
            listed << window.grid()->itemModel()->cellText(row, Column::Name);
        return listed.join(u',');
    };
    // Before any lookup the lookup view is empty, also after a sort.
    window.action(QStringLiteral("mnuDispLookUp"))->trigger();
    QCOMPARE(window.panelText(1), QStringLiteral("Display Mode: Lookup"));
    QCOMPARE(window.grid()->rows(), 1);
    sortBy(window, 0, true);
    QCOMPARE(window.grid()->rows(), 1);
    QCOMPARE(MessageBox::shownTexts(), QStringList());

    window.action(QStringLiteral("mnuAll"))->trigger();
    QCOMPARE(window.panelText(1), QStringLiteral("Display Mode: All"));
    QCOMPARE(names(), QStringLiteral("Fan,Pump,Crane"));
    sortBy(window, 0, false);
    QCOMPARE(names(), QStringLiteral("Crane,Fan,Pump"));

    lookUp(window, 2, QStringLiteral("hall*"));
    QCOMPARE(window.panelText(1), QStringLiteral("Display Mode: Lookup, Location= \"hall*\""));
    QCOMPARE(names(), QStringLiteral("Pump,Fan,Crane"));
    window.action(QStringLiteral("mnuAll"))->trigger();
    QCOMPARE(names(), QStringLiteral("Crane,Fan,Pump"));
    window.action(QStringLiteral("mnuDispLookUp"))->trigger();
    QCOMPARE(window.panelText(1), QStringLiteral("Display Mode: Lookup, Location= \"hall*\""));
    QCOMPARE(names(), QStringLiteral("Pump,Fan,Crane"));
    QCOMPARE(gv().SortFieldAll, Field::Name);
    QCOMPARE(gv().SortOrderAll, int(Ascending));
    QCOMPARE(gv().SortOrderLookup, int(Descending));
}

QTEST_MAIN(TestViewSettings)
#include "test_viewsettings.moc"
