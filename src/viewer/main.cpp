// tarvo-viewer: Tarvo's report viewer, a program of its own so that the web engine's memory and
// any crash of it stay out of the main program. The main program starts it on the first report,
// talks to it on its standard input and output (see ViewerProtocol) and closes its input when
// it ends; the viewer ends with its window.

#include "ReportViewerWindow.h"
#include "ViewerService.h"

#include "Version.h"
#include "core/platform/SafeFile.h"
#include "core/settings/AppPaths.h"
#include "gui/platform/WindowUtil.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    prepareWebEngine();
    QApplication app(argc, argv);
    nameViewerProgram();
    QApplication::setApplicationVersion(QStringLiteral(TARVO_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser options;
    const QCommandLineOption folder(QStringLiteral("folder"), QStringLiteral("The application folder."),
                                    QStringLiteral("path"));
    const QCommandLineOption database(QStringLiteral("database"), QStringLiteral("The working database."),
                                      QStringLiteral("path"));
    options.addOptions({folder, database});
    options.process(app);
    if (options.isSet(folder))
        AppPaths::setApplicationFolder(options.value(folder));
    // No file the viewer writes may replace the working database.
    SafeFile::setWorkingDatabase(options.isSet(database) ? options.value(database) : AppPaths::databaseFile());

    initResources();
    ViewerService service;
    QObject::connect(&service, &ViewerService::reply, [](const QByteArray &line) {
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
        std::fflush(stdout);
    });
    QObject::connect(&service, &ViewerService::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    // The main program's requests; the end of them (it closed its side, or ended) ends the viewer.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &service, [&] {
        char bytes[4096];
        const ssize_t count = ::read(STDIN_FILENO, bytes, sizeof bytes);
        if (count > 0) {
            service.receive(QByteArray(bytes, count));
            return;
        }
        input.setEnabled(false);
        service.inputEnded();
    });
    return app.exec();
}
