#include "EditRule.h"

#include <QLineEdit>

#include <memory>

void holdEditsToRule(QLineEdit *box, EditRule rule)
{
    struct Kept {
        QString text;
        int cursor = 0;
    };
    auto kept = std::make_shared<Kept>(Kept {box->text(), box->cursorPosition()});
    // textEdited comes before textChanged, so `kept` still holds the text before the edit.
    QObject::connect(box, &QLineEdit::textChanged, box, [box, kept] {
        kept->text = box->text();
        kept->cursor = box->cursorPosition();
    });
    QObject::connect(box, &QLineEdit::textEdited, box, [box, kept, rule](const QString &text) {
        if (rule(kept->text, text))
            return;
        const Kept before = *kept;
        box->setText(before.text);
        box->setCursorPosition(before.cursor);
    });
}
