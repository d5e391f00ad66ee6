#include "ColumnLayout.h"

#include "core/db/Database.h"

#include "core/platform/Twips.h"

#include <algorithm>

int ColumnLayout::columnIdAt(int gridColumn) const
{
    if (gridColumn < 1 || gridColumn > shown.size())
        return -1;
    return shown.at(gridColumn - 1).id;
}

ColumnLayout ColumnLayout::read(Database &database)
{
    struct Row {
        int id;
        qint64 place;
        QString heading;
        int width;
    };
    QVector<Row> rows;
    Statement query(database, QStringLiteral("SELECT name, size, ID, ColLocation FROM Columns ORDER BY ColLocation, ID"));
    while (query.next()) {
        const qint64 id = query.integer(2);
        if (query.isNull(2) || !Column::isValid(int(id)) || id != int(id))
            continue;
        const bool seen = std::any_of(rows.cbegin(), rows.cend(), [id](const Row &r) { return r.id == id; });
        if (seen)
            continue;
        const qint64 size = query.isNull(1) ? DefaultWidthTwips : query.integer(1);
        rows.append({int(id), query.integer(3), query.text(0), int(std::clamp<qint64>(size, 0, MaxWidthTwips))});
    }

    ColumnLayout layout;
    for (const Row &row : std::as_const(rows)) {
        if (row.place == 0)
            continue;
        layout.shown.append({Column::Id(row.id), row.heading, row.width});
        layout.colLoc[row.id] = int(layout.shown.size());
    }
    return layout;
}

void saveColumnWidths(Database &database, const ColumnLayout &layout, const QVector<int> &gridWidthsPx)
{
    QVector<QPair<int, int>> changed; // column id, new width in twips
    for (int k = 0; k < layout.shown.size() && k + 1 < gridWidthsPx.size(); ++k) {
        const ColumnLayout::Shown &column = layout.shown.at(k);
        const int pixels = gridWidthsPx.at(k + 1);
        if (pixels != Twips::toPixels(column.widthTwips))
            changed.append({column.id, std::min(Twips::fromPixels(pixels), ColumnLayout::MaxWidthTwips)});
    }
    if (changed.isEmpty())
        return;
    Transaction transaction(database);
    Statement update(database, QStringLiteral("UPDATE Columns SET size = ? WHERE ID = ?"));
    for (const auto &[id, twips] : std::as_const(changed)) {
        update.reset();
        update.bindAll({twips, id});
        update.run();
    }
    transaction.commit();
}
