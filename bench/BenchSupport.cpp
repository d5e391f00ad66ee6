#include "BenchSupport.h"

#include "Version.h"
#include "core/alarms/AlarmRules.h"
#include "core/db/Database.h"
#include "core/db/SampleData.h"
#include "core/db/Schema.h"
#include "core/itemlist/ItemListStore.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/settings/AppContext.h"
#include "core/settings/AppPaths.h"
#include "gui/alarms/AlarmWindow.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/WindowUtil.h"
#include "gui/views/LookupDialog.h"
#include "gui/views/SortDialog.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace Bench {

QTextStream out(stdout);

// The benchmark's one connection, held like the program's, and what its windows share.
Database &db()
{
    static Database database;
    return database;
}

AppContext &context()
{
    static AppContext shared(db());
    return shared;
}

// Runs a statement of the benchmark's own, which shapes the data it measures.
void execute(Database &database, const QString &sql, const QVariantList &values)
{
    Statement statement(database, sql);
    statement.bindAll(values);
    statement.run();
}

// The median time of the work; after each run, outside the clock, the optional drop step.
double medianMs(int runs, const std::function<void()> &work, const std::function<void()> &drop)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (drop)
            drop();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Memory of a process in MB from one of its /proc files: resident now (status, VmRSS:), at its
// peak (status, VmHWM:), or its fair share with shared pages split among their users
// (smaps_rollup, Pss:).
double processMegabytes(qint64 pid, const char *field, const char *file)
{
    QFile status(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(file)));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Peak resident memory of the process in MB, and a way to start counting anew.
double peakMegabytes()
{
    return processMegabytes(QCoreApplication::applicationPid(), "VmHWM:");
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

ThrowawayServer::ThrowawayServer()
    : m_folder(QStringLiteral("/tmp/tarvo-bench-%1").arg(QCoreApplication::applicationPid()))
{
    if (script(QStringLiteral("start")) != 0)
        qFatal("cannot start a PostgreSQL server (Debian package postgresql-15)");
}

ThrowawayServer::~ThrowawayServer()
{
    script(QStringLiteral("stop"));
}

QString ThrowawayServer::address(const QString &database) const
{
    return QStringLiteral("host=%1 user=postgres dbname=%2").arg(m_folder, database);
}

int ThrowawayServer::script(const QString &command) const
{
    return QProcess::execute(QStringLiteral("sh"), {QStringLiteral(TARVO_PG_SERVER_SCRIPT), command, m_folder});
}

void makeDatabase(const QString &path, int items)
{
    Database database;
    QString error;
    if (!database.create(path, &error))
        qFatal("cannot create %s: %s", qPrintable(path), qPrintable(error));
    Schema::create(database, QStringLiteral(TARVO_VERSION), QStringLiteral(TARVO_BUILD), QDate::currentDate());
    SampleData::addBulk(database, items, 100, 3, QDate::currentDate());
}

// A database of `items` in a folder of the run's own, opened as the program's connection.
void openBenchDatabase(const QTemporaryDir &dir, int items)
{
    AppPaths::setApplicationFolder(dir.path());
    makeDatabase(AppPaths::databaseFile(), items);
    if (!openWorkingDatabase(db()))
        qFatal("cannot open the database");
}

void measureList(int items, int runs, ListFigures &f)
{
    resetPeak();
    {
        MainWindow window(context());
        window.resize(1280, 900);
        window.itemList()->setupColumns();
        window.show();
        QApplication::processEvents();
        f.firstLoad = medianMs(1, [&] {
            window.itemList()->loadGrid(Field::ServiceDate, Ascending, QString(), Field::Name);
            QApplication::processEvents();
            window.repaint();
        });
        f.loadGrid = medianMs(runs, [&] {
            window.itemList()->loadGrid(Field::ServiceDate, Ascending, QString(), Field::Name);
            QApplication::processEvents(); // layout
            window.repaint(); // paint
        });
        f.peak = peakMegabytes();

        // A sort chosen in the Sort dialog, then a lookup made in the Lookup dialog (one item
        // name in eight), each carried out by the main window as the user asks for it.
        int turn = 0;
        f.sortChange = medianMs(runs, [&] {
            window.action(QStringLiteral("mnuSort"))->trigger();
            auto *dialog = shownDialog<SortDialog>();
            dialog->findChild<QComboBox *>(QStringLiteral("cmbSort"))->setCurrentIndex(turn++ % 2 ? 0 : 2); // by Name, by Location
            dialog->findChild<QRadioButton *>(QStringLiteral("optDescending"))->setChecked(true);
            dialog->findChild<QPushButton *>(QStringLiteral("cmdSort"))->click();
            QApplication::processEvents();
            window.repaint();
        });
        if (window.itemList()->view().SortFieldAll != Field::Name && window.itemList()->view().SortFieldAll != Field::Location)
            qFatal("the sort did not run");
        window.action(QStringLiteral("mnuLookupBy_0"))->trigger();
        auto *lookup = shownDialog<LookupDialog>();
        f.lookup = medianMs(runs, [&] {
            lookup->findChild<QLineEdit *>(QStringLiteral("txtLookUp"))->setText(QStringLiteral("pump*"));
            lookup->findChild<QPushButton *>(QStringLiteral("cmdLookUp"))->click();
            QApplication::processEvents();
            window.repaint();
        });
        if (window.itemList()->view().LookupValue != u"pump*" || window.grid()->rows() != (items + 7) / 8 + 1)
            qFatal("the lookup did not run");
        lookup->close();

        f.floorRows = medianMs(runs, [] {
            std::vector<QString> cells;
            Statement rows(db(), itemListStatement());
            const int columns = rows.columnCount();
            while (rows.next()) {
                for (int c = 0; c < columns; ++c)
                    cells.push_back(rows.text(c));
            }
        });
        f.floorParts = medianMs(runs, [] {
            std::vector<QString> cells;
            Statement parts(db(), QStringLiteral("SELECT ID, descr, partnumber FROM repparts"));
            while (parts.next()) {
                for (int c = 0; c < 3; ++c)
                    cells.push_back(parts.text(c));
            }
        });
        window.hide();
    }
}

void reportList(int items, const ListFigures &f, const QString &openCaption)
{
    const double floor = f.floorRows + f.floorParts;
    out << QStringLiteral("items: %1 (3 parts each, 100 vendors)\n").arg(items);
    out << QStringLiteral("  %1 %2 ms\n").arg(openCaption, -21).arg(f.open, 0, 'f', 1);
    out << QStringLiteral("  first LoadGrid        %1 ms\n").arg(f.firstLoad, 0, 'f', 1);
    out << QStringLiteral("  LoadGrid + paint      %1 ms\n").arg(f.loadGrid, 0, 'f', 1);
    out << QStringLiteral("  sort change + paint   %1 ms\n").arg(f.sortChange, 0, 'f', 1);
    out << QStringLiteral("  lookup + paint        %1 ms\n").arg(f.lookup, 0, 'f', 1);
    out << QStringLiteral("  floor: rows           %1 ms\n").arg(f.floorRows, 0, 'f', 1);
    out << QStringLiteral("  floor: parts          %1 ms\n").arg(f.floorParts, 0, 'f', 1);
    out << QStringLiteral("  LoadGrid / floor      %1\n").arg(f.loadGrid / floor, 0, 'f', 2);
    out << QStringLiteral("  peak memory           %1 MB\n").arg(f.peak, 0, 'f', 1);
    out.flush();
}

AlarmFigures measureAlarms(int runs)
{
    const QString day = db().dialect().addDays(QStringLiteral("?1"), QStringLiteral("ID % 38 - 30"));
    // Service dates from 30 days past to 7 days ahead, warning 7 and lead time 14 days: every
    // item has two rows, both past its date or service and order due.
    execute(db(),
            QStringLiteral("UPDATE main SET servicedate = %1, servicewarn = 7, leadtime = 14, serviceinterval = 90,"
                           " ackservice = 0, ackorder = 0, ackorderinstock = 0")
                .arg(day),
            {QDate::currentDate().toString(Qt::ISODate)});
    AppSettings settings;
    settings.serviceAlarms = settings.orderAlarms = true;
    context().setSettings(settings);

    AlarmFigures f;
    resetPeak();
    // Each result is dropped after its clock stops, as the window keeps its rows.
    QVector<AlarmRow> rows;
    f.evaluate = medianMs(
        runs, [&] { rows = evaluateAlarms(db(), 1, 1, QDate::currentDate()); },
        [&] {
            f.rows = rows.size();
            rows = {};
        });
    QPointer<AlarmWindow> window;
    f.openWindow = medianMs(
        runs,
        [&] {
            showOnce(window, [&] { return keepIfLoaded(new AlarmWindow(context())); });
            QApplication::processEvents(); // layout
            window->repaint(); // paint
        },
        [&] { delete window.data(); });
    f.peak = peakMegabytes();
    return f;
}

void reportAlarms(int items, const AlarmFigures &f)
{
    out << QStringLiteral("alarms: %1 items, every one alarming (%2 rows)\n").arg(items).arg(f.rows);
    out << QStringLiteral("  evaluateAlarms        %1 ms\n").arg(f.evaluate, 0, 'f', 1);
    out << QStringLiteral("  alarm window + paint  %1 ms\n").arg(f.openWindow, 0, 'f', 1);
    out << QStringLiteral("  peak memory           %1 MB\n").arg(f.peak, 0, 'f', 1);
    out.flush();
}

} // namespace Bench
