#pragma once

#include <functional>

class QWidget;

// How the program ends after a completed backup or database switch: the main window closes
// (closing every other window; the database is closed already, so nothing is stored) and the
// event loop stops. Tests put in an ending of their own and see it called.
namespace ProgramEnd {

void end(QWidget *mainWindow);

// Replaces the ending; an empty function restores the real one.
void setHandler(std::function<void(QWidget *mainWindow)> handler);

} // namespace ProgramEnd
