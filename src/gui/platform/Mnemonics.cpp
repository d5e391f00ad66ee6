#include "Mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <functional>

namespace Mnemonics {

namespace {

bool usable(QChar c)
{
    return c.isLetterOrNumber();
}

// The positions of a caption's characters that could be its key, best first: the start of a
// capitalised word (or a number), then the rest of such a word, then the start of another word
// ("by"), then the rest.
QList<qsizetype> candidates(const QString &caption)
{
    QList<std::pair<int, qsizetype>> ranked;
    qsizetype wordStart = 0;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (!usable(caption.at(i)))
            continue;
        if (i == 0 || !usable(caption.at(i - 1)))
            wordStart = i;
        const QChar first = caption.at(wordStart);
        const bool capitalised = first.isUpper() || first.isDigit();
        const int rank = (capitalised ? 0 : 2) + (i == wordStart ? 0 : 1);
        ranked.append({rank, i});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<qsizetype> positions;
    for (const auto &[rank, at] : ranked)
        positions << at;
    return positions;
}

// A caption and the setter that puts it back, for one window or menu.
struct Caption {
    QString text;
    std::function<void(const QString &)> set;
};

void giveAll(QList<Caption> &captions)
{
    QStringList texts;
    for (const Caption &caption : captions)
        texts << caption.text;
    const QStringList marked = assign(texts);
    for (qsizetype i = 0; i < captions.size(); ++i) {
        if (marked.at(i) != captions.at(i).text)
            captions[i].set(marked.at(i));
    }
}

// Qt's composite controls (the calendar's month buttons, a scroll area's parts) carry names of
// their own; their captions are not the program's. A toolbar's buttons repeat menu entries.
bool ownControl(const QWidget *control, const QWidget *window)
{
    for (const QWidget *w = control; w && w != window; w = w->parentWidget()) {
        if (w->objectName().startsWith(u"qt_") || w->inherits("QCalendarWidget") || w->inherits("QToolBar"))
            return false;
    }
    return true;
}

void addMenuBar(QList<Caption> &captions, QWidget *window)
{
    for (QMenuBar *bar : window->findChildren<QMenuBar *>()) {
        for (QAction *entry : bar->actions()) {
            if (!entry->text().isEmpty())
                captions.append({entry->text(), [entry](const QString &text) { entry->setText(text); }});
        }
    }
}

} // namespace

QChar keyOf(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1).toLower();
        ++i; // "&&" is a plain "&"
    }
    return QChar();
}

QString plain(const QString &caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        text += caption.at(i);
    }
    return text;
}

QStringList assign(const QStringList &captions)
{
    // Who holds each key: a caption marked by hand keeps its own.
    QHash<QChar, qsizetype> holder;
    QList<qsizetype> marked(captions.size(), -1);
    for (qsizetype k = 0; k < captions.size(); ++k) {
        if (const QChar key = keyOf(captions.at(k)); !key.isNull())
            holder.insert(key, -1);
    }
    const auto freeIn = [&](qsizetype k) -> qsizetype {
        for (qsizetype at : candidates(captions.at(k))) {
            if (!holder.contains(captions.at(k).at(at).toLower()))
                return at;
        }
        return -1;
    };
    const auto take = [&](qsizetype k, qsizetype at) {
        holder.insert(captions.at(k).at(at).toLower(), k);
        marked[k] = at;
    };
    // In order, each takes its best free key; one left without takes a key from an earlier
    // caption that can move to another.
    for (qsizetype k = 0; k < captions.size(); ++k) {
        if (!keyOf(captions.at(k)).isNull())
            continue;
        if (const qsizetype at = freeIn(k); at >= 0) {
            take(k, at);
            continue;
        }
        for (qsizetype at : candidates(captions.at(k))) {
            const qsizetype other = holder.value(captions.at(k).at(at).toLower(), -1);
            const qsizetype moved = other >= 0 ? freeIn(other) : -1;
            if (moved >= 0) {
                take(other, moved);
                take(k, at);
                break;
            }
        }
    }
    QStringList result;
    for (qsizetype k = 0; k < captions.size(); ++k) {
        const QString &caption = captions.at(k);
        result << (marked.at(k) < 0 ? caption : caption.left(marked.at(k)) + u'&' + caption.mid(marked.at(k)));
    }
    return result;
}

void give(QMenu *menu)
{
    QList<Caption> captions;
    for (QAction *entry : menu->actions()) {
        if (entry->menu())
            give(entry->menu());
        if (!entry->isSeparator() && !entry->text().isEmpty())
            captions.append({entry->text(), [entry](const QString &text) { entry->setText(text); }});
    }
    giveAll(captions);
}

void give(QWidget *window)
{
    QList<Caption> captions;
    addMenuBar(captions, window);
    // The default button first: it keeps its caption's first letter where another could take it.
    QList<QAbstractButton *> buttons = window->findChildren<QAbstractButton *>();
    std::stable_partition(buttons.begin(), buttons.end(), [](QAbstractButton *button) {
        const auto *push = qobject_cast<QPushButton *>(button);
        return push && push->isDefault();
    });
    for (QAbstractButton *button : buttons) {
        if (ownControl(button, window) && !button->text().isEmpty())
            captions.append({button->text(), [button](const QString &text) { button->setText(text); }});
    }
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i)
            captions.append({tabs->tabText(i), [tabs, i](const QString &text) { tabs->setTabText(i, text); }});
    }
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy() && ownControl(label, window) && !label->text().isEmpty())
            captions.append({label->text(), [label](const QString &text) { label->setText(text); }});
    }
    giveAll(captions);
}

} // namespace Mnemonics
