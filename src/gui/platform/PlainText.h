#pragma once

#include <QString>

class QLabel;

// Text from the database or typed by a user reads exactly as stored: "<b>" shows as "<b>",
// never as bold. Every label that shows such text goes through here once, when it is made.
void showPlainText(QLabel *label);

// A tooltip that shows stored text as it is (Qt renders a tooltip that looks like markup).
QString plainToolTip(const QString &text);
