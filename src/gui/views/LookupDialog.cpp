#include "LookupDialog.h"

#include "DatePicker.h"
#include "EditRule.h"

#include "core/views/ViewRules.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

LookupDialog::LookupDialog(std::optional<int> preset, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLookup"));
    setWindowTitle(QStringLiteral("Lookup"));

    cmbLookup = new QComboBox(this);
    cmbLookup->setObjectName(QStringLiteral("cmbLookup"));
    for (int position = 0; position < FieldTable::LookupPositions; ++position)
        cmbLookup->addItem(QString::fromLatin1(FieldTable::field(*FieldTable::fieldAtLookupPosition(position))->caption));
    cmbLookup->setMaxVisibleItems(FieldTable::LookupPositions);
    cmbLookup->setCurrentIndex(preset && *preset >= 0 && *preset < FieldTable::LookupPositions ? *preset : -1);
    auto *listLabel = new QLabel(QStringLiteral("Look up &by:"), this);
    listLabel->setBuddy(cmbLookup);
    cmbLookup->setAccessibleName(QStringLiteral("Look up by:"));

    m_valueEdit = new QLineEdit(this);
    m_valueEdit->setObjectName(QStringLiteral("txtLookUp"));
    m_valueEdit->setMaxLength(LookupValueLimit);
    auto *valueLabel = new QLabel(QStringLiteral("&Value:"), this);
    valueLabel->setBuddy(m_valueEdit);
    m_valueEdit->setAccessibleName(QStringLiteral("Value:"));

    m_calendarButton = new QPushButton(QIcon(QStringLiteral(":/icons/calendar.png")), QString(), this);
    m_calendarButton->setObjectName(QStringLiteral("cmdCal"));
    m_calendarButton->setToolTip(QStringLiteral("Pick a date"));
    m_calendarButton->setAccessibleName(QStringLiteral("Pick a date"));
    m_lookUpButton = new QPushButton(QStringLiteral("LookUp"), this);
    m_lookUpButton->setObjectName(QStringLiteral("cmdLookUp"));
    m_cancelButton = new QPushButton(QStringLiteral("Close"), this);
    m_cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    m_lookUpButton->setDefault(true);

    auto *grid = new QGridLayout;
    grid->addWidget(listLabel, 0, 0);
    grid->addWidget(cmbLookup, 0, 1, 1, 2);
    grid->addWidget(valueLabel, 1, 0);
    grid->addWidget(m_valueEdit, 1, 1);
    grid->addWidget(m_calendarButton, 1, 2);
    grid->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_lookUpButton);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(sizeHint().width() + 120, sizeHint().height());

    updateButtons();

    // Enter goes on to the default button, LookUp, whatever the box holds.
    filterTyping(m_valueEdit, [this](const QString &text, int keyChar) {
        return keyChar == EnterKey || lookupKeyAccepted(chosenPosition(), text, keyChar);
    });
    holdEditsToRule(m_valueEdit, [this](const QString &, const QString &after) {
        return lookupEditAccepted(chosenPosition(), after);
    });
    connect(cmbLookup, &QComboBox::currentIndexChanged, this, &LookupDialog::entryChosen);
    connect(m_valueEdit, &QLineEdit::textChanged, this, &LookupDialog::updateButtons);
    connect(m_calendarButton, &QPushButton::clicked, this, &LookupDialog::pickDate);
    connect(m_lookUpButton, &QPushButton::clicked, this, &LookupDialog::lookUp);
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);
    setTopMost(this, true);
    m_valueEdit->setFocus();
    Mnemonics::give(this);
}

std::optional<int> LookupDialog::chosenPosition() const
{
    const int index = cmbLookup->currentIndex();
    return index >= 0 ? std::optional<int>(index) : std::nullopt;
}

void LookupDialog::entryChosen()
{
    m_valueEdit->clear(); // a value of one kind means nothing for another
    updateButtons();
}

void LookupDialog::updateButtons()
{
    m_calendarButton->setEnabled(chosenPosition() && lookupEntryKind(chosenPosition()) == LookupEntry::Date);
    m_lookUpButton->setEnabled(chosenPosition() && !m_valueEdit->text().isEmpty());
}

void LookupDialog::pickDate()
{
    DatePicker::pickInto(m_valueEdit);
    m_valueEdit->setFocus();
}

void LookupDialog::lookUp()
{
    const std::optional<int> position = chosenPosition();
    if (!position || m_valueEdit->text().isEmpty())
        return;
    const LookupRequest request = lookupRequest(*position, m_valueEdit->text());
    if (!request.ok()) {
        MessageBox::fault(m_valueEdit, request.error);
        return; // the box keeps what was typed
    }
    m_valueEdit->clear(); // ready for the next lookup
    emit lookupChosen(request.field, request.value);
}

void LookupDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_valueEdit->setFocus();
}
