#include "WorkingDatabase.h"

#include "core/db/Database.h"
#include "core/db/DbError.h"
#include "core/db/Schema.h"
#include "core/platform/SafeFile.h"
#include "core/settings/AppPaths.h"

bool openWorkingDatabase(Database &database, QString *error)
{
    // From here on no save may replace this file.
    SafeFile::setWorkingDatabase(AppPaths::databaseFile());
    if (!database.open(AppPaths::databaseFile(), error))
        return false;
    try {
        Schema::upgrade(database);
    } catch (const DbError &) {
        // A file that cannot take the upgrade now is still used as it is; the next open tries again.
    }
    return true;
}
