#include "Schema.h"

#include "Database.h"
#include "DbError.h"

#include <QVariant>

namespace {

// Text fields compare and sort without regard to case; dates are ISO text or NULL.
const char *const CreateStatements[] = {
    "CREATE TABLE main ("
    " ID INTEGER PRIMARY KEY AUTOINCREMENT,"
    " manuID INTEGER NOT NULL DEFAULT 0,"
    " Name TEXT COLLATE NOCASE, Tag TEXT COLLATE NOCASE, location TEXT COLLATE NOCASE,"
    " hazmat TEXT COLLATE NOCASE, part TEXT COLLATE NOCASE, serial TEXT COLLATE NOCASE,"
    " servicedate TEXT, servicewarn INTEGER NOT NULL DEFAULT 0,"
    " DateServiced TEXT, servicedby TEXT COLLATE NOCASE, tools TEXT COLLATE NOCASE,"
    " dateinstalled TEXT, leadtime INTEGER NOT NULL DEFAULT 0,"
    " serviceinterval INTEGER NOT NULL DEFAULT 0, purchaseorder TEXT COLLATE NOCASE,"
    " replacestock INTEGER NOT NULL DEFAULT -1, refmanuals TEXT COLLATE NOCASE,"
    " Locked TEXT COLLATE NOCASE, custom1 TEXT COLLATE NOCASE, custom2 TEXT COLLATE NOCASE,"
    " custom3 TEXT COLLATE NOCASE, ackservice INTEGER NOT NULL DEFAULT 0,"
    " ackorder INTEGER NOT NULL DEFAULT 0, ackorderinstock INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE orderinfo ("
    " ID INTEGER PRIMARY KEY AUTOINCREMENT,"
    " company TEXT COLLATE NOCASE, Street1 TEXT COLLATE NOCASE, Street2 TEXT COLLATE NOCASE,"
    " city TEXT COLLATE NOCASE, State TEXT COLLATE NOCASE, zip TEXT COLLATE NOCASE,"
    " phone1 TEXT COLLATE NOCASE, phone2 TEXT COLLATE NOCASE, email TEXT COLLATE NOCASE,"
    " website TEXT COLLATE NOCASE, contact TEXT COLLATE NOCASE, notes TEXT COLLATE NOCASE)",
    "CREATE TABLE History (ID INTEGER NOT NULL, Date TEXT, descr TEXT COLLATE NOCASE)",
    "CREATE INDEX History_ID ON History (ID)",
    "CREATE TABLE Notes (ID INTEGER NOT NULL, Date TEXT, descr TEXT COLLATE NOCASE)",
    "CREATE INDEX Notes_ID ON Notes (ID)",
    "CREATE TABLE repparts (ID INTEGER NOT NULL, descr TEXT COLLATE NOCASE,"
    " partnumber TEXT COLLATE NOCASE)",
    // By item, then by name: serves both one item's parts and the list's single scan.
    "CREATE INDEX repparts_ID ON repparts (ID, descr)",
    "CREATE TABLE Columns (ID INTEGER PRIMARY KEY, name TEXT, size INTEGER, ColLocation INTEGER)",
    "CREATE TABLE settings ("
    " startupalarm INTEGER, timerinterval INTEGER, AutoAddHstWarn INTEGER,"
    " AutoAddhstOn INTEGER, alservicedisabled INTEGER, alorderdisabled INTEGER,"
    " backupinterval INTEGER, backupdate TEXT, Version TEXT, build TEXT)",
};

const Schema::ColumnDefault Defaults[25] = {
    {"Name", 2400, 1},
    {"Tag", 1200, 2},
    {"Location", 2010, 3},
    {"Hazmat", 1800, 0},
    {"Part", 1500, 0},
    {"Serial", 1500, 0},
    {"Replacement Part(s)", 3600, 6},
    {"Service Date", 1500, 4},
    {"Service Warning", 1500, 0},
    {"Date Serviced", 1500, 0},
    {"Serviced By", 1800, 0},
    {"Tools", 2400, 0},
    {"Date Installed", 1500, 0},
    {"Lead Time", 1200, 0},
    {"Service Interval", 1500, 0},
    {"Purchase Order", 1500, 0},
    {"Company", 2400, 5},
    {"Replacement Stock", 1800, 0},
    {"Reference Manuals", 2400, 0},
    {"Equipment Locked", 2400, 0},
    {"Custom 1", 1500, 0},
    {"Custom 2", 1500, 0},
    {"Custom 3", 1500, 0},
    {"Service Ack", 1200, 0},
    {"Order Ack", 1200, 0},
};

} // namespace

namespace Schema {

const QStringList &tableNames()
{
    static const QStringList names = {QStringLiteral("main"), QStringLiteral("orderinfo"),
                                      QStringLiteral("History"), QStringLiteral("Notes"),
                                      QStringLiteral("repparts"), QStringLiteral("Columns"),
                                      QStringLiteral("settings")};
    return names;
}

bool hasAllTables(Database &db, QString *missing)
{
    try {
        Statement query(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
        for (const QString &table : tableNames()) {
            query.reset();
            query.bind(1, table);
            if (!query.next() || query.integer(0) == 0) {
                if (missing)
                    *missing = table;
                return false;
            }
        }
    } catch (const DbError &error) {
        if (missing)
            *missing = error.message();
        return false;
    }
    return true;
}

const ColumnDefault *columnDefaults()
{
    return Defaults;
}

void create(Database &db, const QString &version, const QString &build, const QDate &today)
{
    Transaction transaction(db);
    for (const char *sql : CreateStatements)
        db.exec(QString::fromLatin1(sql));

    Statement column(db, QStringLiteral("INSERT INTO Columns (ID, name, size, ColLocation) VALUES (?, ?, ?, ?)"));
    for (int id = 0; id < 25; ++id) {
        column.reset();
        column.bindAll({id, QString::fromLatin1(Defaults[id].heading), Defaults[id].widthTwips, Defaults[id].place});
        column.run();
    }

    // Start-up alarm on, checks every hour, both alarms on, automatic history without asking,
    // a backup reminder every week.
    Statement settings(db, QStringLiteral(
        "INSERT INTO settings (startupalarm, timerinterval, AutoAddHstWarn, AutoAddhstOn,"
        " alservicedisabled, alorderdisabled, backupinterval, backupdate, Version, build)"
        " VALUES (1, 7, 0, 1, 1, 1, 7, ?, ?, ?)"));
    settings.bindAll({today.addDays(7).toString(Qt::ISODate), version, build});
    settings.run();
    transaction.commit();
}

} // namespace Schema
