// How the windows look on a light and a dark desktop at a laptop's size (the screen of this test
// is 1366x768), and how they show values of any length from a foreign file.

#include "TestSupport.h"

#include "core/db/FieldTable.h"
#include "core/itemlist/ItemListModel.h"
#include "gui/alarms/ServiceAckDialog.h"
#include "gui/companies/CompanyDirectory.h"
#include "gui/companies/CompanyEditor.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/items/ItemEditor.h"
#include "gui/mainwindow/DetailPanel.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/Appearance.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/RowColours.h"
#include "gui/records/EntryDialog.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTableWidget>
#include <QTest>

namespace {

// The light palette the style gives, or the dark one a dark desktop gives, its link colour left
// at the default dark blue as a dark theme often leaves it.
QPalette paletteNamed(const QString &name)
{
    if (name == u"light")
        return QApplication::style()->standardPalette();
    QPalette dark = Appearance::darkPalette();
    dark.setColor(QPalette::Link, QColor(0, 0, 255));
    return dark;
}

// Of an icon drawn on a background, how much of its shape stands out from it: the share of its
// opaque pixels' bounding box that the pixels differing clearly from the background span.
double standingOut(const QImage &icon, const QColor &background)
{
    QRect shape, seen;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            const QColor pixel = icon.pixelColor(x, y);
            if (pixel.alpha() < 128)
                continue;
            shape |= QRect(x, y, 1, 1);
            QColor drawn = pixel;
            const double a = pixel.alphaF();
            drawn.setRgbF(pixel.redF() * a + background.redF() * (1 - a), pixel.greenF() * a + background.greenF() * (1 - a),
                          pixel.blueF() * a + background.blueF() * (1 - a));
            if (Appearance::contrast(drawn, background) >= 2.0)
                seen |= QRect(x, y, 1, 1);
        }
    }
    const double whole = double(shape.width()) * shape.height();
    return whole > 0 ? double(seen.width()) * seen.height() / whole : 0;
}

QString longText(QChar c)
{
    return QString(1'000'000, c);
}

} // namespace

class TestAppearance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initTestEnvironment();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
    void cleanup()
    {
        closeAllWindows();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    void textReadsOnItsBackground_data();
    void textReadsOnItsBackground();
    void toolbarIconsShowOnLightAndDark_data();
    void toolbarIconsShowOnLightAndDark();
    void noWindowScrollsOnALaptop_data();
    void noWindowScrollsOnALaptop();
    void longValuesShownInPartAndKept_data();
    void longValuesShownInPartAndKept();
};

// Every text the windows colour themselves reads on its background, on light and dark desktops;
// the lists take the desktop's colours.
void TestAppearance::textReadsOnItsBackground_data()
{
    QTest::addColumn<QString>("palette");
    QTest::newRow("light") << QStringLiteral("light");
    QTest::newRow("dark") << QStringLiteral("dark");
}

void TestAppearance::textReadsOnItsBackground()
{
    QFETCH(QString, palette);
    QApplication::setPalette(paletteNamed(palette));
    const QPalette colours = QApplication::palette();
    TestWorld world;
    const qint64 acme = world.addCompany(QStringLiteral("Acme"), {{QStringLiteral("email"), QStringLiteral("sales@acme.example")}});
    world.addItem(acme, {});
    world.addItem(world.addCompany(QStringLiteral("Zeta")), {});
    MainWindow main(appContext());
    main.load();
    main.itemList()->rowClicked(1, 1);
    const RowColours chosen = shownColours(*main.grid(), main.grid()->model()->index(0, 1));
    const RowColours other = shownColours(*main.grid(), main.grid()->model()->index(1, 1));
    auto *grid = control<QTableWidget>(openAlone<CompanyDirectory>(db(), CompanyDirectory::Mode::Browse), "flxCompanies");
    const QTableWidgetItem otherCompany = *grid->item(1, 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 0)).center());
    struct Seen {
        const char *where;
        QColor text, background;
        double least; // a chosen row's text reads as large text must, the rest as body text
    };
    const Seen seen[] = {
        {"list row", other.text.color(), other.background.color(), 4.5},
        {"chosen list row", chosen.text.color(), chosen.background.color(), 3},
        {"e-mail link", control(main.companyPane(), "lblEmail")->palette().color(QPalette::WindowText), colours.color(QPalette::Window), 4.5},
        {"company row", otherCompany.foreground().color(), otherCompany.background().color(), 4.5},
        {"chosen company row", grid->item(0, 0)->foreground().color(), grid->item(0, 0)->background().color(), 3},
    };
    QStringList faults;
    for (const Seen &place : seen) {
        if (Appearance::contrast(place.text, place.background) < place.least)
            faults << QStringLiteral("%1: %2 on %3").arg(QLatin1String(place.where), place.text.name(), place.background.name());
    }
    QCOMPARE(faults.join(u'\n'), QString());
    QCOMPARE(other.background.color(), colours.color(QPalette::Base)); // the desktop's, not white
    QCOMPARE(otherCompany.background().color(), colours.color(QPalette::Base));
}

// Each toolbar picture keeps its whole shape on a light and on a dark toolbar.
void TestAppearance::toolbarIconsShowOnLightAndDark_data()
{
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QColor>("background");
    for (const char *icon : {"new", "edit", "delete", "find", "sort", "alarm", "company", "calendar"}) {
        for (const QColor &background : {QColor(0xf0, 0xf0, 0xf0), QColor(0x35, 0x35, 0x35), QColor(0x23, 0x23, 0x23)})
            QTest::newRow(qPrintable(QStringLiteral("%1 on %2").arg(QLatin1String(icon), background.name()))) << QString::fromLatin1(icon) << background;
    }
}

void TestAppearance::toolbarIconsShowOnLightAndDark()
{
    QFETCH(QString, icon);
    QFETCH(QColor, background);
    const QImage image = QImage(QStringLiteral(":/icons/%1.png").arg(icon)).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!image.isNull());
    const double share = standingOut(image, background);
    QVERIFY2(share >= 0.8, qPrintable(QString::number(share)));
}

// Under the Fusion style with a dark desktop the windows whose forms can scroll open without a
// scroll bar and with no control cut off.
void TestAppearance::noWindowScrollsOnALaptop_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("secondPage");
    QTest::addColumn<int>("points"); // the desktop's font size
    for (const int points : {9, 11}) {
        const QString font = QStringLiteral(", %1 pt").arg(points);
        QTest::newRow(qPrintable(QStringLiteral("item editor") + font)) << QStringLiteral("item") << false << points;
        QTest::newRow(qPrintable(QStringLiteral("item editor, second page") + font)) << QStringLiteral("item") << true << points;
        QTest::newRow(qPrintable(QStringLiteral("service acknowledgement") + font)) << QStringLiteral("service") << false << points;
    }
}

void TestAppearance::noWindowScrollsOnALaptop()
{
    QFETCH(QString, window);
    QFETCH(bool, secondPage);
    QFETCH(int, points);
    QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(1366, 768));
    QApplication::setPalette(Appearance::darkPalette());
    const QFont before = QApplication::font();
    const auto restore = qScopeGuard([before] { QApplication::setFont(before); });
    QFont font = before;
    font.setPointSize(points);
    QApplication::setFont(font);
    TestWorld world;
    const qint64 pump = world.addItem(world.addCompany(QStringLiteral("Acme")), {{QStringLiteral("Name"), QStringLiteral("Pump")}});
    QWidget *shown = nullptr;
    if (window == u"item")
        shown = openAlone<ItemEditor>(appContext(), ItemEditor::EditListItem, pump, ColumnLayout());
    else
        shown = openAlone<ServiceAckDialog>(appContext(), pump);
    if (secondPage)
        static_cast<ItemEditor *>(shown)->togglePage();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    auto *form = shown->findChild<QScrollArea *>();
    QVERIFY(!form->verticalScrollBar()->isVisible() && !form->horizontalScrollBar()->isVisible());
    QCOMPARE(overlapFault(shown), QString());
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(shown->frameGeometry()));
}

// A million characters in a field: the windows show a part of it (a box, a label or a cell holds
// at most a thousand of one line) and store it unchanged unless the user edits it.
void TestAppearance::longValuesShownInPartAndKept_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("item editor") << "editor";
    QTest::newRow("item editor, edited") << "editor edited";
    QTest::newRow("service acknowledgement") << "service";
    QTest::newRow("history") << "history";
    QTest::newRow("detail panel") << "panel";
    QTest::newRow("company editor") << "company";
}

void TestAppearance::longValuesShownInPartAndKept()
{
    QFETCH(QString, window);
    TestWorld world;
    const QString name = longText(u'n'), hazard = longText(u'h');
    const qint64 acme = world.addCompany(longText(u'c'), {{QStringLiteral("email"), longText(u'e')}});
    const qint64 pump = world.addItem(acme, {{QStringLiteral("Name"), name}, {QStringLiteral("hazmat"), hazard}, {QStringLiteral("servicedby"), longText(u's')}, {QStringLiteral("servicedate"), QStringLiteral("2026-12-20")}});
    world.addEntry(QStringLiteral("History"), pump, QStringLiteral("2026-12-01"), longText(u'd'));
    const auto shortEnough = [](const QString &text) {
        const QStringList lines = text.split(u'\n');
        return std::all_of(lines.cbegin(), lines.cend(), [](const QString &line) { return line.size() <= 1100; });
    };
    if (window.startsWith(u"editor")) {
        ItemEditor *editor = openAlone<ItemEditor>(appContext(), ItemEditor::EditListItem, pump, ColumnLayout());
        auto *nameBox = qobject_cast<QLineEdit *>(editor->box(Column::Name));
        QVERIFY(shortEnough(nameBox->text()) && shortEnough(qobject_cast<QLineEdit *>(editor->box(Column::Hazmat))->text()));
        QVERIFY(shortEnough(editor->findChild<QLabel *>(QStringLiteral("lblCoName"))->text()));
        if (window.endsWith(u"edited")) {
            nameBox->setFocus();
            nameBox->end(false);
            QTest::keyClick(nameBox, Qt::Key_Backspace);
        }
        editor->findChild<QLineEdit *>(QStringLiteral("txtData7"))->setText(QStringLiteral("12/20/2026"));
        editor->save();
        const QString stored = world.scalar(QStringLiteral("SELECT Name FROM main")).toString();
        QCOMPARE(stored.size(), window.endsWith(u"edited") ? 999 : 1'000'000);
        QCOMPARE(world.scalar(QStringLiteral("SELECT hazmat FROM main")).toString(), hazard);
    } else if (window == u"service") {
        ServiceAckDialog *ack = openAlone<ServiceAckDialog>(appContext(), pump);
        for (const QString &shown : {ack->findChild<QPlainTextEdit *>(QStringLiteral("txtInfo"))->toPlainText(), ack->findChild<QLineEdit *>(QStringLiteral("txtServicedBy"))->text(),
                                     ack->findChild<QTableWidget *>(QStringLiteral("flxHistory"))->item(0, 1)->text()})
            QVERIFY(shortEnough(shown));
        QTest::mouseClick(ack->findChild<QWidget *>(QStringLiteral("cmdAck")), Qt::LeftButton);
        QCOMPARE(world.scalar(QStringLiteral("SELECT length(servicedby) FROM main")).toInt(), 1'000'000);
    } else if (window == u"history") {
        EntryDialog *entry = openAlone<EntryDialog>(db(), HistoryTarget, pump);
        QVERIFY(shortEnough(entry->findChild<QLabel *>(QStringLiteral("lblItem"))->text()));
    } else if (window == u"panel") {
        MainWindow main(appContext());
        main.load();
        main.itemList()->rowClicked(1, 1);
        for (const char *label : {"lblName", "lblEmail"})
            QVERIFY2(shortEnough(main.companyPane()->valueText(label)), label);
        QVERIFY(shortEnough(main.historyPane()->historyGrid()->item(0, 1)->text()));
    } else {
        CompanyEditor *editor = openAlone<CompanyEditor>(db(), acme);
        QVERIFY(shortEnough(qobject_cast<QLineEdit *>(editor->box(CompanyBox::Name))->text()));
        qobject_cast<QLineEdit *>(editor->box(CompanyBox::Contact))->setText(QStringLiteral("Ann"));
        editor->save();
        QCOMPARE(world.scalar(QStringLiteral("SELECT length(company) || '/' || length(email) || '/' || contact FROM orderinfo")).toString(),
                 QStringLiteral("1000000/1000000/Ann"));
    }
}

QTEST_MAIN(TestAppearance)
#include "test_appearance.moc"
