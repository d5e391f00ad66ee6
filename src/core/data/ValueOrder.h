#pragma once

#include <QCollatorSortKey>
#include <QString>
#include <QVariant>

// How listed values sort: text in the user's locale without regard to case (the root collation
// under the C locale), numbers by value, dates (ISO text) by day, and an empty (Null) value
// before every other value. Every text sort of the program goes through compareText or its
// sort keys.
namespace ValueOrder {

int compareText(const QString &a, const QString &b);

// A key that orders as compareText does (for sorting many rows quickly).
QCollatorSortKey sortKey(const QString &text);

int compare(const QVariant &a, const QVariant &b);

// Forgets the cached collator (after the locale changes).
void localeChanged();

} // namespace ValueOrder
