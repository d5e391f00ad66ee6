#pragma once

#include <QByteArray>
#include <QString>

// Files the program writes (reports, saved reports, exports, backups, the working database on
// a switch) go to a temporary file in the target's folder and are renamed over the target only
// once they are whole, so a failed write (read-only folder, full disk) leaves the old file as
// it was. The error text names what went wrong.
namespace SafeFile {

bool write(const QString &target, const QByteArray &bytes, QString *error = nullptr);

// Copies a whole file. A copy of a file onto itself is refused.
bool copy(const QString &source, const QString &target, QString *error = nullptr);

// True when the two paths name the same existing file.
bool sameFile(const QString &a, const QString &b);

} // namespace SafeFile
