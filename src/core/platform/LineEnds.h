#pragma once

#include <QString>

// Multi-line text is stored with CR LF line ends (as it was typed on the original platform) and
// shown with the toolkit's own line breaks.
namespace LineEnds {

// "\r\n" becomes "\n".
QString toShown(const QString &stored);

// Every line break, "\r\n", a lone "\r" or "\n", becomes "\n" (text written elsewhere).
QString unified(const QString &text);

// Every line break becomes "\r\n", whether it came as "\n" or already as "\r\n".
QString toStored(const QString &shown);

// How many characters the text takes once stored: a line break counts as two.
qsizetype storedLength(QStringView shown);

} // namespace LineEnds
