#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QMessageBox;
class QWidget;

// Every message box of the program: title "Tarvo", no icon unless asked, exactly the buttons
// named. A box stands above the window the user works in (the active one, which may be an
// always-on-top dialog) rather than behind it, and gives the keyboard back to that window when
// it closes. Tests switch it to answer from a queue and read back what was shown.
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
    // An OK/Cancel question whose OK cannot be undone: Enter answers Cancel.
    static bool confirmDestructive(QWidget *parent, const QString &text);

    // A message about what the user typed: afterwards the keyboard goes to the control at fault.
    static void fault(QWidget *control, const QString &text);

    // Tests: no dialog opens; each box takes the next queued answer, or when none is queued
    // OK for a message and No or Cancel for a question (as Esc would).
    static void setTestMode(bool on);
    static void setNextAnswer(Button answer);
    static QStringList shownTexts();
    static QString lastText();
    static void clearShown();
    // Tests that look at the box itself: while a handler is set, the real box opens as the user
    // would see it and the handler answers it (it must close the box).
    static void setTestHandler(std::function<void(QMessageBox &)> handler);

private:
    static Button defaultAnswer(Buttons buttons);
    static Button showBox(QWidget *parent, const QString &text, Buttons buttons, Icon icon, bool safeDefault);
};

// The text of a database failure shown to the user: what the command was doing and what the
// database said, e.g. "Could not save the item.\r\nThe database said: disk I/O error".
QString databaseFailureText(const QString &purpose, const QString &detail);
