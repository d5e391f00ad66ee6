#include "frmCalendar.h"

#include "CalendarPanel.h"
#include "DisplayText.h"

#include "data/GlobalVars.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/WindowUtil.h"
#include "shell/frmmain.h"

#include <QPointer>
#include <QVBoxLayout>

namespace {

QPointer<frmCalendar> calendarWindow;

constexpr int ServiceDateField = 7;

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

    connect(m_panel, &CalendarPanel::dayClicked, this, &showServiceDateLookup);
    connect(m_panel, &CalendarPanel::cancelled, this, &QWidget::close);
}

frmCalendar *showCalendar()
{
    return showOnce(calendarWindow, [] { return new frmCalendar; });
}

void showServiceDateLookup(const QDate &day)
{
    GlobalVars &g = gv();
    g.DisplayMode = 0;
    g.LookupField = ServiceDateField;
    g.LookupValue = DateText::format(day);
    if (frmmain *window = frmmain::instance())
        window->setPanelText(1, lookupDisplayText(ServiceDateField, g.LookupValue));
    // Ordered by service date; the lookup view's own sort settings stay as they are.
    LoadGrid(ServiceDateField, 0, g.LookupValue, ServiceDateField);
}
