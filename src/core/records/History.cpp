#include "History.h"

#include "core/data/Database.h"
#include "core/platform/Clock.h"
#include "core/platform/DateText.h"

namespace {

QString tableOf(int target)
{
    return target == HistoryTarget ? QStringLiteral("History") : QStringLiteral("Notes");
}

} // namespace

QString historyText(int kind, const QString &text1, const QString &text2)
{
    switch (kind) {
    case 0: return text1;
    case 1: return QStringLiteral("Serviced By ") + text1 + QStringLiteral(" on ") + text2;
    case 2: return QStringLiteral("Replacement part(s) in stock as of ") + text1;
    case 3: return QStringLiteral("New replacement part(s) installed on ") + text1;
    case 4: return QStringLiteral("Replacement part(s) ordered - purchase order #") + text1;
    case 5: return QStringLiteral("A new ") + text1 + QStringLiteral(" was added on ") + text2;
    default: return QString();
    }
}

EntryDecision entryDecision(int kind, int autoAddOn, int autoAddWarn)
{
    if (kind == 0)
        return EntryDecision::Write;
    if (autoAddOn != 1)
        return EntryDecision::Drop;
    return autoAddWarn != 0 ? EntryDecision::Ask : EntryDecision::Write;
}

QString historyQuestion(const QString &descr)
{
    return QStringLiteral("Add \"") + descr + QStringLiteral("\" to history?");
}

QVector<Entry> loadEntries(Database &db, int target, qint64 itemId)
{
    // Same-day entries keep the order they were written in (rowid).
    Statement query(db, QStringLiteral("SELECT Date, descr FROM %1 WHERE ID = ? ORDER BY Date DESC, rowid")
                            .arg(tableOf(target)));
    query.bind(1, itemId);
    QVector<Entry> entries;
    while (query.next())
        entries.append({query.text(0), query.text(1)});
    return entries;
}

void writeEntry(Database &db, int target, qint64 itemId, const QString &descr)
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

bool descriptionKeyAccepted(const QString &text, int keyChar)
{
    return keyChar == 8 || keyChar == 127 || text.size() < DescriptionLimit;
}
