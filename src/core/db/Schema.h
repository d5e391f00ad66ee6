#pragma once

#include <QDate>
#include <QString>

class Database;

// The tables of a database, on the file or the server, and the rows a new one starts with.
namespace Schema {

// True when the database holds the seven tables, each with every column the program reads or
// writes, and on a server the meta table of a schema this program knows; otherwise false, with
// the first thing missing in `problem`.
bool hasExpectedShape(Database &db, QString *problem = nullptr);

// True when the file holds the one settings row and the 25 column rows (ids 0..24) a start
// needs; otherwise false, with what is missing in `problem`.
bool hasStartingRows(Database &db, QString *problem = nullptr);

// Writes the tables, the 25 column rows and the settings row into an empty database, in one
// transaction. Version and build name the program that made the database; the backup falls due
// a week after the given day. The settings row also gets the database's identity, a random name
// of its own.
void create(Database &db, const QString &version, const QString &build, const QDate &today);

// The two steps of create(), for a caller that runs its own transaction.
void createTables(Database &db);
void addStartingRows(Database &db, const QString &version, const QString &build, const QDate &today);

// Brings a database made by an older version up to this one: a settings row without an identity
// gets one, a server database the technicians' own tables; a server database without change
// notices gets them when its owner opens it. Writes nothing to a database that is up to date.
// Throws DbError (on a server, a login that may not make tables).
void upgrade(Database &db);

} // namespace Schema
