#include "History.h"

#include "core/db/Database.h"
#include "core/platform/Clock.h"
#include "core/platform/DateText.h"

namespace {

QString tableOf(EntryTarget target)
{
    return target == HistoryTarget ? QStringLiteral("History") : QStringLiteral("Notes");
}

} // namespace

QString historyText(HistoryKind kind, const QString &text1, const QString &text2)
{
    switch (kind) {
    case TypedEntry: return text1;
    case ServicedEntry: return QStringLiteral("Serviced By ") + text1 + QStringLiteral(" on ") + text2;
    case PartsInStockEntry: return QStringLiteral("Replacement part(s) in stock as of ") + text1;
    case PartsInstalledEntry: return QStringLiteral("New replacement part(s) installed on ") + text1;
    case PartsOrderedEntry: return QStringLiteral("Replacement part(s) ordered - purchase order #") + text1;
    case NewItemEntry: return QStringLiteral("A new ") + text1 + QStringLiteral(" was added on ") + text2;
    }
    return QString();
}

EntryDecision entryDecision(HistoryKind kind, bool autoAdd, bool askFirst)
{
    if (kind == TypedEntry)
        return EntryDecision::Write;
    if (!autoAdd)
        return EntryDecision::Drop;
    return askFirst ? EntryDecision::Ask : EntryDecision::Write;
}

QString historyQuestion(const QString &descr)
{
    return QStringLiteral("Add \"") + descr + QStringLiteral("\" to history?");
}

QVector<Entry> loadEntries(Database &db, EntryTarget target, qint64 itemId)
{
    // Same-day entries keep the order they were written in (rowid).
    Statement query(db, QStringLiteral("SELECT Date, descr FROM %1 WHERE ID = ? ORDER BY Date DESC, rowid").arg(tableOf(target)));
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

bool itemExists(Database &db, qint64 itemId)
{
    Statement query(db, QStringLiteral("SELECT 1 FROM main WHERE ID = ?"));
    query.bind(1, itemId);
    return query.next();
}

SaveOutcome addEntryToItem(Database &db, EntryTarget target, qint64 itemId, const QString &descr)
{
    Transaction transaction(db);
    if (!itemExists(db, itemId))
        return SaveOutcome::ItemGone;
    writeEntry(db, target, itemId, descr);
    transaction.commit();
    return SaveOutcome::Saved;
}

SaveOutcome itemSaveOutcome(Database &db, qint64 itemId, const RowStamp &read)
{
    if (read.stillHolds(db))
        return SaveOutcome::Saved;
    return itemExists(db, itemId) ? SaveOutcome::ChangedElsewhere : SaveOutcome::ItemGone;
}

bool descriptionKeyAccepted(const QString &text, int keyChar)
{
    return keyChar == 8 || keyChar == 127 || text.size() < DescriptionLimit;
}
