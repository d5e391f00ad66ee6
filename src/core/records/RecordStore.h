#pragma once

#include "History.h"

#include <QString>
#include <QVector>

class Database;

// The items' history and notes in the tables History and Notes: the only place with their SQL.

// An item's entries, newest first; entries of the same day in the order they were written.
QVector<Entry> loadEntries(Database &db, EntryTarget target, qint64 itemId);

// Writes an entry dated today.
void writeEntry(Database &db, EntryTarget target, qint64 itemId, const QString &descr);

// Deletes an item's history and notes.
void deleteEntries(Database &db, qint64 itemId);
