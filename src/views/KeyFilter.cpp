#include "KeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

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
        const QString typed = static_cast<QKeyEvent *>(event)->text();
        if (typed.isEmpty())
            return false;
        return !m_rule(boxText(watched), typed.at(0).unicode());
    }

private:
    static QString boxText(QObject *box)
    {
        if (auto *line = qobject_cast<QLineEdit *>(box))
            return line->text();
        if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
            return plain->toPlainText();
        return QString();
    }

    TypingRule m_rule;
};

} // namespace

void filterTyping(QWidget *box, TypingRule rule)
{
    box->installEventFilter(new TypingFilter(box, std::move(rule)));
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
    const qsizetype kept = toPlainText().size() - textCursor().selectedText().size();
    const qsizetype room = std::max<qsizetype>(0, m_limit - kept);
    textCursor().insertText(source->text().left(room));
}
