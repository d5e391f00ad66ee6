#pragma once

#include <QPlainTextEdit>
#include <QString>

#include <functional>

class QLineEdit;

// Decides whether a typed character goes into a box: Backspace (8), Enter (13), DEL (127) and
// the printable characters reach it. `text` is what the box keeps around the new character:
// its text without the selection, which the character replaces, so a full box whose text is
// selected can be overtyped. Keys that type nothing (arrows, Home,
// End, the Delete key) and the control keys (Tab, Esc, Ctrl+A/C/V/X/Z and other shortcuts)
// never do, so a full box never traps the keyboard.
using TypingRule = std::function<bool(const QString &text, int keyChar)>;

constexpr int EnterKey = 13; // the character Enter types

// Installs the rule on a QLineEdit or QPlainTextEdit; a refused key is dropped silently.
void filterTyping(QWidget *box, TypingRule rule);

// A paste or a drop is taken only if the box then holds nothing but `characters` (a character
// class such as "0-9/"), the keys its typing rule lets through; otherwise the box keeps its
// text whole, so a date pasted with a dot or a trailing blank never half arrives.
void takeOnlyCharacters(QLineEdit *box, const QString &characters);

// Cuts pasted text so that the box's text stays within `limit` characters. Text that was
// already longer (set by the program) is left as it is.
void cutPastes(QLineEdit *box, int limit);

// A multi-line box whose pastes are cut so that its text, stored with CR LF line ends, stays
// within a limit.
class LimitedTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit LimitedTextEdit(int limit, QWidget *parent = nullptr);

protected:
    void insertFromMimeData(const QMimeData *source) override;

private:
    int m_limit;
};
