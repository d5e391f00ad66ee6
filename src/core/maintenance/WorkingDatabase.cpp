#include "WorkingDatabase.h"

#include "core/db/Database.h"
#include "core/db/DbError.h"
#include "core/db/Schema.h"
#include "core/platform/SafeFile.h"
#include "core/settings/AppPaths.h"

namespace {
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

bool openWorkingDatabase(Database &database, QString *error, DbError::Kind *kind)
{
    if (kind)
        *kind = DbError::Kind::Other;
    if (!server.isEmpty()) {
        try {
            database.openServer(server, serverPassword);
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
        if (!database.open(AppPaths::databaseFile(), error))
            return false;
    }
    try {
        Schema::upgrade(database);
    } catch (const DbError &) {
        // A database that cannot take the upgrade now is still used as it is; the next open tries
        // again.
    }
    return true;
}
