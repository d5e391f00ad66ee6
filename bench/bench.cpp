// tarvo-bench: how fast the item list loads, against the floor of reading the same rows.
//
// Builds a database of N items in a temporary folder and times, in one run: opening with the
// key; LoadGrid of all items sorted by service date into the real main grid, through one
// layout and paint (the first time, then again); a sort and a lookup asked for in their
// dialogs; and the floor: the same joined rows and all parts read as text with plain
// SQL on the same connection. Prints medians, the ratio and the peak memory.
//
// Then the alarms, with every item alarming: the evaluation of the rules, and the alarm window
// opened on them through one layout and paint. Then the All report of every item with all 25
// columns shown: writing it, and loading it in the viewer. Last the exchange with other
// programs: the due dates as an iCalendar file, and the preview and import of the item list's
// CSV.

#include "core/alarms/AlarmRules.h"
#include "core/data/AppPaths.h"
#include "core/data/Database.h"
#include "core/data/DatabaseADO.h"
#include "core/data/SampleData.h"
#include "core/items/CsvImport.h"
#include "core/reports/CalendarExport.h"
#include "core/reports/CsvExport.h"
#include "core/data/GlobalVars.h"
#include "core/data/Schema.h"
#include "core/platform/Clock.h"
#include "core/platform/SafeFile.h"
#include "core/reports/ReportCommand.h"
#include "core/reports/Reporting.h"
#include "core/shell/ItemListModel.h"
#include "core/shell/LookupQuery.h"
#include "Version.h"
#include "gui/alarms/frmAlarm.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"
#include "gui/reports/frmBrowser.h"
#include "gui/shell/ItemGrid.h"
#include "gui/shell/frmmain.h"
#include "gui/views/frmLookup.h"
#include "gui/views/frmSort.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <malloc.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

QTextStream out(stdout);

// The median time of the work; after each run, outside the clock, the optional drop step.
double medianMs(int runs, const std::function<void()> &work, const std::function<void()> &drop = {})
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

// Peak resident memory of the process in MB, and a way to start counting anew.
double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
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

struct Figures {
    double open = 0, firstLoad = 0, loadGrid = 0, sortChange = 0, lookup = 0, floorRows = 0, floorParts = 0, peak = 0;
};

Figures measure(int items, int runs)
{
    QTemporaryDir dir;
    AppPaths::setApplicationFolder(dir.path());
    makeDatabase(AppPaths::databaseFile(), items);

    Figures f;
    f.open = medianMs(runs, [] {
        Database database;
        QString error;
        if (!database.open(AppPaths::databaseFile(), &error))
            qFatal("cannot open the database: %s", qPrintable(error));
    });

    resetPeak();
    if (!OpenDatabase())
        qFatal("cannot open the database");
    {
        frmmain window;
        window.resize(1280, 900);
        window.SetupGridColumns();
        window.show();
        QApplication::processEvents();
        f.firstLoad = medianMs(1, [&] {
            window.LoadGrid(Field::ServiceDate, Ascending, QString(), Field::Name);
            QApplication::processEvents();
            window.repaint();
        });
        f.loadGrid = medianMs(runs, [&] {
            window.LoadGrid(Field::ServiceDate, Ascending, QString(), Field::Name);
            QApplication::processEvents(); // layout
            window.repaint();              // paint
        });
        f.peak = peakMegabytes();

        // A sort chosen in the Sort dialog, then a lookup made in the Lookup dialog (one item
        // name in eight), each carried out by the main window as the user asks for it.
        int turn = 0;
        f.sortChange = medianMs(runs, [&] {
            window.action(QStringLiteral("mnuSort"))->trigger();
            frmSort *dialog = showSortDialog(std::nullopt);
            dialog->cmbSort->setCurrentIndex(turn++ % 2 ? 0 : 2); // by Name, by Location
            dialog->optDescending->setChecked(true);
            dialog->cmdSort->click();
            QApplication::processEvents();
            window.repaint();
        });
        if (gv().SortFieldAll != Field::Name && gv().SortFieldAll != Field::Location)
            qFatal("the sort did not run");
        window.action(QStringLiteral("mnuLookupBy_0"))->trigger();
        frmLookup *lookup = showLookupDialog(0);
        f.lookup = medianMs(runs, [&] {
            lookup->txtLookUp->setText(QStringLiteral("pump*"));
            lookup->cmdLookUp->click();
            QApplication::processEvents();
            window.repaint();
        });
        if (gv().LookupValue != u"pump*" || window.grid()->rows() != (items + 7) / 8 + 1)
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
    CloseDatabase();
    return f;
}

void report(int items, const Figures &f)
{
    const double floor = f.floorRows + f.floorParts;
    out << QStringLiteral("items: %1 (3 parts each, 100 vendors)\n").arg(items);
    out << QStringLiteral("  open with key         %1 ms\n").arg(f.open, 0, 'f', 1);
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

struct AlarmFigures {
    double evaluate = 0, openWindow = 0, peak = 0;
    qsizetype rows = 0;
};

AlarmFigures measureAlarms(int items, int runs)
{
    QTemporaryDir dir;
    AppPaths::setApplicationFolder(dir.path());
    makeDatabase(AppPaths::databaseFile(), items);
    if (!OpenDatabase())
        qFatal("cannot open the database");
    // Service dates from 30 days past to 7 days ahead, warning 7 and lead time 14 days: every
    // item has two rows, both past its date or service and order due.
    Execute(db(), QStringLiteral("UPDATE main SET servicedate = date(?, printf('%+d days', ID % 38 - 30)),"
                                 " servicewarn = 7, leadtime = 14, serviceinterval = 90,"
                                 " ackservice = 0, ackorder = 0, ackorderinstock = 0"),
            {QDate::currentDate().toString(Qt::ISODate)});
    GlobalVars &g = gv();
    g.alservicedisabled = 1;
    g.alorderdisabled = 1;

    AlarmFigures f;
    resetPeak();
    // Each result is dropped after its clock stops, as the window keeps its rows.
    QVector<AlarmRow> rows;
    f.evaluate = medianMs(runs, [&] { rows = evaluateAlarms(db(), 1, 1, QDate::currentDate()); },
                        [&] { f.rows = rows.size(); rows = {}; });
    frmAlarm *window = nullptr;
    f.openWindow = medianMs(runs,
        [&] {
            window = showAlarmWindow(); // evaluates as it opens
            QApplication::processEvents(); // layout
            window->repaint();             // paint
        },
        [&] { delete window; });
    f.peak = peakMegabytes();
    CloseDatabase();
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

// The All report with every column shown: building and writing temp.htm (median of runs), and
// one load of it in the viewer, until the page has loaded. The web engine cannot show a report
// of tens of megabytes, so the largest is only written.
void reportFigures(int items, int runs, bool load)
{
    QTemporaryDir dir;
    AppPaths::setApplicationFolder(dir.path());
    makeDatabase(AppPaths::databaseFile(), items);
    if (!OpenDatabase())
        qFatal("cannot open the database");
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = ID + 1"));
    double write = 0, loadMs = 0;
    qint64 size = 0;
    bool shown = false;
    {
        frmmain window;
        window.SetupGridColumns();
        window.LoadGrid(Field::ServiceDate, Ascending, QString(), Field::Name);
        const ItemListModel &grid = *window.grid()->itemModel();
        write = medianMs(runs, [&] {
            const QByteArray bytes = ReportGrid(grid, allReportTitle(Clock::today()));
            if (!SafeFile::write(reportFile(), bytes))
                qFatal("cannot write the report");
            size = bytes.size();
        });

        if (load) {
            QElapsedTimer timer;
            timer.start();
            frmBrowser viewer(reportFile());
            QEventLoop loaded;
            QObject::connect(&viewer, &frmBrowser::pageLoaded, &loaded, [&](bool ok) {
                shown = ok;
                loaded.quit();
            });
            viewer.show();
            loaded.exec();
            loadMs = timer.nsecsElapsed() / 1e6;
        }
    }
    CloseDatabase();
    out << QStringLiteral("All report, %1 items, 25 columns (%2 MB)\n").arg(items).arg(size / 1e6, 0, 'f', 1);
    out << QStringLiteral("  build + write         %1 ms\n").arg(write, 0, 'f', 1);
    if (load)
        out << QStringLiteral("  viewer load (once)    %1 ms%2\n").arg(loadMs, 0, 'f', 1).arg(shown ? "" : ", not shown");
    out.flush();
}

// The calendar export and the CSV import of every item, each with a service date, an
// interval, a warning and a lead time (two events each).
void exchangeFigures(int items, int runs)
{
    QTemporaryDir dir;
    AppPaths::setApplicationFolder(dir.path());
    makeDatabase(AppPaths::databaseFile(), items);
    if (!OpenDatabase())
        qFatal("cannot open the database");
    Execute(db(), QStringLiteral("UPDATE main SET servicedate = date(?, printf('%+d days', ID % 365)),"
                                 " servicewarn = 7, leadtime = 14, serviceinterval = 90"),
            {QDate::currentDate().toString(Qt::ISODate)});
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = ID + 1"));
    qint64 icsSize = 0;
    const double ics = medianMs(runs, [&] {
        const QByteArray bytes = dueDateCalendar(dueEvents(db()), Clock::now());
        if (!SafeFile::write(QDir(dir.path()).filePath(QStringLiteral("due.ics")), bytes))
            qFatal("cannot write the calendar");
        icsSize = bytes.size();
    });
    ItemListModel list;
    const ColumnLayout layout = ColumnLayout::read(db());
    list.setLayout(layout);
    list.load(db(), Field::ID, Ascending, QString(), Field::Name);
    const QByteArray csv = gridCsv(list);
    ImportPreview preview;
    const double previewMs = medianMs(runs, [&] { preview = previewImport(db(), csv, layout); });
    // Past 100,000 rows: the list's rows three times and more.
    QByteArray large = csv;
    for (int copies = 1; copies * items < 100000; ++copies)
        large += csv.mid(csv.indexOf('\n') + 1);
    qsizetype largeRows = 0;
    const double largeMs = medianMs(1, [&] { largeRows = previewImport(db(), large, layout).rows.size(); });
    for (const char *table : {"main", "repparts", "History"})
        Execute(db(), QStringLiteral("DELETE FROM ") + QString::fromLatin1(table));
    int stored = 0;
    const double importMs = medianMs(1, [&] { stored = importItems(db(), preview, true); });
    CloseDatabase();
    out << QStringLiteral("exchange, %1 items\n").arg(items);
    out << QStringLiteral("  calendar export       %1 ms (%2 MB)\n").arg(ics, 0, 'f', 1).arg(icsSize / 1e6, 0, 'f', 1);
    out << QStringLiteral("  CSV import preview    %1 ms (%2 MB, %3 rows with problems)\n")
               .arg(previewMs, 0, 'f', 1).arg(csv.size() / 1e6, 0, 'f', 1).arg(preview.problemRows);
    out << QStringLiteral("  preview of %1 rows %2 ms (once)\n").arg(largeRows).arg(largeMs, 0, 'f', 1);
    out << QStringLiteral("  import of %1 items  %2 ms (once)\n").arg(stored).arg(importMs, 0, 'f', 1);
    out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Freed memory stays with the program, so that every figure is a steady state and none
    // pays for the pages another one handed back to the system.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    prepareWebEngine();
    QApplication app(argc, argv);
    initResources();
    MessageBox::setTestMode(true);

    int items = 32767;
    int runs = 7;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == u"--items")
            items = args.at(i + 1).toInt();
        else if (args.at(i) == u"--runs")
            runs = args.at(i + 1).toInt();
    }
    out << "median of " << runs << " runs each\n";
    report(items, measure(items, runs));
    if (items != 1000)
        report(1000, measure(1000, runs));
    reportAlarms(items, measureAlarms(items, runs));
    reportFigures(items, runs, items <= 1000);
    if (items > 1000)
        reportFigures(1000, runs, true);
    exchangeFigures(items, runs);
    return 0;
}
