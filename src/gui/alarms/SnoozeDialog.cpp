#include "SnoozeDialog.h"

#include "core/alarms/AlarmSchedule.h"
#include "core/platform/Twips.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The default size in twips: two columns of five options in the frame, the buttons below.
constexpr int WindowWidth = 3480;
constexpr int WindowHeight = 2925;
constexpr int ButtonWidth = 1095;

} // namespace

SnoozeDialog::SnoozeDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAlSleep"));
    setWindowTitle(QStringLiteral("Sleep for"));

    auto *fraSleepFor = new QGroupBox(QStringLiteral("Sleep for"), this);
    fraSleepFor->setObjectName(QStringLiteral("fraSleepFor"));
    auto *options = new QGridLayout(fraSleepFor);
    m_options = new QButtonGroup(this);
    for (int index = 0; index < AlarmSchedule::SleepChoices; ++index) {
        auto *option = new QRadioButton(AlarmSchedule::sleepCaption(AlarmSchedule::SleepChoice(index)), fraSleepFor);
        option->setObjectName(QStringLiteral("optSleepFor_%1").arg(index));
        options->addWidget(option, index % 5, index / 5);
        m_options->addButton(option, index);
    }
    option(0)->setChecked(true);
    // An option chosen with the arrows counts as clicked.
    connect(m_options, &QButtonGroup::idToggled, this, [this](int index, bool on) {
        if (on)
            m_sleepChoice = AlarmSchedule::SleepChoice(index);
    });

    auto *cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto *cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fraSleepFor);
    layout->addLayout(buttonRow({cmdOK, cmdCancel}, ButtonWidth));
    resize(Twips::toPixels(WindowWidth), Twips::toPixels(WindowHeight));
    connect(cmdOK, &QPushButton::clicked, this, &SnoozeDialog::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    Mnemonics::give(this);
}

QRadioButton *SnoozeDialog::option(int index) const
{
    return qobject_cast<QRadioButton *>(m_options->button(index));
}

void SnoozeDialog::ok()
{
    emit sleepChosen(m_sleepChoice);
    close();
}
