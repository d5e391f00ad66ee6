#pragma once

#include <QString>
#include <QVector>

class Database;

// Item history and notes: dated one-line entries in the tables History and Notes.

// Where an entry goes: 0 the item's history, any other value its notes.
enum EntryTarget : int { HistoryTarget = 0, NotesTarget = 1 };

// The entry text of each kind: 0 the text as given, 1 serviced, 2 parts in stock, 3 parts
// installed, 4 parts ordered, 5 new item. Any other kind gives empty text.
QString historyText(int kind, const QString &text1, const QString &text2);

// What becomes of an entry: a typed one (kind 0) is written; an automatic one is written only
// when automatic history is on, and first asked about when the warning is on.
enum class EntryDecision { Write, Drop, Ask };
EntryDecision entryDecision(int kind, int autoAddOn, int autoAddWarn);

// The question asked before an automatic entry is written.
QString historyQuestion(const QString &descr);

struct Entry {
    QString isoDate;
    QString descr;
};

// An item's entries, newest first; entries of the same day in the order they were written.
QVector<Entry> loadEntries(Database &db, int target, qint64 itemId);

// Writes an entry dated today.
void writeEntry(Database &db, int target, qint64 itemId, const QString &descr);

// Whether the item still exists (its entries would otherwise belong to nothing).
bool itemExists(Database &db, qint64 itemId);

// The description box: Backspace (8) and DEL (127) always pass, any other character only
// while the text holds fewer than 255 characters.
inline constexpr int DescriptionLimit = 255;
bool descriptionKeyAccepted(const QString &text, int keyChar);
