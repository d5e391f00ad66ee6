#include "MessageBox.h"

#include "DialogOwner.h"

#include "core/platform/LineEnds.h"

#include <QMessageBox>
#include <QPushButton>
#include <QQueue>
#include <QTimer>

namespace {
bool inTestMode = false;
QQueue<MessageBox::Button> answers;
QStringList shown;
std::function<void(QMessageBox &)> testHandler;
} // namespace

MessageBox::Button MessageBox::defaultAnswer(Buttons buttons)
{
    switch (buttons) {
    case OkCancel: return Cancel;
    case YesNo: return No;
    default: return Ok;
    }
}

MessageBox::Button MessageBox::show(QWidget *parent, const QString &text, Buttons buttons, Icon icon)
{
    return showBox(parent, text, buttons, icon, false);
}

bool MessageBox::confirmDestructive(QWidget *parent, const QString &text)
{
    return showBox(parent, text, OkCancel, NoIcon, true) == Ok;
}

void MessageBox::fault(QWidget *control, const QString &text)
{
    information(control, text);
    if (!control)
        return;
    // Set after the box has given the keyboard back to the control that had it.
    control->window()->activateWindow();
    control->setFocus(Qt::OtherFocusReason);
}

MessageBox::Button MessageBox::showBox(QWidget *parent, const QString &text, Buttons buttons, Icon icon, bool safeDefault)
{
    if (inTestMode) {
        shown << text;
        if (!testHandler)
            return answers.isEmpty() ? defaultAnswer(buttons) : answers.dequeue();
    }

    const DialogOwner owner(parent);
    QMessageBox box(owner.window());
    owner.place(&box);
    box.setWindowTitle(QStringLiteral("Tarvo"));
    // Stored texts break lines with CR LF; the box shows plain line breaks.
    box.setText(LineEnds::toShown(text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(icon == Critical ? QMessageBox::Critical : QMessageBox::NoIcon);
    switch (buttons) {
    case OkOnly:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(safeDefault ? QMessageBox::Cancel : QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(safeDefault ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    }
    if (testHandler)
        QTimer::singleShot(0, &box, [&box] { testHandler(box); });
    switch (box.exec()) {
    case QMessageBox::Ok: return Ok;
    case QMessageBox::Yes: return Yes;
    case QMessageBox::No: return No;
    default: return buttons == OkOnly ? Ok : defaultAnswer(buttons);
    }
}

void MessageBox::setTestMode(bool on)
{
    inTestMode = on;
    answers.clear();
    shown.clear();
    testHandler = nullptr;
}

void MessageBox::setNextAnswer(Button answer)
{
    answers.enqueue(answer);
}

QStringList MessageBox::shownTexts()
{
    return shown;
}

QString MessageBox::lastText()
{
    return shown.isEmpty() ? QString() : shown.last();
}

void MessageBox::clearShown()
{
    shown.clear();
    answers.clear();
}

void MessageBox::setTestHandler(std::function<void(QMessageBox &)> handler)
{
    testHandler = std::move(handler);
}

QString databaseFailureText(const QString &purpose, const QString &detail)
{
    return QStringLiteral("Could not ") + purpose + QStringLiteral(".\r\nThe database said: ") + detail;
}
