#pragma once

#include <QDate>
#include <QDialog>

class CalendarPanel;
class Database;

// The calendar window: clicking a day asks for the items whose service is due that day.
// Stays above other windows and open for further clicks until "x". The month shown marks the
// days holding a service date in bold and the days to order parts underlined, and names the
// items in a tooltip. Esc, like "x", closes it.
class CalendarWindow : public QDialog
{
    Q_OBJECT

public:
    explicit CalendarWindow(Database &database, QWidget *parent = nullptr);

    // Marks the month shown; the other months are marked as they come into view.
    void load();

    CalendarPanel *panel() const { return m_panel; }

Q_SIGNALS:
    void dayChosen(const QDate &day);

private:
    void markMonth(int year, int month);

    Database &m_database;
    CalendarPanel *m_panel = nullptr;
};
