#include "LookupDialog.h"

#include "EditRule.h"
#include "DatePicker.h"

#include "core/views/ViewRules.h"
#include "gui/platform/KeyFilter.h"
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

    txtLookUp = new QLineEdit(this);
    txtLookUp->setObjectName(QStringLiteral("txtLookUp"));
    txtLookUp->setMaxLength(LookupValueLimit);
    auto *valueLabel = new QLabel(QStringLiteral("&Value:"), this);
    valueLabel->setBuddy(txtLookUp);
    txtLookUp->setAccessibleName(QStringLiteral("Value:"));

    cmdCal = new QPushButton(QIcon(QStringLiteral(":/icons/calendar.png")), QString(), this);
    cmdCal->setObjectName(QStringLiteral("cmdCal"));
    cmdCal->setToolTip(QStringLiteral("Calendar"));
    cmdCal->setAccessibleName(QStringLiteral("Calendar"));
    cmdLookUp = new QPushButton(QStringLiteral("LookUp"), this);
    cmdLookUp->setObjectName(QStringLiteral("cmdLookUp"));
    cmdCancel = new QPushButton(QStringLiteral("Close"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdLookUp->setDefault(true);

    auto *grid = new QGridLayout;
    grid->addWidget(listLabel, 0, 0);
    grid->addWidget(cmbLookup, 0, 1, 1, 2);
    grid->addWidget(valueLabel, 1, 0);
    grid->addWidget(txtLookUp, 1, 1);
    grid->addWidget(cmdCal, 1, 2);
    grid->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdLookUp);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(sizeHint().width() + 120, sizeHint().height());

    updateButtons();

    // Enter goes on to the default button, LookUp, whatever the box holds.
    filterTyping(txtLookUp, [this](const QString &text, int keyChar) {
        return keyChar == EnterKey || lookupKeyAccepted(chosenPosition(), text, keyChar);
    });
    holdEditsToRule(txtLookUp, [this](const QString &, const QString &after) {
        return lookupEditAccepted(chosenPosition(), after);
    });
    connect(cmbLookup, &QComboBox::currentIndexChanged, this, &LookupDialog::entryChosen);
    connect(txtLookUp, &QLineEdit::textChanged, this, &LookupDialog::updateButtons);
    connect(cmdCal, &QPushButton::clicked, this, &LookupDialog::pickDate);
    connect(cmdLookUp, &QPushButton::clicked, this, &LookupDialog::lookUp);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    setTopMost(this, true);
    txtLookUp->setFocus();
}

std::optional<int> LookupDialog::chosenPosition() const
{
    const int index = cmbLookup->currentIndex();
    return index >= 0 ? std::optional<int>(index) : std::nullopt;
}

void LookupDialog::entryChosen()
{
    txtLookUp->clear(); // a value of one kind means nothing for another
    updateButtons();
}

void LookupDialog::updateButtons()
{
    cmdCal->setEnabled(chosenPosition() && lookupEntryKind(chosenPosition()) == LookupEntry::Date);
    cmdLookUp->setEnabled(chosenPosition() && !txtLookUp->text().isEmpty());
}

void LookupDialog::pickDate()
{
    DatePicker::pickInto(txtLookUp);
    txtLookUp->setFocus();
}

void LookupDialog::lookUp()
{
    const std::optional<int> position = chosenPosition();
    if (!position || txtLookUp->text().isEmpty())
        return;
    const LookupRequest request = lookupRequest(*position, txtLookUp->text());
    if (!request.ok()) {
        MessageBox::information(this, request.error);
        return; // the box keeps what was typed
    }
    txtLookUp->clear(); // ready for the next lookup
    emit lookupChosen(request.field, request.value);
}

void LookupDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        txtLookUp->setFocus();
}
