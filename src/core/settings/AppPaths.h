#pragma once

#include <QDate>
#include <QString>

// The application folder and the files and folders in it. It is the executable's folder, or,
// for an installed program, the user's data folder.
namespace AppPaths {

QString applicationFolder();
// Tests point the program at a folder of their own; an installed program at the user's data
// folder.
void setApplicationFolder(const QString &folder);

QString databaseFile(); // main.mdb, or the file chosen at start
// The database file the program was started on (tarvo --database FILE); empty for main.mdb.
void setDatabaseFile(const QString &path);
QString backupFolder(); // Backup
QString reportsFolder(); // Reports
// manual.htm in the application folder, else beside the executable, else where an installation
// puts it.
QString manualFile();

// The manual of a program installed with its executable in folder (PREFIX/bin).
QString installedManual(const QString &folder);

// A file of this name beside the executable keeps the data there, database or not.
inline constexpr const char *PortableMarker = "portable";

// What decides where a program keeps its data.
struct FolderFacts {
    bool databaseBeside = false; // main.mdb in the executable's folder
    bool portableMarker = false; // the marker file there
    bool writable = false; // the folder takes new files
    bool installed = false; // the manual lies where an installation puts it
};

enum class FolderChoice { ExecutableFolder,
                          UserDataFolder };

// Beside a database or the marker: the executable's folder, as always. Otherwise an installed
// program, or one whose folder takes no files, works in the user's data folder.
FolderChoice chooseProgramFolder(const FolderFacts &facts);

FolderFacts inspectFolder(const QString &executableFolder);

// Chooses the application folder for the executable's folder and makes it the program's. The
// user's data folder is created when needed, and on a first start there an empty database.
// False, with the reason, when that fails.
bool settleProgramFolder(const QString &executableFolder, const QString &dataFolder, const QDate &today,
                         QString *error);

} // namespace AppPaths
