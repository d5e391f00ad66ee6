#pragma once

#include <QString>
#include <QVariant>

class Database;

// Optimistic locking of the rows a window edits. Another program may work on the same file:
// the window takes a stamp of what it read when it loads, and its save writes only while the
// rows still hold exactly that. Otherwise the other program's change stands and nothing of the
// save is written.
class RowStamp
{
public:
    RowStamp() = default; // nothing read: nothing to compare, every save goes ahead

    // Every column of every row `sql` selects with `values` bound, in the order read. The
    // statement reads one table, so that the server can lock the rows it reads again.
    static RowStamp read(Database &database, const QString &sql, const QVariantList &values = {});

    // True when the read found no row (the item is gone).
    bool foundNothing() const { return !m_sql.isEmpty() && m_values.isEmpty(); }

    // Whether the rows read the same now. Call it inside the save's transaction, so that no
    // other program can write between the compare and the save: the file's write transaction
    // holds the whole file, and on the server the rows read stay locked until it ends.
    bool stillHolds(Database &database) const;
    // The same, read without locking anything: whether a window still shows what is stored.
    bool readsSame(Database &database) const;

private:
    QString m_sql;
    QVariantList m_binds;
    QVariantList m_values;
};

// How a save that compares first came out.
enum class SaveOutcome { Saved,
                         ItemGone,
                         ChangedElsewhere };

inline constexpr const char *ItemGoneText = "This item no longer exists; nothing was saved.";
inline constexpr const char *ItemChangedText =
    "This item was changed elsewhere since this window opened; close it and open it again to see the changes.";
inline constexpr const char *ColumnsChangedText =
    "The column settings were changed elsewhere since this window opened; close it and open it again to see the "
    "changes.";
