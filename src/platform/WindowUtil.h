#pragma once

#include "data/DbError.h"
#include "platform/MessageBox.h"

#include <QPointer>
#include <QWidget>

#include <functional>

// Puts a window into the always-on-top layer (or takes it out), keeping its place and size.
void SetTopMost(QWidget *window, bool on);

// Raises and activates an open window without reloading it.
void bringToFront(QWidget *window);

// Windows that exist once: shows the open one unchanged, or makes a new one (deleted when it
// closes) and shows it.
template <typename Window, typename Make>
Window *showOnce(QPointer<Window> &slot, Make make)
{
    if (slot) {
        bringToFront(slot);
        return slot;
    }
    Window *window = make();
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

// Runs a command that reads or writes the database. A failed statement is named in a message
// and the command is abandoned; the program runs on. True when the command ran through.
bool runGuarded(QWidget *parent, const std::function<void()> &command);

// Widget geometry in twips.
void setGeometryTwips(QWidget *widget, int left, int top, int width, int height);

// Makes the compiled-in images (logo, toolbar) available; once, before the first window.
void initResources();
