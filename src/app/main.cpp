// Tarvo: equipment maintenance, service alarms and records.

#include "Version.h"
#include "core/db/Database.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/platform/Clock.h"
#include "core/settings/AppContext.h"
#include "core/settings/AppPaths.h"
#include "gui/maintenance/ServerCommands.h"
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

    // A database named on the command line wins over the remembered server connection.
    QCommandLineParser options;
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption named(QStringLiteral("database"),
                                   QStringLiteral("The database to work on: a file, or a server's postgresql:// address."),
                                   QStringLiteral("database"));
    options.addOption(named);
    options.process(app);
    chooseStartDatabase(options.value(named));

    initResources();

    SplashWindow splash(context);
    if (!splash.load())
        return 1;
    splash.show();
    return app.exec();
}
