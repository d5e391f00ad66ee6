#include "frmAlSleep.h"

#include "core/alarms/AlarmSchedule.h"
#include "core/platform/Twips.h"
#include "gui/platform/WindowUtil.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Layout in twips: two columns of five options in the frame, the buttons below.
constexpr int Margin = 120;
constexpr int OptionTop = 330;
constexpr int OptionPitch = 360;
constexpr int OptionWidth = 1500;
constexpr int OptionHeight = 300;
constexpr int FrameWidth = Margin + 2 * OptionWidth + Margin;
constexpr int FrameHeight = OptionTop + 5 * OptionPitch + 60;
constexpr int ButtonWidth = 1095;
constexpr int ButtonHeight = 375;
constexpr int ButtonTop = Margin + FrameHeight + Margin;
constexpr int WindowWidth = Margin + FrameWidth + Margin;
constexpr int WindowHeight = ButtonTop + ButtonHeight + Margin;

} // namespace

frmAlSleep::frmAlSleep(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAlSleep"));
    setWindowTitle(QStringLiteral("Sleep for"));
    setFixedSize(Twips::toPixels(WindowWidth), Twips::toPixels(WindowHeight));

    fraSleepFor = new QGroupBox(QStringLiteral("Sleep for"), this);
    fraSleepFor->setObjectName(QStringLiteral("fraSleepFor"));
    setGeometryTwips(fraSleepFor, Margin, Margin, FrameWidth, FrameHeight);
    m_options = new QButtonGroup(this);
    for (int index = 0; index < AlarmSchedule::SleepChoices; ++index) {
        auto *option = new QRadioButton(AlarmSchedule::sleepCaption(AlarmSchedule::SleepChoice(index)), fraSleepFor);
        option->setObjectName(QStringLiteral("optSleepFor_%1").arg(index));
        setGeometryTwips(option, Margin + (index / 5) * OptionWidth, OptionTop + (index % 5) * OptionPitch,
                         OptionWidth, OptionHeight);
        m_options->addButton(option, index);
    }
    option(0)->setChecked(true);
    // An option chosen with the arrows counts as clicked.
    connect(m_options, &QButtonGroup::idToggled, this, [this](int index, bool on) {
        if (on)
            m_sleepChoice = AlarmSchedule::SleepChoice(index);
    });

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    const int buttonsLeft = WindowWidth - Margin - 2 * ButtonWidth - Margin;
    setGeometryTwips(cmdOK, buttonsLeft, ButtonTop, ButtonWidth, ButtonHeight);
    setGeometryTwips(cmdCancel, buttonsLeft + ButtonWidth + Margin, ButtonTop, ButtonWidth, ButtonHeight);
    connect(cmdOK, &QPushButton::clicked, this, &frmAlSleep::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
}

QRadioButton *frmAlSleep::option(int index) const
{
    return qobject_cast<QRadioButton *>(m_options->button(index));
}

void frmAlSleep::ok()
{
    emit sleepChosen(m_sleepChoice);
    close();
}
