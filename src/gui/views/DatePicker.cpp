#include "DatePicker.h"

#include "CalendarPanel.h"
#include "PickerPlace.h"

#include "core/platform/Clock.h"
#include "core/platform/DateText.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
std::function<void(DatePicker &)> testPick;
constexpr int DateBoxTwips = 1300; // the least width of a date box
} // namespace

DatePicker::DatePicker(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("lib_frmCal"));
    setWindowTitle(QStringLiteral("Calendar"));
    setModal(true);
    m_panel = new CalendarPanel(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panel);

    connect(m_panel, &CalendarPanel::dayClicked, this, &DatePicker::dayClicked);
    connect(m_panel, &CalendarPanel::cancelled, this, &QDialog::reject);
    Mnemonics::give(this);
}

void DatePicker::dayClicked(const QDate &date)
{
    m_value = DateText::format(date);
    accept();
}

void DatePicker::setTestPick(std::function<void(DatePicker &)> pick)
{
    testPick = std::move(pick);
}

void DatePicker::pickInto(QLineEdit *box)
{
    if (!box)
        return;
    DatePicker picker(box->window());
    picker.m_panel->showDate(Clock::today());
    picker.m_value = box->text();
    picker.adjustSize();

    const QRect boxOnScreen(box->mapToGlobal(QPoint(0, 0)), box->size());
    const QScreen *screen = box->screen() ? box->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(boxOnScreen.topLeft(), picker.size());
    picker.move(pickerPosition(boxOnScreen, picker.size(), area));

    if (testPick)
        testPick(picker);
    else
        picker.exec();
    if (!picker.m_value.isEmpty() && picker.m_value != box->text()) {
        box->setText(picker.m_value);
        box->setModified(true); // the user's choice, as if typed
    }
}

QPushButton *DatePicker::dateBoxButton(QLineEdit *box, const QString &name, const QString &boxName)
{
    fitWidth(box, DateBoxTwips, QStringLiteral("12/31/2030"));
    auto *button = new QPushButton(QIcon(QStringLiteral(":/icons/calendar.png")), QString(), box->parentWidget());
    button->setObjectName(name);
    button->setAccessibleName(QStringLiteral("Pick ") + boxName);
    button->setToolTip(QStringLiteral("Pick ") + boxName);
    const int side = box->sizeHint().height();
    button->setFixedSize(side, side);
    return button;
}
