#pragma once

#include "AckDialog.h"

#include "core/records/History.h"
#include "gui/records/EntryGrid.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

// "Service Acknowledge": everything a technician needs to service the item, its history and
// notes, and who serviced it when. Opened for one item, which it keeps.
class ServiceAckDialog : public AckDialog
{
    Q_OBJECT

public:
    ServiceAckDialog(const AppContext &context, qint64 itemId, QWidget *parent = nullptr);

    bool load() override;

    // The lists of the item's entries, newest first.
    void reloadHistory();
    void reloadNotes();

    bool partReplaced() const;

    // The buttons' commands.
    void acknowledgeService(); // cmdAck
    void openCalendar(); // cmdCal
    void addEntry(EntryTarget target); // cmdAddHst, cmdAddNote

    // An entry window this one opened added an entry: the list of its kind is read again when
    // the entry is for this item.
    void entryAdded(EntryTarget target, qint64 itemId);

Q_SIGNALS:
    // The entry window of a target is wanted for this item.
    void entryWanted(EntryTarget target);
    // A history entry for this item was added from here: an open item editor is closed, nothing
    // saved, as the entry may be about the dates it shows.
    void historyEntryAdded();

private:
    void loadServiceData();
    EntryGrid *makeEntryGrid(const char *name, QWidget *parent);
    void fillEntries(EntryGrid *grid, EntryTarget target);

    QPlainTextEdit *m_infoText = nullptr;
    EntryGrid *flxHistory = nullptr;
    EntryGrid *flxNotes = nullptr;
    QLineEdit *m_servicedByEdit = nullptr;
    QLineEdit *m_servicedOnEdit = nullptr;
    QCheckBox *Check1 = nullptr;
};
