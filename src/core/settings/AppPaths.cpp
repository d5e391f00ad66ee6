#include "AppPaths.h"

#include "core/db/NewDatabase.h"
#include "core/platform/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString overrideFolder;

const QString DatabaseName = QStringLiteral("main.mdb");
const QString ManualName = QStringLiteral("manual.htm");

QString inFolder(const QString &name)
{
    return QDir(AppPaths::applicationFolder()).filePath(name);
}
} // namespace

namespace AppPaths {

QString applicationFolder()
{
    return overrideFolder.isEmpty() ? QCoreApplication::applicationDirPath() : overrideFolder;
}

void setApplicationFolder(const QString &folder)
{
    overrideFolder = folder;
}

QString databaseFile()
{
    return inFolder(DatabaseName);
}

QString backupFolder()
{
    return inFolder(QStringLiteral("Backup"));
}

QString reportsFolder()
{
    return inFolder(QStringLiteral("Reports"));
}

QString manualFile()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    for (const QString &path : {inFolder(ManualName), QDir(executableFolder).filePath(ManualName),
                                installedManual(executableFolder)}) {
        if (QFileInfo::exists(path))
            return path;
    }
    return inFolder(ManualName);
}

QString installedManual(const QString &folder)
{
    return QDir::cleanPath(QDir(folder).filePath(QStringLiteral("../share/doc/tarvo/") + ManualName));
}

FolderChoice chooseProgramFolder(const FolderFacts &facts)
{
    if (facts.databaseBeside || facts.portableMarker)
        return FolderChoice::ExecutableFolder;
    if (facts.installed || !facts.writable)
        return FolderChoice::UserDataFolder;
    return FolderChoice::ExecutableFolder;
}

FolderFacts inspectFolder(const QString &executableFolder)
{
    const QDir folder(executableFolder);
    FolderFacts facts;
    facts.databaseBeside = QFileInfo::exists(folder.filePath(DatabaseName));
    facts.portableMarker = QFileInfo::exists(folder.filePath(QString::fromLatin1(PortableMarker)));
    facts.writable = QFileInfo(executableFolder).isWritable();
    facts.installed = QFileInfo::exists(installedManual(executableFolder));
    return facts;
}

bool settleProgramFolder(const QString &executableFolder, const QString &dataFolder, const QDate &today,
                         QString *error)
{
    if (chooseProgramFolder(inspectFolder(executableFolder)) == FolderChoice::ExecutableFolder) {
        setApplicationFolder(executableFolder);
        return true;
    }
    setApplicationFolder(dataFolder);
    if (!SafeFile::makeFolder(dataFolder)) {
        if (error)
            *error = QStringLiteral("cannot create the folder %1").arg(dataFolder);
        return false;
    }
    const QString database = QDir(dataFolder).filePath(DatabaseName);
    return QFileInfo::exists(database) || createDatabaseFile(database, false, today, error);
}

} // namespace AppPaths
