// The company directory, its grid and the company editor.

#include "TestSupport.h"

#include "core/companies/Company.h"
#include "gui/companies/frmAddCo.h"
#include "gui/companies/frmCompanies.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "gui/platform/MessageBox.h"
#include "core/platform/Twips.h"
#include "gui/platform/WindowUtil.h"

#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

class TestCompanies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initTestEnvironment();
        initResources();
    }
    void cleanup();

    void addressText_data();
    void addressText();
    void typingLimits_data();
    void typingLimits();
    void saveAndLoad();
    void savingIntoDeletedCompanyWritesNothing();

    void emptyTableSaysSoAndAddStillWorks();
    void gridShowsCompaniesByName();
    void clickPaintsRows();
    void selectOrEditBeforeClickSays_data();
    void selectOrEditBeforeClickSays();
    void selectModeDeliversChosenCompany_data();
    void selectModeDeliversChosenCompany();
    void browseModeDoubleClickEdits();
    void emptyListSelectDoesNothing();
    void resizeFollowsRules();
    void modeIsFixedWhenTheDirectoryOpens();
    void selectModeClosesWithItsEditor();

    void editorAddCancelLeavesTable();
    void editorRefusesEmptyName();
    void editorEditWritesRow();
    void editorKeepsCompanyAfterReload();
    void editorTellsWhenCompanyGone();
    void editorTypingLimits_data();
    void editorTypingLimits();
    void editorPastesAreCut();
    void controlKeysPassAFullBox();
};

namespace {

CompanyRecord record(std::initializer_list<std::pair<int, QString>> fields)
{
    CompanyRecord company;
    for (const auto &[box, text] : fields)
        company.fields[box] = text;
    return company;
}

QString cellText(frmCompanies &directory, int row, int column)
{
    QTableWidgetItem *cell = directory.grid->item(row - 1, column);
    return cell ? cell->text() : QString();
}

void clickRow(frmCompanies &directory, int row, bool twice = false)
{
    QTableWidgetItem *cell = directory.grid->item(row - 1, 0);
    QVERIFY(cell);
    const QPoint at = directory.grid->visualItemRect(cell).center();
    // A double-click comes after the click of its first press, as from a real mouse.
    QTest::mouseClick(directory.grid->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(directory.grid->viewport(), Qt::LeftButton, {}, at);
}

bool rowPainted(frmCompanies &directory, int row, const QColor &text, const QColor &background)
{
    for (int column = 0; column < directory.grid->columnCount(); ++column) {
        const QTableWidgetItem *cell = directory.grid->item(row - 1, column);
        if (!cell || cell->foreground().color() != text || cell->background().color() != background)
            return false;
    }
    return true;
}

// A stand-in for the item editor that a select-mode directory serves.
QWidget *servedEditor()
{
    static QPointer<QWidget> editor;
    if (!editor)
        editor = new QWidget;
    return editor;
}

frmCompanies *openDirectory(bool selectMode)
{
    frmCompanies *directory = selectMode ? showCompanyDirectory(frmCompanies::Mode::Select, servedEditor())
                                         : showCompanyDirectory(frmCompanies::Mode::Browse);
    directory->resize(900, 500);
    return directory;
}

// The company editor when one is open.
frmAddCo *openEditor()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *editor = qobject_cast<frmAddCo *>(window); editor && editor->isVisible())
            return editor;
    }
    return nullptr;
}

QLineEdit *lineBox(frmAddCo *editor, int box)
{
    return qobject_cast<QLineEdit *>(editor->box(box));
}

} // namespace

void TestCompanies::cleanup()
{
    closeAllWindows();
}

void TestCompanies::addressText_data()
{
    QTest::addColumn<QString>("street2");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no second street") << QStringLiteral("") << "1 Main St\r\nSpringfield IL  62701";
    QTest::newRow("second street") << QStringLiteral("Suite 4") << "1 Main St\r\nSuite 4\r\nSpringfield IL  62701";
    QTest::newRow("null second street") << QString() << "1 Main St\r\n\r\nSpringfield IL  62701";
}

void TestCompanies::addressText()
{
    QFETCH(QString, street2);
    QFETCH(QString, expected);
    const CompanyRecord company = record({{CompanyBox::Street1, QStringLiteral("1 Main St")},
                                          {CompanyBox::Street2, street2},
                                          {CompanyBox::City, QStringLiteral("Springfield")},
                                          {CompanyBox::State, QStringLiteral("IL")},
                                          {CompanyBox::Zip, QStringLiteral("62701")}});
    QCOMPARE(companyAddressText(company), expected);
}

void TestCompanies::typingLimits_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("name below 50") << int(CompanyBox::Name) << 49 << int('a') << true;
    QTest::newRow("name at 50") << int(CompanyBox::Name) << 50 << int('a') << false;
    QTest::newRow("zip at 20") << int(CompanyBox::Zip) << 20 << int('1') << false;
    QTest::newRow("state at 20") << int(CompanyBox::State) << 20 << int('X') << false;
    QTest::newRow("notes at 99") << int(CompanyBox::Notes) << 99 << int('a') << true;
    QTest::newRow("notes at 100") << int(CompanyBox::Notes) << 100 << int('a') << false;
    QTest::newRow("backspace in full zip") << int(CompanyBox::Zip) << 20 << 8 << true;
    QTest::newRow("DEL in full name") << int(CompanyBox::Name) << 50 << 127 << true;
    QTest::newRow("enter in full notes") << int(CompanyBox::Notes) << 100 << 13 << false;
    QTest::newRow("line break at 98 of notes") << int(CompanyBox::Notes) << 98 << 13 << true;
    QTest::newRow("line break at 99 of notes") << int(CompanyBox::Notes) << 99 << 13 << false;
    QTest::newRow("enter in a full name types nothing") << int(CompanyBox::Name) << 50 << 13 << true;
}

void TestCompanies::typingLimits()
{
    QFETCH(int, box);
    QFETCH(int, length);
    QFETCH(int, key);
    QFETCH(bool, accepted);
    QCOMPARE(companyKeyAccepted(box, QString(length, QLatin1Char('x')), key), accepted);
}

void TestCompanies::saveAndLoad()
{
    TestWorld world;
    CompanyRecord zeta = record({{CompanyBox::Name, QStringLiteral("zeta supply")},
                                 {CompanyBox::Notes, QStringLiteral("line one\r\nline two")}});
    const qint64 zetaId = saveCompany(db(), 0, zeta);
    QVERIFY(zetaId > 0);
    const qint64 acmeId = saveCompany(db(), 0, record({{CompanyBox::Name, QStringLiteral("Acme")},
                                                    {CompanyBox::Email, QStringLiteral("a@acme.com")}}));
    QVERIFY(acmeId > zetaId);

    // Boxes left empty are stored as empty text, never Null.
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo WHERE Street2 IS NULL")).toInt(), 0);
    QCOMPARE(world.scalar(QStringLiteral("SELECT Street2 FROM orderinfo WHERE ID = ?"), {zetaId}).toString(), QString());

    const CompanyRecord loaded = loadCompany(db(), zetaId);
    QCOMPARE(loaded.id, zetaId);
    QCOMPARE(loaded.fields[CompanyBox::Name], QStringLiteral("zeta supply"));
    QCOMPARE(loaded.fields[CompanyBox::Notes], QStringLiteral("line one\r\nline two"));
    QVERIFY(!loaded.fields[CompanyBox::Street2].isNull());

    // Ordered by name without regard to case; Null fields stay Null.
    world.addCompany(QStringLiteral("beta"), {{QStringLiteral("Street2"), QVariant()}});
    const QVector<CompanyRecord> all = loadCompanies(db());
    QCOMPARE(all.size(), 3);
    QCOMPARE(all[0].fields[CompanyBox::Name], QStringLiteral("Acme"));
    QCOMPARE(all[1].fields[CompanyBox::Name], QStringLiteral("beta"));
    QVERIFY(all[1].fields[CompanyBox::Street2].isNull());
    QCOMPARE(all[2].id, zetaId);

    zeta.fields[CompanyBox::City] = QStringLiteral("Ames");
    QCOMPARE(saveCompany(db(), zetaId, zeta), zetaId);
    QCOMPARE(world.scalar(QStringLiteral("SELECT city FROM orderinfo WHERE ID = ?"), {zetaId}).toString(), QStringLiteral("Ames"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT email FROM orderinfo WHERE ID = ?"), {acmeId}).toString(), QStringLiteral("a@acme.com"));
    QCOMPARE(loadCompany(db(), 9999).id, 0);
}

void TestCompanies::savingIntoDeletedCompanyWritesNothing()
{
    TestWorld world;
    const qint64 id = world.addCompany(QStringLiteral("Gone"));
    Execute(db(), QStringLiteral("DELETE FROM orderinfo WHERE ID = ?"), {id});
    QCOMPARE(saveCompany(db(), id, record({{CompanyBox::Name, QStringLiteral("Back")}})), 0);
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo")).toInt(), 0);
}

void TestCompanies::emptyTableSaysSoAndAddStillWorks()
{
    TestWorld world;
    frmCompanies *directory = openDirectory(false);
    QCOMPARE(MessageBox::shownTexts(), QStringList({QStringLiteral("No companies in database")}));
    QCOMPARE(directory->rows(), 1);

    QTest::mouseClick(directory->cmdAdd, Qt::LeftButton);
    frmAddCo *editor = openEditor();
    QVERIFY(editor);
    QVERIFY(!editor->editMode());
    QCOMPARE(editor->windowTitle(), QStringLiteral("Add Company"));
    QCOMPARE(editor->cmdOK->text(), QStringLiteral("Add"));
    lineBox(editor, CompanyBox::Name)->setText(QStringLiteral("First Co"));
    QTest::mouseClick(editor->cmdOK, Qt::LeftButton);
    QCOMPARE(directory->rows(), 2);
    QCOMPARE(cellText(*directory, 1, 0), QStringLiteral("First Co"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo")).toInt(), 1);
}

void TestCompanies::gridShowsCompaniesByName()
{
    TestWorld world;
    const qint64 zeta = world.addCompany(QStringLiteral("Zeta"), {{QStringLiteral("Street1"), QStringLiteral("9 Elm")},
                                                               {QStringLiteral("Street2"), QStringLiteral("Unit 2")},
                                                               {QStringLiteral("city"), QStringLiteral("Ames")},
                                                               {QStringLiteral("State"), QStringLiteral("IA")},
                                                               {QStringLiteral("zip"), QStringLiteral("50010")},
                                                               {QStringLiteral("phone1"), QStringLiteral("(515)-555-0100")},
                                                               {QStringLiteral("notes"), QStringLiteral("ask for Al\r\nmornings")}});
    const qint64 acme = world.addCompany(QStringLiteral("acme"), {{QStringLiteral("Street1"), QStringLiteral("1 Main")},
                                                               {QStringLiteral("Street2"), QStringLiteral("")},
                                                               {QStringLiteral("contact"), QStringLiteral("Bo")}});
    frmCompanies *directory = openDirectory(false);
    QCOMPARE(directory->windowTitle(), QStringLiteral("Companies"));
    QVERIFY(directory->cmdSelect->isHidden());
    QVERIFY(!directory->cmdAdd->isHidden());
    QCOMPARE(directory->rows(), 3);
    QCOMPARE(directory->companyIdAt(1), acme);
    QCOMPARE(directory->companyIdAt(2), zeta);
    QCOMPARE(directory->companyIdAt(3), 0);
    QCOMPARE(directory->grid->horizontalHeaderItem(5)->text(), QStringLiteral("Web Site"));

    QCOMPARE(cellText(*directory, 1, 0), QStringLiteral("acme"));
    QCOMPARE(cellText(*directory, 1, 1), QStringLiteral("1 Main\n   ")); // Null city, state and zip
    QCOMPARE(cellText(*directory, 1, 6), QStringLiteral("Bo"));
    QCOMPARE(cellText(*directory, 2, 1), QStringLiteral("9 Elm\nUnit 2\nAmes IA  50010"));
    QCOMPARE(cellText(*directory, 2, 2), QStringLiteral("(515)-555-0100"));
    QCOMPARE(cellText(*directory, 2, 3), QString());
    QCOMPARE(cellText(*directory, 2, 7), QStringLiteral("ask for Al\nmornings"));
    QCOMPARE(directory->grid->rowHeight(1), Twips::toPixels(frmCompanies::RowHeightTwips));
    QVERIFY(directory->grid->item(0, 3)->textAlignment() & Qt::AlignLeft);
    QVERIFY(directory->noHighlight());
}

void TestCompanies::clickPaintsRows()
{
    TestWorld world;
    for (const char *name : {"A1", "A2", "A3", "A4", "A5"})
        world.addCompany(QString::fromLatin1(name));
    frmCompanies *directory = openDirectory(false);
    const QColor highlight = directory->palette().color(QPalette::Highlight);
    const QColor white(255, 255, 255);
    const QColor black(Qt::black);

    clickRow(*directory, 3);
    QVERIFY(rowPainted(*directory, 3, white, highlight));
    QVERIFY(rowPainted(*directory, 5, black, white));
    clickRow(*directory, 5);
    QVERIFY(rowPainted(*directory, 3, black, white));
    QVERIFY(rowPainted(*directory, 5, white, highlight));
    clickRow(*directory, 5);
    QVERIFY(rowPainted(*directory, 5, white, highlight));
    QCOMPARE(directory->highlightedRow(), 5);
    QCOMPARE(directory->grid->currentRow(), 4);
    QVERIFY(!directory->noHighlight());
}

void TestCompanies::selectOrEditBeforeClickSays_data()
{
    QTest::addColumn<bool>("select");
    QTest::addColumn<QString>("message");
    QTest::newRow("select") << true << "Please select an company";
    QTest::newRow("edit") << false << "Please select an company to edit";
}

void TestCompanies::selectOrEditBeforeClickSays()
{
    QFETCH(bool, select);
    QFETCH(QString, message);
    TestWorld world;
    world.addCompany(QStringLiteral("Acme"));
    frmCompanies *directory = openDirectory(true);
    QSignalSpy chosen(directory, &frmCompanies::companyChosen);
    directory->grid->setCurrentCell(0, 0); // a current row, but nothing clicked
    MessageBox::clearShown();
    QTest::mouseClick(select ? directory->cmdSelect : directory->cmdEdit, Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList({message}));
    QCOMPARE(chosen.count(), 0);
    QVERIFY(directory->isVisible());
    QVERIFY(!openEditor());
}

void TestCompanies::selectModeDeliversChosenCompany_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("select button") << false;
    QTest::newRow("double-click") << true;
}

void TestCompanies::selectModeDeliversChosenCompany()
{
    QFETCH(bool, doubleClick);
    TestWorld world;
    world.addCompany(QStringLiteral("Acme"));
    const qint64 beta = world.addCompany(QStringLiteral("Beta"));
    world.addCompany(QStringLiteral("Gamma"));
    QPointer<frmCompanies> directory = openDirectory(true);
    QCOMPARE(directory->windowTitle(), QStringLiteral("Select Company"));
    QVERIFY(!directory->cmdSelect->isHidden());
    QSignalSpy chosen(directory.data(), &frmCompanies::companyChosen);

    if (doubleClick) {
        clickRow(*directory, 2, true);
    } else {
        clickRow(*directory, 2);
        QTest::mouseClick(directory->cmdSelect, Qt::LeftButton);
    }
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toLongLong(), beta);
    QTRY_VERIFY(!directory);
}

void TestCompanies::browseModeDoubleClickEdits()
{
    TestWorld world;
    world.addCompany(QStringLiteral("Acme"));
    const qint64 beta = world.addCompany(QStringLiteral("Beta"), {{QStringLiteral("zip"), QStringLiteral("12345")}});
    frmCompanies *directory = openDirectory(false);
    QSignalSpy chosen(directory, &frmCompanies::companyChosen);
    clickRow(*directory, 2, true);
    frmAddCo *editor = openEditor();
    QVERIFY(editor);
    QVERIFY(editor->editMode());
    QCOMPARE(editor->companyId(), beta);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Edit Company"));
    QCOMPARE(editor->cmdOK->text(), QStringLiteral("Edit"));
    QCOMPARE(editor->boxText(CompanyBox::Name), QStringLiteral("Beta"));
    QCOMPARE(editor->boxText(CompanyBox::Zip), QStringLiteral("12345"));
    QCOMPARE(chosen.count(), 0);
    QVERIFY(directory->isVisible());
}

void TestCompanies::emptyListSelectDoesNothing()
{
    TestWorld world;
    frmCompanies *directory = openDirectory(true);
    // A click in the empty grid clears the flag but paints and picks nothing.
    QTest::mouseClick(directory->grid->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QSignalSpy chosen(directory, &frmCompanies::companyChosen);
    MessageBox::clearShown();
    QTest::mouseClick(directory->cmdSelect, Qt::LeftButton);
    QTest::mouseClick(directory->cmdEdit, Qt::LeftButton);
    QCOMPARE(chosen.count(), 0);
    QVERIFY(directory->isVisible());
    QVERIFY(!openEditor());
}

void TestCompanies::resizeFollowsRules()
{
    TestWorld world;
    world.addCompany(QStringLiteral("Acme"));
    frmCompanies *directory = openDirectory(false);
    directory->resize(Twips::toPixels(12000), Twips::toPixels(6000));
    QApplication::processEvents();
    // The buttons stand 200 twips apart, Cancel 200 twips from the right edge.
    const int gap = Twips::toPixels(200);
    QCOMPARE(directory->grid->pos(), QPoint(0, 0));
    QVERIFY(qAbs(directory->cmdCancel->x() + directory->cmdCancel->width() + gap
                 - directory->frameGeometry().width()) <= 1);
    QVERIFY(qAbs(directory->cmdEdit->x() + directory->cmdEdit->width() + gap - directory->cmdCancel->x()) <= 1);

    // Too small for the rules: everything stays where it was.
    const QPoint cancelBefore = directory->cmdCancel->pos();
    const QSize gridBefore = directory->grid->size();
    directory->resize(Twips::toPixels(3000), Twips::toPixels(900));
    QApplication::processEvents();
    QCOMPARE(directory->cmdCancel->pos(), cancelBefore);
    QCOMPARE(directory->grid->size(), gridBefore);
}

void TestCompanies::modeIsFixedWhenTheDirectoryOpens()
{
    // Browse first, then Select from an editor: a select-mode directory that delivers.
    TestWorld world;
    const qint64 acme = world.addCompany(QStringLiteral("Acme"));
    QPointer<frmCompanies> browse = openDirectory(false);
    QPointer<frmCompanies> select = openDirectory(true);
    QVERIFY(!browse);
    QCOMPARE(select->windowTitle(), QStringLiteral("Select Company"));
    QVERIFY(!select->cmdSelect->isHidden());
    QSignalSpy chosen(select.data(), &frmCompanies::companyChosen);
    clickRow(*select, 1, true);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toLongLong(), acme);

    // And the other way round: browse replaces select, and its double-click edits.
    select = openDirectory(true);
    browse = openDirectory(false);
    QVERIFY(!select);
    QCOMPARE(browse->windowTitle(), QStringLiteral("Companies"));
    QSignalSpy none(browse.data(), &frmCompanies::companyChosen);
    clickRow(*browse, 1, true);
    QCOMPARE(none.count(), 0);
    QVERIFY(openEditor() && browse->isVisible());
    // Asking again for the same directory raises it unchanged.
    QCOMPARE(openDirectory(false), browse.data());
}

void TestCompanies::selectModeClosesWithItsEditor()
{
    TestWorld world;
    world.addCompany(QStringLiteral("Acme"));
    QPointer<frmCompanies> select = openDirectory(true);
    delete servedEditor();
    QTRY_VERIFY(!select || !select->isVisible());
}

void TestCompanies::editorAddCancelLeavesTable()
{
    TestWorld world;
    world.addCompany(QStringLiteral("Acme"));
    QPointer<frmAddCo> editor = showCompanyEditor(0);
    lineBox(editor, CompanyBox::Name)->setText(QStringLiteral("Never"));
    QTest::mouseClick(editor->cmdCancel, Qt::LeftButton);
    QTRY_VERIFY(!editor);
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo")).toInt(), 1);
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo WHERE company = 'Never'")).toInt(), 0);
}

void TestCompanies::editorRefusesEmptyName()
{
    TestWorld world;
    frmAddCo *editor = showCompanyEditor(0);
    lineBox(editor, CompanyBox::City)->setText(QStringLiteral("Ames"));
    QTest::mouseClick(editor->cmdOK, Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList({QStringLiteral("A company name must be entered")}));
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->boxText(CompanyBox::City), QStringLiteral("Ames"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo")).toInt(), 0);
}

void TestCompanies::editorEditWritesRow()
{
    TestWorld world;
    const qint64 acme = world.addCompany(QStringLiteral("Acme"), {{QStringLiteral("notes"), QStringLiteral("old")}});
    const qint64 beta = world.addCompany(QStringLiteral("Beta"));
    frmCompanies *directory = openDirectory(false);
    clickRow(*directory, 1);
    QTest::mouseClick(directory->cmdEdit, Qt::LeftButton);
    QPointer<frmAddCo> editor = openEditor();
    QVERIFY(editor);
    QCOMPARE(editor->companyId(), acme);
    lineBox(editor, CompanyBox::Name)->setText(QStringLiteral("Zulu"));
    lineBox(editor, CompanyBox::Phone2)->setText(QStringLiteral("555-0101"));
    qobject_cast<QPlainTextEdit *>(editor->box(CompanyBox::Notes))->setPlainText(QStringLiteral("first\nsecond"));
    QTest::mouseClick(editor->cmdOK, Qt::LeftButton);
    QTRY_VERIFY(!editor);

    QCOMPARE(world.scalar(QStringLiteral("SELECT company FROM orderinfo WHERE ID = ?"), {acme}).toString(), QStringLiteral("Zulu"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT phone2 FROM orderinfo WHERE ID = ?"), {acme}).toString(), QStringLiteral("555-0101"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT notes FROM orderinfo WHERE ID = ?"), {acme}).toString(), QStringLiteral("first\r\nsecond"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT company FROM orderinfo WHERE ID = ?"), {beta}).toString(), QStringLiteral("Beta"));
    // The list was rebuilt in name order: the renamed company moved down.
    QCOMPARE(cellText(*directory, 1, 0), QStringLiteral("Beta"));
    QCOMPARE(cellText(*directory, 2, 0), QStringLiteral("Zulu"));
    QCOMPARE(directory->companyIdAt(1), beta);
    QCOMPARE(directory->companyIdAt(2), acme);
}

void TestCompanies::editorKeepsCompanyAfterReload()
{
    TestWorld world;
    const qint64 mid = world.addCompany(QStringLiteral("Mid"));
    frmCompanies *directory = openDirectory(false);
    clickRow(*directory, 1);
    QTest::mouseClick(directory->cmdEdit, Qt::LeftButton);
    QPointer<frmAddCo> editor = openEditor();
    QVERIFY(editor);

    // Another company now sorts first: row 1 of the directory is no longer Mid.
    const qint64 first = world.addCompany(QStringLiteral("Aardvark"));
    directory->LoadCompanies();
    QCOMPARE(directory->companyIdAt(1), first);

    lineBox(editor, CompanyBox::Contact)->setText(QStringLiteral("Kim"));
    QTest::mouseClick(editor->cmdOK, Qt::LeftButton);
    QTRY_VERIFY(!editor);
    QCOMPARE(world.scalar(QStringLiteral("SELECT contact FROM orderinfo WHERE ID = ?"), {mid}).toString(), QStringLiteral("Kim"));
    QCOMPARE(world.scalar(QStringLiteral("SELECT contact FROM orderinfo WHERE ID = ?"), {first}).toString(), QString());
    QCOMPARE(world.scalar(QStringLiteral("SELECT company FROM orderinfo WHERE ID = ?"), {first}).toString(), QStringLiteral("Aardvark"));
}

void TestCompanies::editorTellsWhenCompanyGone()
{
    TestWorld world;
    const qint64 gone = world.addCompany(QStringLiteral("Gone"));
    frmCompanies *directory = openDirectory(false);
    clickRow(*directory, 1);
    QTest::mouseClick(directory->cmdEdit, Qt::LeftButton);
    frmAddCo *editor = openEditor();
    QVERIFY(editor);
    QCOMPARE(editor->companyId(), gone);
    Execute(db(), QStringLiteral("DELETE FROM orderinfo WHERE ID = ?"), {gone});
    MessageBox::clearShown();
    QTest::mouseClick(editor->cmdOK, Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList({QStringLiteral("This company no longer exists; nothing was saved")}));
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo")).toInt(), 0);
    QVERIFY(editor->isVisible());
}

void TestCompanies::editorTypingLimits_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("limit");
    QTest::newRow("name") << int(CompanyBox::Name) << 50;
    QTest::newRow("zip") << int(CompanyBox::Zip) << 20;
    QTest::newRow("phone") << int(CompanyBox::Phone1) << 20;
    QTest::newRow("e-mail") << int(CompanyBox::Email) << 50;
    QTest::newRow("notes") << int(CompanyBox::Notes) << 100;
}

void TestCompanies::editorTypingLimits()
{
    QFETCH(int, box);
    QFETCH(int, limit);
    TestWorld world;
    frmAddCo *editor = showCompanyEditor(0);
    QWidget *input = editor->box(box);
    QTest::keyClicks(input, QString(limit + 1, QLatin1Char('7')));
    QCOMPARE(editor->boxText(box).size(), limit);

    // Backspace still works in a full box, and the freed place takes one character.
    QTest::keyClick(input, Qt::Key_Backspace);
    QCOMPARE(editor->boxText(box).size(), limit - 1);
    QTest::keyClicks(input, QStringLiteral("89"));
    QCOMPARE(editor->boxText(box).size(), limit);
    QVERIFY(editor->boxText(box).endsWith(QLatin1Char('8')));

    // The whole text counts: a full box refuses a key even with text selected.
    if (auto *line = qobject_cast<QLineEdit *>(input)) {
        line->selectAll();
        QTest::keyClick(input, Qt::Key_A);
        QCOMPARE(line->text().size(), limit);
        QVERIFY(!line->text().contains(QLatin1Char('a')));
    }
}

void TestCompanies::editorPastesAreCut()
{
    TestWorld world;
    frmAddCo *editor = showCompanyEditor(0);
    QLineEdit *zip = lineBox(editor, CompanyBox::Zip);
    zip->setText(QStringLiteral("12345"));
    zip->setCursorPosition(5);
    zip->insert(QString(30, QLatin1Char('9')));
    QCOMPARE(zip->text(), QStringLiteral("12345") + QString(15, QLatin1Char('9')));

    // A longer stored value is kept as it was, and may still be shortened.
    QLineEdit *name = lineBox(editor, CompanyBox::Name);
    name->setText(QString(60, QLatin1Char('n')));
    name->end(false);
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(name->text().size(), 59);

    auto *notes = qobject_cast<QPlainTextEdit *>(editor->box(CompanyBox::Notes));
    notes->setPlainText(QString(90, QLatin1Char('x')));
    notes->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QString(40, QLatin1Char('y')));
    notes->paste();
    QCOMPARE(notes->toPlainText(), QString(90, QLatin1Char('x')) + QString(10, QLatin1Char('y')));
}

void TestCompanies::controlKeysPassAFullBox()
{
    // A full box never traps the keyboard: Tab moves on, shortcuts work.
    TestWorld world;
    frmAddCo *editor = showCompanyEditor(0);
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QLineEdit *zip = lineBox(editor, CompanyBox::Zip);
    zip->setText(QString(20, QLatin1Char('9')));
    zip->setFocus();
    QTest::keyClick(zip, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(zip->selectedText().size(), 20);
    QTest::keyClick(zip, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(zip->text(), QString());
    QTest::keyClick(zip, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(zip->text().size(), 20);

    auto *notes = qobject_cast<QPlainTextEdit *>(editor->box(CompanyBox::Notes));
    notes->setPlainText(QString(100, QLatin1Char('x')));
    notes->setFocus();
    QTest::keyClick(notes, Qt::Key_Tab);
    QVERIFY(!notes->hasFocus());
    QCOMPARE(notes->toPlainText().size(), 100);
}

QTEST_MAIN(TestCompanies)
#include "test_companies.moc"
