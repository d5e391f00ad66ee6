#include "DatabaseFiles.h"

#include "WorkingDatabase.h"
#include "core/db/Database.h"
#include "core/db/DatabaseCopy.h"
#include "core/db/DbError.h"
#include "core/db/Schema.h"
#include "core/platform/SafeFile.h"
#include "core/platform/Utility.h"
#include "core/settings/AppPaths.h"

#include <QStringList>
#include <QTemporaryDir>

namespace {

// Opens the database again after a failed copy; the result says whether that worked.
DatabaseFiles::Result failedAfterClose(Database &database, DatabaseFiles::Outcome outcome, const QString &detail)
{
    DatabaseFiles::Result result {outcome, detail, true};
    result.reopened = openWorkingDatabase(database);
    return result;
}

} // namespace

namespace DatabaseFiles {

QString checkDatabaseFile(const QString &path, Contents contents)
{
    // Read only: a check writes nothing beside the file, not even a journal.
    Database file;
    QString problem;
    if (!file.openReadOnly(path, &problem))
        return problem.isEmpty() ? QStringLiteral("the file is no database of this program") : problem;
    if (contents == Contents::StartingRows && !Schema::hasStartingRows(file, &problem))
        return problem;
    try {
        const QString findings = file.integrityProblems();
        if (!findings.isEmpty())
            return findings;
    } catch (const DbError &error) {
        return error.message();
    }
    return QString();
}

Result backUp(Database &database, const QString &target)
{
    const QString working = AppPaths::databaseFile();
    if (SafeFile::sameFile(target, working))
        return {Outcome::WorkingFile, QString(), true};

    database.close();
    SafeFile::StagedFile copy(target);
    QString detail;
    if (!copy.copyFrom(working, &detail))
        return failedAfterClose(database, Outcome::CopyFailed, detail);
    detail = checkDatabaseFile(copy.path());
    if (!detail.isEmpty())
        return failedAfterClose(database, Outcome::CheckFailed, detail);
    if (!copy.commit(&detail))
        return failedAfterClose(database, Outcome::CopyFailed, detail);
    return {Outcome::Done, QString(), false};
}

Result exportTo(Database &database, const QString &target)
{
    // The copy is made in a private folder of its own, then staged beside the target as every
    // file the program writes, and checked there.
    QTemporaryDir scratch;
    const QString made = scratch.filePath(QStringLiteral("export.mdb"));
    QString detail;
    {
        Database file;
        if (!scratch.isValid() || !file.create(made, &detail))
            return {Outcome::CopyFailed, detail.isEmpty() ? scratch.errorString() : detail, true};
        const DatabaseCopy::Result copied = DatabaseCopy::copy(database, file);
        if (!copied.copied)
            return {Outcome::CopyFailed, copied.error, true};
    }
    SafeFile::StagedFile copy(target);
    if (!copy.copyFrom(made, &detail))
        return {Outcome::CopyFailed, detail, true};
    detail = checkDatabaseFile(copy.path());
    if (!detail.isEmpty())
        return {Outcome::CheckFailed, detail, true};
    if (!copy.commit(&detail))
        return {Outcome::CopyFailed, detail, true};
    return {Outcome::Done, QString(), true};
}

Result switchTo(Database &database, const QString &source)
{
    const QString working = AppPaths::databaseFile();
    if (!fileExists(source))
        return {Outcome::InvalidFile, QStringLiteral("the file is missing or empty"), true};
    if (SafeFile::sameFile(source, working))
        return {Outcome::WorkingFile, QString(), true};

    // Copied and checked beside the working file while the database is still open.
    SafeFile::StagedFile copy(working, SafeFile::StagedFile::Target::WorkingDatabase);
    QString detail;
    if (!copy.copyFrom(source, &detail))
        return {Outcome::CopyFailed, detail, true};
    detail = checkDatabaseFile(copy.path(), Contents::StartingRows);
    if (!detail.isEmpty())
        return {Outcome::InvalidFile, detail, true};

    database.close();
    if (!copy.commit(&detail))
        return failedAfterClose(database, Outcome::CopyFailed, detail);
    return {Outcome::Done, QString(), false};
}

void removeLeftoverCopies()
{
    for (const QString &folder :
         {AppPaths::applicationFolder(), AppPaths::backupFolder(), AppPaths::reportsFolder()})
        SafeFile::removeLeftovers(folder);
}

} // namespace DatabaseFiles
