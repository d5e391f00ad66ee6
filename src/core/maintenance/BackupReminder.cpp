#include "BackupReminder.h"

#include "core/db/Recordset.h"
#include "core/platform/DateText.h"

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
    Recordset settings(db, QStringLiteral("SELECT backupdate, backupinterval FROM settings"));
    if (settings.isEmpty())
        return {};
    return {isDue(settings.value(QStringLiteral("backupdate")), today),
            intervalDays(settings.value(QStringLiteral("backupinterval")))};
}

void moveOn(Database &db, const QDate &today, int days)
{
    execute(db, QStringLiteral("UPDATE settings SET backupdate = ?"), {DateText::toIso(today.addDays(days))});
}

} // namespace BackupReminder
