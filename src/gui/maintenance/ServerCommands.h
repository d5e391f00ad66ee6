#pragma once

#include <QString>

class Database;
class QWidget;

// The server database the program works on: chosen at start, opened with the password the
// keyring keeps or the user types, and switched to with File > Connect to Server.

// Chooses what the program starts on: the database named on the command line (a file or a
// server), else the remembered server connection, else the database file.
void chooseStartDatabase(const QString &named);

// Opens the chosen database on `database`, asking for a server's password while the server
// refuses. A remembered server that cannot be reached is said, and the file is opened this time.
// False, after telling the user, when nothing could be opened.
bool openStartDatabase(Database &database);

// File > Connect to Server: the connection window; on OK the connection is remembered, its
// password goes to the keyring, and the program ends to start again on it. True when the
// program is ending.
bool connectToServer(QWidget *mainWindow);
