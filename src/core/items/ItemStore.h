#pragma once

#include "ItemRules.h"
#include "RepParts.h"

#include "core/db/RowStamp.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <array>
#include <functional>
#include <optional>

class Database;

// The items in the table main, with their replacement parts in repparts: the only place with
// their SQL.

// The item's row with its company's name, as the editor's boxes show it. An item whose
// company row is gone loads with no company (ID 0, empty name). Nothing when the item is gone.
std::optional<ItemForm> loadItemForm(Database &database, qint64 itemId);

// The item's name; empty text when the item is gone.
QString itemName(Database &database, qint64 itemId);

// The texts of the named columns of the item's row, in the order named (a Null value gives a
// null QString); nothing when the item is gone. The names are the program's own.
std::optional<QStringList> loadItemTexts(Database &database, qint64 itemId, const QStringList &columns);

// Whether the item still exists (its entries would otherwise belong to nothing).
bool itemExists(Database &database, qint64 itemId);

// Writes an entry dated today while the item exists, asked and written in one transaction so
// that no other program can delete the item in between: Saved, or ItemGone with nothing written.
SaveOutcome addEntryToItem(Database &database, EntryTarget target, qint64 itemId, const QString &descr);

// Whether a compared save of the item may go ahead now: Saved while it holds what `read` found,
// otherwise whether it changed elsewhere or is gone.
SaveOutcome itemSaveOutcome(Database &database, qint64 itemId, const RowStamp &read);

// The item's whole row as the editor reads it when it opens: every field it shows or writes.
RowStamp itemFormStamp(Database &database, qint64 itemId);

struct SavedItem {
    SaveOutcome outcome = SaveOutcome::Saved;
    qint64 id = 0; // the item's ID once saved
};

// Writes the form as a new item (no editedId) or into the item with that ID, stores the new
// parts under it and writes the given history texts, all in one transaction. The
// acknowledgement flags become 0. An edit writes nothing at all when the item no longer exists
// or no longer holds what `read` found.
SavedItem saveItemForm(Database &database, const ItemForm &form, std::optional<qint64> editedId, const RowStamp &read,
                       const QVector<RepPart> &newParts, const QStringList &historyTexts = {});
// The same inside a transaction the caller holds.
SavedItem writeItemForm(Database &database, const ItemForm &form, std::optional<qint64> editedId, const RowStamp &read,
                        const QVector<RepPart> &newParts, const QStringList &historyTexts = {});

// Deletes an item with its history, notes and replacement parts inside one transaction, so
// that a failure leaves nothing half deleted.
void deleteItem(Database &database, qint64 itemId);

// An item's parts by name (equal names in the order they were stored).
QVector<RepPart> loadRepParts(Database &database, qint64 itemId);

// Stores parts under an item, in the order given.
void addRepParts(Database &database, qint64 itemId, const QVector<RepPart> &parts);

// The parts of an item joined into one text, as joinRepParts joins them.
QString replacementPartsText(Database &database, qint64 itemId, const QString &separator);

// The joined text of every item that has parts, in one scan of repparts, in item ID order
// (the item list).
void forEachRepPartsText(Database &database, const QString &separator,
                         const std::function<void(qint64 itemId, QString &&text)> &take);

// The acknowledgement flags of an item's current service cycle (0 or 1 each).
struct ItemAcks {
    int service = 0; // ackservice
    int order = 0; // ackorder
    int inStock = 0; // ackorderinstock

    bool operator==(const ItemAcks &) const = default;
};

// Sets the flags as another database held them: a saved item starts with none.
void setItemAcks(Database &database, qint64 itemId, const ItemAcks &acks);

// An item's row as stored, as a transfer to another database carries it: by column id each
// field of main (Null as a null QVariant; the company and parts columns stay Null), its
// company's ID and its acknowledgement flags.
struct StoredItem {
    qint64 id = 0;
    qint64 companyId = 0;
    std::array<QVariant, Column::Count> fields;
    ItemAcks acks;
};
// Every item in ID order.
void forEachStoredItem(Database &database, const std::function<void(const StoredItem &)> &take);

// The parts the editor's grid shows: first the stored ones, then those added since it opened.
// Rows count from 1 as in the grid, whose row 0 is the heading.
class PartList
{
public:
    void setStored(const QVector<RepPart> &stored);

    // Adds a part at the end; false (nothing added) when the name is empty.
    bool add(const QString &name, const QString &number);

    int count() const { return int(m_parts.size()); }
    const RepPart &at(int index) const { return m_parts.at(index); }

    // The first grid row whose part is not stored yet.
    int firstNewPartRow() const { return m_storedCount + 1; }
    QVector<RepPart> newParts() const { return m_parts.mid(m_storedCount); }

private:
    QVector<RepPart> m_parts;
    int m_storedCount = 0;
};
