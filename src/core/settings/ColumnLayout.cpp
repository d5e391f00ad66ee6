#include "ColumnLayout.h"

#include "ColumnStore.h"

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
    for (const ColumnRecord &record : loadColumnsByPlace(database)) {
        const qint64 id = record.id.value_or(-1);
        if (!record.id || !Column::isValid(int(id)) || id != int(id))
            continue;
        const bool seen = std::any_of(rows.cbegin(), rows.cend(), [id](const Row &r) { return r.id == id; });
        if (seen)
            continue;
        const qint64 size = record.widthTwips.value_or(DefaultWidthTwips);
        rows.append({int(id), record.place, record.name, int(std::clamp<qint64>(size, 0, MaxWidthTwips))});
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
    writeColumnWidths(database, changed);
}
