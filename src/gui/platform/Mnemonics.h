#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

class QMenu;
class QMenuBar;
class QWidget;

// Alt+letter keys: every menu entry, every button with a caption and every label of an input
// gets one, different from the others of its menu or window. Captions given one by hand keep it.
namespace Mnemonics {

// The key character of a caption ("&Add" gives 'a', lowercase); null when it has none.
QChar keyOf(const QString &caption);
// The caption as shown, without the "&" marks.
QString plain(const QString &caption);

// The captions, each with a key none of the others has: one already marked keeps it, the
// others take the first free character of a capitalised word, then of any word, then any
// letter or digit. A caption with no free character is left as it is.
QStringList assign(const QStringList &captions);

// The entries of a menu (and of its submenus, each on its own).
void give(QMenu *menu);
// The window's buttons (its own, not those inside Qt's composite controls), tab captions and
// labels of inputs, together with the titles of its menu bar, leaving out the controls inside
// `leftOut`. A window of pages shown one at a time gives each page its keys with the others left
// out: the controls outside the pages keep the keys they took first, and a page may repeat
// another's.
void give(QWidget *window, const QList<QWidget *> &leftOut = {});

} // namespace Mnemonics
