#pragma once

#include <QString>
#include <QStringList>

// Pieces of statement text the stores share. Table and column names are the program's own;
// every value is a "?" to bind.
namespace SqlText {

// INSERT INTO table (a, b) VALUES (?, ?)
QString insertInto(const QString &table, const QStringList &columns);
// UPDATE table SET a = ?, b = ? WHERE ID = ?  (the ID binds last)
QString updateById(const QString &table, const QStringList &columns);

// What only SQLite understands, each construct in this one place. The connection's own
// SQLite-only statements (its pragmas, BEGIN IMMEDIATE, the new row's ID) are in Database.cpp,
// the schema's column types and NOCASE collations in Schema.cpp.
namespace SqliteOnly {

// The ISO date `days` days after the ISO date `date` (both SQL expressions); Null when the
// date does not read as a day or the move leaves the calendar.
QString addDays(const QString &date, const QString &days);
// The column compared with a bound text, every letter's case folded (the connection's fold()).
QString foldedEquals(const QString &column);
// The column matched against a bound LIKE pattern whose "\" escapes "%", "_" and itself,
// every letter's case folded.
QString foldedLike(const QString &column);
// The column ordered without regard to ASCII case (NOCASE).
QString caseless(const QString &column);
// The order rows were written in, for tables without an ID of their own rows.
QString insertionOrder();

} // namespace SqliteOnly

} // namespace SqlText
