#include "RecordStore.h"

#include "core/db/Database.h"
#include "core/db/SqlText.h"
#include "core/platform/Clock.h"
#include "core/platform/DateText.h"

namespace {

QString tableOf(EntryTarget target)
{
    return target == HistoryTarget ? QStringLiteral("History") : QStringLiteral("Notes");
}

} // namespace

QVector<Entry> loadEntries(Database &db, EntryTarget target, qint64 itemId)
{
    // Same-day entries keep the order they were written in.
    Statement query(db, QStringLiteral("SELECT Date, descr FROM %1 WHERE ID = ? ORDER BY Date DESC, %2").arg(tableOf(target), SqlText::SqliteOnly::insertionOrder()));
    query.bind(1, itemId);
    QVector<Entry> entries;
    while (query.next())
        entries.append({query.text(0), query.text(1)});
    return entries;
}

void writeEntry(Database &db, EntryTarget target, qint64 itemId, const QString &descr)
{
    Statement insert(db, QStringLiteral("INSERT INTO %1 (ID, Date, descr) VALUES (?, ?, ?)").arg(tableOf(target)));
    insert.bindAll({itemId, DateText::toIso(Clock::today()), descr.isNull() ? QStringLiteral("") : descr});
    insert.run();
}

void deleteEntries(Database &db, qint64 itemId)
{
    for (const EntryTarget target : {HistoryTarget, NotesTarget}) {
        Statement remove(db, QStringLiteral("DELETE FROM %1 WHERE ID = ?").arg(tableOf(target)));
        remove.bind(1, itemId);
        remove.run();
    }
}
