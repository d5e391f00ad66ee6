#include "CsvExport.h"

#include "core/itemlist/ItemListModel.h"
#include "core/platform/CsvText.h"

QByteArray gridCsv(const ItemListModel &grid)
{
    QByteArray out("\xEF\xBB\xBF");
    const int columns = grid.columnCount();
    auto record = [&](auto text) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                out.append(',');
            out.append(Csv::field(text(c)));
        }
        out.append("\r\n");
    };
    record([&](int c) { return grid.headerData(c, Qt::Horizontal).toString(); });
    const ColumnLayout &layout = grid.columnLayout();
    for (int r = 0; r < grid.rowCount(); ++r) {
        record([&](int c) {
            QString text = grid.data(grid.index(r, c)).toString();
            // The list ends each part with a line break, the last one too.
            if (layout.columnIdAt(c) == Column::RepParts && text.endsWith(u'\n'))
                text.chop(text.endsWith(QStringLiteral("\r\n")) ? 2 : 1);
            return text;
        });
    }
    return out;
}
