#include "CoreSupport.h"

#include "ServerSupport.h"
#include "Version.h"
#include "core/db/Schema.h"
#include "core/db/TableShapes.h"

#include "core/db/Database.h"
#include "core/db/DbError.h"
#include "core/db/NewDatabase.h"
#include "core/db/SqlText.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/platform/Clock.h"
#include "core/platform/ValueOrder.h"
#include "core/settings/AppContext.h"
#include "core/settings/AppPaths.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

const QDateTime TestWorld::Now(QDate(2026, 12, 6), QTime(10, 0));

std::function<void()> TestWorld::started;

namespace {

Database &connection()
{
    static Database database;
    return database;
}

} // namespace

Database &db()
{
    if (!connection().isOpen())
        throw DbError(QStringLiteral("The database is not open"));
    return connection();
}

AppContext &appContext()
{
    static AppContext context(connection());
    return context;
}

bool openWorkingDatabase(QString *error)
{
    return openWorkingDatabase(connection(), error);
}

void closeWorkingDatabase()
{
    connection().close();
}

bool workingDatabaseIsOpen()
{
    return connection().isOpen();
}

void changeSettings(const std::function<void(AppSettings &)> &change)
{
    AppSettings settings = appContext().settings();
    change(settings);
    appContext().setSettings(settings);
}

void initCoreTestEnvironment()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QStandardPaths::setTestModeEnabled(true); // desktop settings away from the user's own
    ValueOrder::localeChanged();
    Clock::setFixed(TestWorld::Now);
}

bool TestWorld::onServer()
{
    return qEnvironmentVariable("TARVO_TEST_ENGINE") == u"postgresql";
}

namespace {

// One database per test program, copied from the run's template.
QString copyTemplate()
{
    return TestServerDatabase::create(QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                                      QStringLiteral("tarvo_template"));
}

} // namespace

QString TestWorld::serverAddress()
{
    static const QString address = copyTemplate();
    return address;
}

TestWorld::TestWorld()
{
    initCoreTestEnvironment();
    appContext().setSettings(AppSettings());
    AppPaths::setApplicationFolder(m_dir.path());
    if (onServer()) {
        startOnServer();
    } else {
        setServerAddress(QString());
        QString error;
        if (!createDatabaseFile(databasePath(), false, Clock::today(), &error))
            qFatal("cannot make the test database: %s", qPrintable(error));
        if (!openWorkingDatabase(&error))
            qFatal("cannot open the test database: %s", qPrintable(error));
    }
    if (started)
        started();
}

void TestWorld::startOnServer()
{
    setServerAddress(serverAddress());
    QString error;
    if (!openWorkingDatabase(&error)) {
        // A test before took a table away, as a damaged file would lack it: a new copy.
        copyTemplate();
        if (!openWorkingDatabase(&error))
            qFatal("cannot open the test database: %s", qPrintable(error));
    }
    try {
        // Back to a new database: no rows but the starting ones, every ID counter at its start.
        Transaction transaction(db());
        for (const TableShapes::Table &table : TableShapes::all()) {
            const QString name = QString::fromLatin1(table.name);
            allow(name); // left by a test that failed on its way
            db().exec(QStringLiteral("DELETE FROM ") + name);
            if (table.columns.front().kind == TableShapes::Kind::Identity)
                db().backend().setIdCounter(name, QStringLiteral("ID"), 0);
            if (table.keepsOrder)
                db().backend().setIdCounter(name, QString::fromLatin1(TableShapes::OrderColumn), 0);
        }
        Schema::addStartingRows(db(), QStringLiteral(TARVO_VERSION), QStringLiteral(TARVO_BUILD), Clock::today());
        transaction.commit();
    } catch (const DbError &failure) {
        qFatal("cannot empty the test database: %s", qPrintable(failure.message()));
    }
}

TestWorld::~TestWorld()
{
    closeWorkingDatabase();
    AppPaths::setApplicationFolder(QString());
}

QString TestWorld::databasePath() const
{
    return AppPaths::databaseFile();
}

namespace {

// Adds a row with the given values by column name, in the map's order.
qint64 insertRow(const QString &table, const QVariantMap &values)
{
    Statement insert(db(), SqlText::insertInto(table, values.keys()));
    insert.bindAll(values.values());
    return insert.insert();
}

} // namespace

void execute(Database &database, const QString &sql, const QVariantList &values)
{
    Statement statement(database, sql);
    statement.bindAll(values);
    statement.run();
}

qint64 TestWorld::addCompany(const QString &name, const QVariantMap &fields)
{
    QVariantMap all = {{QStringLiteral("company"), name}};
    all.insert(fields); // a field given overrides the name
    return insertRow(QStringLiteral("orderinfo"), all);
}

qint64 TestWorld::addItem(qint64 companyId, const QVariantMap &fields)
{
    QVariantMap all = {{QStringLiteral("manuID"), companyId}, {QStringLiteral("Name"), QString()}, {QStringLiteral("Tag"), QString()}, {QStringLiteral("location"), QString()}, {QStringLiteral("servicewarn"), 0}, {QStringLiteral("leadtime"), 0}, {QStringLiteral("serviceinterval"), 0}, {QStringLiteral("replacestock"), -1}, {QStringLiteral("ackservice"), 0}, {QStringLiteral("ackorder"), 0}, {QStringLiteral("ackorderinstock"), 0}};
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        all.insert(it.key(), it.value());
    return insertRow(QStringLiteral("main"), all);
}

namespace {

QVariantMap fieldMap(TestFields fields)
{
    QVariantMap map;
    for (const auto &[name, value] : fields)
        map.insert(QString::fromLatin1(name), value.value);
    return map;
}

} // namespace

qint64 TestWorld::addCompany(const QString &name, TestFields fields)
{
    return addCompany(name, fieldMap(fields));
}

qint64 TestWorld::addItem(qint64 companyId, TestFields fields)
{
    return addItem(companyId, fieldMap(fields));
}

void TestWorld::addPart(qint64 itemId, const QString &descr, const QVariant &partNumber)
{
    execute(db(), QStringLiteral("INSERT INTO repparts (ID, descr, partnumber) VALUES (?, ?, ?)"),
            {itemId, descr, partNumber});
}

void TestWorld::addEntry(const QString &table, qint64 itemId, const QString &isoDate, const QString &descr)
{
    execute(db(), QStringLiteral("INSERT INTO %1 (ID, Date, descr) VALUES (?, ?, ?)").arg(table),
            {itemId, isoDate, descr});
}

void TestWorld::changeElsewhere(const QString &sql) const
{
    Database other;
    QString error;
    if (onServer())
        other.openServer(serverAddress());
    else if (!other.open(databasePath(), &error))
        qFatal("cannot open a second connection: %s", qPrintable(error));
    other.exec(sql);
}

QVariant TestWorld::scalar(const QString &sql, const QVariantList &values) const
{
    Statement query(db(), sql);
    query.bindAll(values);
    return query.next() ? query.value(0) : QVariant();
}

QString TestWorld::joined(const QString &sql, const QString &separator, const QVariantList &values) const
{
    Statement query(db(), sql);
    query.bindAll(values);
    QStringList texts;
    while (query.next())
        texts << query.text(0);
    return texts.join(separator);
}

QString TestWorld::insertionOrder()
{
    return db().dialect().insertionOrder();
}

void TestWorld::refuse(const QString &event, const QString &table, const QString &message, const QString &condition) const
{
    const QString quoted = QStringLiteral("'%1'").arg(message);
    if (!onServer()) {
        db().exec(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %2 ON %1 %3 BEGIN SELECT RAISE(ABORT, %4); END")
                      .arg(table, event, condition.isEmpty() ? QString() : QStringLiteral("WHEN ") + condition, quoted));
        return;
    }
    db().exec(QStringLiteral("CREATE OR REPLACE FUNCTION refuse_%1() RETURNS trigger LANGUAGE plpgsql"
                             " AS $$ BEGIN RAISE EXCEPTION %2; END $$")
                  .arg(table, quoted));
    db().exec(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %2 ON %1 FOR EACH ROW %3 EXECUTE FUNCTION refuse_%1()")
                  .arg(table, event, condition.isEmpty() ? QString() : QStringLiteral("WHEN (%1)").arg(condition)));
}

void TestWorld::allow(const QString &table) const
{
    db().exec(onServer() ? QStringLiteral("DROP TRIGGER IF EXISTS refuse_%1 ON %1").arg(table)
                         : QStringLiteral("DROP TRIGGER IF EXISTS refuse_%1").arg(table));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
