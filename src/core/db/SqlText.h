#pragma once

#include <QString>
#include <QStringList>

// Pieces of statement text the stores share. Table and column names are the program's own;
// every value is a "?" to bind. What the two engines write differently, the connection's
// dialect gives (SqlDialect).
namespace SqlText {

// INSERT INTO table (a, b) VALUES (?, ?)
QString insertInto(const QString &table, const QStringList &columns);
// UPDATE table SET a = ?, b = ? WHERE ID = ?  (the ID binds last)
QString updateById(const QString &table, const QStringList &columns);

} // namespace SqlText
