#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every message box of the program: title "Tarvo", no icon unless asked, exactly the buttons
// named. Tests switch it to answer from a queue and read back what was shown.
class MessageBox
{
public:
    enum Button { Ok,
                  Cancel,
                  Yes,
                  No };
    enum Buttons { OkOnly,
                   OkCancel,
                   YesNo };
    enum Icon { NoIcon,
                Critical };

    static Button show(QWidget *parent, const QString &text, Buttons buttons = OkOnly, Icon icon = NoIcon);

    static void information(QWidget *parent, const QString &text) { show(parent, text); }
    static void critical(QWidget *parent, const QString &text) { show(parent, text, OkOnly, Critical); }
    // Yes/No question: true on Yes.
    static bool question(QWidget *parent, const QString &text) { return show(parent, text, YesNo) == Yes; }
    // OK/Cancel question: true on OK.
    static bool confirm(QWidget *parent, const QString &text) { return show(parent, text, OkCancel) == Ok; }

    // Tests: no dialog opens; each box takes the next queued answer, or when none is queued
    // OK for a message and No or Cancel for a question (as Esc would).
    static void setTestMode(bool on);
    static void setNextAnswer(Button answer);
    static QStringList shownTexts();
    static QString lastText();
    static void clearShown();

private:
    static Button defaultAnswer(Buttons buttons);
};

// The text of a database failure shown to the user: what the command was doing and what the
// database said, e.g. "Could not save the item.\r\nThe database said: disk I/O error".
QString databaseFailureText(const QString &purpose, const QString &detail);
