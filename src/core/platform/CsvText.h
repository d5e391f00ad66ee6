#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// CSV text as spreadsheets write and read it (RFC 4180): records of fields, a field in double
// quotes when it holds the separator, a quote or a line break, its quotes doubled. Written in
// UTF-8 with comma separators and CR LF line ends; read with whichever separator the heading
// line uses.
namespace Csv {

// A cell that a spreadsheet would take for a formula (its text begins with "=", "+", "-", "@",
// a tab or a CR, after any number of "'") gets one leading "'"; any other text stays as it is.
QString guarded(const QString &text);
// The text a guarded cell was made from: exactly one leading "'" removed from such a cell.
QString unguarded(const QString &text);

// One field as it is written: guarded, every line break as CR LF, quoted when it needs to be.
// A NUL becomes the replacement character.
QByteArray field(const QString &text);

// The separator of a file: comma, semicolon or tab, whichever its first line holds most often
// outside quotes; a comma when it holds none.
QChar separatorOf(QStringView text);

// One record of a file and the line it begins on (counting from 1, every line break of the
// file counted, also those inside quotes).
struct Record {
    int line = 0;
    QStringList fields;
};

// The records of a CSV text: UTF-8 with or without a byte order mark; a record ends at CR LF,
// LF or CR; empty lines are skipped. False, with a message for the user, when the bytes are no
// such text.
bool parse(const QByteArray &bytes, QVector<Record> *records, QString *error);

} // namespace Csv
