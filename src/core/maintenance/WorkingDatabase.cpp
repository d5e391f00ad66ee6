#include "WorkingDatabase.h"

#include "core/db/Database.h"
#include "core/platform/SafeFile.h"
#include "core/settings/AppPaths.h"

bool openWorkingDatabase(Database &database, QString *error)
{
    // From here on no save may replace this file.
    SafeFile::setWorkingDatabase(AppPaths::databaseFile());
    return database.open(AppPaths::databaseFile(), error);
}
