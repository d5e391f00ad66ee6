#include "ColumnStore.h"

#include "core/db/Database.h"

namespace {

std::optional<qint64> number(const Statement &row, int column)
{
    return row.isNull(column) ? std::nullopt : std::optional<qint64>(row.integer(column));
}

} // namespace

QVector<ColumnRecord> loadColumnsByPlace(Database &database)
{
    Statement query(database, QStringLiteral("SELECT ID, name, size, ColLocation FROM Columns ORDER BY ColLocation, ID"));
    QVector<ColumnRecord> rows;
    while (query.next())
        rows.append({number(query, 0), query.text(1), number(query, 2), query.integer(3)});
    return rows;
}

QVector<ColumnRecord> loadColumnNames(Database &database)
{
    Statement query(database, QStringLiteral("SELECT ID, name FROM Columns ORDER BY ID"));
    QVector<ColumnRecord> rows;
    while (query.next())
        rows.append({number(query, 0), query.text(1), std::nullopt, 0});
    return rows;
}

RowStamp columnsStamp(Database &database)
{
    return RowStamp::read(database, QStringLiteral("SELECT * FROM Columns ORDER BY ID"));
}

bool writeColumnPlaces(Database &database, const RowStamp &read, const QVector<ColumnPlace> &places)
{
    Transaction transaction(database);
    if (!read.stillHolds(database))
        return false;
    Statement shown(database, QStringLiteral("UPDATE Columns SET ColLocation = ?, size = ? WHERE ID = ?"));
    Statement hidden(database, QStringLiteral("UPDATE Columns SET ColLocation = 0 WHERE ID = ?"));
    for (const ColumnPlace &column : places) {
        if (column.place != 0) {
            shown.reset();
            shown.bindAll({column.place, column.widthTwips, column.id});
            shown.run();
        } else {
            hidden.reset();
            hidden.bindAll({column.id});
            hidden.run();
        }
    }
    transaction.commit();
    return true;
}

void writeColumnWidths(Database &database, const QVector<QPair<int, int>> &widths)
{
    Transaction transaction(database);
    Statement update(database, QStringLiteral("UPDATE Columns SET size = ? WHERE ID = ?"));
    for (const auto &[id, twips] : widths) {
        update.reset();
        update.bindAll({twips, id});
        update.run();
    }
    transaction.commit();
}
