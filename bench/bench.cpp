// tarvo-bench: how fast the item list loads, against the floor of reading the same rows.
//
// Builds a database of N items in a temporary folder and times, in one run: opening with the
// key; loadGrid of all items sorted by service date into the real main grid, through one
// layout and paint (the first time, then again); a sort and a lookup asked for in their
// dialogs; and the floor: the same joined rows and all parts read as text with plain
// SQL on the same connection. Prints medians, the ratio and the peak memory.
//
// Then the alarms, with every item alarming: the evaluation of the rules, and the alarm window
// opened on them through one layout and paint. Then the All report of every item with 6 and
// with all 25 columns shown: writing it, and showing it in the viewer program (time from the
// request to the shown page, by the web engine or, beyond 4 MB, by the viewer's own reader, and
// the memory of the viewer's processes), and for a page beyond 4 MB the time of its PDF as Save
// as PDF and Print lay it out. Then the exchange with
// other programs: the due dates as an iCalendar file, and the preview and import of the item
// list's CSV. Last the main program (tarvo, run as the user runs it) idle with the viewer never
// opened: its resident memory on the demo database and on the large one, and the first
// report's time. Memory figures mean most under a display with GL (xvfb-run), where the engine
// would map its drivers. Text from a foreign file (also alone with --long-text): the windows
// opened on an item whose name, hazard field and a history entry hold a million characters.

#include "BenchSupport.h"
#include "ServerBench.h"
#include "TeamBench.h"
#include "Version.h"
#include "core/alarms/AlarmRules.h"
#include "core/db/Database.h"
#include "core/db/NewDatabase.h"
#include "core/db/SampleData.h"
#include "core/db/Schema.h"
#include "core/itemlist/ItemListModel.h"
#include "core/itemlist/ItemListStore.h"
#include "core/itemlist/LookupQuery.h"
#include "core/items/CsvImport.h"
#include "core/items/ItemTransfer.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/platform/Clock.h"
#include "core/platform/SafeFile.h"
#include "core/reports/CalendarExport.h"
#include "core/reports/CsvExport.h"
#include "core/reports/ReportCommand.h"
#include "core/reports/Reporting.h"
#include "core/settings/AppContext.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ColumnLayout.h"
#include "core/settings/SettingsStore.h"
#include "gui/alarms/AlarmWindow.h"
#include "gui/alarms/ServiceAckDialog.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/items/ItemEditor.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"
#include "gui/records/EntryDialog.h"
#include "gui/reports/ViewerClient.h"
#include "gui/views/LookupDialog.h"
#include "gui/views/SortDialog.h"
#include "viewer/PagePdf.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <malloc.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

using namespace Bench;

namespace {

ListFigures measure(int items, int runs)
{
    QTemporaryDir dir;
    AppPaths::setApplicationFolder(dir.path());
    makeDatabase(AppPaths::databaseFile(), items);

    ListFigures f;
    f.open = medianMs(runs, [] {
        Database database;
        QString error;
        if (!database.open(AppPaths::databaseFile(), &error))
            qFatal("cannot open the database: %s", qPrintable(error));
    });
    if (!openWorkingDatabase(db()))
        qFatal("cannot open the database");
    measureList(items, runs, f);
    db().close();
    return f;
}

// Every item alarming, on a file database of `items`.
AlarmFigures measureFileAlarms(int items, int runs)
{
    QTemporaryDir dir;
    openBenchDatabase(dir, items);
    const AlarmFigures f = measureAlarms(runs);
    db().close();
    return f;
}

// A process and all its descendants (the viewer and the engine's helper processes).
QList<qint64> processTree(qint64 root)
{
    QMultiMap<qint64, qint64> children;
    QDirIterator proc(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (proc.hasNext()) {
        const qint64 pid = proc.next().section(u'/', -1).toLongLong();
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (pid > 0 && stat.open(QIODevice::ReadOnly)) {
            const QByteArray text = stat.readAll();
            children.insert(text.mid(text.lastIndexOf(')') + 4).split(' ').first().toLongLong(), pid);
        }
    }
    QList<qint64> tree {root};
    for (qsizetype i = 0; i < tree.size(); ++i)
        tree += children.values(tree.at(i));
    return tree;
}

// The viewer and its helpers together, shared pages counted once.
double treeMegabytes(qint64 root)
{
    double sum = 0;
    for (qint64 pid : processTree(root))
        sum += processMegabytes(pid, "Pss:", "smaps_rollup");
    return sum;
}

struct ViewerFigures {
    double ms = 0, peak = 0, resident = 0;
    double programPeak = 0; // the viewer program itself (VmHWM), its helpers apart
    bool shown = false;
};

// Asks the viewer program to show a file and waits for the loaded page, or the limit.
ViewerFigures showInViewer(const QString &path, int limitMs)
{
    ViewerClient &viewer = ViewerClient::instance();
    ViewerFigures f;
    QEventLoop wait;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &wait, &QEventLoop::quit);
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] {
        if (viewer.isRunning())
            f.peak = std::max(f.peak, treeMegabytes(viewer.processId()));
    });
    sample.start(250);
    const auto done = QObject::connect(&viewer, &ViewerClient::loaded, &wait, [&](bool ok) {
        f.shown = ok;
        wait.quit();
    });
    const auto died = QObject::connect(&viewer, &ViewerClient::closed, &wait, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    viewer.show(path);
    limit.start(limitMs);
    wait.exec();
    f.ms = timer.nsecsElapsed() / 1e6;
    limit.stop();
    QObject::disconnect(done);
    QObject::disconnect(died);
    if (viewer.isRunning()) {
        QTimer::singleShot(1000, &wait, &QEventLoop::quit); // the page's layout and paint after the load
        wait.exec();
        f.resident = treeMegabytes(viewer.processId());
        f.peak = std::max(f.peak, f.resident);
        f.programPeak = processMegabytes(viewer.processId(), "VmHWM:");
    }
    return f;
}

void closeViewer()
{
    ViewerClient &viewer = ViewerClient::instance();
    if (!viewer.isRunning())
        return;
    QEventLoop wait;
    QObject::connect(&viewer, &ViewerClient::closed, &wait, &QEventLoop::quit);
    viewer.close();
    QTimer::singleShot(10000, &wait, &QEventLoop::quit);
    wait.exec();
    if (viewer.isRunning())
        ::kill(pid_t(viewer.processId()), SIGKILL);
}

// The All report with 6 (the default) or all 25 columns: building and writing temp.htm
// (median of runs), then one showing of it in a freshly started viewer.
void reportFigures(int items, int runs, bool allColumns)
{
    QTemporaryDir dir;
    openBenchDatabase(dir, items);
    if (allColumns)
        execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = ID + 1"));
    double write = 0;
    qint64 size = 0;
    int columns = 0;
    {
        MainWindow window(context());
        window.itemList()->setupColumns();
        window.itemList()->loadGrid(Field::ServiceDate, Ascending, QString(), Field::Name);
        const ItemListModel &grid = *window.grid()->itemModel();
        columns = grid.columnCount() - 1;
        write = medianMs(runs, [&] {
            const QByteArray bytes = reportGrid(grid, allReportTitle(Clock::today()));
            if (!SafeFile::write(reportFile(), bytes))
                qFatal("cannot write the report");
            size = bytes.size();
        });
    }
    db().close();
    const ViewerFigures f = showInViewer(reportFile(), 120000);
    closeViewer();
    // A page the engine is not given (beyond 4 MB) becomes a PDF without it, as Save as PDF and
    // Print make it in the viewer.
    const bool large = size > 4'000'000;
    double pdfMs = 0;
    qint64 pdfSize = 0;
    if (large || !f.shown) {
        QFile page(reportFile());
        if (!page.open(QIODevice::ReadOnly))
            qFatal("cannot read the report");
        const QByteArray html = page.readAll();
        pdfMs = medianMs(1, [&] {
            pdfSize = pagePdf(html, QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, {})).size();
        });
    }
    out << QStringLiteral("All report, %1 items, %2 columns (%3 MB)\n")
               .arg(items)
               .arg(columns)
               .arg(size / 1e6, 0, 'f', 1);
    out << QStringLiteral("  build + write         %1 ms\n").arg(write, 0, 'f', 1);
    out << QStringLiteral("  viewer: request to shown page  %1 ms%2%3\n")
               .arg(f.ms, 0, 'f', 0)
               .arg(large ? u" (its own reader)"_s : u" (web engine)"_s)
               .arg(f.shown ? u""_s : u", NOT SHOWN"_s);
    out << QStringLiteral("  viewer processes (PSS): after load %1 MB, peak %2 MB; viewer program peak %3 MB\n")
               .arg(f.resident, 0, 'f', 0)
               .arg(f.peak, 0, 'f', 0)
               .arg(f.programPeak, 0, 'f', 0);
    if (large || !f.shown)
        out << QStringLiteral("  PDF without the engine  %1 ms (%2 MB, once)\n")
                   .arg(pdfMs, 0, 'f', 0)
                   .arg(pdfSize / 1e6, 0, 'f', 1);
    out.flush();
}

// The first report of a run (the viewer program starts) and a later one (it runs already).
void firstReportFigures()
{
    QTemporaryDir dir;
    AppPaths::setApplicationFolder(dir.path());
    QString error;
    if (!createDatabaseFile(AppPaths::databaseFile(), true, QDate::currentDate(), &error) || !openWorkingDatabase(db()))
        qFatal("cannot make the demo database: %s", qPrintable(error));
    {
        MainWindow window(context());
        window.itemList()->setupColumns();
        window.itemList()->loadGrid(Field::ServiceDate, Ascending, QString(), Field::Name);
        if (!SafeFile::write(reportFile(), reportGrid(*window.grid()->itemModel(), allReportTitle(Clock::today()))))
            qFatal("cannot write the report");
    }
    db().close();
    const ViewerFigures first = showInViewer(reportFile(), 60000);
    const ViewerFigures later = showInViewer(reportFile(), 60000);
    closeViewer();
    out << QStringLiteral("viewer, demo All report\n");
    out << QStringLiteral("  first report          %1 ms%2\n")
               .arg(first.ms, 0, 'f', 0)
               .arg(first.shown ? u""_s : u", NOT SHOWN"_s);
    out << QStringLiteral("  later report          %1 ms%2\n")
               .arg(later.ms, 0, 'f', 0)
               .arg(later.shown ? u""_s : u", NOT SHOWN"_s);
    out.flush();
}

// The main program as the user runs it, from a folder of its own with the database beside it,
// left idle (viewer never opened) until it has settled.
void idleProgramFigures(int items)
{
    QTemporaryDir dir;
    const QString bin = QCoreApplication::applicationDirPath();
    for (const char *name : {"tarvo", "tarvo-viewer", "manual.htm"})
        QFile::copy(QDir(bin).filePath(QLatin1String(name)), QDir(dir.path()).filePath(QLatin1String(name)));
    const QString database = QDir(dir.path()).filePath(QStringLiteral("main.mdb"));
    QString error;
    if (items == 0) {
        if (!createDatabaseFile(database, true, QDate::currentDate(), &error))
            qFatal("cannot make the demo database: %s", qPrintable(error));
    } else {
        makeDatabase(database, items);
    }
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QDir(dir.path()).filePath(QStringLiteral("tarvo")), {});
    if (!program.waitForStarted())
        qFatal("cannot start tarvo");
    QThread::msleep(items > 1000 ? 12000 : 6000);
    const double resident = processMegabytes(program.processId(), "VmRSS:");
    const double peak = processMegabytes(program.processId(), "VmHWM:");
    const bool viewerStarted = processTree(program.processId()).size() > 1;
    program.kill();
    program.waitForFinished();
    out << QStringLiteral("tarvo idle, %1, viewer never opened\n")
               .arg(items ? QStringLiteral("%1 items").arg(items) : QStringLiteral("demo database"));
    out << QStringLiteral("  resident %1 MB, peak %2 MB%3\n")
               .arg(resident, 0, 'f', 1)
               .arg(peak, 0, 'f', 1)
               .arg(viewerStarted ? u", A CHILD PROCESS RAN"_s : u""_s);
    out.flush();
}

// The calendar export, the CSV exports and the CSV import of every item, each with a service
// date, an interval, a warning and a lead time (two events each).
void exchangeFigures(int items, int runs)
{
    QTemporaryDir dir;
    openBenchDatabase(dir, items);
    execute(db(),
            QStringLiteral("UPDATE main SET servicedate = date(?, printf('%+d days', ID % 365)),"
                           " servicewarn = 7, leadtime = 14, serviceinterval = 90"),
            {QDate::currentDate().toString(Qt::ISODate)});
    execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = ID + 1"));
    qint64 icsSize = 0;
    const double ics = medianMs(runs, [&] {
        const QByteArray bytes = dueDateCalendar(dueEvents(db()), Clock::now(), databaseIdentity(db()));
        if (!SafeFile::write(QDir(dir.path()).filePath(QStringLiteral("due.ics")), bytes))
            qFatal("cannot write the calendar");
        icsSize = bytes.size();
    });
    ItemListModel list;
    const ColumnLayout layout = ColumnLayout::read(db());
    list.setLayout(layout);
    list.load(db(), Field::ID, Ascending, QString(), Field::Name);
    QByteArray shown;
    const double listMs = medianMs(runs, [&] { shown = gridCsv(list); });
    QByteArray csv;
    const double allFieldsMs = medianMs(runs, [&] { csv = ItemTransfer::itemsCsv(db()); });
    const double listPreviewMs = medianMs(runs, [&] { previewImport(db(), shown, layout); });
    ImportPreview preview;
    const double previewMs = medianMs(runs, [&] { preview = previewImport(db(), csv, layout); });
    // Past 100,000 rows: the list's rows three times and more.
    QByteArray large = csv;
    for (int copies = 1; copies * items < 100000; ++copies)
        large += csv.mid(csv.indexOf('\n') + 1);
    qsizetype largeRows = 0;
    const double largeMs = medianMs(1, [&] { largeRows = previewImport(db(), large, layout).rows.size(); });
    for (const char *table : {"main", "repparts", "History"})
        execute(db(), QStringLiteral("DELETE FROM ") + QString::fromLatin1(table));
    int stored = 0;
    const double importMs = medianMs(1, [&] { stored = importItems(db(), preview, true); });
    db().close();
    out << QStringLiteral("exchange, %1 items\n").arg(items);
    out << QStringLiteral("  calendar export       %1 ms (%2 MB)\n").arg(ics, 0, 'f', 1).arg(icsSize / 1e6, 0, 'f', 1);
    out << QStringLiteral("  CSV of the list       %1 ms (%2 MB)\n").arg(listMs, 0, 'f', 1).arg(shown.size() / 1e6, 0, 'f', 1);
    out << QStringLiteral("  CSV of every field    %1 ms\n").arg(allFieldsMs, 0, 'f', 1);
    out << QStringLiteral("  preview of the list   %1 ms\n").arg(listPreviewMs, 0, 'f', 1);
    out << QStringLiteral("  preview, every field  %1 ms (%2 MB, %3 rows with problems)\n")
               .arg(previewMs, 0, 'f', 1)
               .arg(csv.size() / 1e6, 0, 'f', 1)
               .arg(preview.problemRows);
    out << QStringLiteral("  preview of %1 rows %2 ms (once)\n").arg(largeRows).arg(largeMs, 0, 'f', 1);
    out << QStringLiteral("  import of %1 items  %2 ms (once)\n").arg(stored).arg(importMs, 0, 'f', 1);
    out.flush();
}

struct LongTextFigures {
    double editor = 0, serviceAck = 0, history = 0, alarms = 0, detailPanel = 0, list = 0;
};

// The windows opened on an item whose name and hazard field are `length` characters of one line,
// with a history entry as long: each made, laid out and painted, then closed.
LongTextFigures measureLongText(int length, int runs)
{
    QTemporaryDir dir;
    openBenchDatabase(dir, 50);
    const QString text(length, u'x');
    execute(db(),
            QStringLiteral("UPDATE main SET Name = ?, hazmat = ?, servicedate = date('now', '+3 days'), servicewarn = 7"
                           " WHERE ID = 1"),
            {text, text});
    execute(db(), QStringLiteral("INSERT INTO History (ID, Date, descr) VALUES (1, date('now'), ?)"), {text});
    const auto windowOn = [runs](auto make) {
        return medianMs(runs, [&] {
            QPointer<QWidget> window;
            showOnce(window, make);
            QApplication::processEvents();
            window->repaint();
            delete window.data();
        });
    };
    LongTextFigures f;
    // Each window as its opener makes it: built, then loaded.
    const ColumnLayout layout = ColumnLayout::read(db());
    f.editor = windowOn([&] {
        auto *editor = new ItemEditor(context(), ItemEditor::EditListItem, 1, layout);
        editor->load();
        return editor;
    });
    f.serviceAck = windowOn([] { return keepIfLoaded(new ServiceAckDialog(context(), 1)); });
    f.history = windowOn([] {
        auto *entry = new EntryDialog(db(), HistoryTarget, 1);
        entry->load();
        return entry;
    });
    AppSettings settings;
    settings.serviceAlarms = true;
    context().setSettings(settings);
    f.alarms = windowOn([] { return keepIfLoaded(new AlarmWindow(context())); });
    {
        MainWindow window(context());
        window.resize(1280, 900);
        window.load();
        window.show();
        QApplication::processEvents();
        ItemListController *list = window.itemList();
        // The long item first in the list, which shows its cells.
        f.list = medianMs(runs, [&] {
            list->loadGrid(Field::ID, Ascending, QString(), Field::Name);
            QApplication::processEvents();
            window.repaint();
        });
        if (window.grid()->itemModel()->itemIdAt(1) != 1)
            qFatal("the long item is not listed first");
        f.detailPanel = medianMs(runs, [&] {
            list->clearLastClick();
            list->rowClicked(1, 1);
            QApplication::processEvents();
            window.repaint();
        });
        window.hide();
    }
    db().close();
    return f;
}

// Text from a foreign file: every window opens at once whatever a field holds.
void longTextFigures(int runs)
{
    const LongTextFigures few = measureLongText(10, runs);
    const LongTextFigures many = measureLongText(1'000'000, runs);
    out << "long text: an item's name, hazard field and a history entry of 10 / 1,000,000 characters\n";
    const auto line = [](const char *what, double a, double b) {
        out << QStringLiteral("  %1 %2 ms / %3 ms\n").arg(QLatin1String(what), -24).arg(a, 0, 'f', 1).arg(b, 0, 'f', 1);
    };
    line("item editor", few.editor, many.editor);
    line("service acknowledgement", few.serviceAck, many.serviceAck);
    line("history entry window", few.history, many.history);
    line("alarm window", few.alarms, many.alarms);
    line("detail panel", few.detailPanel, many.detailPanel);
    line("list + paint", few.list, many.list);
    out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    // Under a display (xvfb-run) the programs it starts run on it, as a user's would.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Freed memory stays with the program, so that every figure is a steady state and none
    // pays for the pages another one handed back to the system.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
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
    // --viewer: only the report viewer's and the main program's figures; --exchange: only the
    // calendar export and the CSV import; --long-text: only the windows on very long values.
    const bool viewerOnly = args.contains(QStringLiteral("--viewer"));
    out << "median of " << runs << " runs each\n";
    if (args.contains(QStringLiteral("--exchange"))) {
        exchangeFigures(items, runs);
        return 0;
    }
    // --engine pg: the same figures on a throwaway server, and two technicians on it.
    if (const qsizetype engine = args.indexOf(u"--engine"_s); engine > 0 && args.value(engine + 1) == u"pg") {
        serverFigures(items, runs);
        teamFigures(items, runs);
        return 0;
    }
    if (args.contains(QStringLiteral("--long-text"))) {
        longTextFigures(runs);
        return 0;
    }
    if (!viewerOnly) {
        reportList(items, measure(items, runs), QStringLiteral("open with key"));
        if (items != 1000)
            reportList(1000, measure(1000, runs), QStringLiteral("open with key"));
        reportAlarms(items, measureFileAlarms(items, runs));
    }
    // One large page at a time: each viewer is closed before the next starts.
    for (int count : items > 1000 ? QList<int> {1000, items} : QList<int> {items}) {
        reportFigures(count, runs, false);
        reportFigures(count, runs, true);
    }
    if (!viewerOnly) {
        exchangeFigures(items, runs);
        longTextFigures(runs);
    }
    firstReportFigures();
    idleProgramFigures(0);
    idleProgramFigures(items);
    return 0;
}
