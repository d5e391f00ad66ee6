#pragma once

#include "ItemRules.h"
#include "ItemStore.h"
#include "RepParts.h"

#include "core/companies/Company.h"
#include "core/settings/ColumnLayout.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class Database;

// Importing items from a CSV file with a heading row, as the program's exports write it (the
// list as shown, or every field) and as spreadsheets save it: UTF-8, comma, semicolon or tab
// separated, one item per record.

// What a column of the file holds: a column id of the item list (0..24), the item's ID (not
// imported: a new item gets a new one), a column of a transfer (transferColumn()), or nothing
// the import knows.
enum ImportColumn : int { IdColumn = -1,
                          UnknownColumn = -2 };
constexpr int TransferColumnBase = 100;
// The column of an extra transfer heading (ItemTransfer::Extra).
constexpr int transferColumn(int extra)
{
    return TransferColumnBase + extra;
}

// The column of each heading: the list's own headings first, then those of a new database,
// then the transfer's; letter case and surrounding blanks do not count. A heading met twice
// counts once.
QVector<int> importColumns(const QStringList &headings, const ColumnLayout &layout);

// One record of the file and what becomes of it.
struct ImportRow {
    int line = 0; // the file's line it begins on, the heading row being line 1
    ItemForm form; // what the item editor would hold
    QVector<RepPart> parts;
    ItemAcks acks; // the service cycle as the file gives it
    CompanyRecord company; // the company's details as the file gives them
    bool newCompany = false; // the company is not in the directory yet
    QStringList problems; // each stops the import
    QStringList notes; // worth knowing, stops nothing
};

struct ImportPreview {
    QString error; // the file cannot be imported at all; empty otherwise
    QStringList headings;
    QVector<int> columns; // by file column, as importColumns gives them
    QStringList readHeadings; // the file's headings that are imported, in its order
    QStringList ignoredHeadings; // and those that are not
    QStringList warnings; // columns missing that the alarms need
    QVector<ImportRow> rows;
    QStringList newCompanies; // names not in the directory, as first met
    int problemRows = 0;
};

// The forms a date of the file may take, e.g. "12/31/2026, 12/31/26 or 2026-12-31".
QString importDateForms();

// Reads and checks the file without writing anything: each row with the editor's checks (a
// service date already past is noted, not refused, since a list holds overdue items), dates
// in the short form (also with a two-digit year) or ISO, previewed as they will be stored, day
// counts 0..999, texts within the editor's limits, companies by name in the directory.
ImportPreview previewImport(Database &database, const QByteArray &bytes, const ColumnLayout &layout);

// Stores every row of a preview without problems, in one transaction: the companies not in
// the directory first (with the details of the first row that names them), then each item as
// the editor saves a new one, with its parts, the acknowledgements the file gives and, when
// withHistory is set, the automatic history of a new item. Returns how many items were
// stored; throws DbError with nothing written when a statement fails.
int importItems(Database &database, const ImportPreview &preview, bool withHistory);
