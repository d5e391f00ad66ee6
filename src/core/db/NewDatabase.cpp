#include "NewDatabase.h"

#include "Database.h"
#include "DbError.h"
#include "SampleData.h"
#include "Schema.h"
#include "Version.h"

#include <QFile>

bool createDatabaseFile(const QString &path, bool sample, const QDate &today, QString *error)
{
    Database database;
    if (!database.create(path, error))
        return false;
    try {
        Schema::create(database, QStringLiteral(TARVO_VERSION), QStringLiteral(TARVO_BUILD), today);
        if (sample)
            SampleData::addDemo(database, today);
    } catch (const DbError &failure) {
        database.close();
        QFile::remove(path);
        if (error)
            *error = failure.message();
        return false;
    }
    database.close();
    return true;
}
