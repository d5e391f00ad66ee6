// Two technicians saving the same rows at once, on two connections to one database. The second
// save waits for the first one's transaction, then reads what it wrote and is refused: a
// service date rolls on once, an entry never outlives its item.

#include "CoreSupport.h"

#include "core/alarms/AlarmStore.h"
#include "core/db/Database.h"
#include "core/db/PgBackend.h"
#include "core/db/SqliteBackend.h"
#include "core/items/ItemStore.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/records/RecordStore.h"
#include "core/views/ColumnSettings.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QTest>

#include <functional>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

// How long the first technician's save holds its locks before it commits.
constexpr int HoldMsec = 800;

// Another program's connection to the test's database, whose commit first says it is about to
// commit and then waits: everything its transaction locked stays locked meanwhile.
class SlowCommit final : public DbBackend
{
public:
    SlowCommit(std::unique_ptr<DbBackend> inner, QSemaphore &holding)
        : m_inner(std::move(inner))
        , m_holding(holding)
    {
    }

    std::unique_ptr<DbCursor> prepare(const QString &sql) override { return m_inner->prepare(sql); }
    void exec(const QString &sql) override { m_inner->exec(sql); }
    void begin(Access access) override { m_inner->begin(access); }
    void commit() override
    {
        m_holding.release();
        std::this_thread::sleep_for(std::chrono::milliseconds(HoldMsec));
        m_inner->commit();
    }
    void rollback() noexcept override { m_inner->rollback(); }
    QStringList columnNames(const QString &table) override { return m_inner->columnNames(table); }
    QString integrityProblems() override { return m_inner->integrityProblems(); }
    qint64 idCounter(const QString &table, const QString &column) override { return m_inner->idCounter(table, column); }
    void setIdCounter(const QString &table, const QString &column, qint64 value) override
    {
        m_inner->setIdCounter(table, column, value);
    }
    const SqlDialect &dialect() const override { return m_inner->dialect(); }
    QString displayName() const override { return m_inner->displayName(); }

private:
    std::unique_ptr<DbBackend> m_inner;
    QSemaphore &m_holding;
};

// A second connection to the world's database, slow to commit.
void openSlowly(Database &other, const TestWorld &world, QSemaphore &holding)
{
    std::unique_ptr<DbBackend> inner;
    if (TestWorld::onServer())
        inner = std::make_unique<PgBackend>(TestWorld::serverAddress());
    else
        inner = std::make_unique<SqliteBackend>(world.databasePath(), SqliteBackend::Mode::ReadWrite);
    other.adopt(std::make_unique<SlowCommit>(std::move(inner), holding), world.databasePath());
}

// One technician's save of the item, prepared from what their window read: true when stored.
using Save = std::function<bool(Database &)>;

// Reads, on the connection, what a window of that kind reads when it opens, and gives its save.
Save openWindow(const QString &kind, Database &db, qint64 itemId, const QString &who)
{
    if (kind == u"item editor") {
        ItemForm form = *loadItemForm(db, itemId);
        const RowStamp read = itemFormStamp(db, itemId);
        form[Column::Name] = who + QStringLiteral("'s pump");
        return [=](Database &on) { return saveItemForm(on, form, itemId, read, {}, {who + QStringLiteral(" saved")}).outcome == SaveOutcome::Saved; };
    }
    if (kind == u"service acknowledgement") {
        const RowStamp read = serviceAckStamp(db, itemId);
        return [=](Database &on) {
            return storeServiceAck(on, itemId, read, who, QDate(2026, 12, 6), {QStringLiteral("Serviced By ") + who}).stored();
        };
    }
    if (kind == u"order acknowledgement") {
        const RowStamp read = orderAckStamp(db, itemId);
        return [=](Database &on) { return storeOrderAck(on, itemId, read, QStringLiteral("PO-") + who, {QStringLiteral("Ordered by ") + who}).stored(); };
    }
    if (kind == u"in stock") {
        const RowStamp read = orderAckStamp(db, itemId);
        return [=](Database &on) { return storeInStock(on, itemId, read, {QStringLiteral("In stock, says ") + who}).stored(); };
    }
    if (kind == u"column settings") {
        ColumnSettings settings = ColumnSettings::read(db);
        settings.validate(0, ColumnSettings::SizeCell, who == u"Bea" ? QStringLiteral("2222") : QStringLiteral("3333"));
        return [=](Database &on) { return settings.write(on); };
    }
    if (kind == u"history entry")
        return [=](Database &on) { return addEntryToItem(on, HistoryTarget, itemId, who + QStringLiteral(" noted")) == SaveOutcome::Saved; };
    // The item's deletion, which an entry written at the same time must not outlive.
    return [=](Database &on) {
        deleteItem(on, itemId);
        return true;
    };
}

} // namespace

class TestRaces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initCoreTestEnvironment(); }

    void secondSaveWaitsThenIsRefused_data();
    void secondSaveWaitsThenIsRefused();
};

void TestRaces::secondSaveWaitsThenIsRefused_data()
{
    // Bea's save goes first and holds its locks; Al's, begun meanwhile on the program's own
    // connection, must wait for it and then see what it wrote.
    QTest::addColumn<QVariantMap>("item");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("secondStored");
    QTest::addColumn<QString>("after"); // the item, its history and column 0's width
    const QVariantMap serviceOnly = {{u"servicewarn"_s, 7}, {u"leadtime"_s, 0}};
    const QVariantMap orderOnly = {{u"servicewarn"_s, 0}, {u"leadtime"_s, 14}};
    const QVariantMap both = {{u"servicewarn"_s, 7}, {u"leadtime"_s, 14}};
    const auto row = [](const char *tag, const QVariantMap &item, const char *first, const char *second, bool stored, const char *after) {
        QTest::newRow(tag) << item << QString::fromLatin1(first) << QString::fromLatin1(second) << stored << QString::fromLatin1(after);
    };
    row("item editor", both, "item editor", "item editor", false, "Bea's pump 2026-12-01 00 | Bea saved | 2400");
    row("service acknowledgement", serviceOnly, "service acknowledgement", "service acknowledgement", false, "Pump 2027-03-01 00 | Serviced By Bea | 2400");
    row("order acknowledgement", orderOnly, "order acknowledgement", "order acknowledgement", false, "Pump 2027-03-01 00 | Ordered by Bea | 2400");
    row("in stock", orderOnly, "in stock", "in stock", false, "Pump 2027-03-01 00 | In stock, says Bea | 2400");
    // Each acknowledges its own half: the second goes ahead once the first is in, and the date
    // rolls on once, when both are.
    row("order, then service", both, "order acknowledgement", "service acknowledgement", true, "Pump 2027-03-01 00 | Ordered by Bea, Serviced By Al | 2400");
    row("column settings", both, "column settings", "column settings", false, "Pump 2026-12-01 00 |  | 2222");
    row("entry of a deleted item", both, "deletion", "history entry", false, " |  | 2400");
}

void TestRaces::secondSaveWaitsThenIsRefused()
{
    QFETCH(QVariantMap, item);
    QFETCH(QString, first);
    QFETCH(QString, second);
    TestWorld world;
    item.insert({{u"Name"_s, u"Pump"_s}, {u"servicedate"_s, u"2026-12-01"_s}, {u"serviceinterval"_s, 90}});
    const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")), item);
    QSemaphore holding;
    Database other;
    openSlowly(other, world, holding);
    // Both windows are open before either saves.
    const Save bea = openWindow(first, other, id, QStringLiteral("Bea"));
    const Save al = openWindow(second, db(), id, QStringLiteral("Al"));

    bool beaStored = false;
    std::thread beaSaves([&] { beaStored = bea(other); });
    holding.acquire(); // Bea's transaction has written and holds its locks
    QElapsedTimer waited;
    waited.start();
    const bool alStored = al(db());
    const qint64 elapsed = waited.elapsed();
    beaSaves.join();

    QVERIFY(beaStored);
    QTEST(alStored, "secondStored");
    QVERIFY2(elapsed >= HoldMsec / 2, qPrintable(QStringLiteral("Al waited %1 ms").arg(elapsed)));
    const QString itemNow = world.scalar(QStringLiteral("SELECT Name || ' ' || servicedate || ' ' || ackservice || ackorder FROM main")).toString();
    const QString history = world.joined(QStringLiteral("SELECT descr FROM History ORDER BY ") + TestWorld::insertionOrder(), QStringLiteral(", "));
    const QString width = world.scalar(QStringLiteral("SELECT size FROM Columns WHERE ID = 0")).toString();
    QTEST(itemNow + QStringLiteral(" | ") + history + QStringLiteral(" | ") + width, "after");
}

QTEST_GUILESS_MAIN(TestRaces)
#include "test_races.moc"
