#include "CalendarPanel.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A small button whose caption is a sign; its name and tooltip say what it does.
QPushButton *smallButton(const char *name, const QString &text, const QString &does, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(does);
    button->setToolTip(does);
    button->setFixedWidth(28);
    // Reached with Tab; Space or Enter presses it.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

CalendarPanel::CalendarPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame1"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    MonthView1 = new QCalendarWidget(this);
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthView1->setAccessibleName(QStringLiteral("Calendar"));
    m_previousYearButton = smallButton("cmdPrevYear", QStringLiteral("<"), QStringLiteral("Previous year"), this);
    m_nextYearButton = smallButton("cmdNextYear", QStringLiteral(">"), QStringLiteral("Next year"), this);
    m_cancelButton = smallButton("cmdCancel", QStringLiteral("x"), QStringLiteral("Close the calendar"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_previousYearButton);
    buttons->addWidget(m_nextYearButton);
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(buttons);
    layout->addWidget(MonthView1);

    // The month's day grid takes the keys.
    (MonthView1->focusProxy() ? MonthView1->focusProxy() : MonthView1)->installEventFilter(this);
    connect(MonthView1, &QCalendarWidget::clicked, this, &CalendarPanel::dayClicked);
    connect(m_previousYearButton, &QPushButton::pressed, this, [this] { moveYears(-1); });
    connect(m_nextYearButton, &QPushButton::pressed, this, [this] { moveYears(1); });
    connect(m_cancelButton, &QPushButton::pressed, this, &CalendarPanel::cancelled);
}

bool CalendarPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Q_EMIT dayClicked(MonthView1->selectedDate());
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void CalendarPanel::showDate(const QDate &date)
{
    MonthView1->setSelectedDate(date);
    MonthView1->setCurrentPage(date.year(), date.month());
}

void CalendarPanel::moveYears(int years)
{
    // From the month on show, which the user may have paged away from the selected day; the
    // day of the month stays where the month has it.
    const QDate selected = MonthView1->selectedDate();
    const int year = MonthView1->yearShown();
    const int month = MonthView1->monthShown();
    QDate from = selected;
    if (selected.year() != year || selected.month() != month) {
        const QDate first(year, month, 1);
        from = first.addDays(qMin(selected.day(), first.daysInMonth()) - 1);
    }
    showDate(from.addYears(years));
}
