#pragma once

#include "CoreSupport.h"

#include "gui/platform/WindowUtil.h"

#include <QApplication>
#include <QWidget>

#include <concepts>

// The core set-up, the program's images, and message boxes, file dialogs and the desktop answered
// by the test, once per test program.
void initTestEnvironment();

// Deletes every top-level window a test left open (also after a failure) and forgets the
// message boxes shown.
void closeAllWindows();

// Deletes the windows closed meanwhile, as the event loop would.
void settle();

// The visible top-level window of the class, if any.
template<class Window>
Window *shownWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

// The window's control of that objectName and class; the test program stops when there is none.
template<class Control = QWidget>
Control *control(const QWidget *window, const char *name)
{
    Control *found = window->findChild<Control *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

// A window made, loaded and shown as its opener shows it (deleted when it closes), with no
// opener; none when its load finds nothing to show.
template<class Window, class... Args>
Window *openAlone(Args &&...args)
{
    QPointer<Window> none;
    return showOnce(none, [&] {
        auto *window = new Window(std::forward<Args>(args)...);
        if constexpr (requires { { window->load() } -> std::same_as<bool>; })
            return keepIfLoaded(window);
        else if constexpr (requires { window->load(); })
            window->load();
        return window;
    });
}

// Walks the activated window with Tab from `first`, the control that must have the focus: what
// went wrong, or empty when Tab visited every control it can reach and came back.
QString keyboardWalkFault(QWidget *window, const QString &first);
// Which two visible controls of the window overlap at its size, or which one the window cuts
// off outside a scrolling area; empty when none do.
QString overlapFault(QWidget *window);
