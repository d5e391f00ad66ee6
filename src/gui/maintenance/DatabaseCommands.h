#pragma once

class Database;
class QWidget;

// File > Backup Database and File > Open Database, and the start-up backup reminder. A
// completed backup or switch tells the user and ends the program; a cancelled, refused or
// failed one leaves the database open and the program running.

// The backup of the working database `database`: save dialog, overwrite question, copy, check.
// True when the program is ending. On a server it is the export instead: the whole database into
// a new encrypted file, checked as a backup; the program runs on.
bool backUpDatabase(QWidget *mainWindow, Database &database);

// The switch of the working database `database` to another file, or from a server back to a
// file; the remembered server connection is forgotten. True when the program is ending.
bool switchDatabase(QWidget *mainWindow, Database &database);

enum class ReminderAnswer { NotDue,
                            No,
                            Yes };

// The start-up reminder: when a backup is due, asks whether to make one now, tells when it
// will ask again and moves backupdate on, whatever the answer. Never on a server.
ReminderAnswer askForBackup(QWidget *parent, Database &database);
