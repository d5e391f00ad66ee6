#include "ColumnStore.h"

#include "SettingsStore.h"

#include "core/db/Database.h"

namespace {

std::optional<qint64> number(const Statement &row, int column)
{
    return row.isNull(column) ? std::nullopt : std::optional<qint64>(row.integer(column));
}

// The technician's own places and widths, copied from the Columns rows for every column they
// have none of yet.
void copyOwnColumns(Database &database)
{
    database.exec(QStringLiteral("INSERT INTO tech_columns (login, ID, size, ColLocation)"
                                 " SELECT current_user, ID, size, ColLocation FROM Columns ON CONFLICT (login, ID) DO NOTHING"));
}

// Where a save writes a column's place and width: its Columns row, or the technician's own.
QString updateOf(Database &database, const QString &assignments)
{
    return keepsOwnSettings(database)
        ? QStringLiteral("UPDATE tech_columns SET %1 WHERE login = current_user AND ID = ?").arg(assignments)
        : QStringLiteral("UPDATE Columns SET %1 WHERE ID = ?").arg(assignments);
}

} // namespace

QVector<ColumnRecord> loadColumnsByPlace(Database &database)
{
    // A technician's own place and width where they have saved some, the Columns row's until then.
    const QString sql = keepsOwnSettings(database)
        ? QStringLiteral("SELECT c.ID, c.name, CASE WHEN t.ID IS NULL THEN c.size ELSE t.size END,"
                         " CASE WHEN t.ID IS NULL THEN c.ColLocation ELSE t.ColLocation END AS place"
                         " FROM Columns c LEFT JOIN tech_columns t ON t.login = current_user AND t.ID = c.ID"
                         " ORDER BY place, c.ID")
        : QStringLiteral("SELECT ID, name, size, ColLocation FROM Columns ORDER BY ColLocation, ID");
    Statement query(database, sql);
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
    if (!keepsOwnSettings(database))
        return RowStamp::read(database, QStringLiteral("SELECT * FROM Columns ORDER BY ID"));
    // The save locks the technician's own rows, so they must be there.
    copyOwnColumns(database);
    return RowStamp::read(database, QStringLiteral("SELECT c.ID, c.name, t.size, t.ColLocation FROM Columns c"
                                                   " JOIN tech_columns t ON t.ID = c.ID WHERE t.login = current_user"
                                                   " ORDER BY c.ID"));
}

bool writeColumnPlaces(Database &database, const RowStamp &read, const QVector<ColumnPlace> &places)
{
    Transaction transaction(database);
    if (!read.stillHolds(database))
        return false;
    Statement shown(database, updateOf(database, QStringLiteral("ColLocation = ?, size = ?")));
    Statement hidden(database, updateOf(database, QStringLiteral("ColLocation = 0")));
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
    if (keepsOwnSettings(database))
        copyOwnColumns(database);
    Statement update(database, updateOf(database, QStringLiteral("size = ?")));
    for (const auto &[id, twips] : widths) {
        update.reset();
        update.bindAll({twips, id});
        update.run();
    }
    transaction.commit();
}
