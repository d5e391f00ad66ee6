#include "DatabaseCommands.h"

#include "ProgramEnd.h"

#include "core/db/Database.h"
#include "core/maintenance/BackupReminder.h"
#include "core/maintenance/DatabaseFiles.h"
#include "core/maintenance/ServerConnection.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/platform/Clock.h"
#include "core/platform/SafeFile.h"
#include "core/platform/Utility.h"
#include "core/settings/AppPaths.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/WindowUtil.h"

#include <QDir>

namespace {

const QString Filter = QStringLiteral("Tarvo databases (*.mdb);;All files (*)");
const QString Extension = QStringLiteral("mdb");

QString runsOn(const QString &what)
{
    return what + QStringLiteral("\r\nThe database in use is unchanged; the program runs on.");
}

// Tells the user how a copy ended; a completed one, or a database that could not be opened
// again, ends the program. True when the program is ending.
bool finish(QWidget *mainWindow, const DatabaseFiles::Result &result, const QString &doneText,
            const QString &workingFileText)
{
    using DatabaseFiles::Outcome;
    switch (result.outcome) {
    case Outcome::Done:
        MessageBox::information(mainWindow, doneText);
        ProgramEnd::end(mainWindow);
        return true;
    case Outcome::WorkingFile:
        MessageBox::information(mainWindow, workingFileText);
        break;
    case Outcome::InvalidFile:
        MessageBox::information(mainWindow, QStringLiteral("Invalid path/file name"));
        break;
    case Outcome::CopyFailed:
        MessageBox::information(mainWindow, runsOn(QStringLiteral("The file could not be copied: ") + result.detail));
        break;
    case Outcome::CheckFailed:
        MessageBox::information(
            mainWindow, runsOn(QStringLiteral("The backup failed its check and was removed: ") + result.detail));
        break;
    }
    if (!result.reopened) {
        MessageBox::information(mainWindow, QString::fromLatin1(FatalOpenMessage));
        ProgramEnd::end(mainWindow);
        return true;
    }
    return false;
}

// On a server the whole database goes into a new encrypted file; the program runs on.
void exportDatabase(QWidget *mainWindow, Database &database)
{
    const QString target = FileDialog::saveFile(mainWindow, QStringLiteral("Export to File"), AppPaths::backupFolder(),
                                                Filter, Extension);
    if (target.isEmpty() || !FileDialog::mayWriteTo(mainWindow, target))
        return;
    using DatabaseFiles::Outcome;
    DatabaseFiles::Result result;
    if (!runGuarded(mainWindow, QStringLiteral("export the database"), [&] { result = DatabaseFiles::exportTo(database, target); }))
        return;
    switch (result.outcome) {
    case Outcome::Done:
        MessageBox::information(mainWindow, QStringLiteral("The database was exported to %1").arg(QDir::toNativeSeparators(target)));
        break;
    case Outcome::CheckFailed:
        MessageBox::information(mainWindow, QStringLiteral("The export failed its check and was removed: ") + result.detail);
        break;
    default:
        MessageBox::information(mainWindow, QStringLiteral("The file could not be written: ") + result.detail);
        break;
    }
}

} // namespace

bool backUpDatabase(QWidget *mainWindow, Database &database)
{
    if (database.isServer()) {
        exportDatabase(mainWindow, database);
        return false;
    }
    const QString target = FileDialog::saveFile(mainWindow, QStringLiteral("Backup Database"),
                                                AppPaths::backupFolder(), Filter, Extension);
    if (target.isEmpty())
        return false;
    const QString workingFileText =
        QStringLiteral("The database in use cannot be its own backup; please choose another file");
    if (SafeFile::sameFile(target, AppPaths::databaseFile())) {
        MessageBox::information(mainWindow, workingFileText);
        return false;
    }
    if (!FileDialog::mayWriteTo(mainWindow, target))
        return false;
    return finish(mainWindow, DatabaseFiles::backUp(database, target),
                  QStringLiteral("Program must be restarted for integrity check; Shutting down now"),
                  workingFileText);
}

bool switchDatabase(QWidget *mainWindow, Database &database)
{
    const QString source = FileDialog::openFile(mainWindow, QStringLiteral("Open Database"),
                                                AppPaths::backupFolder(), Filter, Extension);
    if (source.isEmpty())
        return false;
    const QString restart = QStringLiteral("Program must be restarted for changes to commit; Shutting down now");
    if (database.isServer()) {
        // Back from a server to the file: the file itself, or another copied in its place.
        SafeFile::setWorkingDatabase(AppPaths::databaseFile());
        if (SafeFile::sameFile(source, AppPaths::databaseFile())) {
            forgetConnection();
            MessageBox::information(mainWindow, restart);
            ProgramEnd::end(mainWindow);
            return true;
        }
    }
    const DatabaseFiles::Result result = DatabaseFiles::switchTo(database, source);
    if (result.outcome == DatabaseFiles::Outcome::Done)
        forgetConnection();
    return finish(mainWindow, result, restart, QString::fromLatin1(SafeFile::InUseMessage));
}

ReminderAnswer askForBackup(QWidget *parent, Database &database)
{
    // A server's backups are its administrator's (pg_dump), not each technician's.
    if (database.isServer())
        return ReminderAnswer::NotDue;
    const QDate today = Clock::today();
    BackupReminder::Check reminder;
    if (!runGuarded(parent, QStringLiteral("read the backup date"),
                    [&] { reminder = BackupReminder::check(database, today); })
        || !reminder.due)
        return ReminderAnswer::NotDue;
    const bool yes = MessageBox::question(parent, BackupReminder::question());
    MessageBox::information(parent, BackupReminder::notice(reminder.days));
    runGuarded(parent, QStringLiteral("store the next backup date"),
               [&] { BackupReminder::moveOn(database, today, reminder.days); });
    return yes ? ReminderAnswer::Yes : ReminderAnswer::No;
}
