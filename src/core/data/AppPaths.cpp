#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString overrideFolder;

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
    return inFolder(QStringLiteral("main.mdb"));
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
    return inFolder(QStringLiteral("manual.htm"));
}

} // namespace AppPaths
