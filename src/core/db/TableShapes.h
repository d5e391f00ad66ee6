#pragma once

#include <QString>
#include <QStringList>

#include <span>

// The tables every Tarvo database holds, column by column, in the engine-neutral terms the
// server's schema, the shape check and the copy between engines share.
namespace TableShapes {

enum class Kind {
    Identity, // the row's ID, numbered by the database and never given twice (main, orderinfo)
    Key, // an ID the program gives (Columns)
    Integer,
    Text,
    Date, // an ISO day, yyyy-MM-dd
};

struct Column {
    const char *name;
    Kind kind;
    bool notNull = false;
    const char *defaultValue = nullptr;
    // Made by Schema::upgrade in a file an older version wrote: the shape check does not ask
    // for it, and a copy takes it only from a source that holds it.
    bool addedLater = false;
};

struct Table {
    const char *name;
    std::span<const Column> columns;
    // Rows without an ID of their own (an item's history, notes and parts) keep the order they
    // were written in: the file's rowid, the server's identity column.
    bool keepsOrder = false;
};

std::span<const Table> all();
const Table *find(const QString &name);
QStringList columnNames(const Table &table);

// The server's column that numbers rows in the order they were written.
inline constexpr const char *OrderColumn = "seq";

} // namespace TableShapes
