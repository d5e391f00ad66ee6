#pragma once

#include "core/db/DbError.h"
#include "gui/platform/MessageBox.h"

#include <QAbstractItemView>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <initializer_list>

class QHBoxLayout;
class QLineEdit;
class QScrollArea;

// Puts a window into the always-on-top layer (or takes it out), keeping its place and size.
void setTopMost(QWidget *window, bool on);

// Raises an open window without reloading it; with `activate` it also takes the keyboard.
void bringToFront(QWidget *window, bool activate = true);

// Shows a new window at the front while the keyboard stays in the active window, placed where it
// covers as little of that window as the screen allows.
void showWithoutFocus(QWidget *window);

// Where a window of `size` (its frame included) goes in `area` so that it covers as little of
// `avoid` as it can: beside it, above or below it, else in a corner of the area. Its top left.
QPoint asidePlace(const QRect &area, const QSize &size, const QRect &avoid);

// Fits a window into the available area of its screen (its title bar included), keeping its
// minimum size, before it is shown.
void keepOnScreen(QWidget *window);

// A list whose rows count as chosen only when the user moves to one: the view no longer makes
// its first row current when it takes the focus, so nothing looks chosen when nothing is.
void noAutomaticCurrent(QAbstractItemView *view);

// Windows that exist once: shows the open one unchanged, or makes a new one (deleted when it
// closes) and shows it. `make` may give none (it could not load): then nothing is shown.
// Without `activate` the window comes to the front but the keyboard stays where it is.
template<typename Window, typename Make>
Window *showOnce(QPointer<Window> &slot, Make make, bool activate = true)
{
    // A closed window lingers, hidden, until its deletion runs: it no longer counts as open.
    if (slot && slot->isVisible()) {
        bringToFront(slot, activate);
        return slot;
    }
    Window *window = make();
    if (!window)
        return nullptr;
    window->setAttribute(Qt::WA_DeleteOnClose);
    slot = window;
    keepOnScreen(window);
    if (activate)
        window->show();
    else
        showWithoutFocus(window);
    return window;
}

// A new window whose load() answers whether it has anything to show: the window, or none when it
// has not (the user has been told why) and the window is deleted.
template<class Window>
Window *keepIfLoaded(Window *window)
{
    if (window->load())
        return window;
    delete window;
    return nullptr;
}

// Closes an open window at once (a caller that needs fresh content).
template<typename Window>
void closeNow(QPointer<Window> &slot)
{
    if (slot) {
        Window *window = slot;
        window->close();
        delete window;
    }
}

// Runs a command that reads or writes the database. When a statement fails, a message names
// what the command was doing ("save the item") and what the database said; the command is
// abandoned and the program runs on. True when the command ran through.
bool runGuarded(QWidget *parent, const QString &purpose, const std::function<void()> &command);

// Widget geometry in twips.
void setGeometryTwips(QWidget *widget, int left, int top, int width, int height);

// The size a window opens with, given in twips, or larger where its layout needs more room (large
// fonts); the layout decides how small it may become.
void setDefaultSizeTwips(QWidget *window, int width, int height);

// Holds a window's form, which scrolls when the window is smaller than the form (a small
// screen, large fonts) so that the buttons beside it stay in view. Tab does not stop on the
// area, and the control that takes the keyboard is scrolled into view.
QScrollArea *scrollingForm(QWidget *form);

// The window's buttons in one row at its right edge, each at least `minimumTwips` wide.
QHBoxLayout *buttonRow(std::initializer_list<QWidget *> buttons, int minimumTwips);

// Fixes a box's width at `twips`, or wider when `sample` would not fit in the box's font.
void fitWidth(QLineEdit *box, int twips, const QString &sample);

// Makes the compiled-in images (logo, toolbar) available, gives every window the program's icon
// and the look the environment asks for (see Appearance); once, before the first window.
void initResources();
