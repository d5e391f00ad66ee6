// Tarvo: equipment maintenance, service alarms and records.

#include "Version.h"
#include "core/db/Database.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/platform/Clock.h"
#include "core/settings/AppContext.h"
#include "core/settings/AppPaths.h"
#include "gui/mainwindow/SplashWindow.h"
#include "gui/platform/WindowUtil.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    // The program's one connection and what its windows share outlive every window.
    Database database;
    AppContext context(database);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(TARVO_APP_ID));

    // Without a database the start-up below gives its own message.
    QString error;
    if (!AppPaths::settleProgramFolder(QApplication::applicationDirPath(),
                                       QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                                       Clock::today(), &error))
        qWarning("tarvo: %s", qPrintable(error));

    // tarvo --database FILE|ADDRESS: a database file, or a server, instead of main.mdb.
    QCommandLineParser options;
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption named(QStringLiteral("database"),
                                   QStringLiteral("The database to work on: a file, or a server's address."),
                                   QStringLiteral("database"));
    options.addOption(named);
    options.process(app);
    if (const QString target = options.value(named); Database::isServerAddress(target))
        setServerAddress(target);
    else if (!target.isEmpty())
        AppPaths::setDatabaseFile(target);

    initResources();

    SplashWindow splash(context);
    if (!splash.load())
        return 1;
    splash.show();
    return app.exec();
}
