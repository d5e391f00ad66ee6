#pragma once

#include <QDate>
#include <QFrame>

class QCalendarWidget;
class QPushButton;

// The look both calendar windows share: a month calendar in a frame with "<" and ">" (one
// year back or forward, on mouse press) and "x".
class CalendarPanel : public QFrame
{
    Q_OBJECT

public:
    explicit CalendarPanel(QWidget *parent = nullptr);

    QCalendarWidget *calendar() const { return MonthView1; }

    // Shows this day (and its month) in the calendar.
    void showDate(const QDate &date);
    // Moves the shown month by whole years, taking the selected day along; 29 February becomes
    // 28 February in other years.
    void moveYears(int years);

Q_SIGNALS:
    void dayClicked(const QDate &date);
    void cancelled();

protected:
    // Enter on a day chosen with the arrows counts as a click on it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QCalendarWidget *MonthView1 = nullptr;
    QPushButton *m_previousYearButton = nullptr;
    QPushButton *m_nextYearButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
