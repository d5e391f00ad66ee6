#pragma once

#include <QDate>
#include <QString>

// Dates as the user sees and types them: the numeric short form of the locale, with a
// four-digit year and "/" separators (12/31/2030 in the US), and as they are stored (ISO).
namespace DateText {

// The short form of a date; empty text for an invalid (Null) date.
QString format(const QDate &date);

// Reads a typed date strictly: three numbers in the locale's order, "/" between them, a real
// calendar day. A two-digit year counts 00-29 as 2000s and 30-99 as 1900s. Invalid otherwise.
QDate parse(const QString &text);

bool isDate(const QString &text);

// The display pattern, e.g. "M/d/yyyy" (en_US) or "dd/MM/yyyy" (de_DE).
QString pattern();

// Stored form: "yyyy-MM-dd", or a null QVariant for an invalid date.
QString toIso(const QDate &date);
QDate fromIso(const QString &iso);

// A typed date turned into its stored form; empty text stays empty (stored as Null).
QString typedToIso(const QString &typed);

// The stored form shown as the user reads it; Null or unreadable gives empty text.
QString isoToShort(const QString &iso);

} // namespace DateText
