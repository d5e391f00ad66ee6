#pragma once

#include "core/db/DbError.h"

#include <QString>

class Database;

// The program's one connection: the database file in the application folder, or the server
// database it was started on.

inline constexpr const char *FatalOpenMessage =
    "Fatal: Database cound not opened\r\n"
    "If there are backup databases restore one useing File->Open Database or re-install the program";

// The server database the program works on (tarvo --database ADDRESS); empty for the file.
void setServerAddress(const QString &address);
QString serverAddress();
// The password the server asked for, kept for this run, so that a lost connection reconnects.
void setServerPassword(const QString &password);

// Opens the working database (main.mdb in the application folder, or the server) on
// `database`, the connection the program keeps for its whole run. False when it cannot be
// opened, with what failed and how.
bool openWorkingDatabase(Database &database, QString *error = nullptr, DbError::Kind *kind = nullptr);
