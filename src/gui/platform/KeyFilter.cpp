#include "KeyFilter.h"

#include "core/platform/LineEnds.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QRegularExpressionValidator>

namespace {

class TypingFilter : public QObject
{
public:
    TypingFilter(QWidget *box, TypingRule rule)
        : QObject(box)
        , m_rule(std::move(rule))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString typed = key->text();
        if (typed.isEmpty() || isControlKey(key, typed.at(0).unicode()))
            return false;
        return !m_rule(keptText(watched), typed.at(0).unicode());
    }

private:
    static bool isControlKey(const QKeyEvent *key, int keyChar)
    {
        constexpr int Backspace = 8, Enter = 13, Del = 127;
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return true;
        return keyChar < 32 && keyChar != Backspace && keyChar != Enter && keyChar != Del;
    }

    // The box's text less its selection.
    static QString keptText(QObject *box)
    {
        if (auto *line = qobject_cast<QLineEdit *>(box)) {
            if (!line->hasSelectedText())
                return line->text();
            return QString(line->text()).remove(line->selectionStart(), line->selectionLength());
        }
        if (auto *plain = qobject_cast<QPlainTextEdit *>(box)) {
            const QTextCursor cursor = plain->textCursor();
            return plain->toPlainText().remove(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
        }
        return QString();
    }

    TypingRule m_rule;
};

} // namespace

void filterTyping(QWidget *box, TypingRule rule)
{
    box->installEventFilter(new TypingFilter(box, std::move(rule)));
}

void takeOnlyCharacters(QLineEdit *box, const QString &characters)
{
    const QRegularExpression allowed(QLatin1Char('[') + characters + QStringLiteral("]*"));
    box->setValidator(new QRegularExpressionValidator(allowed, box));
}

void cutPastes(QLineEdit *box, int limit)
{
    // The length before each user edit; typing stops at the limit, so only a paste (or a drop)
    // can carry the text past it.
    auto before = std::make_shared<qsizetype>(box->text().size());
    QObject::connect(box, &QLineEdit::textChanged, box, [box, before] { *before = box->text().size(); });
    QObject::connect(box, &QLineEdit::textEdited, box, [box, before, limit](const QString &text) {
        const qsizetype allowed = std::max<qsizetype>(limit, *before);
        if (text.size() <= allowed)
            return;
        const qsizetype excess = text.size() - allowed;
        const int cursor = box->cursorPosition();
        const qsizetype cutAt = std::max<qsizetype>(0, cursor - excess);
        box->setText(QString(text).remove(cutAt, excess));
        box->setCursorPosition(int(cutAt));
    });
}

LimitedTextEdit::LimitedTextEdit(int limit, QWidget *parent)
    : QPlainTextEdit(parent)
    , m_limit(limit)
{
}

void LimitedTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    // The selection is replaced; line breaks count as the CR LF they are stored as.
    QString kept = toPlainText();
    const QTextCursor cursor = textCursor();
    kept.remove(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
    qsizetype room = std::max<qsizetype>(0, m_limit - LineEnds::storedLength(kept));
    const QString pasted = LineEnds::toShown(source->text());
    qsizetype take = 0;
    while (take < pasted.size() && room >= (pasted.at(take) == u'\n' ? 2 : 1))
        room -= pasted.at(take++) == u'\n' ? 2 : 1;
    textCursor().insertText(pasted.left(take));
}
