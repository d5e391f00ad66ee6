#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The program's open and save dialogs. The program asks its own overwrite question, so the
// save dialog does not. A name typed without a suffix takes the default suffix. `start` is the
// folder the dialog opens in, or a file in it whose name is proposed. Tests queue the chosen
// paths (an empty text cancels) and read where the last dialog started.
namespace FileDialog {

QString openFile(QWidget *parent, const QString &caption, const QString &start, const QString &filter,
                 const QString &defaultSuffix = QString());
QString saveFile(QWidget *parent, const QString &caption, const QString &start, const QString &filter,
                 const QString &defaultSuffix);

// Before a save onto the chosen file: a file in use (the working database, the shown page) is
// refused with a message, and an existing file is replaced only after OK. False when nothing
// may be written.
bool mayWriteTo(QWidget *parent, const QString &target);

void setTestMode(bool on);
void setNextPath(const QString &path);
QString lastStart();
QString lastCaption();

} // namespace FileDialog
