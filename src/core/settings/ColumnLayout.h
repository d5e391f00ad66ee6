#pragma once

#include "core/db/FieldTable.h"

#include <QString>
#include <QVector>

class Database;

// The columns of the item list as the Columns table lays them out.
struct ColumnLayout {
    static constexpr int DefaultWidthTwips = 1500;
    static constexpr int MaxWidthTwips = 99999;

    struct Shown {
        Column::Id id = Column::Name;
        QString heading;
        int widthTwips = DefaultWidthTwips;
    };

    // The shown columns in grid order: shown[k] is grid column k + 1 (column 0 is "ID").
    QVector<Shown> shown;
    // Grid column of each column id; 0 = hidden.
    QVector<int> colLoc = QVector<int>(Column::Count, 0);

    bool isShown(int id) const { return Column::isValid(id) && colLoc.at(id) != 0; }
    // The column id of a grid column, or -1 for the "ID" column and columns past the last.
    int columnIdAt(int gridColumn) const;

    // Reads the table defensively: ids outside 0..24 are ignored, the places of the shown
    // columns are renumbered 1..K in order (ties by id), a Null width counts as 1500 and
    // widths are held to 0..99,999 twips.
    static ColumnLayout read(Database &database);
};

// Stores the widths of the shown columns (in pixels, by grid column) into the Columns table.
// A width the user did not change keeps its stored twips exactly; when none changed, nothing
// is written at all.
void saveColumnWidths(Database &database, const ColumnLayout &layout, const QVector<int> &gridWidthsPx);
