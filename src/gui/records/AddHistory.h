#pragma once

#include "core/db/RowStamp.h"
#include "core/items/ItemRules.h"
#include "core/records/History.h"

#include <QString>
#include <QStringList>
#include <QVector>

class Database;
class QWidget;
struct AppSettings;

// Why a compared save of an item did not go ahead: it is gone, or it changed since the window
// read it.
void tellRefusal(QWidget *parent, SaveOutcome outcome);

// The texts of those of the requested automatic entries that go in: none while automatic
// history is off; when the options ask first, each only after the user answers Yes to
// "Add "..." to history?".
QStringList acceptedHistory(QWidget *parent, const QVector<HistoryRequest> &requests, const AppSettings &settings);

// Writes an automatic entry (see historyText) of an item's history or notes, dated today,
// only when automatic history is on and, when the warning is on, only after the user answers
// Yes to "Add "..." to history?". A failing statement throws DbError; callers run it guarded.
void addHistory(Database &database, HistoryKind kind, EntryTarget target, qint64 itemId, const QString &text1,
                const QString &text2, const AppSettings &settings);
