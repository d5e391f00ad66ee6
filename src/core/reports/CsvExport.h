#pragma once

#include <QByteArray>

class QAbstractItemModel;

// The item list as a spreadsheet reads it: the heading row, then every row with the whole text
// of each cell, columns as shown (the ID first). Fields are separated by commas, records end
// with CR LF; a field holding a comma, a double quote or a line break is put in double quotes,
// its quotes doubled. UTF-8 with a byte order mark, so spreadsheets take it as UTF-8; multi-line
// cells keep their line breaks as CR LF.
QByteArray gridCsv(const QAbstractItemModel &grid);

// One field, quoted when it needs to be.
QByteArray csvField(const QString &text);
