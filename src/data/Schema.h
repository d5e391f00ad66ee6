#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class Database;

// The tables of the database file and the rows a new file starts with.
namespace Schema {

// The seven tables every database file holds.
const QStringList &tableNames();

bool hasAllTables(Database &db, QString *missing = nullptr);

// Writes the tables, the 25 column rows and the settings row into an empty database.
// Version and build name the program that made the file; the backup falls due a week
// after the given day.
void create(Database &db, const QString &version, const QString &build, const QDate &today);

struct ColumnDefault {
    const char *heading;
    int widthTwips;
    int place; // 0 = hidden
};

// The start layout of the item list, by column id 0..24.
const ColumnDefault *columnDefaults();

} // namespace Schema
