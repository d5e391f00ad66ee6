#pragma once

#include "core/data/DbError.h"
#include "gui/platform/MessageBox.h"

#include <QPointer>
#include <QWidget>

#include <functional>

// Puts a window into the always-on-top layer (or takes it out), keeping its place and size.
void SetTopMost(QWidget *window, bool on);

// Raises and activates an open window without reloading it.
void bringToFront(QWidget *window);

// Windows that exist once: shows the open one unchanged, or makes a new one (deleted when it
// closes) and shows it. `make` may give none (it could not load): then nothing is shown.
template <typename Window, typename Make>
Window *showOnce(QPointer<Window> &slot, Make make)
{
    // A closed window lingers, hidden, until its deletion runs: it no longer counts as open.
    if (slot && slot->isVisible()) {
        bringToFront(slot);
        return slot;
    }
    Window *window = make();
    if (!window)
        return nullptr;
    window->setAttribute(Qt::WA_DeleteOnClose);
    slot = window;
    window->show();
    return window;
}

// Closes an open window at once (a caller that needs fresh content).
template <typename Window>
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

// Makes the compiled-in images (logo, toolbar) available; once, before the first window.
void initResources();
