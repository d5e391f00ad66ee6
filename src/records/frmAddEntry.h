#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The window that adds a typed entry to an item's history or notes. It takes its item when it
// opens: the selected list row's item when opened from the main window, else the selected
// alarm row's item; later changes of the selection do not redirect it.
class frmAddEntry : public QWidget
{
    Q_OBJECT

public:
    int itemId() const { return m_itemId; }
    int target() const { return m_target; }
    bool fromMainWindow() const { return m_fromMainWindow; }

    // The add button (and Enter in the description box).
    void add();

    QLabel *lblDescr = nullptr;
    QLineEdit *txtDescr = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdCancel = nullptr;

Q_SIGNALS:
    // An entry was written for this item (the window then closes). The window that opened
    // this one refreshes its lists from here.
    void entryAdded(int itemId);

protected:
    frmAddEntry(int target, const char *name, const QString &caption, QWidget *parent);
    void resizeEvent(QResizeEvent *event) override;

private:
    const int m_target;
    const bool m_fromMainWindow;
    const int m_itemId;
};
