#include "BackupReminder.h"

#include "core/platform/DateText.h"
#include "core/settings/SettingsStore.h"

namespace BackupReminder {

int intervalDays(const QVariant &stored)
{
    bool number = false;
    const qlonglong days = stored.toString().trimmed().toLongLong(&number);
    // Far enough for any four-digit interval, short of QDate's range.
    constexpr qlonglong Longest = 1000000;
    return number && days > 0 ? int(qMin(days, Longest)) : 0;
}

bool isDue(const QVariant &backupdate, const QDate &today)
{
    const QString text = backupdate.toString().trimmed();
    if (backupdate.isNull() || text.isEmpty())
        return false;
    const QDate date = DateText::fromIso(text.left(10));
    return !date.isValid() || today >= date;
}

QString question()
{
    return QStringLiteral("Backup is scheduled for today.\r\nWould you like to backup database now?");
}

QString notice(int days)
{
    return QStringLiteral("Will prompt for backup again in ") + QString::number(days) + QStringLiteral(" days.");
}

Check check(Database &db, const QDate &today)
{
    const std::optional<StoredBackupSchedule> stored = readBackupSchedule(db);
    if (!stored)
        return {};
    return {isDue(stored->date, today), intervalDays(stored->interval)};
}

void moveOn(Database &db, const QDate &today, int days)
{
    writeBackupDate(db, today.addDays(days));
}

} // namespace BackupReminder
