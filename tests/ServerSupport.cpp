#include "ServerSupport.h"

#include "core/db/PgBackend.h"
#include "core/db/ServerSchema.h"

#include <QtGlobal>

namespace TestServerDatabase {

QString address(const QString &database, const QString &user)
{
    const QString host = qEnvironmentVariable("TARVO_TEST_PGHOST");
    if (host.isEmpty())
        qFatal("TARVO_TEST_PGHOST names no test server: run the test through ctest, which starts one");
    return QStringLiteral("host=%1 user=%2 dbname=%3").arg(host, user, database);
}

QString create(const QString &database, const QString &templateName)
{
    PgBackend server(address(QStringLiteral("postgres")));
    const QString name = ServerSchema::quotedName(database);
    server.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
    QString sql = QStringLiteral("CREATE DATABASE %1").arg(name);
    if (!templateName.isEmpty())
        sql += QStringLiteral(" TEMPLATE ") + ServerSchema::quotedName(templateName);
    server.exec(sql);
    return address(database);
}

} // namespace TestServerDatabase
