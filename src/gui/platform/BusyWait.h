#pragma once

class QStatusBar;

// While a command waits for another program to let go of the database file (up to the busy
// timeout, before it is refused), the mouse pointer is the busy one and the status bar says why.
void showDatabaseWaits(QStatusBar *bar);

inline constexpr const char *DatabaseWaitText = "Waiting for another program to finish with the database...";
