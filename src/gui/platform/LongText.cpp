#include "LongText.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QVariant>

#include <algorithm>

namespace LongText {

namespace {

// The whole value of a box that shows it in part.
constexpr const char *WholeValue = "wholeValue";

bool isLong(const QString &text)
{
    if (text.size() <= ShownLength)
        return false;
    const QStringList lines = text.split(u'\n');
    return std::any_of(lines.cbegin(), lines.cend(), [](const QString &line) { return line.size() > ShownLength; });
}

bool editedByUser(const QWidget *box)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(box))
        return line->isModified();
    if (const auto *multi = qobject_cast<const QPlainTextEdit *>(box))
        return multi->document()->isModified();
    return true;
}

} // namespace

QString shownPart(const QString &text)
{
    if (!isLong(text))
        return text;
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        if (line.size() > ShownLength)
            line = line.left(ShownLength) + QStringLiteral(" ...");
    }
    return lines.join(u'\n');
}

void setValue(QWidget *box, const QString &value)
{
    const bool cut = isLong(value);
    // Cut without the marker: what the user edits is what is stored.
    QString shown = value;
    if (cut) {
        QStringList lines = value.split(u'\n');
        for (QString &line : lines)
            line.truncate(ShownLength);
        shown = lines.join(u'\n');
    }
    box->setProperty(WholeValue, cut ? QVariant(value) : QVariant());
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(shown);
    else if (auto *multi = qobject_cast<QPlainTextEdit *>(box))
        multi->setPlainText(shown);
}

QString value(const QWidget *box)
{
    const QVariant whole = box->property(WholeValue);
    if (whole.isValid() && !editedByUser(box))
        return whole.toString();
    if (const auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    if (const auto *multi = qobject_cast<const QPlainTextEdit *>(box))
        return multi->toPlainText();
    return QString();
}

} // namespace LongText
