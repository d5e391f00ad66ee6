#include "Mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
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
    if (control->objectName().startsWith(u"qt_"))
        return false;
    for (const QWidget *w = control->parentWidget(); w && w != window; w = w->parentWidget()) {
        if (w->inherits("QCalendarWidget") || w->inherits("QToolBar"))
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

namespace {

// Gives each caption a key by matching captions to characters: each takes its best free one in
// turn; one left without takes a key from earlier captions that can move on to others.
class KeyMatch
{
public:
    explicit KeyMatch(const QStringList &captions)
        : m_captions(captions)
        , m_marked(captions.size(), -1)
    {
        for (qsizetype k = 0; k < captions.size(); ++k) {
            if (const QChar key = keyOf(captions.at(k)); !key.isNull())
                m_holder.insert(key, Fixed);
        }
        for (qsizetype k = 0; k < captions.size(); ++k) {
            if (!keyOf(captions.at(k)).isNull() || takeFree(k))
                continue;
            QSet<QChar> visited;
            moveOthersFor(k, visited);
        }
    }

    QStringList marked() const
    {
        QStringList result;
        for (qsizetype k = 0; k < m_captions.size(); ++k) {
            const QString &caption = m_captions.at(k);
            const qsizetype at = m_marked.at(k);
            result << (at < 0 ? caption : caption.left(at) + u'&' + caption.mid(at));
        }
        return result;
    }

private:
    static constexpr qsizetype Fixed = -1; // a key marked by hand
    static constexpr qsizetype NoOne = -2; // a key no caption holds

    QChar keyAt(qsizetype k, qsizetype at) const { return m_captions.at(k).at(at).toLower(); }

    void take(qsizetype k, qsizetype at)
    {
        m_holder.insert(keyAt(k, at), k);
        m_marked[k] = at;
    }

    bool takeFree(qsizetype k)
    {
        for (qsizetype at : candidates(m_captions.at(k))) {
            if (!m_holder.contains(keyAt(k, at))) {
                take(k, at);
                return true;
            }
        }
        return false;
    }

    // A key held by a later caption is asked for first: the earlier ones (the default button,
    // the buttons) keep theirs where they can.
    bool moveOthersFor(qsizetype k, QSet<QChar> &visited)
    {
        QList<qsizetype> positions = candidates(m_captions.at(k));
        std::stable_sort(positions.begin(), positions.end(), [&](qsizetype a, qsizetype b) {
            return m_holder.value(keyAt(k, a), NoOne) > m_holder.value(keyAt(k, b), NoOne);
        });
        for (qsizetype at : positions) {
            const QChar key = keyAt(k, at);
            if (visited.contains(key))
                continue;
            visited.insert(key);
            const qsizetype other = m_holder.value(key, NoOne);
            if (other == NoOne || (other != Fixed && moveOthersFor(other, visited))) {
                take(k, at);
                return true;
            }
        }
        return false;
    }

    const QStringList &m_captions;
    QList<qsizetype> m_marked;
    QHash<QChar, qsizetype> m_holder;
};

} // namespace

QStringList assign(const QStringList &captions)
{
    return KeyMatch(captions).marked();
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

namespace {

// The window's captions that take keys, leaving out the controls inside `left`.
QList<Caption> windowCaptions(QWidget *window, const QList<QWidget *> &left)
{
    const auto counted = [&](const QWidget *control) {
        return ownControl(control, window)
            && std::none_of(left.cbegin(), left.cend(), [control](const QWidget *page) { return page->isAncestorOf(control); });
    };
    QList<Caption> captions;
    addMenuBar(captions, window);
    // The default button first: it keeps its caption's first letter where another could take it.
    QList<QAbstractButton *> buttons = window->findChildren<QAbstractButton *>();
    std::stable_partition(buttons.begin(), buttons.end(), [](QAbstractButton *button) {
        const auto *push = qobject_cast<QPushButton *>(button);
        return push && push->isDefault();
    });
    for (QAbstractButton *button : buttons) {
        if (counted(button) && !button->text().isEmpty())
            captions.append({button->text(), [button](const QString &text) { button->setText(text); }});
    }
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i)
            captions.append({tabs->tabText(i), [tabs, i](const QString &text) { tabs->setTabText(i, text); }});
    }
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy() && counted(label) && !label->text().isEmpty())
            captions.append({label->text(), [label](const QString &text) { label->setText(text); }});
    }
    return captions;
}

} // namespace

void give(QWidget *window, const QList<QWidget *> &leftOut)
{
    QList<Caption> captions = windowCaptions(window, leftOut);
    giveAll(captions);
}

} // namespace Mnemonics
