#pragma once

#include "core/db/RowStamp.h"

#include "Settings.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

class Database;

// The one row of the table settings: the only place with its SQL. On a server each technician
// keeps the alarm timer, the start-up alarm and the history question of their own, starting
// from the row's; the alarm switches, automatic history and the backup stay the database's.

// Whether this connection keeps those options of its own: a technician's login on a server.
// The file, and a login that owns the tables (who sets the database's own options, which new
// technicians start from), use the row itself.
bool keepsOwnSettings(Database &database);

// The alarm and history options of the row (all 0 when the row is missing), the technician's
// own where they keep them.
SettingsRow readSettings(Database &database);
// Writes the options in one statement each, the backup interval as a whole number.
void writeSettings(Database &database, const SettingsRow &row);
// The fields writeSettings writes, as read now, for a later save to compare with; others (the
// last backup's date) may change meanwhile. A technician without options of their own gets a
// copy of the row's first.
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
