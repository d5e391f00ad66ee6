#pragma once

#include <QString>

class Database;

// Backing up the working database and switching to another database file. Both copy whole
// files into a temporary file in the target's folder, check the copy and rename it over the
// target, so the working database is never lost: whatever fails, the old files stay as they
// were and a database that was closed for the copy is opened again.
namespace DatabaseFiles {

enum class Contents {
    Tables, // the tables of this program
    StartingRows, // the tables, the one settings row and the 25 column rows, as a start needs
};

// Empty text when the file opens with the key, holds what is asked for and PRAGMA
// integrity_check finds nothing wrong; otherwise what is wrong with it. The file is only read.
QString checkDatabaseFile(const QString &path, Contents contents = Contents::Tables);

enum class Outcome {
    Done, // copied and checked; the database is closed and the program must restart
    WorkingFile, // the working file itself was chosen; nothing done
    InvalidFile, // the file to open is missing, empty or no database of this program; nothing done
    CopyFailed, // the copy could not be written; the old files are unchanged
    CheckFailed, // the backup copy failed its check and was removed; the target is unchanged
};

struct Result {
    Outcome outcome = Outcome::Done;
    QString detail; // what went wrong, as the system or the database said it
    bool reopened = true; // false when the database, closed for the copy, could not be opened again
};

// Closes the working database, copies its file to the target and checks the copy. On any
// failure after the close the database is opened again.
Result backUp(Database &database, const QString &target);

// Writes the whole database (a server's) into a new encrypted file, checks it as a backup is
// checked and only then puts it in place of the target. The database stays open throughout.
Result exportTo(Database &database, const QString &target);

// Copies the chosen file beside the working file and checks it while the database is still
// open; only a sound copy replaces the working file, with the database closed. On a failure
// after the close the database is opened again.
Result switchTo(Database &database, const QString &source);

// Removes the temporary copies a killed backup, switch or save left in the program's folder,
// its Backup and its Reports folder; at start.
void removeLeftoverCopies();

} // namespace DatabaseFiles
