#pragma once

#include <QCollatorSortKey>
#include <QString>
#include <QVariant>

// How listed values sort: text in the user's locale without regard to case, numbers by value,
// dates (ISO text) by day, and an empty (Null) value before every other value.
namespace ValueOrder {

int compareText(const QString &a, const QString &b);

// A key that orders as compareText does (for sorting many rows quickly).
QCollatorSortKey sortKey(const QString &text);

int compare(const QVariant &a, const QVariant &b);

// Forgets the cached collator (after the locale changes).
void localeChanged();

} // namespace ValueOrder
