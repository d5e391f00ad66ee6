#pragma once

// What the benchmark's parts share: the connection the windows work on, timing and memory, and
// the item list's and the alarms' figures, measured alike on the file and on a server.

#include <QApplication>
#include <QString>
#include <QTextStream>
#include <QVariantList>
#include <QWidget>

#include <functional>

class AppContext;
class Database;
class QTemporaryDir;

namespace Bench {

extern QTextStream out;

// The benchmark's one connection, held like the program's, and what its windows share.
Database &db();
AppContext &context();

// Runs a statement of the benchmark's own, which shapes the data it measures.
void execute(Database &database, const QString &sql, const QVariantList &values = {});

// The median time of the work; after each run, outside the clock, the optional drop step.
double medianMs(int runs, const std::function<void()> &work, const std::function<void()> &drop = {});

// Memory of a process in MB from one of its /proc files: resident now (status, VmRSS:), at its
// peak (status, VmHWM:), or its fair share with shared pages split among their users
// (smaps_rollup, Pss:).
double processMegabytes(qint64 pid, const char *field, const char *file = "status");
// Peak resident memory of the process in MB, and a way to start counting anew.
double peakMegabytes();
void resetPeak();

// The dialog the main window's menu has just opened.
template<class Dialog>
Dialog *shownDialog()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<Dialog *>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    qFatal("the dialog did not open");
}

// A PostgreSQL server of the run's own in a short folder (a socket's path is short), started
// with the tests' script and stopped at the end.
class ThrowawayServer
{
public:
    ThrowawayServer();
    ~ThrowawayServer();
    ThrowawayServer(const ThrowawayServer &) = delete;
    ThrowawayServer &operator=(const ThrowawayServer &) = delete;

    QString address(const QString &database) const;

private:
    int script(const QString &command) const;

    QString m_folder;
};

// A new file database of `items` (3 parts each, 100 vendors).
void makeDatabase(const QString &path, int items);
// A database of `items` in a folder of the run's own, opened as the program's connection.
void openBenchDatabase(const QTemporaryDir &dir, int items);

struct ListFigures {
    double open = 0, firstLoad = 0, loadGrid = 0, sortChange = 0, lookup = 0, floorRows = 0, floorParts = 0, peak = 0;
};

// The item list on the connection db() holds: loadGrid of all items sorted by service date
// into the real main grid through one layout and paint (the first time, then again), a sort
// and a lookup asked for in their dialogs, and the floor of reading the same rows with plain
// SQL on the same connection. Leaves `open` alone.
void measureList(int items, int runs, ListFigures &f);
void reportList(int items, const ListFigures &f, const QString &openCaption);

struct AlarmFigures {
    double evaluate = 0, openWindow = 0, peak = 0;
    qsizetype rows = 0;
};

// The alarms on the connection db() holds, every item made to alarm first: the evaluation of
// the rules, and the alarm window opened on them through one layout and paint.
AlarmFigures measureAlarms(int runs);
void reportAlarms(int items, const AlarmFigures &f);

} // namespace Bench
