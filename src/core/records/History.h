#pragma once

#include <QString>

// Item history and notes: dated one-line entries in the tables History and Notes.

// Where an entry goes: the item's history or its notes.
enum EntryTarget : int { HistoryTarget = 0,
                         NotesTarget = 1 };

// What an entry records: the text as typed, or one of the automatic entries.
enum HistoryKind : int {
    TypedEntry = 0,
    ServicedEntry = 1,
    PartsInStockEntry = 2,
    PartsInstalledEntry = 3,
    PartsOrderedEntry = 4,
    NewItemEntry = 5
};

// The entry text of each kind; a kind outside the list gives empty text.
QString historyText(HistoryKind kind, const QString &text1, const QString &text2);

// What becomes of an entry: a typed one is written; an automatic one is written only
// when automatic history is on, and first asked about when the warning is on.
enum class EntryDecision { Write,
                           Drop,
                           Ask };
EntryDecision entryDecision(HistoryKind kind, bool autoAdd, bool askFirst);

// The question asked before an automatic entry is written.
QString historyQuestion(const QString &descr);

struct Entry {
    QString isoDate;
    QString descr;
};

// The description box: Backspace (8) and DEL (127) always pass, any other character only
// while the text holds fewer than 255 characters.
inline constexpr int DescriptionLimit = 255;
bool descriptionKeyAccepted(const QString &text, int keyChar);

inline constexpr const char *EntryItemGoneText = "This item no longer exists; the entry was not added";
