#include "DatabaseName.h"

#include "Database.h"

QString databaseDisplayName(const Database &database)
{
    return database.displayName();
}

QString serverDisplayName(const QString &user, const QString &host, const QString &database)
{
    const bool onSocket = host.isEmpty() || host.startsWith(u'/') || host.startsWith(u'@');
    return QStringLiteral("%1@%2/%3").arg(user, onSocket ? QStringLiteral("local") : host, database);
}
