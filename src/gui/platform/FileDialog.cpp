#include "FileDialog.h"

#include <QFileDialog>
#include <QQueue>

namespace {
bool inTestMode = false;
QQueue<QString> paths;

QString nextTestPath()
{
    return paths.isEmpty() ? QString() : paths.dequeue();
}
} // namespace

namespace FileDialog {

QString openFile(QWidget *parent, const QString &caption, const QString &folder, const QString &filter)
{
    if (inTestMode)
        return nextTestPath();
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString saveFile(QWidget *parent, const QString &caption, const QString &folder, const QString &filter,
                 const QString &defaultSuffix)
{
    if (inTestMode)
        return nextTestPath();
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

void setTestMode(bool on)
{
    inTestMode = on;
    paths.clear();
}

void setNextPath(const QString &path)
{
    paths.enqueue(path);
}

} // namespace FileDialog
