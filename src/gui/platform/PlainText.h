#pragma once

#include <QString>

class QLabel;

// Text from the database or typed by a user reads exactly as stored: "<b>" shows as "<b>",
// never as bold. Every label that shows such text goes through here once, when it is made.
void showPlainText(QLabel *label);

// A tooltip that shows stored text as it is (Qt renders a tooltip that looks like markup).
QString plainToolTip(const QString &text);

// Text from the database put into a caption (a check box, a button): an "&" shows as itself
// instead of marking the next letter as the shortcut.
QString captionText(const QString &text);
