#include "DatabaseFiles.h"

#include "core/data/AppPaths.h"
#include "core/data/Database.h"
#include "core/data/DatabaseADO.h"
#include "core/data/DbError.h"
#include "core/platform/SafeFile.h"
#include "core/platform/Utility.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// A whole copy of a file in a temporary file of the target's folder, removed unless it is
// renamed over the target.
class StagedCopy
{
public:
    explicit StagedCopy(const QString &target)
        : m_target(target)
        , m_file(QFileInfo(target).absoluteDir().filePath(QFileInfo(target).fileName() + QStringLiteral(".XXXXXX")))
    {
    }

    QString path() const { return m_file.fileName(); }

    bool copyFrom(const QString &source, QString *error)
    {
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly))
            return fail(error, in.errorString());
        if (!m_file.open())
            return fail(error, m_file.errorString());
        while (!in.atEnd()) {
            const QByteArray chunk = in.read(1 << 20);
            if (in.error() != QFileDevice::NoError)
                return fail(error, in.errorString());
            if (m_file.write(chunk) != chunk.size())
                return fail(error, m_file.errorString());
        }
        if (!m_file.flush())
            return fail(error, m_file.errorString());
#ifdef Q_OS_UNIX
        // On the disk before it replaces anything.
        if (::fsync(m_file.handle()) != 0)
            return fail(error, QStringLiteral("the copy could not be written to the disk"));
#endif
        m_file.close();
        // A replaced file keeps its permissions; a new one takes the source's.
        const QString like = QFileInfo::exists(m_target) ? m_target : source;
        m_file.setPermissions(QFileInfo(like).permissions());
        return true;
    }

    bool renameOverTarget(QString *error)
    {
        std::error_code code;
        std::filesystem::rename(nativePath(path()), nativePath(m_target), code);
        if (code)
            return fail(error, QString::fromLocal8Bit(code.message()));
        m_file.setAutoRemove(false);
        return true;
    }

private:
    static std::filesystem::path nativePath(const QString &path)
    {
        return std::filesystem::path(QFile::encodeName(path).toStdString());
    }

    static bool fail(QString *error, const QString &text)
    {
        if (error)
            *error = text;
        return false;
    }

    QString m_target;
    QTemporaryFile m_file;
};

// Opens the database again after a failed copy; the result says whether that worked.
DatabaseFiles::Result failedAfterClose(DatabaseFiles::Outcome outcome, const QString &detail)
{
    DatabaseFiles::Result result{outcome, detail, true};
    result.reopened = OpenDatabase();
    return result;
}

} // namespace

namespace DatabaseFiles {

QString checkDatabaseFile(const QString &path)
{
    Database file;
    QString problem;
    if (!file.open(path, &problem))
        return problem.isEmpty() ? QStringLiteral("the file is no database of this program") : problem;
    try {
        Statement check(file, QStringLiteral("PRAGMA integrity_check"));
        QStringList findings;
        while (check.next())
            findings << check.text(0);
        if (findings != QStringList{QStringLiteral("ok")})
            return findings.join(QStringLiteral("; "));
    } catch (const DbError &error) {
        return error.message();
    }
    return QString();
}

Result backUp(const QString &target)
{
    const QString working = AppPaths::databaseFile();
    if (SafeFile::sameFile(target, working))
        return {Outcome::WorkingFile, QString(), true};

    CloseDatabase();
    StagedCopy copy(target);
    QString detail;
    if (!copy.copyFrom(working, &detail))
        return failedAfterClose(Outcome::CopyFailed, detail);
    detail = checkDatabaseFile(copy.path());
    if (!detail.isEmpty())
        return failedAfterClose(Outcome::CheckFailed, detail);
    if (!copy.renameOverTarget(&detail))
        return failedAfterClose(Outcome::CopyFailed, detail);
    return {Outcome::Done, QString(), false};
}

Result switchTo(const QString &source)
{
    const QString working = AppPaths::databaseFile();
    if (!FileExists(source))
        return {Outcome::InvalidFile, QStringLiteral("the file is missing or empty"), true};
    if (SafeFile::sameFile(source, working))
        return {Outcome::WorkingFile, QString(), true};

    // Copied and checked beside the working file while the database is still open.
    StagedCopy copy(working);
    QString detail;
    if (!copy.copyFrom(source, &detail))
        return {Outcome::CopyFailed, detail, true};
    detail = checkDatabaseFile(copy.path());
    if (!detail.isEmpty())
        return {Outcome::InvalidFile, detail, true};

    CloseDatabase();
    if (!copy.renameOverTarget(&detail))
        return failedAfterClose(Outcome::CopyFailed, detail);
    return {Outcome::Done, QString(), false};
}

} // namespace DatabaseFiles
