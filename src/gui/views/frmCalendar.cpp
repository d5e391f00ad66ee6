#include "frmCalendar.h"

#include "CalendarPanel.h"

#include "core/platform/Clock.h"
#include "gui/platform/WindowUtil.h"

#include <QPointer>
#include <QVBoxLayout>

namespace {
QPointer<frmCalendar> calendarWindow;
} // namespace

frmCalendar::frmCalendar(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmCalendar"));
    setWindowTitle(QStringLiteral("Calendar"));
    m_panel = new CalendarPanel(this);
    m_panel->showDate(Clock::today());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panel);
    SetTopMost(this, true);

    connect(m_panel, &CalendarPanel::dayClicked, this, &frmCalendar::dayChosen);
    connect(m_panel, &CalendarPanel::cancelled, this, &QWidget::close);
}

frmCalendar *showCalendar()
{
    return showOnce(calendarWindow, [] { return new frmCalendar; });
}
