// The company directory, its grid and the company editor.

#include "TestSupport.h"

#include "core/companies/Company.h"
#include "core/platform/Twips.h"
#include "gui/companies/CompanyDirectory.h"
#include "gui/companies/CompanyEditor.h"
#include "gui/items/ItemEditor.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/WindowRegistry.h"
#include "gui/platform/MessageBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString cellText(CompanyDirectory &directory, int row, int column)
{
    QTableWidgetItem *cell = control<QTableWidget>(&directory, "flxCompanies")->item(row - 1, column);
    return cell ? cell->text() : QString();
}

void clickRow(CompanyDirectory &directory, int row, bool twice = false)
{
    QTableWidgetItem *cell = control<QTableWidget>(&directory, "flxCompanies")->item(row - 1, 0);
    QVERIFY(cell);
    const QPoint at = control<QTableWidget>(&directory, "flxCompanies")->visualItemRect(cell).center();
    // A double-click comes after the click of its first press, as from a real mouse.
    QTest::mouseClick(control<QTableWidget>(&directory, "flxCompanies")->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(control<QTableWidget>(&directory, "flxCompanies")->viewport(), Qt::LeftButton, {}, at);
}

bool rowPainted(CompanyDirectory &directory, int row, const QColor &text, const QColor &background)
{
    for (int column = 0; column < control<QTableWidget>(&directory, "flxCompanies")->columnCount(); ++column) {
        const QTableWidgetItem *cell = control<QTableWidget>(&directory, "flxCompanies")->item(row - 1, column);
        if (!cell || cell->foreground().color() != text || cell->background().color() != background)
            return false;
    }
    return true;
}

// The directory as its openers open it: the main window's Companies command, or the Select
// button of an item editor.
CompanyDirectory *openDirectory(MainWindow &main, bool selectMode)
{
    if (selectMode) {
        main.windows()->openItemEditor(ItemEditor::AddItem, 0, false)->selectCompany();
    } else {
        main.windows()->openCompanyDirectory(nullptr);
    }
    CompanyDirectory *directory = shownWindow<CompanyDirectory>();
    directory->resize(900, 500);
    return directory;
}

QLineEdit *lineBox(CompanyEditor *editor, int box)
{
    return qobject_cast<QLineEdit *>(editor->box(box));
}

QString companyField(TestWorld &world, qint64 id, const char *field)
{
    return world.scalar(QStringLiteral("SELECT %1 FROM orderinfo WHERE ID = ?").arg(QLatin1String(field)), {id})
        .toString();
}

} // namespace

class TestCompanies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }
    void cleanup() { closeAllWindows(); }

    void typingLimits_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("notes at 100") << int(CompanyBox::Notes) << 100 << int('a') << false;
        // A line break of the notes is stored as CR LF: two characters.
        QTest::newRow("line break at 98 of notes") << int(CompanyBox::Notes) << 98 << 13 << true;
        QTest::newRow("line break at 99 of notes") << int(CompanyBox::Notes) << 99 << 13 << false;
        QTest::newRow("enter in a full name types nothing") << int(CompanyBox::Name) << 50 << 13 << true;
    }
    void typingLimits()
    {
        QFETCH(int, box);
        QFETCH(int, length);
        QFETCH(int, key);
        QTEST(companyKeyAccepted(box, QString(length, QLatin1Char('x')), key), "accepted");
    }

    void buttonsSitInARowUnderTheGrid_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("as it opens") << QSize(960, 400);
        QTest::newRow("wide") << QSize(1300, 500);
        QTest::newRow("tall") << QSize(900, 760);
    }
    void buttonsSitInARowUnderTheGrid()
    {
        QFETCH(QSize, size);
        TestWorld world;
        MainWindow main(appContext());
        CompanyDirectory *directory = openDirectory(main, true);
        directory->resize(size);
        QApplication::processEvents();
        const QSize outer = directory->frameGeometry().size();
        const int gap = Twips::toPixels(200);
        QList<QRect> buttons;
        for (const char *name : {"cmdSelect", "cmdAdd", "cmdEdit", "cmdCancel"})
            buttons << control<QPushButton>(directory, name)->geometry();
        // Left to right, a gap apart, on one line; the last a gap from the window's right edge.
        for (int i = 1; i < buttons.size(); ++i) {
            QCOMPARE(buttons.at(i).top(), buttons.at(0).top());
            QVERIFY(qAbs(buttons.at(i).left() - buttons.at(i - 1).right() - 1 - gap) <= 1);
        }
        QVERIFY(qAbs(outer.width() - buttons.last().right() - 1 - gap) <= 1);
        // The grid reaches down to above the buttons and across to a gap from the edge.
        const QRect grid = control<QTableWidget>(directory, "flxCompanies")->geometry();
        QVERIFY(grid.bottom() < buttons.first().top() && buttons.first().bottom() < outer.height());
        QVERIFY(qAbs(outer.width() - grid.width() - gap) <= 1);
    }

    void emptyTableSaysSoAndAddStillWorks()
    {
        TestWorld world;
        MainWindow main(appContext());
        CompanyDirectory *directory = openDirectory(main, false);
        QCOMPARE(MessageBox::shownTexts(), QStringList({u"No companies in database"_s}));
        QCOMPARE(directory->rows(), 1);
        // Select and Edit on an empty list pick nothing.
        QTest::mouseClick(control<QTableWidget>(directory, "flxCompanies")->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseClick(control(directory, "cmdEdit"), Qt::LeftButton);
        QVERIFY(!shownWindow<CompanyEditor>());

        QTest::mouseClick(control(directory, "cmdAdd"), Qt::LeftButton);
        CompanyEditor *editor = shownWindow<CompanyEditor>();
        QVERIFY(editor && !editor->editMode());
        QCOMPARE(editor->windowTitle(), u"Add Company"_s);
        lineBox(editor, CompanyBox::Name)->setText(QStringLiteral("First Co"));
        QTest::mouseClick(control(editor, "cmdOK"), Qt::LeftButton);
        QCOMPARE(directory->rows(), 2);
        QCOMPARE(cellText(*directory, 1, 0), u"First Co"_s);
        // Boxes left empty are stored as empty text, never Null.
        QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo WHERE Street2 = ''")).toInt(), 1);
    }

    void gridShowsCompaniesByName()
    {
        TestWorld world;
        MainWindow main(appContext());
        const qint64 zeta = world.addCompany(QStringLiteral("Zeta"), {{"Street1", "9 Elm"}, {"Street2", "Unit 2"}, {"city", "Ames"}, {"State", "IA"}, {"zip", "50010"}, {"notes", "ask for Al\r\nmornings"}});
        const qint64 acme = world.addCompany(QStringLiteral("acme"), {{"Street1", "1 Main"}, {"Street2", ""}, {"contact", "Bo"}});
        world.addCompany(QStringLiteral("Beta"), {{"Street1", "2 Oak"}}); // Street2 Null
        CompanyDirectory *directory = openDirectory(main, false);
        QVERIFY(control(directory, "cmdSelect")->isHidden());
        // By name without regard to case. Only an empty second street leaves its line out.
        QCOMPARE(QList<qint64>({directory->rows(), directory->companyIdAt(1), directory->companyIdAt(3)}), QList<qint64>({4, acme, zeta}));
        // Null city, state and zip leave their separators.
        QCOMPARE(QStringList({cellText(*directory, 1, 1), cellText(*directory, 1, 6), cellText(*directory, 2, 1), cellText(*directory, 3, 1), cellText(*directory, 3, 7)}),
                 QStringList({u"1 Main\n   "_s, u"Bo"_s, u"2 Oak\n\n   "_s, u"9 Elm\nUnit 2\nAmes IA  50010"_s, u"ask for Al\nmornings"_s}));
    }

    void clickPaintsRows()
    {
        TestWorld world;
        MainWindow main(appContext());
        for (const char *name : {"A1", "A2", "A3", "A4", "A5"})
            world.addCompany(QString::fromLatin1(name));
        CompanyDirectory *directory = openDirectory(main, false);
        const QColor highlight = directory->palette().color(QPalette::Highlight), white(Qt::white), black(Qt::black);
        clickRow(*directory, 3);
        QVERIFY(rowPainted(*directory, 3, white, highlight) && rowPainted(*directory, 5, black, white));
        clickRow(*directory, 5);
        QVERIFY(rowPainted(*directory, 3, black, white) && rowPainted(*directory, 5, white, highlight));
        clickRow(*directory, 5); // a second click keeps the row chosen
        QVERIFY(rowPainted(*directory, 5, white, highlight));
        QCOMPARE(directory->highlightedRow(), 5);
    }

    // A row reached with the keyboard counts as clicked; focus alone chooses nothing.
    void selectNeedsAChoice_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("downs");
        QTest::addColumn<int>("chosenRow");
        QTest::newRow("focus only") << QString() << 0 << 0;
        QTest::newRow("first letters") << QStringLiteral("Ing") << 0 << 2;
        QTest::newRow("arrows") << QString() << 2 << 2;
    }
    void selectNeedsAChoice()
    {
        QFETCH(QString, typed);
        QFETCH(int, downs);
        QFETCH(int, chosenRow);
        TestWorld world;
        MainWindow main(appContext());
        world.addCompany(QStringLiteral("Acme"));
        world.addCompany(QStringLiteral("Ingersoll Tooling"));
        CompanyDirectory *directory = openDirectory(main, true);
        QSignalSpy chosen(directory, &CompanyDirectory::companyChosen);
        QVERIFY(QTest::qWaitForWindowActive(directory));
        control(directory, "flxCompanies")->setFocus();
        QTest::keyClicks(control(directory, "flxCompanies"), typed);
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(control(directory, "flxCompanies"), Qt::Key_Down);
        MessageBox::clearShown();
        QTest::keyClick(control(directory, "flxCompanies"), Qt::Key_Return);
        QCOMPARE(chosen.count(), chosenRow ? 1 : 0);
        if (chosenRow)
            QCOMPARE(chosen.at(0).at(0).toLongLong(), directory->companyIdAt(chosenRow));
        else
            QCOMPARE(MessageBox::shownTexts(), QStringList({u"Please select an company"_s}));
    }

    void modeIsFixedWhenTheDirectoryOpens()
    {
        // Browse first, then Select from an editor: a select-mode directory that delivers.
        TestWorld world;
        MainWindow main(appContext());
        world.addCompany(QStringLiteral("Acme"));
        const qint64 beta = world.addCompany(QStringLiteral("Beta"), {{"zip", "12345"}});
        QPointer<CompanyDirectory> browse = openDirectory(main, false);
        QPointer<CompanyDirectory> select = openDirectory(main, true);
        QVERIFY(!browse);
        QCOMPARE(select->windowTitle(), u"Select Company"_s);
        QVERIFY(!control(select, "cmdSelect")->isHidden());
        QSignalSpy chosen(select.data(), &CompanyDirectory::companyChosen);
        clickRow(*select, 2, true);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toLongLong(), beta);
        QTRY_VERIFY(!select);

        // And the other way round: browse replaces select, and its double-click edits.
        select = openDirectory(main, true);
        browse = openDirectory(main, false);
        QVERIFY(!select);
        QSignalSpy none(browse.data(), &CompanyDirectory::companyChosen);
        clickRow(*browse, 2, true);
        QCOMPARE(none.count(), 0);
        CompanyEditor *editor = shownWindow<CompanyEditor>();
        QVERIFY(editor && browse->isVisible() && editor->companyId() == beta && editor->boxText(CompanyBox::Zip) == u"12345");
        QCOMPARE(editor->windowTitle(), u"Edit Company"_s);
        // Asking again for the same directory raises it unchanged.
        QCOMPARE(openDirectory(main, false), browse.data());
    }

    void editorAddsAndCancels()
    {
        TestWorld world;
        QPointer<CompanyEditor> editor = openAlone<CompanyEditor>(db(), qint64(0));
        lineBox(editor, CompanyBox::City)->setText(QStringLiteral("Ames"));
        QTest::mouseClick(control(editor, "cmdOK"), Qt::LeftButton);
        QCOMPARE(MessageBox::shownTexts(), QStringList({u"A company name must be entered"_s}));
        QCOMPARE(editor->boxText(CompanyBox::City), u"Ames"_s);
        lineBox(editor, CompanyBox::Name)->setText(QStringLiteral("Never"));
        QTest::mouseClick(control(editor, "cmdCancel"), Qt::LeftButton);
        QTRY_VERIFY(!editor);
        QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo")).toInt(), 0);
    }

    void editorEditKeepsItsCompany()
    {
        TestWorld world;
        MainWindow main(appContext());
        const qint64 mid = world.addCompany(QStringLiteral("Mid"));
        const qint64 other = world.addCompany(QStringLiteral("Other"));
        CompanyDirectory *directory = openDirectory(main, false);
        clickRow(*directory, 1);
        QTest::mouseClick(control(directory, "cmdEdit"), Qt::LeftButton);
        QPointer<CompanyEditor> editor = shownWindow<CompanyEditor>();
        QCOMPARE(editor->companyId(), mid);

        // Another company now sorts first: row 1 of the directory is no longer Mid.
        const qint64 first = world.addCompany(QStringLiteral("Aardvark"));
        directory->load();
        QCOMPARE(directory->companyIdAt(1), first);

        lineBox(editor, CompanyBox::Name)->setText(QStringLiteral("Zulu"));
        qobject_cast<QPlainTextEdit *>(editor->box(CompanyBox::Notes))->setPlainText(QStringLiteral("first\nsecond"));
        QTest::mouseClick(control(editor, "cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(!editor);
        QCOMPARE(QStringList({companyField(world, mid, "company"), companyField(world, mid, "notes"), companyField(world, first, "company")}),
                 QStringList({u"Zulu"_s, u"first\r\nsecond"_s, u"Aardvark"_s}));
        // The list was rebuilt in name order: the renamed company moved down.
        QCOMPARE(QList<qint64>({directory->companyIdAt(2), directory->companyIdAt(3)}), QList<qint64>({other, mid}));

        // Reopened, the notes show their lines again.
        clickRow(*directory, 3);
        QTest::mouseClick(control(directory, "cmdEdit"), Qt::LeftButton);
        QCOMPARE(qobject_cast<QPlainTextEdit *>(shownWindow<CompanyEditor>()->box(CompanyBox::Notes))->toPlainText(), u"first\nsecond"_s);
    }

    // Another program changes or deletes the company while the editor is open: Edit writes
    // nothing over it and says so; a change to another company is no obstacle.
    void editorComparesWhatItRead_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("stored"); // the companies' phone and contact
        const QString changed = QStringLiteral("This company was changed elsewhere since this window opened; close it and"
                                               " open it again to see the changes.");
        QTest::newRow("its phone") << "UPDATE orderinfo SET phone1 = '555-2' WHERE company = 'Acme'" << changed << "555-2/Bob,/";
        QTest::newRow("deleted") << QStringLiteral("DELETE FROM orderinfo WHERE company = 'Acme'") << QStringLiteral("This company no longer exists; nothing was saved") << QStringLiteral("/");
        QTest::newRow("another company") << QStringLiteral("UPDATE orderinfo SET phone1 = '555-3' WHERE company = 'Zeta'") << QString() << QStringLiteral("555-1/Ann,555-3/");
    }
    void editorComparesWhatItRead()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        QFETCH(QString, stored);
        TestWorld world;
        const qint64 acme = world.addCompany(QStringLiteral("Acme"), {{QStringLiteral("phone1"), QStringLiteral("555-1")}, {QStringLiteral("contact"), QStringLiteral("Bob")}});
        world.addCompany(QStringLiteral("Zeta"));
        QPointer<CompanyEditor> editor = openAlone<CompanyEditor>(db(), acme);
        lineBox(editor, CompanyBox::Contact)->setText(QStringLiteral("Ann"));
        world.changeElsewhere(change);
        QTest::mouseClick(control(editor, "cmdOK"), Qt::LeftButton);
        settle();
        QCOMPARE(MessageBox::shownTexts(), message.isEmpty() ? QStringList() : QStringList {message});
        QCOMPARE(bool(editor), !message.isEmpty());
        QCOMPARE(world.joined(QStringLiteral("SELECT coalesce(phone1, '') || '/' || coalesce(contact, '') FROM orderinfo ORDER BY company"),
                              QStringLiteral(",")),
                 stored);
    }

    void editorBoxesHoldTheirLimits()
    {
        TestWorld world;
        CompanyEditor *editor = openAlone<CompanyEditor>(db(), qint64(0));
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor));
        QLineEdit *zip = lineBox(editor, CompanyBox::Zip);
        zip->setText(QString(20, QLatin1Char('7')));
        // A full box never traps the keyboard: the shortcuts still act.
        QTest::keyClick(zip, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(zip, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(zip->text(), QString());
        QTest::keyClick(zip, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(zip->text().size(), 20);

        // A longer stored value may still be shortened.
        QLineEdit *name = lineBox(editor, CompanyBox::Name);
        name->setText(QString(60, QLatin1Char('n')));
        name->end(false);
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(name->text().size(), 59);
        auto *notes = qobject_cast<QPlainTextEdit *>(editor->box(CompanyBox::Notes));
        notes->setPlainText(QString(100, QLatin1Char('x')));
        // Tab leaves a full notes box.
        notes->setFocus();
        QTest::keyClick(notes, Qt::Key_Tab);
        QVERIFY(!notes->hasFocus());
    }
};

QTEST_MAIN(TestCompanies)
#include "test_companies.moc"
