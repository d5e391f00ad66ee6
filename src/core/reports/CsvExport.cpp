#include "CsvExport.h"

#include "core/platform/LineEnds.h"

#include <QAbstractItemModel>

QByteArray csvField(const QString &text)
{
    QString field = text;
    // A NUL stored in a field becomes the replacement character, as invalid UTF-8 reads.
    field.replace(QChar(u'\0'), QChar(QChar::ReplacementCharacter));
    // Line breaks as CR LF, whichever way the cell holds them.
    field = LineEnds::unified(field).replace(u'\n', QStringLiteral("\r\n"));
    if (field.contains(u',') || field.contains(u'"') || field.contains(u'\n')) {
        field.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        field = u'"' + field + u'"';
    }
    return field.toUtf8();
}

QByteArray gridCsv(const QAbstractItemModel &grid)
{
    QByteArray out("\xEF\xBB\xBF");
    const int columns = grid.columnCount();
    auto record = [&](auto text) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                out.append(',');
            out.append(csvField(text(c)));
        }
        out.append("\r\n");
    };
    record([&](int c) { return grid.headerData(c, Qt::Horizontal).toString(); });
    for (int r = 0; r < grid.rowCount(); ++r)
        record([&](int c) { return grid.data(grid.index(r, c)).toString(); });
    return out;
}
