// The company directory, its grid and the company editor.

#include "TestSupport.h"

#include "core/companies/Company.h"
#include "core/data/DatabaseADO.h"
#include "core/platform/Twips.h"
#include "gui/companies/frmAddCo.h"
#include "gui/companies/frmCompanies.h"
#include "gui/platform/MessageBox.h"
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
    void cleanup() { closeAllWindows(); }

    void addressText_data();
    void addressText();
    void typingLimits_data();
    void typingLimits();
    void saveAndLoad();

    void emptyTableSaysSoAndAddStillWorks();
    void gridShowsCompaniesByName();
    void clickPaintsRows();
    void selectOrEditNeedsAClick();
    void modeIsFixedWhenTheDirectoryOpens();
    void selectModeClosesWithItsEditor();
    void resizeKeepsButtonsInARow();

    void editorAddsAndCancels();
    void editorEditKeepsItsCompany();
    void editorTellsWhenCompanyGone();
    void editorBoxesHoldTheirLimits();
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

QString companyField(TestWorld &world, qint64 id, const char *field)
{
    return world.scalar(QStringLiteral("SELECT %1 FROM orderinfo WHERE ID = ?").arg(QLatin1String(field)), {id})
        .toString();
}

} // namespace

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
    QTest::newRow("notes at 99") << int(CompanyBox::Notes) << 99 << int('a') << true;
    QTest::newRow("notes at 100") << int(CompanyBox::Notes) << 100 << int('a') << false;
    QTest::newRow("backspace in full zip") << int(CompanyBox::Zip) << 20 << 8 << true;
    // A line break of the notes is stored as CR LF: two characters.
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
    const qint64 acmeId = saveCompany(db(), 0, record({{CompanyBox::Name, QStringLiteral("Acme")}}));
    QVERIFY(zetaId > 0 && acmeId > zetaId);
    // Boxes left empty are stored as empty text, never Null.
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo WHERE Street2 IS NULL")).toInt(), 0);
    QCOMPARE(loadCompany(db(), zetaId).fields[CompanyBox::Notes], QStringLiteral("line one\r\nline two"));

    // Ordered by name without regard to case; Null fields stay Null.
    world.addCompany(QStringLiteral("beta"), {{QStringLiteral("Street2"), QVariant()}});
    const QVector<CompanyRecord> all = loadCompanies(db());
    QCOMPARE(all.size(), 3);
    QCOMPARE(all[0].fields[CompanyBox::Name], QStringLiteral("Acme"));
    QVERIFY(all[1].fields[CompanyBox::Street2].isNull());
    QCOMPARE(all[2].id, zetaId);

    zeta.fields[CompanyBox::City] = QStringLiteral("Ames");
    QCOMPARE(saveCompany(db(), zetaId, zeta), zetaId);
    QCOMPARE(companyField(world, zetaId, "city"), QStringLiteral("Ames"));
    QCOMPARE(loadCompany(db(), 9999).id, 0);
    // A company deleted meanwhile is not written again.
    Execute(db(), QStringLiteral("DELETE FROM orderinfo WHERE ID = ?"), {zetaId});
    QCOMPARE(saveCompany(db(), zetaId, zeta), 0);
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo")).toInt(), 2);
}

void TestCompanies::emptyTableSaysSoAndAddStillWorks()
{
    TestWorld world;
    frmCompanies *directory = openDirectory(false);
    QCOMPARE(MessageBox::shownTexts(), QStringList({QStringLiteral("No companies in database")}));
    QCOMPARE(directory->rows(), 1);
    // Select and Edit on an empty list pick nothing.
    QTest::mouseClick(directory->grid->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseClick(directory->cmdEdit, Qt::LeftButton);
    QVERIFY(!openEditor());

    QTest::mouseClick(directory->cmdAdd, Qt::LeftButton);
    frmAddCo *editor = openEditor();
    QVERIFY(editor && !editor->editMode());
    QCOMPARE(editor->windowTitle(), QStringLiteral("Add Company"));
    lineBox(editor, CompanyBox::Name)->setText(QStringLiteral("First Co"));
    QTest::mouseClick(editor->cmdOK, Qt::LeftButton);
    QCOMPARE(directory->rows(), 2);
    QCOMPARE(cellText(*directory, 1, 0), QStringLiteral("First Co"));
}

void TestCompanies::gridShowsCompaniesByName()
{
    TestWorld world;
    const qint64 zeta = world.addCompany(QStringLiteral("Zeta"), {{QStringLiteral("Street1"), QStringLiteral("9 Elm")},
                                                                  {QStringLiteral("Street2"), QStringLiteral("Unit 2")},
                                                                  {QStringLiteral("city"), QStringLiteral("Ames")},
                                                                  {QStringLiteral("State"), QStringLiteral("IA")},
                                                                  {QStringLiteral("zip"), QStringLiteral("50010")},
                                                                  {QStringLiteral("notes"), QStringLiteral("ask for Al\r\nmornings")}});
    const qint64 acme = world.addCompany(QStringLiteral("acme"), {{QStringLiteral("Street1"), QStringLiteral("1 Main")},
                                                                  {QStringLiteral("Street2"), QStringLiteral("")},
                                                                  {QStringLiteral("contact"), QStringLiteral("Bo")}});
    frmCompanies *directory = openDirectory(false);
    QCOMPARE(directory->windowTitle(), QStringLiteral("Companies"));
    QVERIFY(directory->cmdSelect->isHidden());
    QCOMPARE(directory->rows(), 3);
    QCOMPARE(directory->companyIdAt(1), acme);
    QCOMPARE(directory->companyIdAt(2), zeta);
    QCOMPARE(directory->grid->horizontalHeaderItem(5)->text(), QStringLiteral("Web Site"));
    QCOMPARE(cellText(*directory, 1, 1), QStringLiteral("1 Main\n   ")); // Null city, state and zip
    QCOMPARE(cellText(*directory, 1, 6), QStringLiteral("Bo"));
    QCOMPARE(cellText(*directory, 2, 1), QStringLiteral("9 Elm\nUnit 2\nAmes IA  50010"));
    QCOMPARE(cellText(*directory, 2, 7), QStringLiteral("ask for Al\nmornings"));
    QCOMPARE(directory->grid->rowHeight(1), Twips::toPixels(frmCompanies::RowHeightTwips));
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
}

void TestCompanies::selectOrEditNeedsAClick()
{
    TestWorld world;
    world.addCompany(QStringLiteral("Acme"));
    frmCompanies *directory = openDirectory(true);
    QSignalSpy chosen(directory, &frmCompanies::companyChosen);
    directory->grid->setCurrentCell(0, 0); // a current row, but nothing clicked
    MessageBox::clearShown();
    QTest::mouseClick(directory->cmdSelect, Qt::LeftButton);
    QTest::mouseClick(directory->cmdEdit, Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList({"Please select an company", "Please select an company to edit"}));
    QCOMPARE(chosen.count(), 0);
    QVERIFY(directory->isVisible() && !openEditor());

    clickRow(*directory, 1);
    QTest::mouseClick(directory->cmdSelect, Qt::LeftButton);
    QCOMPARE(chosen.count(), 1);
}

void TestCompanies::modeIsFixedWhenTheDirectoryOpens()
{
    // Browse first, then Select from an editor: a select-mode directory that delivers.
    TestWorld world;
    world.addCompany(QStringLiteral("Acme"));
    const qint64 beta = world.addCompany(QStringLiteral("Beta"), {{QStringLiteral("zip"), QStringLiteral("12345")}});
    QPointer<frmCompanies> browse = openDirectory(false);
    QPointer<frmCompanies> select = openDirectory(true);
    QVERIFY(!browse);
    QCOMPARE(select->windowTitle(), QStringLiteral("Select Company"));
    QVERIFY(!select->cmdSelect->isHidden());
    QSignalSpy chosen(select.data(), &frmCompanies::companyChosen);
    clickRow(*select, 2, true);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toLongLong(), beta);
    QTRY_VERIFY(!select);

    // And the other way round: browse replaces select, and its double-click edits.
    select = openDirectory(true);
    browse = openDirectory(false);
    QVERIFY(!select);
    QSignalSpy none(browse.data(), &frmCompanies::companyChosen);
    clickRow(*browse, 2, true);
    QCOMPARE(none.count(), 0);
    frmAddCo *editor = openEditor();
    QVERIFY(editor && browse->isVisible());
    QCOMPARE(editor->companyId(), beta);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Edit Company"));
    QCOMPARE(editor->boxText(CompanyBox::Zip), QStringLiteral("12345"));
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

void TestCompanies::resizeKeepsButtonsInARow()
{
    TestWorld world;
    world.addCompany(QStringLiteral("Acme"));
    frmCompanies *directory = openDirectory(false);
    directory->resize(Twips::toPixels(12000), Twips::toPixels(6000));
    QApplication::processEvents();
    // The buttons stand 200 twips apart, Cancel 200 twips from the right edge.
    const int gap = Twips::toPixels(200);
    QVERIFY(qAbs(directory->cmdCancel->geometry().right() + 1 + gap - directory->frameGeometry().width()) <= 1);
    QVERIFY(qAbs(directory->cmdEdit->geometry().right() + 1 + gap - directory->cmdCancel->x()) <= 1);
    // Too small for the rules: everything stays where it was.
    const QPoint cancelBefore = directory->cmdCancel->pos();
    directory->resize(Twips::toPixels(3000), Twips::toPixels(900));
    QApplication::processEvents();
    QCOMPARE(directory->cmdCancel->pos(), cancelBefore);
}

void TestCompanies::editorAddsAndCancels()
{
    TestWorld world;
    QPointer<frmAddCo> editor = showCompanyEditor(0);
    lineBox(editor, CompanyBox::City)->setText(QStringLiteral("Ames"));
    QTest::mouseClick(editor->cmdOK, Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList({QStringLiteral("A company name must be entered")}));
    QCOMPARE(editor->boxText(CompanyBox::City), QStringLiteral("Ames"));
    lineBox(editor, CompanyBox::Name)->setText(QStringLiteral("Never"));
    QTest::mouseClick(editor->cmdCancel, Qt::LeftButton);
    QTRY_VERIFY(!editor);
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo")).toInt(), 0);
}

void TestCompanies::editorEditKeepsItsCompany()
{
    TestWorld world;
    const qint64 mid = world.addCompany(QStringLiteral("Mid"));
    const qint64 other = world.addCompany(QStringLiteral("Other"));
    frmCompanies *directory = openDirectory(false);
    clickRow(*directory, 1);
    QTest::mouseClick(directory->cmdEdit, Qt::LeftButton);
    QPointer<frmAddCo> editor = openEditor();
    QCOMPARE(editor->companyId(), mid);

    // Another company now sorts first: row 1 of the directory is no longer Mid.
    const qint64 first = world.addCompany(QStringLiteral("Aardvark"));
    directory->LoadCompanies();
    QCOMPARE(directory->companyIdAt(1), first);

    lineBox(editor, CompanyBox::Name)->setText(QStringLiteral("Zulu"));
    qobject_cast<QPlainTextEdit *>(editor->box(CompanyBox::Notes))->setPlainText(QStringLiteral("first\nsecond"));
    QTest::mouseClick(editor->cmdOK, Qt::LeftButton);
    QTRY_VERIFY(!editor);
    QCOMPARE(companyField(world, mid, "company"), QStringLiteral("Zulu"));
    QCOMPARE(companyField(world, mid, "notes"), QStringLiteral("first\r\nsecond"));
    QCOMPARE(companyField(world, first, "company"), QStringLiteral("Aardvark"));
    // The list was rebuilt in name order: the renamed company moved down.
    QCOMPARE(directory->companyIdAt(2), other);
    QCOMPARE(directory->companyIdAt(3), mid);
}

void TestCompanies::editorTellsWhenCompanyGone()
{
    TestWorld world;
    const qint64 gone = world.addCompany(QStringLiteral("Gone"));
    frmAddCo *editor = showCompanyEditor(gone);
    Execute(db(), QStringLiteral("DELETE FROM orderinfo WHERE ID = ?"), {gone});
    QTest::mouseClick(editor->cmdOK, Qt::LeftButton);
    QCOMPARE(MessageBox::shownTexts(), QStringList({QStringLiteral("This company no longer exists; nothing was saved")}));
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM orderinfo")).toInt(), 0);
    QVERIFY(editor->isVisible());
}

void TestCompanies::editorBoxesHoldTheirLimits()
{
    TestWorld world;
    frmAddCo *editor = showCompanyEditor(0);
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    // Typing stops at the limit; Backspace still works and the freed place takes one more.
    QLineEdit *zip = lineBox(editor, CompanyBox::Zip);
    QTest::keyClicks(zip, QString(21, QLatin1Char('7')));
    QCOMPARE(zip->text().size(), 20);
    QTest::keyClick(zip, Qt::Key_Backspace);
    QTest::keyClicks(zip, QStringLiteral("89"));
    QCOMPARE(zip->text(), QString(19, QLatin1Char('7')) + QLatin1Char('8'));
    // A full box never traps the keyboard: the shortcuts still act.
    QTest::keyClick(zip, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(zip, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(zip->text(), QString());
    QTest::keyClick(zip, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(zip->text().size(), 20);

    // Pastes are cut to the limit; a longer stored value may still be shortened.
    zip->clear();
    zip->insert(QString(30, QLatin1Char('9')));
    QCOMPARE(zip->text().size(), 20);
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
    // Tab leaves a full notes box.
    notes->setFocus();
    QTest::keyClick(notes, Qt::Key_Tab);
    QVERIFY(!notes->hasFocus());
}

QTEST_MAIN(TestCompanies)
#include "test_companies.moc"
