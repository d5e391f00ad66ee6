#pragma once

#include <QWidget>

class CalendarPanel;

// The calendar window: clicking a day lists the items whose service is due that day.
// Stays above other windows and open for further clicks until "x".
class frmCalendar : public QWidget
{
    Q_OBJECT

public:
    explicit frmCalendar(QWidget *parent = nullptr);

    CalendarPanel *panel() const { return m_panel; }

private:
    CalendarPanel *m_panel = nullptr;
};

// Shows the calendar window, or raises the open one.
frmCalendar *showCalendar();

// Lists the items whose service date is this day, as a lookup view of the main window.
void showServiceDateLookup(const QDate &day);
