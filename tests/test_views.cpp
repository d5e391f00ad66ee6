// The date picker and the calendar window.

#include "TestSupport.h"

#include "core/itemlist/ItemListModel.h"
#include "core/platform/Twips.h"
#include "core/views/CalendarMarks.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/MessageBox.h"
#include "gui/views/CalendarPanel.h"
#include "gui/views/CalendarWindow.h"
#include "gui/views/DatePicker.h"
#include "gui/views/PickerPlace.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

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

class TestViews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }
    void cleanup()
    {
        DatePicker::setTestPick(nullptr);
        closeAllWindows();
    }

    void pickerPlacement_data()
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
    void pickerPlacement()
    {
        QFETCH(QRect, box);
        QTEST(pickerPosition(box, QSize(250, 200), QRect(0, 0, 1000, 800)), "expected");
    }

    void pickerCancelsOrPicks()
    {
        BoxWindow form;
        form.box->setText(QStringLiteral("3/4/2025"));
        QDate shown;
        QRect where;
        DatePicker::setTestPick([&](DatePicker &picker) {
            QVERIFY(picker.isModal());
            shown = control<QCalendarWidget>(&picker, "MonthView1")->selectedDate();
            where = QRect(picker.pos(), picker.size());
            QCOMPARE(picker.value(), QStringLiteral("3/4/2025"));
            control<QCalendarWidget>(&picker, "MonthView1")->setSelectedDate(QDate(2027, 1, 15)); // browsing does not pick
            QTest::mousePress(control<QPushButton>(&picker, "cmdCancel"), Qt::LeftButton);
            QCOMPARE(picker.result(), int(QDialog::Rejected));
        });
        DatePicker::pickInto(form.box);
        QCOMPARE(form.box->text(), QStringLiteral("3/4/2025"));
        // It opened on today, placed by the box.
        QCOMPARE(shown, QDate(2026, 12, 6));
        const QRect box(form.box->mapToGlobal(QPoint(0, 0)), form.box->size());
        QCOMPARE(where.topLeft(), pickerPosition(box, where.size(), form.box->screen()->availableGeometry()));

        DatePicker::setTestPick([](DatePicker &picker) {
            emit control<QCalendarWidget>(&picker, "MonthView1")->clicked(QDate(2027, 2, 3));
            QCOMPARE(picker.result(), int(QDialog::Accepted));
        });
        DatePicker::pickInto(form.box);
        QCOMPARE(form.box->text(), QStringLiteral("2/3/2027"));
    }

    void yearButtons_data()
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
    void yearButtons()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, page);
        QFETCH(bool, forward);
        QFETCH(QDate, expected);
        CalendarPanel panel;
        panel.showDate(start);
        if (page.isValid())
            panel.calendar()->setCurrentPage(page.year(), page.month());
        QTest::mousePress(forward ? control<QPushButton>(&panel, "cmdNextYear") : control<QPushButton>(&panel, "cmdPrevYear"), Qt::LeftButton);
        QCOMPARE(panel.calendar()->selectedDate(), expected);
        QCOMPARE(QPair(panel.calendar()->yearShown(), panel.calendar()->monthShown()), QPair(expected.year(), expected.month()));
    }

    void calendarDayListsItemsDue()
    {
        TestWorld world;
        const qint64 company = world.addCompany(u"Acme"_s);
        const qint64 due = world.addItem(company, {{"Name", "Pump"}, {"servicedate", "2026-12-20"}});
        const qint64 alsoDue = world.addItem(company, {{"Name", "Fan"}, {"servicedate", "2026-12-20"}});
        world.addItem(company, {{"Name", "Crane"}, {"servicedate", "2026-12-21"}});
        MainWindow window(appContext());
        window.load();
        window.action(QStringLiteral("mnuCalendar"))->trigger();
        QPointer<CalendarWindow> calendar = shownWindow<CalendarWindow>(); // the one the menu opened
        QVERIFY(calendar->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(calendar->panel()->calendar()->selectedDate(), QDate(2026, 12, 6));
        emit calendar->panel()->calendar()->clicked(QDate(2026, 12, 20));

        QCOMPARE(window.panelText(1), QStringLiteral("Display Mode: Lookup, ServiceDate= \"12/20/2026\""));
        QVector<qint64> listed = {window.grid()->itemModel()->itemIdAt(1), window.grid()->itemModel()->itemIdAt(2)};
        std::sort(listed.begin(), listed.end());
        QCOMPARE(listed, QVector<qint64>({due, alsoDue}));
        QVERIFY(window.grid()->rows() == 3 && MessageBox::shownTexts().isEmpty());

        // A day without items, chosen with the keys, lists none; the calendar stays open until cancelled.
        calendar->panel()->calendar()->setSelectedDate(QDate(2027, 1, 2));
        QTest::keyClick(calendar->panel()->calendar()->focusProxy(), Qt::Key_Return);
        QCOMPARE(window.panelText(1), QStringLiteral("Display Mode: Lookup, ServiceDate= \"1/2/2027\""));
        QVERIFY(window.grid()->rows() == 1 && calendar->isVisible());
        QTest::mousePress(control<QPushButton>(calendar->panel(), "cmdCancel"), Qt::LeftButton);
        settle();
        QVERIFY(!calendar);
    }

    void monthMarks_data()
    {
        QTest::addColumn<QDate>("month");
        QTest::addColumn<QString>("expected");
        QTest::newRow("order days of two services") << QDate(2026, 12, 1) << u"6: order Pump; 20: service Fan, Pump; 31: order Belt"_s;
        QTest::newRow("a service whose order fell last year") << QDate(2027, 1, 1) << "10: service Belt";
        QTest::newRow("a lead time past the month's start") << QDate(2026, 11, 1) << "";
    }
    void monthMarks()
    {
        QFETCH(QDate, month);
        TestWorld world;
        const qint64 acme = world.addCompany(QStringLiteral("Acme"));
        world.addItem(acme, {{"Name", "Pump"}, {"servicedate", "2026-12-20"}, {"leadtime", 14}});
        world.addItem(acme, {{"Name", "Fan"}, {"servicedate", "2026-12-20"}});
        world.addItem(acme, {{"Name", "Belt"}, {"servicedate", "2027-01-10"}, {"leadtime", 10}});
        world.addItem(acme, {{"Name", "No date"}, {"leadtime", 5}});
        QStringList days;
        const QMap<QDate, DayMarks> marks = ::monthMarks(db(), month.year(), month.month());
        for (auto day = marks.cbegin(); day != marks.cend(); ++day) {
            QStringList kinds;
            if (!day->orders.isEmpty())
                kinds << u"order "_s + day->orders.join(u", "_s);
            if (!day->services.isEmpty())
                kinds << u"service "_s + day->services.join(u", "_s);
            days << QString::number(day.key().day()) + u": "_s + kinds.join(u" and "_s);
        }
        QTEST(days.join(u"; "_s), "expected");
    }

    void calendarWindowMarksTheMonthShown()
    {
        TestWorld world;
        const qint64 acme = world.addCompany(QStringLiteral("Acme"));
        world.addItem(acme, {{"Name", "Pump"}, {"servicedate", "2026-12-20"}, {"leadtime", 14}});
        world.addItem(acme, {{"Name", "Belt"}, {"servicedate", "2027-01-10"}});
        QCalendarWidget *month = openAlone<CalendarWindow>(db())->panel()->calendar();
        // The marked day in bold, today underlined.
        const QTextCharFormat marked = month->dateTextFormat(QDate(2026, 12, 20)), today = month->dateTextFormat(QDate(2026, 12, 6));
        QVERIFY(marked.fontWeight() == QFont::Bold && !marked.fontUnderline() && today.fontUnderline() && today.fontWeight() != QFont::Bold);
        // The tooltip of the day's cell names the item.
        auto *view = month->findChild<QTableView *>();
        QVERIFY(view);
        QStringList tips;
        for (int r = 0; r < view->model()->rowCount(); ++r) {
            for (int c = 0; c < view->model()->columnCount(); ++c)
                tips << view->model()->index(r, c).data(Qt::ToolTipRole).toString();
        }
        tips.removeAll(QString());
        QCOMPARE(tips, QStringList({u"Order parts: Pump"_s, u"Service: Pump"_s}));
        // Another month: its own marks, the last month's gone.
        month->setCurrentPage(2027, 1);
        QVERIFY(month->dateTextFormat(QDate(2026, 12, 20)).isEmpty());
        QCOMPARE(month->dateTextFormat(QDate(2027, 1, 10)).fontWeight(), int(QFont::Bold));
    }
};

QTEST_MAIN(TestViews)
#include "test_views.moc"
