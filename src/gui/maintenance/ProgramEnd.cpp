#include "ProgramEnd.h"

#include <QCoreApplication>
#include <QWidget>

namespace {
std::function<void(QWidget *)> handler;
}

namespace ProgramEnd {

void end(QWidget *mainWindow)
{
    if (handler) {
        handler(mainWindow);
        return;
    }
    if (mainWindow)
        mainWindow->close();
    QCoreApplication::quit();
}

void setHandler(std::function<void(QWidget *mainWindow)> replacement)
{
    handler = std::move(replacement);
}

} // namespace ProgramEnd
