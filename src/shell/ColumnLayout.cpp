#include "ColumnLayout.h"

#include "data/Database.h"
#include "platform/Twips.h"

#include <algorithm>

ColumnLayout ColumnLayout::read(Database &database)
{
    struct Row {
        int id;
        int place;
        QString heading;
        int width;
    };
    QVector<Row> rows;
    Statement query(database, QStringLiteral("SELECT name, size, ID, ColLocation FROM Columns ORDER BY ColLocation, ID"));
    while (query.next()) {
        const int id = int(query.integer(2));
        if (id < 0 || id >= ColumnIds || query.isNull(2))
            continue;
        const bool seen = std::any_of(rows.cbegin(), rows.cend(), [id](const Row &r) { return r.id == id; });
        if (seen)
            continue;
        const int width = query.isNull(1) ? DefaultWidthTwips : int(query.integer(1));
        rows.append({id, int(query.integer(3)), query.text(0), width});
    }

    ColumnLayout layout;
    for (const Row &row : std::as_const(rows)) {
        if (row.place == 0)
            continue;
        layout.shown.append({row.id, row.heading, row.width});
        layout.colLoc[row.id] = int(layout.shown.size());
        layout.colVisible[row.id] = 1;
    }
    return layout;
}

void saveColumnWidths(Database &database, const ColumnLayout &layout, const QVector<int> &gridWidthsPx)
{
    Transaction transaction(database);
    Statement update(database, QStringLiteral("UPDATE Columns SET size = ? WHERE ID = ?"));
    for (int k = 0; k < layout.shown.size(); ++k) {
        const int gridColumn = k + 1;
        if (gridColumn >= gridWidthsPx.size())
            break;
        const ColumnLayout::Shown &column = layout.shown.at(k);
        const int pixels = gridWidthsPx.at(gridColumn);
        if (pixels == Twips::toPixels(column.widthTwips))
            continue; // not dragged: the stored twips stay as they were
        update.reset();
        update.bindAll({Twips::fromPixels(pixels), column.id});
        update.run();
    }
    transaction.commit();
}
