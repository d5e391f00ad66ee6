#pragma once

#include "core/db/RowStamp.h"

#include <QPair>
#include <QString>
#include <QVector>

#include <optional>

class Database;

// The item list's columns in the table Columns: the only place with its SQL. A technician on a
// server (keepsOwnSettings) keeps the places and widths of their own, starting from the rows';
// the captions stay the database's.

// One row as stored; a Null ID or width is nothing.
struct ColumnRecord {
    std::optional<qint64> id;
    QString name;
    std::optional<qint64> widthTwips; // size
    qint64 place = 0; // ColLocation: 0 = hidden
};

// Every row, by place, then by ID (the order the item list lays them out in).
QVector<ColumnRecord> loadColumnsByPlace(Database &database);
// Every row's ID and name, by ID (the order Column Settings lists them in).
QVector<ColumnRecord> loadColumnNames(Database &database);

// Every value of every row, for a save that compares first.
RowStamp columnsStamp(Database &database);

// The place and width to store for a column ID; a hidden column (place 0) keeps its width.
struct ColumnPlace {
    int id = 0;
    qint64 place = 0;
    qint64 widthTwips = 0;
};
// Writes every place in one transaction; writes nothing and gives false when the table no
// longer holds what `read` found.
bool writeColumnPlaces(Database &database, const RowStamp &read, const QVector<ColumnPlace> &places);

// Writes new widths by column ID (in twips) in one transaction.
void writeColumnWidths(Database &database, const QVector<QPair<int, int>> &widths);
