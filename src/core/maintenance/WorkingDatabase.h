#pragma once

#include "core/db/Database.h"

#include <QString>

// The program's one connection: the database file in the application folder.

inline constexpr const char *FatalOpenMessage =
    "Fatal: Database cound not opened\r\n"
    "If there are backup databases restore one useing File->Open Database or re-install the program";

// Opens main.mdb in the application folder as the program's one connection. False when it
// cannot be opened.
bool openWorkingDatabase(QString *error = nullptr);
// Closes the connection if it is open.
void closeWorkingDatabase();
bool workingDatabaseIsOpen();

// The open connection; throws DbError when it is closed.
Database &db();
