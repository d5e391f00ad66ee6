#pragma once

#include <QPointer>
#include <QWidget>

// The window a message box or file dialog belongs to, for as long as the object lives: the
// window the user works in (the active one, which may be an always-on-top dialog such as
// Lookup or the Calendar), else the window of the control that asked. The dialog opens above
// it, always on top when any window of the program is, so that no window of ours hides it;
// when the object goes, the keyboard goes back to that window and the control that had it.
class DialogOwner
{
public:
    explicit DialogOwner(QWidget *asked);
    ~DialogOwner();
    DialogOwner(const DialogOwner &) = delete;
    DialogOwner &operator=(const DialogOwner &) = delete;

    QWidget *window() const { return m_window; }

    // Puts a dialog made with window() as its parent into the right layer.
    void place(QWidget *dialog) const;

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_focus;
};
