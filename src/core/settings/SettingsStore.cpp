#include "SettingsStore.h"

#include "core/db/Database.h"
#include "core/platform/DateText.h"

SettingsRow readSettings(Database &database)
{
    Statement query(database, QStringLiteral("SELECT startupalarm, timerinterval, AutoAddHstWarn, AutoAddhstOn,"
                                             " alservicedisabled, alorderdisabled, backupinterval FROM settings"));
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
    Statement update(database, QStringLiteral("UPDATE settings SET alservicedisabled = ?, alorderdisabled = ?, startupalarm = ?,"
                                              " AutoAddHstWarn = ?, AutoAddhstOn = ?, backupinterval = ?, timerinterval = ?"));
    update.bindAll({row.alservicedisabled, row.alorderdisabled, row.startupalarm, row.AutoAddHstWarn,
                    row.AutoAddhstOn, row.backupinterval.toInt(), row.timerinterval});
    update.run();
}

RowStamp optionsRowStamp(Database &database)
{
    return RowStamp::read(database, QStringLiteral("SELECT alservicedisabled, alorderdisabled, startupalarm, AutoAddHstWarn,"
                                                   " AutoAddhstOn, backupinterval, timerinterval FROM settings"));
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
