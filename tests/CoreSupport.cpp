#include "CoreSupport.h"

#include "core/db/Database.h"
#include "core/db/DbError.h"
#include "core/db/NewDatabase.h"
#include "core/db/SqlText.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/platform/Clock.h"
#include "core/platform/ValueOrder.h"
#include "core/settings/AppContext.h"
#include "core/settings/AppPaths.h"

#include <QFile>
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

TestWorld::TestWorld()
{
    initCoreTestEnvironment();
    appContext().setSettings(AppSettings());
    AppPaths::setApplicationFolder(m_dir.path());
    QString error;
    if (!createDatabaseFile(databasePath(), false, Clock::today(), &error))
        qFatal("cannot make the test database: %s", qPrintable(error));
    if (!openWorkingDatabase(&error))
        qFatal("cannot open the test database: %s", qPrintable(error));
    if (started)
        started();
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
    if (!other.open(databasePath(), &error))
        qFatal("cannot open a second connection: %s", qPrintable(error));
    other.exec(sql);
}

QVariant TestWorld::scalar(const QString &sql, const QVariantList &values) const
{
    Statement query(db(), sql);
    query.bindAll(values);
    return query.next() ? query.value(0) : QVariant();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
