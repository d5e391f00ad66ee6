#pragma once

#include "core/records/History.h"

#include <QDialog>
#include <QList>
#include <QPointer>

#include <functional>

class Database;
class QLabel;
class QLineEdit;

// "Add History" (frmAddHst) and "Add Note" (frmAddNote): a typed entry for an item's history
// or notes. The window gets its item when it opens and keeps it; a label names the item, so
// an entry never lands on another item unnoticed.
class EntryDialog : public QDialog
{
    Q_OBJECT

public:
    EntryDialog(Database &database, EntryTarget target, qint64 itemId, QWidget *parent = nullptr);

    // Names the item in the label (a failed read leaves it empty) and sizes the window to it.
    void load();

    qint64 itemId() const { return m_itemId; }
    EntryTarget target() const { return m_target; }
    bool hasTypedText() const;

    // The add button, the default one.
    void add();

    // The windows it serves: each that opened it or found it open. Whoever connects entryAdded
    // tells those it serves, while they are open.
    void serve(QWidget *opener);
    bool serves(const QWidget *opener) const;

Q_SIGNALS:
    // An entry was written for this item (the window then closes). The windows it serves
    // refresh their lists from here.
    void entryAdded(EntryTarget target, qint64 itemId);

private:
    Database &m_database;
    const EntryTarget m_target;
    const qint64 m_itemId;
    QList<QPointer<QWidget>> m_servedBy;
    QLabel *m_itemLabel = nullptr;
    QLineEdit *m_descriptionEdit = nullptr;
};

// Shows the entry window of a target, kept in `slot`, for an item. An open one for the same item
// is raised unchanged; one for another item is replaced when its box is empty, and otherwise
// raised as it is, naming its own item, so that the typed text is not lost. `connectNew` wires a
// new window as it is made.
EntryDialog *showEntryWindow(QPointer<EntryDialog> &slot, Database &database, EntryTarget target, qint64 itemId,
                             const std::function<void(EntryDialog *)> &connectNew = nullptr);
