#pragma once

#include <QString>
#include <QVector>

class Database;

// The columns of the item list as the Columns table lays them out.
struct ColumnLayout {
    static constexpr int ColumnIds = 25;
    static constexpr int DefaultWidthTwips = 1500;

    struct Shown {
        int id = 0;
        QString heading;
        int widthTwips = DefaultWidthTwips;
    };

    // The shown columns in grid order: shown[k] is grid column k + 1 (column 0 is "ID").
    QVector<Shown> shown;
    // Grid column of each column id (0 = hidden) and whether it is shown.
    QVector<int> colLoc = QVector<int>(ColumnIds, 0);
    QVector<int> colVisible = QVector<int>(ColumnIds, 0);

    // Reads the table defensively: ids outside 0..24 are ignored, the places of the shown
    // columns are renumbered 1..K in order (ties by id), and a Null width counts as 1500.
    static ColumnLayout read(Database &database);
};

// Stores the widths of the shown columns (in pixels, by grid column) into the Columns table.
// A width the user did not change keeps its stored twips exactly.
void saveColumnWidths(Database &database, const ColumnLayout &layout, const QVector<int> &gridWidthsPx);
