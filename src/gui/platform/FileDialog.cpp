#include "FileDialog.h"

#include "DialogOwner.h"
#include "MessageBox.h"

#include "core/platform/SafeFile.h"
#include "core/platform/Utility.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QQueue>

namespace {
bool inTestMode = false;
QQueue<QString> paths;
QString lastStartSeen;
QString lastCaptionSeen;

QString nextTestPath(const QString &caption, const QString &start)
{
    lastCaptionSeen = caption;
    lastStartSeen = start;
    return paths.isEmpty() ? QString() : paths.dequeue();
}

// A name typed without a suffix ("good") takes the default one ("good.mdb"), as the dialog
// does; when opening, only if there is no file of the name as typed.
QString withSuffix(const QString &path, const QString &suffix, QFileDialog::AcceptMode mode)
{
    const QFileInfo info(path);
    if (path.isEmpty() || suffix.isEmpty() || !info.suffix().isEmpty() || info.isDir()
        || (mode == QFileDialog::AcceptOpen && info.exists()))
        return path;
    return path + u'.' + suffix;
}
} // namespace

namespace FileDialog {

QString openFile(QWidget *parent, const QString &caption, const QString &start, const QString &filter,
                 const QString &defaultSuffix)
{
    if (inTestMode)
        return withSuffix(nextTestPath(caption, start), defaultSuffix, QFileDialog::AcceptOpen);
    const DialogOwner owner(parent);
    QFileDialog dialog(owner.window(), caption, start, filter);
    owner.place(&dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return withSuffix(dialog.selectedFiles().first(), defaultSuffix, QFileDialog::AcceptOpen);
}

QString saveFile(QWidget *parent, const QString &caption, const QString &start, const QString &filter,
                 const QString &defaultSuffix)
{
    if (inTestMode)
        return withSuffix(nextTestPath(caption, start), defaultSuffix, QFileDialog::AcceptSave);
    const DialogOwner owner(parent);
    QFileDialog dialog(owner.window(), caption, start, filter);
    owner.place(&dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

bool mayWriteTo(QWidget *parent, const QString &target)
{
    if (SafeFile::isInUse(target)) {
        MessageBox::information(parent, QString::fromLatin1(SafeFile::InUseMessage));
        return false;
    }
    return !fileExists(target)
        || MessageBox::confirmDestructive(parent, QStringLiteral("File already exsists; It will be overwritten"));
}

void setTestMode(bool on)
{
    inTestMode = on;
    paths.clear();
    lastStartSeen.clear();
    lastCaptionSeen.clear();
}

void setNextPath(const QString &path)
{
    paths.enqueue(path);
}

QString lastStart()
{
    return lastStartSeen;
}

QString lastCaption()
{
    return lastCaptionSeen;
}

} // namespace FileDialog
