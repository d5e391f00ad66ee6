#pragma once

#include "Settings.h"

class Database;

// What the windows of one run share: the program's one connection and the options last read
// from its settings row. The program makes it once, before the first window, and hands it to
// each window as the window is made; nothing reaches it any other way.
class AppContext
{
public:
    explicit AppContext(Database &database)
        : m_database(database)
    { }
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    Database &database() const { return m_database; }

    // Windows read the options when they act on them, so a change reaches the open ones too.
    const AppSettings &settings() const { return m_settings; }
    void setSettings(const AppSettings &settings) { m_settings = settings; }

private:
    Database &m_database;
    AppSettings m_settings;
};
