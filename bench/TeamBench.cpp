#include "TeamBench.h"

#include "BenchSupport.h"

#include "core/db/ChangeFeed.h"
#include "core/db/Database.h"
#include "core/db/DatabaseCopy.h"
#include "core/db/FieldTable.h"
#include "core/db/SampleData.h"
#include "core/itemlist/ItemListModel.h"
#include "core/settings/AppContext.h"
#include "gui/itemlist/ItemGrid.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/mainwindow/MainWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;
using Bench::execute;
using Bench::ThrowawayServer;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double elapsedMs(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// Runs the event loop until `done` is emitted, at most 10 s: the handler that emitted it has
// returned by then.
template<class Sender, class Signal>
void waitFor(const Sender *sender, Signal done)
{
    QEventLoop loop;
    QObject::connect(sender, done, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
}

// One technician's program on the server: its connection and its main window, loaded and shown.
struct Technician {
    explicit Technician(const QString &address)
    {
        database.openServer(address);
        window.emplace(context);
        window->load();
        window->show();
    }

    Database database;
    AppContext context {database};
    std::optional<MainWindow> window;
};

} // namespace

void teamFigures(int items, int runs)
{
    QTextStream out(stdout);
    ThrowawayServer server;
    {
        Database admin;
        admin.connectServer(server.address(u"postgres"_s));
        execute(admin, u"CREATE DATABASE tarvo_team"_s);
    }
    const QString address = server.address(u"tarvo_team"_s);
    {
        Database setup;
        setup.connectServer(address);
        DatabaseCopy::initServer(setup, u"tarvo_owner"_s, u"tarvo_technicians"_s, false);
        SampleData::addBulk(setup, items, 100, 3, QDate::currentDate());
        // No start-up alarm window in the figures.
        execute(setup, u"UPDATE settings SET startupalarm = 0"_s);
    }

    std::vector<double> shown;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        Technician technician(address);
        technician.window->grid()->viewport()->repaint();
        shown.push_back(elapsedMs(clock));
    }

    // The other technician renames the first listed item; this program's list follows.
    Technician technician(address);
    MainWindow &window = *technician.window;
    Database other;
    other.openServer(address);
    const qint64 first = window.itemList()->model()->itemIdAt(1);
    std::vector<double> followed;
    for (int run = 0; run < runs; ++run) {
        Statement rename(other, u"UPDATE main SET Name = ? WHERE ID = ?"_s);
        rename.bindAll({u"Renamed %1"_s.arg(run), first});
        QElapsedTimer clock;
        clock.start();
        rename.run();
        waitFor(&technician.database.changeFeed(), &ChangeFeed::tablesChanged);
        window.grid()->viewport()->repaint();
        followed.push_back(elapsedMs(clock));
        if (window.itemList()->model()->cellText(1, Column::Name) != u"Renamed %1"_s.arg(run))
            qFatal("the list did not follow the other technician's change");
    }

    out << u"Two technicians on one server, %1 items\n"_s.arg(items);
    out << u"  connect and show the list             %1 ms\n"_s.arg(median(shown), 0, 'f', 0);
    out << u"  commit to the other's repainted list  %1 ms (notices gathered %2 ms)\n"_s.arg(median(followed), 0, 'f', 0).arg(ChangeFeed::BatchMsec);
    out.flush();
}
