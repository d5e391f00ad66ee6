#include "CompanyEditor.h"

#include "core/companies/CompanyStore.h"
#include "core/platform/LineEnds.h"
#include "gui/platform/ChangedElsewhereLine.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/LongText.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char *const BoxLabels[CompanyBox::Count] = {
    "Name",
    "Street 1",
    "Street 2",
    "City",
    "State",
    "Zip",
    "Phone",
    "Fax",
    "E-mail",
    "Web Site",
    "Notes",
    "Contact",
};

// Boxes in the editor's two columns; Notes spans the width below them.
const int LeftColumn[] = {CompanyBox::Name, CompanyBox::Street1, CompanyBox::Street2,
                          CompanyBox::City, CompanyBox::State, CompanyBox::Zip};
const int RightColumn[] = {CompanyBox::Contact, CompanyBox::Phone1, CompanyBox::Phone2,
                           CompanyBox::Email, CompanyBox::Website};

} // namespace

CompanyEditor::CompanyEditor(Database &database, qint64 companyId, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
    , m_companyId(companyId)
{
    setObjectName(QStringLiteral("frmAddCo"));
    setWindowTitle(editMode() ? QStringLiteral("Edit Company") : QStringLiteral("Add Company"));

    buildBoxes();
    auto *cmdOK = new QPushButton(editMode() ? QStringLiteral("Edit") : QStringLiteral("Add"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    auto *cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    static_cast<QGridLayout *>(layout())->addWidget(new ChangedElsewhereLine(m_database, m_read, QString::fromLatin1(CompanyChangedText), this), 7, 0, 1, 4);
    static_cast<QGridLayout *>(layout())->addLayout(buttons, 8, 0, 1, 4);

    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &CompanyEditor::save);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    Mnemonics::give(this);
}

void CompanyEditor::load()
{
    if (editMode()) {
        runGuarded(this, QStringLiteral("read the company"), [this] {
            // First what the save compares with, so that a change while loading is not missed.
            m_read = companyStamp(m_database, m_companyId);
            fill(loadCompany(m_database, m_companyId));
        });
    }
}

void CompanyEditor::buildBoxes()
{
    auto *grid = new QGridLayout(this);
    auto place = [&](int index, int row, int column) {
        QWidget *box;
        if (index == CompanyBox::Notes) {
            auto *notes = new LimitedTextEdit(companyFieldLimit(index), this);
            notes->setTabChangesFocus(true);
            notes->setFixedHeight(notes->fontMetrics().lineSpacing() * 4 + 12);
            box = notes;
        } else {
            auto *line = new QLineEdit(this);
            cutPastes(line, companyFieldLimit(index));
            box = line;
        }
        box->setObjectName(QStringLiteral("Text1_%1").arg(index));
        filterTyping(box, [index](const QString &text, int keyChar) { return companyKeyAccepted(index, text, keyChar); });
        auto *label = new QLabel(QString::fromLatin1(BoxLabels[index]), this);
        label->setBuddy(box);
        grid->addWidget(label, row, column);
        grid->addWidget(box, row, column + 1, 1, index == CompanyBox::Notes ? 3 : 1);
        m_boxes[index] = box;
    };
    for (int row = 0; row < 6; ++row)
        place(LeftColumn[row], row, 0);
    for (int row = 0; row < 5; ++row)
        place(RightColumn[row], row, 2);
    place(CompanyBox::Notes, 6, 0);
    grid->setColumnMinimumWidth(1, 220);
    grid->setColumnMinimumWidth(3, 220);
}

QString CompanyEditor::boxText(int index) const
{
    // Multi-line text is kept with CR LF line ends.
    const QString text = LongText::value(m_boxes[index]);
    return index == CompanyBox::Notes ? LineEnds::toStored(text) : text;
}

void CompanyEditor::setBoxText(int index, const QString &text)
{
    // A long value in part, kept whole until the user edits it.
    LongText::setValue(m_boxes[index], index == CompanyBox::Notes ? LineEnds::toShown(text) : text);
}

void CompanyEditor::fill(const CompanyRecord &company)
{
    for (int index = 0; index < CompanyBox::Count; ++index)
        setBoxText(index, company.fields[index]);
}

void CompanyEditor::save()
{
    if (boxText(CompanyBox::Name).isEmpty()) {
        MessageBox::fault(m_boxes[CompanyBox::Name], QStringLiteral("A company name must be entered"));
        return;
    }
    CompanyRecord company;
    for (int index = 0; index < CompanyBox::Count; ++index)
        company.fields[index] = boxText(index);
    SavedCompany saved;
    const bool ran = runGuarded(this, QStringLiteral("save the company"), [&] {
        // An edited company is only ever updated, and only while it holds what this window read.
        saved = saveCompanyChecked(m_database, m_companyId, company, m_read);
    });
    if (!ran)
        return;
    if (saved.outcome != SaveOutcome::Saved) {
        const char *text = saved.outcome == SaveOutcome::ItemGone ? CompanyGoneText : CompanyChangedText;
        MessageBox::information(this, QString::fromLatin1(text));
        return;
    }
    emit companySaved(saved.id);
    close();
}
