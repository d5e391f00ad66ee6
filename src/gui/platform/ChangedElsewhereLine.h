#pragma once

#include <QLabel>

class Database;
class RowStamp;

// The line above a window's buttons that says, as soon as another technician has changed the rows
// the window read, that they were changed elsewhere: before the user types into a stale form. It
// follows the database's change notices and reads the window's stamp again at each; the save
// still compares and refuses on its own. Hidden until then.
class ChangedElsewhereLine : public QLabel
{
public:
    // `read` is the window's own stamp, which lives as long as the window.
    ChangedElsewhereLine(Database &database, const RowStamp &read, const QString &text, QWidget *parent);

private:
    void check();

    Database &m_database;
    const RowStamp &m_read;
};
