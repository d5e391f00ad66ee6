// tarvo-dbcopy: makes a Tarvo database on a PostgreSQL server, and copies a database between a
// file and a server in either direction.

#include "core/db/Database.h"
#include "core/db/DatabaseCopy.h"
#include "core/db/DbError.h"
#include "core/db/Schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <termios.h>
#include <unistd.h>

namespace {

const char *const Usage =
    "usage: tarvo-dbcopy --init [--owner ROLE] [--technicians ROLE] [--sample] ADDRESS\n"
    "       tarvo-dbcopy [--blank-bad-dates] SOURCE TARGET\n"
    "ADDRESS is a server database: a libpq URI (postgresql://user@host/db) or key=value text\n"
    "(\"host=... dbname=...\"). SOURCE and TARGET are each an ADDRESS or a database file; a target\n"
    "file must not exist yet, a target server database must hold no items.\n";

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

// The password, typed without echo, when the server asks for one and a terminal is there.
QString askPassword(const QString &address)
{
    if (!isatty(STDIN_FILENO))
        return QString();
    err() << "Password for " << address << ": " << Qt::flush;
    termios old {};
    tcgetattr(STDIN_FILENO, &old);
    termios quiet = old;
    quiet.c_lflag &= ~tcflag_t(ECHO);
    tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    QTextStream in(stdin);
    const QString password = in.readLine();
    tcsetattr(STDIN_FILENO, TCSANOW, &old);
    err() << "\n";
    return password;
}

// Connects, asking for a password once when the server wants one.
void connectServer(Database &db, const QString &address)
{
    try {
        db.connectServer(address);
    } catch (const DbError &error) {
        const QString password = error.kind() == DbError::Kind::NeedsPassword ? askPassword(address) : QString();
        if (password.isEmpty())
            throw;
        db.connectServer(address, password);
    }
}

int init(QStringList args)
{
    QString owner = QStringLiteral("tarvo_owner");
    QString technicians = QStringLiteral("tarvo_technicians");
    const bool sample = args.removeAll(QStringLiteral("--sample")) > 0;
    for (const auto &[option, value] : {std::pair {QStringLiteral("--owner"), &owner},
                                        std::pair {QStringLiteral("--technicians"), &technicians}}) {
        const qsizetype at = args.indexOf(option);
        if (at >= 0 && at + 1 < args.size()) {
            *value = args.at(at + 1);
            args.remove(at, 2);
        }
    }
    if (args.size() != 1 || !Database::isServerAddress(args.first())) {
        err() << Usage;
        return 2;
    }
    Database db;
    connectServer(db, args.first());
    DatabaseCopy::initServer(db, owner, technicians, sample);
    err() << "tarvo-dbcopy: " << db.displayName() << " holds the Tarvo tables; " << owner << " owns them, "
          << technicians << " may read and write their rows.\n";
    return 0;
}

// Opens the side of a copy: a server database, or a file (read only as a source, new as a target).
bool openSide(Database &db, const QString &target, bool isSource)
{
    if (Database::isServerAddress(target)) {
        connectServer(db, target);
        if (isSource) {
            QString problem;
            if (!Schema::hasExpectedShape(db, &problem))
                throw DbError(QStringLiteral("%1 is no Tarvo database: %2").arg(db.displayName(), problem));
        }
        return true;
    }
    QString error;
    const bool opened = isSource ? db.openReadOnly(target, &error) : db.create(target, &error);
    if (!opened)
        err() << "tarvo-dbcopy: " << target << ": " << error << "\n";
    return opened;
}

int copy(QStringList args)
{
    DatabaseCopy::Options options;
    options.blankBadDates = args.removeAll(QStringLiteral("--blank-bad-dates")) > 0;
    if (args.size() != 2) {
        err() << Usage;
        return 2;
    }
    const QString sourceName = args.at(0);
    const QString targetName = args.at(1);
    Database source;
    Database target;
    if (!openSide(source, sourceName, true) || !openSide(target, targetName, false))
        return 1;
    const DatabaseCopy::Result result = DatabaseCopy::copy(source, target, options);
    for (const DatabaseCopy::BadValue &bad : result.badValues)
        err() << "not a date: table " << bad.table << ", ID " << bad.row << ", column " << bad.column << ": \""
              << bad.value << "\"\n";
    if (!result.copied) {
        target.close();
        if (!Database::isServerAddress(targetName))
            QFile::remove(targetName);
        err() << "tarvo-dbcopy: " << result.error << "\n";
        return 1;
    }
    // A file of an older version gives its copy no identity of its own; the copy gets one now.
    Schema::upgrade(target);
    for (const DatabaseCopy::TableCount &count : result.counts)
        err() << count.table << ": " << count.rows << " rows\n";
    err() << "tarvo-dbcopy: copied " << source.displayName() << " to " << target.displayName()
          << "; every table's rows and checksum agree.\n";
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    try {
        if (args.removeAll(QStringLiteral("--init")) > 0)
            return init(args);
        return copy(args);
    } catch (const DbError &error) {
        err() << "tarvo-dbcopy: " << error.message() << "\n";
        return 1;
    }
}
