#include "SortDialog.h"

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
    optAscending = new QRadioButton(QStringLiteral("Ascending"), direction);
    optAscending->setObjectName(QStringLiteral("optAscending"));
    optDescending = new QRadioButton(QStringLiteral("Descending"), direction);
    optDescending->setObjectName(QStringLiteral("optDescending"));
    optAscending->setChecked(true);
    auto *directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(optAscending);
    directionLayout->addWidget(optDescending);

    cmdSort = new QPushButton(QStringLiteral("Sort"), this);
    cmdSort->setObjectName(QStringLiteral("cmdSort"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdSort->setDefault(true);
    cmdSort->setEnabled(cmbSort->currentIndex() >= 0);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSort);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(cmbSort);
    layout->addWidget(direction);
    layout->addLayout(buttons);
    setFixedWidth(sizeHint().width() + 60);

    // Enter anywhere but on Cancel sorts through the default button; in the open drop-down it
    // picks the entry.
    connect(cmbSort, &QComboBox::currentIndexChanged, this, [this](int index) { cmdSort->setEnabled(index >= 0); });
    connect(cmdSort, &QPushButton::clicked, this, &SortDialog::sort);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    setTopMost(this, true);
}

void SortDialog::sort()
{
    const std::optional<Field::Number> field = FieldTable::fieldAtSortPosition(cmbSort->currentIndex());
    if (!field)
        return; // no entry chosen
    const SortOrders order = optDescending->isChecked() ? Descending : Ascending;
    close();
    emit sortChosen(*field, order);
}
