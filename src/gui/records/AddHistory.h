#pragma once

#include "core/records/History.h"

#include <QString>

// Writes an entry of an item's history or notes, dated today.
// A typed entry is always written; the other kinds are automatic entries
// (see historyText), written only when automatic history is on and, when the warning is on,
// only after the user answers Yes to "Add "..." to history?". text3 is not used.
// A failing statement throws DbError; callers run it guarded.
void AddHistory(HistoryKind kind, EntryTarget target, qint64 itemId, const QString &text1, const QString &text2,
                const QString &text3 = QString());
