#pragma once

#include <QByteArray>
#include <QString>

// Files the program writes (reports, saved reports, exports, backups, the working database on
// a switch) go to a temporary file in the target's folder and are renamed over the target only
// once they are whole, so a failed write (read-only folder, full disk) leaves the old file as
// it was. A target that is a symbolic link is written through to the file it names. The error
// text names what went wrong ("the disk is full").
//
// No write may replace the working database or the page the report viewer shows: whatever the
// path (a link, a hard link, "Reports/../main.mdb"), the same file is refused with InUseMessage
// and nothing is written. Only a database switch replaces the working database, through
// StagedFile with Target::WorkingDatabase.
namespace SafeFile {

// What the program creates is the user's own, whatever the umask: files 0600, folders 0700. A
// file it replaces keeps the mode it had.
inline constexpr unsigned PrivateFileMode = 0600;
inline constexpr unsigned PrivateFolderMode = 0700;

// Makes the folder and any missing folder above it, each private; folders already there are
// left as they are. False when it cannot.
bool makeFolder(const QString &path);

inline constexpr const char *InUseMessage = "This file is the database in use; please choose another file";

// The files no write may replace, set when the database opens and when the viewer shows a
// page; an empty path protects nothing.
void setWorkingDatabase(const QString &path);
void setShownPage(const QString &path);
// Lets go of the shown page when it is still `path`: a viewer window that goes after a newer
// one has shown its page leaves the newer page protected.
void releaseShownPage(const QString &path);
// True when the path names the working database or the shown page (the same device and
// inode, or for a file not there, the same path once links are resolved).
bool isInUse(const QString &path);

bool write(const QString &target, const QByteArray &bytes, QString *error = nullptr);

// Copies a whole file. A copy of a file onto itself is refused.
bool copy(const QString &source, const QString &target, QString *error = nullptr);

// True when the two paths name the same existing file (the same device and inode).
bool sameFile(const QString &a, const QString &b);

// A copy that the caller checks before it replaces the target: copyFrom() fills a temporary
// file beside the target (path() names it), commit() renames it over the target. Until then
// the target is untouched; the temporary file goes when the object does, unless committed.
class StagedFile
{
public:
    enum class Target {
        OtherFile, // anything but the working database and the shown page
        WorkingDatabase, // the database switch: the working database, and nothing else in use
    };

    explicit StagedFile(const QString &target, Target kind = Target::OtherFile);
    ~StagedFile();
    StagedFile(const StagedFile &) = delete;
    StagedFile &operator=(const StagedFile &) = delete;

    bool copyFrom(const QString &source, QString *error);
    bool writeAll(const QByteArray &bytes, QString *error);
    QString path() const { return m_path; }
    bool commit(QString *error);

private:
    bool refused(QString *error) const;
    bool begin(QString *error);
    bool put(const char *data, qint64 size, QString *error);
    bool finish(QString *error);

    QString m_target; // links resolved
    Target m_kind;
    QString m_path;
    int m_fd = -1;
    bool m_committed = false;
};

// Removes the temporary files a write cut short (the program killed) left in the folder:
// only files of this program's temporary name, and none that a running write still holds.
// Gives how many were removed.
int removeLeftovers(const QString &folder);

} // namespace SafeFile
