#pragma once

#include <QCollatorSortKey>
#include <QString>

// How text sorts: in the user's locale without regard to case, with the root collation under
// the C locale. Every text sort of the program goes through compareText or its sort keys.
namespace ValueOrder {

int compareText(const QString &a, const QString &b);

// A key that orders as compareText does (for sorting many rows quickly).
QCollatorSortKey sortKey(const QString &text);

// Forgets the cached collator (after the locale changes).
void localeChanged();

} // namespace ValueOrder
