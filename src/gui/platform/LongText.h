#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Text from a foreign file may hold a million characters on one line, which no box, label or
// cell lays out quickly. A window shows such a value in part, and never changes it unless the
// user edits it.
namespace LongText {

// The most characters of one line that a window shows.
inline constexpr qsizetype ShownLength = 1000;

// The text as a label, cell or read-only box shows it: each line longer than ShownLength cut
// there and followed by " ...".
QString shownPart(const QString &text);

// Puts a value into an entry box (a QLineEdit or QPlainTextEdit, with the line breaks the box
// shows): a long one in part, while the box keeps the whole value.
void setValue(QWidget *box, const QString &value);
// What the box holds: the whole value it was given while the user has not edited it, else its
// text.
QString value(const QWidget *box);

} // namespace LongText
