#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The program's open and save dialogs. The program asks its own overwrite question, so the
// save dialog does not. Tests queue the chosen paths (an empty text cancels).
namespace FileDialog {

QString openFile(QWidget *parent, const QString &caption, const QString &folder, const QString &filter);
QString saveFile(QWidget *parent, const QString &caption, const QString &folder, const QString &filter,
                 const QString &defaultSuffix);

void setTestMode(bool on);
void setNextPath(const QString &path);

} // namespace FileDialog
