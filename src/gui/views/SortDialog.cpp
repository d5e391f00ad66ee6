#include "SortDialog.h"

#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

SortDialog::SortDialog(std::optional<int> preset, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSort"));
    setWindowTitle(QStringLiteral("Sort"));

    cmbSort = new QComboBox(this);
    cmbSort->setObjectName(QStringLiteral("cmbSort"));
    for (int position = 0; position < FieldTable::SortPositions; ++position)
        cmbSort->addItem(QString::fromLatin1(FieldTable::field(*FieldTable::fieldAtSortPosition(position))->caption));
    cmbSort->setMaxVisibleItems(FieldTable::SortPositions);
    cmbSort->setCurrentIndex(preset && *preset >= 0 && *preset < FieldTable::SortPositions ? *preset : -1);
    auto *label = new QLabel(QStringLiteral("Sort &by:"), this);
    label->setBuddy(cmbSort);
    cmbSort->setAccessibleName(QStringLiteral("Sort by:"));

    auto *direction = new QGroupBox(QStringLiteral("Order"), this);
    m_ascending = new QRadioButton(QStringLiteral("Ascending"), direction);
    m_ascending->setObjectName(QStringLiteral("optAscending"));
    m_descending = new QRadioButton(QStringLiteral("Descending"), direction);
    m_descending->setObjectName(QStringLiteral("optDescending"));
    m_ascending->setChecked(true);
    auto *directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(m_ascending);
    directionLayout->addWidget(m_descending);

    m_sortButton = new QPushButton(QStringLiteral("Sort"), this);
    m_sortButton->setObjectName(QStringLiteral("cmdSort"));
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    m_sortButton->setDefault(true);
    m_sortButton->setEnabled(cmbSort->currentIndex() >= 0);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_sortButton);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(cmbSort);
    layout->addWidget(direction);
    layout->addLayout(buttons);
    setFixedWidth(sizeHint().width() + 60);

    // Enter anywhere but on Cancel sorts through the default button; in the open drop-down it
    // picks the entry.
    connect(cmbSort, &QComboBox::currentIndexChanged, this, [this](int index) { m_sortButton->setEnabled(index >= 0); });
    connect(m_sortButton, &QPushButton::clicked, this, &SortDialog::sort);
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);
    setTopMost(this, true);
    Mnemonics::give(this);
}

void SortDialog::sort()
{
    const std::optional<Field::Number> field = FieldTable::fieldAtSortPosition(cmbSort->currentIndex());
    if (!field)
        return; // no entry chosen
    const SortOrders order = m_descending->isChecked() ? Descending : Ascending;
    close();
    emit sortChosen(*field, order);
}
