#pragma once

#include <QDateTime>
#include <QScopeGuard>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>

#include <csignal>
#include <functional>
#include <initializer_list>
#include <memory>
#include <sys/resource.h>
#include <utility>

// What the tests of the core library share: they link it and Qt Core only.

class AppContext;
class Database;
struct AppSettings;

// The test program's one connection, kept like the program's for the whole run, and the
// context the windows under test share. db() throws DbError while the connection is closed.
Database &db();
AppContext &appContext();
// Opens main.mdb of the application folder on that connection, or closes it.
bool openWorkingDatabase(QString *error = nullptr);
void closeWorkingDatabase();
bool workingDatabaseIsOpen();
// Changes the options the windows read, as the main window does after a save of the options.
void changeSettings(const std::function<void(AppSettings &)> &change);

// A field's value in a row a test writes; a text literal is UTF-8.
struct TestValue {
    TestValue(const char *text)
        : value(QString::fromUtf8(text))
    { }
    template<class T>
    TestValue(const T &any)
        : value(QVariant::fromValue(any))
    { }
    QVariant value;
};
// Fields by name, as in {{"Name", "Pump"}, {"leadtime", 7}}.
using TestFields = std::initializer_list<std::pair<const char *, TestValue>>;

// A test's own application folder with a fresh database opened as the program's connection:
// an encrypted file made by the same code as tarvo-newdb or, when TARVO_TEST_ENGINE says
// "postgresql", the test program's own database on the test run's server, emptied down to the
// rows a new database starts with. Locale en_US, clock fixed at 2026-12-06 10:00.
class TestWorld
{
public:
    // Whether this run's worlds are on the server.
    static bool onServer();
    // The address of this test program's server database.
    static QString serverAddress();

    static const QDateTime Now;
    // Run by every new world (the window tests reset the answers waiting and the messages shown).
    static std::function<void()> started;

    TestWorld();
    ~TestWorld();

    QString folder() const { return m_dir.path(); }
    QString databasePath() const;

    // Rows for tests. Fields not given take the values a new item gets from the editor.
    qint64 addCompany(const QString &name, const QVariantMap &fields = {});
    qint64 addCompany(const QString &name, TestFields fields);
    qint64 addItem(qint64 companyId, const QVariantMap &fields);
    qint64 addItem(qint64 companyId, TestFields fields);
    void addPart(qint64 itemId, const QString &descr, const QVariant &partNumber);
    void addEntry(const QString &table, qint64 itemId, const QString &isoDate, const QString &descr);

    // Runs SQL on a second connection to the same database, as another program would.
    void changeElsewhere(const QString &sql) const;

    // One value of the database, e.g. scalar("SELECT count(*) FROM main").
    QVariant scalar(const QString &sql, const QVariantList &values = {}) const;
    // The first column of every row, as text (Null as empty text), joined in the order read.
    QString joined(const QString &sql, const QString &separator, const QVariantList &values = {}) const;
    // Makes the database refuse every `event` (INSERT, UPDATE or DELETE) on the table where the
    // condition holds (e.g. "NEW.ID = 23"), failing with the message, as a full disk or a
    // locked table would; until allow().
    void refuse(const QString &event, const QString &table, const QString &message, const QString &condition = {}) const;
    void allow(const QString &table) const;
    // The column that orders rows as they were written (History, Notes, repparts), for a test's
    // own statements.
    static QString insertionOrder();

private:
    void startOnServer();

    QTemporaryDir m_dir;
};

// Runs a statement of the test's own on the connection (the stores hold the program's SQL).
void execute(Database &database, const QString &sql, const QVariantList &values = {});

// Limits the size of files this process may write, as a full disk would, until the guard goes.
inline auto limitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit {bytes, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    return qScopeGuard([old] { setrlimit(RLIMIT_FSIZE, &old); });
}

// Sets the locale, the clock and desktop settings away from the user's own, once per program.
void initCoreTestEnvironment();

// The bytes of a file; empty when it cannot be read.
QByteArray readFile(const QString &path);
