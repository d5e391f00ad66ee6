#include "WorkingDatabase.h"

#include "core/db/DbError.h"
#include "core/settings/AppPaths.h"

#include "core/platform/SafeFile.h"

namespace {
Database connection;
}

bool openWorkingDatabase(QString *error)
{
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
