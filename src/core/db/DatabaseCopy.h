#pragma once

#include "TableShapes.h"

#include <QByteArray>
#include <QList>
#include <QString>

class Database;

// Copying a whole database between the engines: a file into a server database and back, or a
// server database into a new file ("Export to File…").
namespace DatabaseCopy {

// A value the target's column cannot hold.
struct BadValue {
    QString table;
    QString row; // the row's ID (in History, Notes and repparts the item's ID)
    QString column;
    QString value;
};

struct TableCount {
    QString table;
    qint64 rows = 0;
};

struct Result {
    bool copied = false;
    QString error; // why nothing was copied
    QList<BadValue> badValues; // every one, also those written as Null
    QList<TableCount> counts; // the rows of each table, as copied and read back
};

struct Options {
    // Writes Null for text in a date column that is no date, instead of stopping the copy.
    bool blankBadDates = false;
};

// Copies every row of every table from `source` into `target`, all in one transaction on the
// target, reading the source as of one moment. The target holds no tables (they are made) or
// tables without items, companies, entries or parts (its column and settings rows are replaced).
// IDs, the order of entries and parts, and the ID counters are kept. Before the commit each
// table's rows are counted and checksummed on both sides: any difference, any failure and any
// text in a date column that is no date (unless blanked) rolls the whole copy back.
Result copy(Database &source, Database &target, const Options &options = {});

// A checksum of the table's rows in their order, alike on either engine for the same rows.
QByteArray checksum(Database &db, const TableShapes::Table &table, qint64 *rows = nullptr);

// Whether the text is a day as the program writes it: yyyy-MM-dd, a real day of the years 1
// to 9999.
bool isIsoDate(const QString &text);

// The tables, the starting rows and the two roles in a new server database, or, where its
// tables are there already, this program's fold() and the roles again: `owner` owns the tables,
// `technicians` may read and write their rows. With `sample`, the demo data too. One
// transaction. Throws DbError.
void initServer(Database &db, const QString &owner, const QString &technicians, bool sample);

} // namespace DatabaseCopy
