#include "MessageBox.h"

#include "core/platform/LineEnds.h"

#include <QMessageBox>
#include <QPushButton>
#include <QQueue>

namespace {
bool inTestMode = false;
QQueue<MessageBox::Button> answers;
QStringList shown;
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
    if (inTestMode) {
        shown << text;
        return answers.isEmpty() ? defaultAnswer(buttons) : answers.dequeue();
    }

    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("Tarvo"));
    // Stored texts break lines with CR LF; the box shows plain line breaks.
    box.setText(LineEnds::toShown(text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(icon == Critical ? QMessageBox::Critical : QMessageBox::NoIcon);
    switch (buttons) {
    case OkOnly:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    }
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

QString databaseFailureText(const QString &purpose, const QString &detail)
{
    return QStringLiteral("Could not ") + purpose + QStringLiteral(".\r\nThe database said: ") + detail;
}
