#pragma once

#include <QString>

// The application folder (the executable's folder) and the files and folders in it.
namespace AppPaths {

QString applicationFolder();
// Tests point the program at a folder of their own.
void setApplicationFolder(const QString &folder);

QString databaseFile();  // main.mdb
QString backupFolder();  // Backup
QString reportsFolder(); // Reports
QString manualFile();    // manual.htm

} // namespace AppPaths
