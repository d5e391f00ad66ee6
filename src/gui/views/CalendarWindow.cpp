#include "CalendarWindow.h"

#include "CalendarPanel.h"

#include "core/db/Database.h"
#include "core/platform/Clock.h"
#include "core/views/CalendarMarks.h"
#include "gui/platform/LongText.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QCalendarWidget>
#include <QTextCharFormat>
#include <QVBoxLayout>

CalendarWindow::CalendarWindow(Database &database, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
{
    setObjectName(QStringLiteral("frmCalendar"));
    setWindowTitle(QStringLiteral("Calendar"));
    m_panel = new CalendarPanel(this);
    m_panel->showDate(Clock::today());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panel);
    setTopMost(this, true);

    connect(m_panel->calendar(), &QCalendarWidget::currentPageChanged, this, &CalendarWindow::markMonth);
    connect(m_panel, &CalendarPanel::dayClicked, this, &CalendarWindow::dayChosen);
    connect(m_panel, &CalendarPanel::cancelled, this, &QWidget::close);
    Mnemonics::give(this);
}

void CalendarWindow::load()
{
    markMonth(m_panel->calendar()->yearShown(), m_panel->calendar()->monthShown());
}

void CalendarWindow::markMonth(int year, int month)
{
    QCalendarWidget *calendar = m_panel->calendar();
    calendar->setDateTextFormat(QDate(), QTextCharFormat()); // the previous month's marks go
    QMap<QDate, DayMarks> marks;
    if (!m_database.isOpen() || !runGuarded(this, QStringLiteral("mark the due dates"), [&] { marks = monthMarks(m_database, year, month); }))
        return;
    for (auto day = marks.cbegin(); day != marks.cend(); ++day) {
        QTextCharFormat format;
        if (!day->services.isEmpty())
            format.setFontWeight(QFont::Bold);
        format.setFontUnderline(!day->orders.isEmpty());
        format.setToolTip(LongText::shownPart(dayMarksToolTip(*day)));
        calendar->setDateTextFormat(day.key(), format);
    }
}
