#include "WorkingDatabase.h"

#include "core/db/DbError.h"
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
            return true;
        } catch (const DbError &failure) {
            if (error)
                *error = failure.message();
            if (kind)
                *kind = failure.kind();
            return false;
        }
    }
    // From here on no save may replace this file.
    SafeFile::setWorkingDatabase(AppPaths::databaseFile());
    return connection.open(AppPaths::databaseFile(), error);
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
