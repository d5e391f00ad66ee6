#pragma once

#include <QDate>
#include <QWidget>

class CalendarPanel;

// The calendar window: clicking a day asks for the items whose service is due that day.
// Stays above other windows and open for further clicks until "x".
class frmCalendar : public QWidget
{
    Q_OBJECT

public:
    explicit frmCalendar(QWidget *parent = nullptr);

    CalendarPanel *panel() const { return m_panel; }

Q_SIGNALS:
    void dayChosen(const QDate &day);

private:
    CalendarPanel *m_panel = nullptr;
};

// Shows the calendar window, or raises the open one.
frmCalendar *showCalendar();
