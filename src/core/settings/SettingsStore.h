#pragma once

#include "core/db/RowStamp.h"

#include "Settings.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

class Database;

// The one row of the table settings: the only place with its SQL.

// The alarm and history options of the row (all 0 when the row is missing).
SettingsRow readSettings(Database &database);
// Writes the options of the row in one statement, the backup interval as a whole number.
void writeSettings(Database &database, const SettingsRow &row);
// The fields writeSettings writes, as read now, for a later save to compare with; others (the
// last backup's date) may change meanwhile.
RowStamp optionsRowStamp(Database &database);

// The backup reminder's date and interval as stored; nothing when the row is missing.
struct StoredBackupSchedule {
    QVariant date; // backupdate
    QVariant interval; // backupinterval
};
std::optional<StoredBackupSchedule> readBackupSchedule(Database &database);
// backupdate = the day.
void writeBackupDate(Database &database, const QDate &day);

// The program version and build that made the file; nothing when the row is missing.
struct DatabaseVersion {
    QString version;
    QString build;
};
std::optional<DatabaseVersion> readDatabaseVersion(Database &database);

// The database's identity, a random name given when it was made (or first opened by a version
// that knew it); empty text when the row holds none.
QString databaseIdentity(Database &database);
