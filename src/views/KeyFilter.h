#pragma once

#include <QString>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Decides whether a typed character goes into a box that holds `text`. Keys that type nothing
// (arrows, Home, End, the Delete key) never reach the rule.
using TypingRule = std::function<bool(const QString &text, int keyChar)>;

// Installs the rule on a QLineEdit or QPlainTextEdit; a refused key is dropped silently.
void filterTyping(QWidget *box, TypingRule rule);

// Cuts pasted text so that the box's text stays within `limit` characters. Text that was
// already longer (set by the program) is left as it is.
void cutPastes(QLineEdit *box, int limit);

#include <QPlainTextEdit>

// A multi-line box whose pastes are cut so that its text stays within a limit.
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
