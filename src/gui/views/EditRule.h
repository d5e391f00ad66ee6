#pragma once

#include <QString>

#include <functional>

class QLineEdit;

// Holds a box to a rule for the edits its key filter does not see (pastes, drops): an edit
// that turns `before` into `after` is taken only when the rule allows it; otherwise the box
// keeps the text it had.
using EditRule = std::function<bool(const QString &before, const QString &after)>;
void holdEditsToRule(QLineEdit *box, EditRule rule);
