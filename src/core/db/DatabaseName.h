#pragma once

#include <QString>

class Database;

// How the windows name the database they work on (the title bar, the status bar): the file's
// name ("main.mdb"), or user@host/database for a server ("bea@plant-db/tarvo"). Empty when no
// database is open.
QString databaseDisplayName(const Database &database);

// A server database's name from its parts. A host that is a socket folder, or none (the default
// socket), shows as "local": the folder means nothing to a user.
QString serverDisplayName(const QString &user, const QString &host, const QString &database);
