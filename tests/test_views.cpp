// The date picker and the calendar window.

#include "TestSupport.h"

#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "gui/platform/MessageBox.h"
#include "core/platform/Twips.h"
#include "gui/platform/WindowUtil.h"
#include "core/shell/ItemListModel.h"
#include "gui/shell/ItemGrid.h"
#include "gui/shell/frmmain.h"
#include "gui/views/CalendarPanel.h"
#include "core/shell/DisplayText.h"
#include "core/views/PickerPlace.h"
#include "gui/views/frmCalendar.h"
#include "gui/views/lib_frmCal.h"

#include <QAction>
#include <QCalendarWidget>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

class TestViews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initTestEnvironment();
        initResources();
    }
    void cleanup();

    void pickerPlacement_data();
    void pickerPlacement();

    void pickerCancelKeepsText_data();
    void pickerCancelKeepsText();
    void pickedDayReplacesText();
    void pickerOpensOnTodayUnderTheBox();
    void yearButtons_data();
    void yearButtons();

    void calendarDayListsItemsDue();
    void calendarDayWithoutItems();
    void calendarStaysOnTopAndCloses();
};

namespace {

// A window with one date box, shown so that the box has a place on the screen.
struct BoxWindow {
    QWidget window;
    QLineEdit *box = new QLineEdit(&window);

    BoxWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        window.resize(300, 80);
        window.move(200, 150);
        window.show();
        QApplication::processEvents();
    }
};

} // namespace

void TestViews::cleanup()
{
    lib_frmCal::setTestPick(nullptr);
    closeAllWindows();
}

void TestViews::pickerPlacement_data()
{
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QPoint>("expected");
    // The picker is 250 x 200 on a screen area of 1000 x 800.
    const int shift = Twips::toPixels(1600);
    QTest::newRow("below the box") << QRect(300, 100, 200, 20) << QPoint(500 - shift, 120);
    QTest::newRow("pushed in from the right") << QRect(850, 100, 150, 20) << QPoint(750, 120);
    QTest::newRow("pushed in from the left") << QRect(0, 100, 50, 20) << QPoint(0, 120);
    QTest::newRow("above a box near the bottom") << QRect(300, 700, 200, 20) << QPoint(500 - shift, 500);
}

void TestViews::pickerPlacement()
{
    QFETCH(QRect, box);
    QFETCH(QPoint, expected);
    QCOMPARE(pickerPosition(box, QSize(250, 200), QRect(0, 0, 1000, 800)), expected);
}

void TestViews::pickerCancelKeepsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty box") << "";
    QTest::newRow("box with text") << "3/4/2025";
}

void TestViews::pickerCancelKeepsText()
{
    QFETCH(QString, text);
    BoxWindow form;
    form.box->setText(text);
    int opened = 0;
    lib_frmCal::setTestPick([&](lib_frmCal &picker) {
        ++opened;
        QCOMPARE(picker.value(), text);
        picker.MonthView1->setSelectedDate(QDate(2027, 1, 15)); // browsing does not pick
        QTest::mousePress(picker.cmdCancel, Qt::LeftButton);
        QCOMPARE(picker.result(), int(QDialog::Rejected));
    });
    lib_frmCal::GetValue(form.box);
    QCOMPARE(opened, 1);
    QCOMPARE(form.box->text(), text);
}

void TestViews::pickedDayReplacesText()
{
    BoxWindow form;
    form.box->setText(QStringLiteral("whatever was here"));
    lib_frmCal::setTestPick([](lib_frmCal &picker) {
        emit picker.MonthView1->clicked(QDate(2027, 2, 3));
        QCOMPARE(picker.result(), int(QDialog::Accepted));
    });
    lib_frmCal::GetValue(form.box);
    QCOMPARE(form.box->text(), QStringLiteral("2/3/2027"));
}

void TestViews::pickerOpensOnTodayUnderTheBox()
{
    BoxWindow form;
    QDate shown;
    QPoint where;
    QSize size;
    bool modal = false;
    lib_frmCal::setTestPick([&](lib_frmCal &picker) {
        shown = picker.MonthView1->selectedDate();
        where = picker.pos();
        size = picker.size();
        modal = picker.isModal();
    });
    lib_frmCal::GetValue(form.box);
    QCOMPARE(shown, QDate(2026, 12, 6));
    QVERIFY(modal);
    const QRect box(form.box->mapToGlobal(QPoint(0, 0)), form.box->size());
    QCOMPARE(where, pickerPosition(box, size, form.box->screen()->availableGeometry()));
    if (box.bottom() + size.height() < form.box->screen()->availableGeometry().bottom())
        QCOMPARE(where.y(), box.top() + box.height());
}

void TestViews::yearButtons_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("page"); // the month paged to before the press
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("next year") << QDate(2026, 12, 6) << QDate() << true << QDate(2027, 12, 6);
    QTest::newRow("29 February forward") << QDate(2028, 2, 29) << QDate() << true << QDate(2029, 2, 28);
    // From the month on show, not from the selected day.
    QTest::newRow("paged ahead, then next year") << QDate(2026, 12, 6) << QDate(2027, 3, 1) << true << QDate(2028, 3, 6);
    QTest::newRow("paged to a short month") << QDate(2027, 1, 31) << QDate(2027, 2, 1) << false << QDate(2026, 2, 28);
}

void TestViews::yearButtons()
{
    QFETCH(QDate, start);
    QFETCH(QDate, page);
    QFETCH(bool, forward);
    QFETCH(QDate, expected);
    CalendarPanel panel;
    panel.showDate(start);
    if (page.isValid())
        panel.MonthView1->setCurrentPage(page.year(), page.month());
    QTest::mousePress(forward ? panel.cmdNextYear : panel.cmdPrevYear, Qt::LeftButton);
    QCOMPARE(panel.MonthView1->selectedDate(), expected);
    QCOMPARE(panel.MonthView1->yearShown(), expected.year());
    QCOMPARE(panel.MonthView1->monthShown(), expected.month());
}

void TestViews::calendarDayListsItemsDue()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    const qint64 due = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Pump")},
                                            {QStringLiteral("servicedate"), QStringLiteral("2026-12-20")}});
    const qint64 alsoDue = world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Fan")},
                                                {QStringLiteral("servicedate"), QStringLiteral("2026-12-20")}});
    world.addItem(company, {{QStringLiteral("Name"), QStringLiteral("Crane")},
                            {QStringLiteral("servicedate"), QStringLiteral("2026-12-21")}});
    frmmain window;
    window.load();
    gv().SortFieldLookup = Field::Hazmat;
    gv().SortOrderLookup = Descending;
    QCOMPARE(window.grid()->rows(), 4);

    window.action(QStringLiteral("mnuCalendar"))->trigger();
    frmCalendar *calendar = showCalendar();
    emit calendar->panel()->MonthView1->clicked(QDate(2026, 12, 20));

    QCOMPARE(gv().DisplayMode, int(LookupDisplay));
    QCOMPARE(gv().LookupField, Field::ServiceDate);
    QCOMPARE(gv().LookupValue, QStringLiteral("12/20/2026"));
    QCOMPARE(window.panelText(1), QStringLiteral("Display Mode: Lookup, ServiceDate= \"12/20/2026\""));
    QCOMPARE(window.grid()->rows(), 3);
    QVector<qint64> listed = {window.grid()->itemModel()->itemIdAt(1), window.grid()->itemModel()->itemIdAt(2)};
    std::sort(listed.begin(), listed.end());
    QCOMPARE(listed, QVector<qint64>({due, alsoDue}));
    QCOMPARE(MessageBox::shownTexts(), QStringList());
    // The lookup view's own sort settings are neither used nor changed.
    QCOMPARE(gv().SortFieldLookup, Field::Hazmat);
    QCOMPARE(gv().SortOrderLookup, int(Descending));
    QVERIFY(calendar->isVisible());
}

void TestViews::calendarDayWithoutItems()
{
    TestWorld world;
    world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")},
                                                             {QStringLiteral("servicedate"), QStringLiteral("2026-12-20")}});
    frmmain window;
    window.load();
    window.action(QStringLiteral("mnuCalendar"))->trigger();
    frmCalendar *calendar = showCalendar();
    emit calendar->panel()->MonthView1->clicked(QDate(2027, 1, 2));
    QCOMPARE(window.panelText(1), QStringLiteral("Display Mode: Lookup, ServiceDate= \"1/2/2027\""));
    QCOMPARE(window.grid()->rows(), 1);
    QCOMPARE(gv().LookupValue, QStringLiteral("1/2/2027"));
}

void TestViews::calendarStaysOnTopAndCloses()
{
    TestWorld world;
    QPointer<frmCalendar> calendar = showCalendar();
    QVERIFY(calendar->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(calendar->panel()->MonthView1->selectedDate(), QDate(2026, 12, 6));
    QCOMPARE(showCalendar(), calendar.data());
    QTest::mousePress(calendar->panel()->cmdCancel, Qt::LeftButton);
    QTRY_VERIFY(!calendar);
}

QTEST_MAIN(TestViews)
#include "test_views.moc"
