// tarvo-newdb: writes a new, empty Tarvo database (or, with --sample, one filled with demo data).

#include "core/db/NewDatabase.h"

#include <QCoreApplication>
#include <QDate>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool sample = args.removeAll(QStringLiteral("--sample")) > 0;
    QTextStream err(stderr);
    if (args.size() != 1 || args.first().startsWith(u'-')) {
        err << "usage: tarvo-newdb [--sample] PATH\n";
        return 2;
    }
    QString error;
    if (!createDatabaseFile(args.first(), sample, QDate::currentDate(), &error)) {
        err << "tarvo-newdb: " << error << "\n";
        return 1;
    }
    return 0;
}
