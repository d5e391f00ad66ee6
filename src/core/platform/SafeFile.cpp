#include "SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

namespace SafeFile {

bool write(const QString &target, const QByteArray &bytes, QString *error)
{
    // QSaveFile writes beside the target and renames over it on commit.
    QSaveFile file(target);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, file.errorString());
    // A write that falls short (a full disk) may only show when the buffer is flushed, and
    // commit() does not report a failed flush: flush first, so a short file never replaces
    // the target.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return fail(error, file.errorString());
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

bool copy(const QString &source, const QString &target, QString *error)
{
    if (sameFile(source, target))
        return fail(error, QStringLiteral("a file cannot be copied onto itself"));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(error, in.errorString());
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return fail(error, out.errorString());
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (in.error() != QFileDevice::NoError || out.write(chunk) != chunk.size()) {
            const QString text = in.error() != QFileDevice::NoError ? in.errorString() : out.errorString();
            out.cancelWriting();
            return fail(error, text);
        }
    }
    if (!out.flush()) {
        const QString text = out.errorString();
        out.cancelWriting();
        return fail(error, text);
    }
    if (!out.commit())
        return fail(error, out.errorString());
    return true;
}

bool sameFile(const QString &a, const QString &b)
{
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

} // namespace SafeFile
