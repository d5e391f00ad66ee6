#pragma once

#include "ItemRules.h"
#include "RepParts.h"

#include "core/settings/ColumnLayout.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

class Database;

// Importing an item list in the form Reports > Export List as CSV writes it: a heading row
// with the grid's column headings, then one item per record.

// The records of a CSV text: UTF-8 with or without a byte order mark; fields separated by
// commas; a field in double quotes may hold commas, line breaks and doubled quotes; a record
// ends at CR LF, LF or CR. Empty lines are skipped. False, with a message for the user, when
// the bytes are no such text.
bool parseCsv(const QByteArray &bytes, QVector<QStringList> *records, QString *error);

// What a column of the file holds: a column id of the item list, or one of these.
enum ImportColumn : int { IdColumn = -1,
                          UnknownColumn = -2 };
// The column of each heading: the list's own headings first, then those of a new database;
// letter case and surrounding blanks do not count. A heading met twice counts once.
QVector<int> importColumns(const QStringList &headings, const ColumnLayout &layout);

// One record of the file and what becomes of it.
struct ImportRow {
    int record = 0; // its place in the file, counting the heading row as 1
    ItemForm form; // what the item editor would hold
    QVector<RepPart> parts;
    bool newCompany = false; // the company is not in the directory yet
    QStringList problems; // each stops the import
    QStringList notes; // worth knowing, stops nothing
};

struct ImportPreview {
    QString error; // the file cannot be imported at all; empty otherwise
    QStringList headings;
    QVector<int> columns; // by file column, as importColumns gives them
    QVector<ImportRow> rows;
    QStringList newCompanies; // names not in the directory, as first met
    int problemRows = 0;
};

// Reads and checks the file without writing anything: each row with the editor's checks (a
// service date already past is noted, not refused, since a list holds overdue items), dates
// in the short form or ISO, day counts 0..999, texts within the editor's limits, companies by
// name in the directory.
ImportPreview previewImport(Database &database, const QByteArray &bytes, const ColumnLayout &layout);

// Stores every row of a preview without problems, in one transaction: the companies not in
// the directory first (name only), then each item as the editor saves a new one, with its
// parts and, when withHistory is set, the automatic history of a new item. Returns how many
// items were stored; throws DbError with nothing written when a statement fails.
int importItems(Database &database, const ImportPreview &preview, bool withHistory);
