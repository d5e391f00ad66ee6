#include "Schema.h"

#include "Database.h"
#include "DbError.h"
#include "FieldTable.h"
#include "ServerSchema.h"
#include "TableShapes.h"

#include <QStringList>
#include <QUuid>
#include <QVariant>

namespace {

// Text fields compare and sort without regard to case (SQLite only: COLLATE NOCASE, and
// AUTOINCREMENT, which never gives an ID twice); dates are ISO text or NULL.
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
    " backupinterval INTEGER, backupdate TEXT, Version TEXT, build TEXT, identity TEXT)",
};

// A name no other database has: calendar events exported from two databases never meet.
QString newIdentity()
{
    return QUuid::createUuid().toString(QUuid::Id128);
}

} // namespace

namespace Schema {

bool hasExpectedShape(Database &db, QString *problem)
{
    QString missing;
    try {
        for (const TableShapes::Table &shape : TableShapes::all()) {
            const QString table = QString::fromLatin1(shape.name);
            const QStringList present = db.columnNames(table);
            if (present.isEmpty()) {
                missing = QStringLiteral("table %1 is missing").arg(table);
                break;
            }
            for (const TableShapes::Column &shapeColumn : shape.columns) {
                const QString column = QString::fromLatin1(shapeColumn.name);
                if (!shapeColumn.addedLater && !present.contains(column, Qt::CaseInsensitive)) {
                    missing = QStringLiteral("table %1 has no column %2").arg(table, column);
                    break;
                }
            }
            if (!missing.isEmpty())
                break;
        }
        if (missing.isEmpty() && db.isServer())
            missing = ServerSchema::versionProblem(db);
    } catch (const DbError &error) {
        missing = error.message();
    }
    if (problem)
        *problem = missing;
    return missing.isEmpty();
}

bool hasStartingRows(Database &db, QString *problem)
{
    auto count = [&db](const QString &sql) {
        Statement query(db, sql);
        return query.next() ? query.integer(0) : 0;
    };
    QString missing;
    try {
        if (count(QStringLiteral("SELECT count(*) FROM settings")) != 1)
            missing = QStringLiteral("the settings table must hold one row");
        else if (count(QStringLiteral("SELECT count(DISTINCT ID) FROM Columns WHERE ID >= 0 AND ID < %1")
                           .arg(Column::Count))
                 != Column::Count)
            missing = QStringLiteral("the Columns table must hold %1 rows").arg(Column::Count);
    } catch (const DbError &error) {
        missing = error.message();
    }
    if (problem)
        *problem = missing;
    return missing.isEmpty();
}

void create(Database &db, const QString &version, const QString &build, const QDate &today)
{
    Transaction transaction(db);
    createTables(db);
    addStartingRows(db, version, build, today);
    transaction.commit();
}

void createTables(Database &db)
{
    if (db.isServer()) {
        for (const QString &sql : ServerSchema::createStatements())
            db.exec(sql);
        return;
    }
    for (const char *sql : CreateStatements)
        db.exec(QString::fromLatin1(sql));
}

void addStartingRows(Database &db, const QString &version, const QString &build, const QDate &today)
{
    Statement column(db, QStringLiteral("INSERT INTO Columns (ID, name, size, ColLocation) VALUES (?, ?, ?, ?)"));
    for (int id = 0; id < Column::Count; ++id) {
        const FieldSpec &info = *FieldTable::column(id);
        column.reset();
        column.bindAll({id, QString::fromLatin1(info.heading), info.widthTwips, info.place});
        column.run();
    }

    // Start-up alarm on, checks every hour, both alarms on, automatic history without asking,
    // a backup reminder every week.
    Statement settings(db, QStringLiteral("INSERT INTO settings (startupalarm, timerinterval, AutoAddHstWarn, AutoAddhstOn,"
                                          " alservicedisabled, alorderdisabled, backupinterval, backupdate, Version, build,"
                                          " identity) VALUES (1, 7, 0, 1, 1, 1, 7, ?, ?, ?, ?)"));
    settings.bindAll({today.addDays(7).toString(Qt::ISODate), version, build, newIdentity()});
    settings.run();
}

namespace {

void addIdentity(Database &db)
{
    if (db.isServer())
        ServerSchema::addChangeNotices(db);
    const bool hasIdentity = db.columnNames(QStringLiteral("settings")).contains(QStringLiteral("identity"), Qt::CaseInsensitive);
    if (hasIdentity && !Statement(db, QStringLiteral("SELECT 1 FROM settings WHERE identity IS NULL OR identity = ''")).next())
        return; // up to date: the file is not written to
    Transaction transaction(db);
    if (!hasIdentity)
        db.exec(QStringLiteral("ALTER TABLE settings ADD COLUMN identity TEXT"));
    Statement identity(db, QStringLiteral("UPDATE settings SET identity = ? WHERE identity IS NULL OR identity = ''"));
    identity.bind(1, newIdentity());
    identity.run();
    transaction.commit();
}

} // namespace

void upgrade(Database &db)
{
    addIdentity(db);
    if (db.isServer())
        ServerSchema::addTechnicianTables(db);
}

} // namespace Schema
