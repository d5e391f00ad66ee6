#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class Database;

// Moving items to another database through a CSV file: every field of each item, its service
// cycle and its company's details, so that an import into another database raises the same
// alarms. Reports > Import Items from CSV reads it back.
namespace ItemTransfer {

// The columns of the file beyond the item list's own (whose headings are those of a new
// database): whether the parts of the open order are in stock, and the company's details.
enum Extra : int {
    OrderInStock = 0,
    CompanyStreet1,
    CompanyStreet2,
    CompanyCity,
    CompanyState,
    CompanyZip,
    CompanyPhone1,
    CompanyPhone2,
    CompanyEmail,
    CompanyWebsite,
    CompanyNotes,
    CompanyContact,
    ExtraCount
};
QString extraHeading(int extra);
// The company field an extra column holds (CompanyBox), or -1.
int companyBoxOf(int extra);

// Every heading of the file, in order: "ID", the 25 list columns, then the extra ones.
QStringList headings();

// Every item in ID order under those headings, as UTF-8 with a byte order mark and CR LF:
// texts as stored, dates as yyyy-MM-dd, day counts as numbers (0 too), flags as YES or NO, the
// parts one per line as the list writes them. `items` gets how many were written.
QByteArray itemsCsv(Database &database, int *items = nullptr);

} // namespace ItemTransfer
