// Tarvo: equipment maintenance, service alarms and records.

#include "gui/platform/WindowUtil.h"
#include "gui/shell/frmSplash.h"
#include "Version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVO_VERSION));

    initResources();

    frmSplash splash;
    if (!splash.load())
        return 1;
    splash.show();
    return app.exec();
}
