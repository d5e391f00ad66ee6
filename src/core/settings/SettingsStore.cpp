#include "SettingsStore.h"

#include "core/db/Database.h"
#include "core/platform/DateText.h"

namespace {

// The technician's own options, copied from the settings row when they have none yet.
void copyOwnSettings(Database &database)
{
    database.exec(QStringLiteral("INSERT INTO tech_settings (login, startupalarm, timerinterval, AutoAddHstWarn)"
                                 " SELECT current_user, startupalarm, timerinterval, AutoAddHstWarn FROM settings"
                                 " ON CONFLICT (login) DO NOTHING"));
}

} // namespace

bool keepsOwnSettings(Database &database)
{
    if (!database.isServer())
        return false;
    // A superuser is a member of every role.
    Statement query(database, QStringLiteral("SELECT to_regclass('tech_settings') IS NOT NULL AND to_regclass('tech_columns')"
                                             " IS NOT NULL AND NOT pg_has_role(relowner, 'MEMBER') FROM pg_class"
                                             " WHERE oid = to_regclass('settings')"));
    return query.next() && query.value(0).toBool();
}

SettingsRow readSettings(Database &database)
{
    // The technician's own options where they have saved some, the row's until then.
    const QString sql = keepsOwnSettings(database)
        ? QStringLiteral("SELECT CASE WHEN t.login IS NULL THEN s.startupalarm ELSE t.startupalarm END,"
                         " CASE WHEN t.login IS NULL THEN s.timerinterval ELSE t.timerinterval END,"
                         " CASE WHEN t.login IS NULL THEN s.AutoAddHstWarn ELSE t.AutoAddHstWarn END, s.AutoAddhstOn,"
                         " s.alservicedisabled, s.alorderdisabled, s.backupinterval"
                         " FROM settings s LEFT JOIN tech_settings t ON t.login = current_user")
        : QStringLiteral("SELECT startupalarm, timerinterval, AutoAddHstWarn, AutoAddhstOn,"
                         " alservicedisabled, alorderdisabled, backupinterval FROM settings");
    Statement query(database, sql);
    SettingsRow row;
    if (query.next()) {
        row.startupalarm = query.value(0).toInt();
        row.timerinterval = query.value(1).toInt();
        row.AutoAddHstWarn = query.value(2).toInt();
        row.AutoAddhstOn = query.value(3).toInt();
        row.alservicedisabled = query.value(4).toInt();
        row.alorderdisabled = query.value(5).toInt();
        row.backupinterval = query.value(6).toString();
    }
    return row;
}

void writeSettings(Database &database, const SettingsRow &row)
{
    if (!keepsOwnSettings(database)) {
        Statement update(database, QStringLiteral("UPDATE settings SET alservicedisabled = ?, alorderdisabled = ?, startupalarm = ?,"
                                                  " AutoAddHstWarn = ?, AutoAddhstOn = ?, backupinterval = ?, timerinterval = ?"));
        update.bindAll({row.alservicedisabled, row.alorderdisabled, row.startupalarm, row.AutoAddHstWarn,
                        row.AutoAddhstOn, row.backupinterval.toInt(), row.timerinterval});
        update.run();
        return;
    }
    Statement shared(database, QStringLiteral("UPDATE settings SET alservicedisabled = ?, alorderdisabled = ?,"
                                              " AutoAddhstOn = ?, backupinterval = ?"));
    shared.bindAll({row.alservicedisabled, row.alorderdisabled, row.AutoAddhstOn, row.backupinterval.toInt()});
    shared.run();
    Statement own(database, QStringLiteral("INSERT INTO tech_settings (login, startupalarm, timerinterval, AutoAddHstWarn)"
                                           " VALUES (current_user, ?, ?, ?) ON CONFLICT (login) DO UPDATE SET"
                                           " startupalarm = EXCLUDED.startupalarm, timerinterval = EXCLUDED.timerinterval,"
                                           " AutoAddHstWarn = EXCLUDED.AutoAddHstWarn"));
    own.bindAll({row.startupalarm, row.timerinterval, row.AutoAddHstWarn});
    own.run();
}

RowStamp optionsRowStamp(Database &database)
{
    if (!keepsOwnSettings(database))
        return RowStamp::read(database, QStringLiteral("SELECT alservicedisabled, alorderdisabled, startupalarm, AutoAddHstWarn,"
                                                       " AutoAddhstOn, backupinterval, timerinterval FROM settings"));
    // The save locks the shared row and the technician's own, so both must be there.
    copyOwnSettings(database);
    return RowStamp::read(database, QStringLiteral("SELECT s.alservicedisabled, s.alorderdisabled, t.startupalarm, t.AutoAddHstWarn,"
                                                   " s.AutoAddhstOn, s.backupinterval, t.timerinterval"
                                                   " FROM settings s JOIN tech_settings t ON t.login = current_user"));
}

std::optional<StoredBackupSchedule> readBackupSchedule(Database &database)
{
    Statement query(database, QStringLiteral("SELECT backupdate, backupinterval FROM settings"));
    if (!query.next())
        return std::nullopt;
    return StoredBackupSchedule {query.value(0), query.value(1)};
}

void writeBackupDate(Database &database, const QDate &day)
{
    Statement update(database, QStringLiteral("UPDATE settings SET backupdate = ?"));
    update.bind(1, DateText::toIso(day));
    update.run();
}

std::optional<DatabaseVersion> readDatabaseVersion(Database &database)
{
    Statement query(database, QStringLiteral("SELECT Version, build FROM settings"));
    if (!query.next())
        return std::nullopt;
    return DatabaseVersion {query.value(0).toString(), query.value(1).toString()};
}

QString databaseIdentity(Database &database)
{
    Statement query(database, QStringLiteral("SELECT * FROM settings"));
    const int column = query.columnIndex(QStringLiteral("identity"));
    return column >= 0 && query.next() ? query.text(column) : QString();
}
