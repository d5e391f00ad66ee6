#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

class Database;

// The backup reminder of the start window: due on and after the settings row's backupdate,
// and each time it is shown backupdate moves on by backupinterval days from today.
namespace BackupReminder {

// The interval in days of a stored backupinterval. Empty, non-numeric or negative values
// count as 0 days.
int intervalDays(const QVariant &stored);

// Due when today is on or after the stored date. An empty (Null) date is never due; a date
// that cannot be read is due, so that the reminder writes a good one.
bool isDue(const QVariant &backupdate, const QDate &today);

// "Backup is scheduled for today." CR LF "Would you like to backup database now?"
QString question();
// "Will prompt for backup again in N days."
QString notice(int days);

struct Check {
    bool due = false;
    int days = 0; // the interval
};
// Reads backupdate and backupinterval from the settings row.
Check check(Database &db, const QDate &today);

// backupdate = today + days, written to the settings row.
void moveOn(Database &db, const QDate &today, int days);

} // namespace BackupReminder
