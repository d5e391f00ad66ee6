#pragma once

#include <QDialog>

#include <functional>

class CalendarPanel;
class QLineEdit;
class QPushButton;

// The date picker: a modal month calendar that fills a date into a box of another window.
class DatePicker : public QDialog
{
    Q_OBJECT

public:
    explicit DatePicker(QWidget *parent = nullptr);

    // Opens the picker on today's date just below the box and waits for it. A clicked day is
    // written into the box in the short date form; "x" leaves the box's text as it was.
    static void pickInto(QLineEdit *box);

    // Fits a date box to a short date and makes the square calendar button that stands beside
    // it, in the box's parent, named for the box ("Pick Service Date"); the caller connects the
    // click.
    static QPushButton *dateBoxButton(QLineEdit *box, const QString &name, const QString &boxName);

    // Tests: called with the open picker instead of waiting for the user (null: wait).
    static void setTestPick(std::function<void(DatePicker &)> pick);

    // The text that goes back into the box: the box's text until a day is clicked.
    QString value() const { return m_value; }

private:
    void dayClicked(const QDate &date);

    CalendarPanel *m_panel = nullptr;
    QString m_value;
};
