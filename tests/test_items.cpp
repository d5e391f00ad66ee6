// The item editor's rules without its window: key filters, the history a new item asks for, and
// reading and writing items with their replacement parts. The stocked choice is driven through
// the window in test_items_editor.

#include "TestSupport.h"

#include "core/data/DatabaseADO.h"
#include "core/data/DbError.h"
#include "core/items/ItemRules.h"
#include "core/items/ItemStore.h"

#include <QTest>

using namespace Column;
using ItemBox::PartName;
using ItemBox::PartNumber;

namespace {

ItemForm nameAndCompany(qint64 companyId)
{
    ItemForm form;
    form[Name] = QStringLiteral("Pump");
    form.companyId = companyId;
    form.companyName = QStringLiteral("Acme");
    return form;
}

} // namespace

class TestItems : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }

    void keyFilter_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("accepted");
        const QString fifty(50, u'x');
        const QString full255(255, u'x');

        QTest::newRow("date: digit") << int(ServiceDate) << "12/31/203" << int('0') << true;
        QTest::newRow("date: slash") << int(DateServiced) << "12" << int('/') << true;
        QTest::newRow("date: letter") << int(DateInstalled) << "" << int('a') << false;
        QTest::newRow("date: eleventh character") << int(ServiceDate) << "12/31/2030" << int('1') << false;
        QTest::newRow("date: backspace when full") << int(ServiceDate) << "12/31/2030" << 8 << true;
        QTest::newRow("date: Enter types nothing") << int(ServiceDate) << "12/31/2030" << 13 << true;

        QTest::newRow("days: third digit") << int(ServiceWarn) << "99" << int('9') << true;
        QTest::newRow("days: fourth digit") << int(LeadTime) << "999" << int('1') << false;
        QTest::newRow("days: letter") << int(ServiceInterval) << "" << int('a') << false;
        QTest::newRow("days: DEL when full") << int(ServiceWarn) << "999" << 127 << true;

        QTest::newRow("text: fiftieth") << int(Name) << fifty.left(49) << int('x') << true;
        QTest::newRow("text: fifty-first") << int(Custom3) << fifty << int('x') << false;
        QTest::newRow("text: backspace when full") << int(Hazmat) << fifty << 8 << true;

        QTest::newRow("tools: past fifty") << int(Tools) << fifty << int('x') << true;
        QTest::newRow("tools: 255th") << int(Tools) << full255.left(254) << int('x') << true;
        QTest::newRow("locked: 256th") << int(Locked) << full255 << int('x') << false;
        // A line break is stored as CR LF: two characters toward the limit.
        QTest::newRow("tools: line break at 253") << int(Tools) << full255.left(253) << 13 << true;
        QTest::newRow("tools: line break at 254") << int(Tools) << full255.left(254) << 13 << false;
        QTest::newRow("tools: after breaks") << int(Tools) << full255.left(251) + "\n\n" << int('x') << false;

        QTest::newRow("part name: fifty-first") << int(PartName) << fifty << int('x') << false;
        QTest::newRow("part number: DEL when full") << int(PartNumber) << fifty << 127 << true;
    }
    void keyFilter()
    {
        QFETCH(int, box);
        QFETCH(QString, current);
        QFETCH(int, key);
        QFETCH(bool, accepted);
        QCOMPARE(acceptsKey(box, current, key), accepted);
    }

    void newItemHistoryOnlyForWhatWasTyped()
    {
        // Who serviced it, without a service date, asks for no service entry. The window's tests
        // drive the entries of a fully typed item.
        ItemForm form = nameAndCompany(1);
        form[DateInstalled] = QStringLiteral("1/2/2020");
        form[ServicedBy] = QStringLiteral("Bob");
        const QVector<HistoryRequest> requests = newItemHistory(form);
        QCOMPARE(requests.size(), 1);
        QCOMPARE(QStringList({QString::number(requests[0].kind), requests[0].text1, requests[0].text2}),
                 QStringList({"5", "Pump", "1/2/2020"}));
    }

    void everyFieldRoundTrips()
    {
        TestWorld world;
        const qint64 company = world.addCompany(QStringLiteral("Acme"));
        ItemForm form = nameAndCompany(company);
        const char *const texts[][2] = {
            {"1", "T-100"}, {"2", "Hall 3"}, {"3", "Gloves"}, {"4", "P-9"}, {"5", "S-77"},
            {"7", "12/31/2030"}, {"8", "7"}, {"9", "11/30/2026"}, {"10", "Bob"}, {"11", "wrench\nhammer"},
            {"12", "1/2/2020"}, {"13", "14"}, {"14", "365"}, {"15", "PO-7"}, {"18", "Binder 4"},
            {"19", "Press 2\nConveyor"}, {"20", "c1"}, {"21", "c2"}, {"22", "c3"}};
        for (const auto &[id, text] : texts)
            form[QByteArray(id).toInt()] = QString::fromUtf8(text);
        form.stocked = 1;
        const qint64 id = saveItemForm(db(), form, std::nullopt, {}, {}).id;

        // Dates are stored in ISO form, line breaks as CR LF, day counts as numbers.
        QCOMPARE(world.scalar(QStringLiteral("SELECT servicedate || '|' || DateServiced || '|' || dateinstalled || '|' ||"
                                             " tools || '|' || Locked || '|' || typeof(servicewarn) FROM main WHERE ID = ?"),
                              {id}).toString(),
                 QStringLiteral("2030-12-31|2026-11-30|2020-01-02|wrench\r\nhammer|Press 2\r\nConveyor|integer"));

        const std::optional<ItemForm> loaded = loadItemForm(db(), id);
        QVERIFY(loaded);
        for (int box = 0; box < ItemBox::Count; ++box)
            QCOMPARE(loaded->text[std::size_t(box)], form.text[std::size_t(box)]);
        QCOMPARE(loaded->companyId, company);
        QCOMPARE(loaded->companyName, QStringLiteral("Acme"));
        QCOMPARE(loaded->stocked, 1);
    }

    void rowPartsAndHistoryAreOneTransaction()
    {
        TestWorld world;
        const qint64 company = world.addCompany(QStringLiteral("Acme"));
        const QStringList history = {QStringLiteral("A new Pump was added on ")};
        QCOMPARE(saveItemForm(db(), nameAndCompany(company), std::nullopt, {}, {}, history).id, 1);
        QCOMPARE(world.scalar(QStringLiteral("SELECT descr FROM History WHERE ID = 1")).toString(), history.first());

        for (const char *table : {"repparts", "History"}) {
            db().exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE INSERT ON %1"
                                     " BEGIN SELECT RAISE(ABORT, 'refused'); END").arg(QLatin1String(table)));
            QVERIFY_THROWS_EXCEPTION(DbError, saveItemForm(db(), nameAndCompany(company), std::nullopt, {},
                                                           {{QStringLiteral("Belt"), QString()}}, history));
            QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM main")).toInt(), 1);
            db().exec(QStringLiteral("DROP TRIGGER refuse"));
        }
    }
};

QTEST_MAIN(TestItems)
#include "test_items.moc"
