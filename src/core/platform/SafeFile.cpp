#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString workingDatabase;
QString shownPage;

// The temporary file beside a target: "report.htm.tarvo-Ab12Cd.tmp". Leftovers are known by it.
const char TempInfix[] = ".tarvo-XXXXXX";
const char TempSuffix[] = ".tmp";

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// What a failed system call means to the user.
QString causeOf(int code)
{
    switch (code) {
    case ENOSPC: return QStringLiteral("the disk is full");
    case EDQUOT: return QStringLiteral("the disk quota is used up");
    case EFBIG: return QStringLiteral("the file is too large for the disk");
    case EACCES:
    case EPERM: return QStringLiteral("permission denied");
    case EROFS: return QStringLiteral("the disk is read-only");
    case 0: return QStringLiteral("the file could not be written");
    default: return QString::fromLocal8Bit(std::strerror(code));
    }
}

bool failed(QString *error)
{
    return fail(error, causeOf(errno));
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// The file a path ends at: symbolic links followed (a dangling one to the path it names), the
// folder's links resolved too when it exists.
QString resolved(const QString &path)
{
    QFileInfo info(path);
    for (int hops = 0; hops < 40 && info.isSymLink(); ++hops)
        info.setFile(info.symLinkTarget());
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : QDir(folder).filePath(info.fileName());
}

bool sameNode(const QString &a, const QString &b)
{
    struct stat first {
    }, second {};
    return ::stat(native(a).constData(), &first) == 0 && ::stat(native(b).constData(), &second) == 0
        && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool exists(const QString &path)
{
    struct stat info {
    };
    return ::stat(native(path).constData(), &info) == 0;
}

bool names(const QString &path, const QString &file)
{
    if (file.isEmpty())
        return false;
    if (exists(path) && exists(file))
        return sameNode(path, file);
    return resolved(path) == resolved(file);
}

} // namespace

namespace SafeFile {

bool makeFolder(const QString &path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (QFileInfo(clean).isDir())
        return true;
    const QString above = QFileInfo(clean).path();
    if (above != clean && !makeFolder(above))
        return false;
    const QByteArray name = native(clean);
    if (::mkdir(name.constData(), PrivateFolderMode) != 0)
        return errno == EEXIST && QFileInfo(clean).isDir();
    // The umask may have taken more than the group's and others' rights.
    return ::chmod(name.constData(), PrivateFolderMode) == 0;
}

void setWorkingDatabase(const QString &path)
{
    workingDatabase = path;
}

void setShownPage(const QString &path)
{
    shownPage = path;
}

void releaseShownPage(const QString &path)
{
    if (shownPage == path)
        shownPage.clear();
}

bool isInUse(const QString &path)
{
    return names(path, workingDatabase) || names(path, shownPage);
}

StagedFile::StagedFile(const QString &target, Target kind)
    : m_target(resolved(target))
    , m_kind(kind)
{
}

StagedFile::~StagedFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_path.isEmpty() && !m_committed)
        ::unlink(native(m_path).constData());
}

bool StagedFile::refused(QString *error) const
{
    const bool allowed = m_kind == Target::WorkingDatabase
        ? names(m_target, workingDatabase) && !names(m_target, shownPage)
        : !isInUse(m_target);
    if (allowed)
        return false;
    fail(error, QString::fromLatin1(InUseMessage));
    return true;
}

bool StagedFile::begin(QString *error)
{
    if (refused(error))
        return false;
    QByteArray name = native(m_target) + TempInfix + TempSuffix;
    m_fd = ::mkstemps(name.data(), int(sizeof(TempSuffix) - 1));
    if (m_fd < 0)
        return failed(error);
    m_path = QFile::decodeName(name);
    // Held while the file is in use, so that another start of the program leaves it alone.
    ::flock(m_fd, LOCK_EX);
    return true;
}

bool StagedFile::put(const char *data, qint64 size, QString *error)
{
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return fail(error, causeOf(written < 0 ? errno : ENOSPC));
        data += written;
        size -= written;
    }
    return true;
}

bool StagedFile::finish(QString *error)
{
    // A replaced file keeps its permissions; a new one is the user's alone.
    struct stat like {
    };
    const mode_t mode = ::stat(native(m_target).constData(), &like) == 0 ? (like.st_mode & 07777)
                                                                         : mode_t(PrivateFileMode);
    if (::fchmod(m_fd, mode) != 0 || ::fsync(m_fd) != 0)
        return failed(error);
    return true;
}

bool StagedFile::writeAll(const QByteArray &bytes, QString *error)
{
    return begin(error) && put(bytes.constData(), bytes.size(), error) && finish(error);
}

bool StagedFile::copyFrom(const QString &source, QString *error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(error, in.errorString());
    if (!begin(error))
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (in.error() != QFileDevice::NoError)
            return fail(error, in.errorString());
        if (!put(chunk.constData(), chunk.size(), error))
            return false;
    }
    return finish(error);
}

bool StagedFile::commit(QString *error)
{
    if (m_fd < 0)
        return fail(error, causeOf(0));
    // Asked again at the last moment: the target may have become a link to a file in use.
    if (refused(error))
        return false;
    if (::rename(native(m_path).constData(), native(m_target).constData()) != 0)
        return failed(error);
    m_committed = true;
    return true;
}

bool write(const QString &target, const QByteArray &bytes, QString *error)
{
    StagedFile file(target);
    return file.writeAll(bytes, error) && file.commit(error);
}

bool copy(const QString &source, const QString &target, QString *error)
{
    if (sameFile(source, target))
        return fail(error, QStringLiteral("a file cannot be copied onto itself"));
    StagedFile file(target);
    return file.copyFrom(source, error) && file.commit(error);
}

bool sameFile(const QString &a, const QString &b)
{
    return sameNode(a, b);
}

int removeLeftovers(const QString &folder)
{
    static const QRegularExpression pattern(QStringLiteral("^.+\\.tarvo-[A-Za-z0-9]{6}\\.tmp$"));
    const QDir dir(folder);
    int removed = 0;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (!pattern.match(name).hasMatch())
            continue;
        const QByteArray path = native(dir.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.constData()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

} // namespace SafeFile
