#include "CompanyEditor.h"

#include "core/db/Recordset.h"
#include "core/platform/LineEnds.h"
#include "gui/platform/KeyFilter.h"
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

const char *const CompanyGoneMessage = "This company no longer exists; nothing was saved";

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
    static_cast<QGridLayout *>(layout())->addLayout(buttons, 7, 0, 1, 4);

    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &CompanyEditor::save);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
}

void CompanyEditor::load()
{
    if (editMode())
        runGuarded(this, QStringLiteral("read the company"), [this] { fill(loadCompany(m_database, m_companyId)); });
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
    if (auto *line = qobject_cast<QLineEdit *>(m_boxes[index]))
        return line->text();
    // Multi-line text is kept with CR LF line ends.
    return LineEnds::toStored(static_cast<LimitedTextEdit *>(m_boxes[index])->toPlainText());
}

void CompanyEditor::setBoxText(int index, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(m_boxes[index]))
        line->setText(text);
    else
        static_cast<LimitedTextEdit *>(m_boxes[index])->setPlainText(LineEnds::toShown(text));
}

void CompanyEditor::fill(const CompanyRecord &company)
{
    for (int index = 0; index < CompanyBox::Count; ++index)
        setBoxText(index, company.fields[index]);
}

void CompanyEditor::save()
{
    if (boxText(CompanyBox::Name).isEmpty()) {
        MessageBox::information(this, QStringLiteral("A company name must be entered"));
        return;
    }
    CompanyRecord company;
    for (int index = 0; index < CompanyBox::Count; ++index)
        company.fields[index] = boxText(index);
    qint64 saved = 0;
    const bool ran = runGuarded(this, QStringLiteral("save the company"), [&] {
        // An edited company is only ever updated: if its row is gone, nothing is written.
        saved = saveCompany(m_database, m_companyId, company);
    });
    if (!ran)
        return;
    if (saved == 0) {
        MessageBox::information(this, QString::fromLatin1(CompanyGoneMessage));
        return;
    }
    emit companySaved(saved);
    close();
}
