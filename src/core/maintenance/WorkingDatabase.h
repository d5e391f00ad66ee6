#pragma once

#include <QString>

class Database;

// The program's one connection: the database file in the application folder.

inline constexpr const char *FatalOpenMessage =
    "Fatal: Database cound not opened\r\n"
    "If there are backup databases restore one useing File->Open Database or re-install the program";

// Opens main.mdb in the application folder on `database`, the connection the program keeps for
// its whole run. False when it cannot be opened.
bool openWorkingDatabase(Database &database, QString *error = nullptr);
