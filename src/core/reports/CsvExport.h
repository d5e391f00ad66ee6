#pragma once

#include <QByteArray>

class ItemListModel;

// The item list as a spreadsheet reads it: the heading row, then every row with the whole text
// of each cell, columns as shown (the ID first), written as Csv::field writes a field: UTF-8
// with a byte order mark, so spreadsheets take it as UTF-8, CR LF line ends, a cell that could
// start a formula guarded. The parts of an item are one per line, without a break after the last.
QByteArray gridCsv(const ItemListModel &grid);
