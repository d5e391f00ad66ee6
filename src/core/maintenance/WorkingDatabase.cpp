#include "WorkingDatabase.h"

#include "core/db/DbError.h"
#include "core/db/Schema.h"
#include "core/settings/AppPaths.h"

#include "core/platform/SafeFile.h"

namespace {
Database connection;
QString server;
QString serverPassword;
} // namespace

void setServerAddress(const QString &address)
{
    server = address;
}

QString serverAddress()
{
    return server;
}

void setServerPassword(const QString &password)
{
    serverPassword = password;
}

bool openWorkingDatabase(QString *error, DbError::Kind *kind)
{
    if (kind)
        *kind = DbError::Kind::Other;
    if (!server.isEmpty()) {
        try {
            connection.openServer(server, serverPassword);
        } catch (const DbError &failure) {
            if (error)
                *error = failure.message();
            if (kind)
                *kind = failure.kind();
            return false;
        }
    } else {
        // From here on no save may replace this file.
        SafeFile::setWorkingDatabase(AppPaths::databaseFile());
        if (!connection.open(AppPaths::databaseFile(), error))
            return false;
    }
    try {
        Schema::upgrade(connection);
    } catch (const DbError &) {
        // A database that cannot take the upgrade now is still used as it is; the next open tries
        // again.
    }
    return true;
}

void closeWorkingDatabase()
{
    connection.close();
}

bool workingDatabaseIsOpen()
{
    return connection.isOpen();
}

Database &db()
{
    if (!connection.isOpen())
        throw DbError(QStringLiteral("The database is not open"));
    return connection;
}
