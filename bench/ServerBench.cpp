#include "ServerBench.h"

#include "BenchSupport.h"
#include "core/alarms/AlarmStore.h"
#include "core/db/Database.h"
#include "core/db/DatabaseCopy.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/settings/AppPaths.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

using namespace Bench;

namespace {

double copyMs(Database &source, Database &target)
{
    DatabaseCopy::Result result;
    const double ms = medianMs(1, [&] { result = DatabaseCopy::copy(source, target); });
    if (!result.copied)
        qFatal("the copy failed: %s", qPrintable(result.error));
    return ms;
}

// One service acknowledgement as the window stores it: the stamp read, then the store with its
// compare, history entry and roll of the service date. A different item each time.
double acknowledgementMs(int runs)
{
    qint64 itemId = 0;
    return medianMs(runs, [&] {
        ++itemId;
        const RowStamp read = serviceAckStamp(db(), itemId);
        if (!storeServiceAck(db(), itemId, read, QStringLiteral("Bench"), QDate::currentDate(), {QStringLiteral("Serviced")})
                 .stored())
            qFatal("the acknowledgement was not stored");
    });
}

} // namespace

void serverFigures(int items, int runs)
{
    ThrowawayServer throwaway;
    const QString address = throwaway.address(QStringLiteral("tarvo_bench"));
    {
        Database admin;
        admin.connectServer(throwaway.address(QStringLiteral("postgres")));
        admin.exec(QStringLiteral("CREATE DATABASE tarvo_bench"));
    }

    QTemporaryDir dir;
    AppPaths::setApplicationFolder(dir.path());
    makeDatabase(AppPaths::databaseFile(), items);
    double copyIn = 0, copyOut = 0;
    {
        Database file, server, back;
        if (!file.open(AppPaths::databaseFile()) || !back.create(QDir(dir.path()).filePath(QStringLiteral("back.mdb"))))
            qFatal("cannot open the file databases");
        server.connectServer(address);
        copyIn = copyMs(file, server);
        copyOut = copyMs(server, back);
    }
    if (!openWorkingDatabase(db()))
        qFatal("cannot open the file database");
    const double fileAck = acknowledgementMs(runs);
    db().close();

    ListFigures list;
    list.open = medianMs(runs, [&] {
        Database database;
        database.openServer(address);
    });
    setServerAddress(address);
    if (!openWorkingDatabase(db()))
        qFatal("cannot open the server database");
    measureList(items, runs, list);
    const double serverAck = acknowledgementMs(runs);
    const AlarmFigures alarms = measureAlarms(runs);
    db().close();
    setServerAddress(QString());

    out << QStringLiteral("PostgreSQL on a local socket\n");
    reportList(items, list, QStringLiteral("connect"));
    reportAlarms(items, alarms);
    out << QStringLiteral("acknowledgement round trip: %1 ms (file: %2 ms)\n").arg(serverAck, 0, 'f', 1).arg(fileAck, 0, 'f', 1);
    out << QStringLiteral("copy of %1 items: file to server %2 ms, server to file %3 ms (once)\n")
               .arg(items)
               .arg(copyIn, 0, 'f', 0)
               .arg(copyOut, 0, 'f', 0);
    out.flush();
}
