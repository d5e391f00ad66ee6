// The item list: cell texts, sorting, lookups and the column layout.

#include "TestSupport.h"

#include "core/companies/Company.h"
#include "core/data/ColumnLayout.h"
#include "core/data/DatabaseADO.h"
#include "core/data/FieldTable.h"
#include "core/data/GlobalVars.h"
#include "core/data/ValueOrder.h"
#include "core/items/RepParts.h"
#include "core/shell/ItemListModel.h"

#include <QLocale>
#include <QTest>

using Ids = QVector<qint64>;

class TestItemList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }

    void fieldNumberings();
    void cellTexts();
    void repPartsText();
    void allItemsNeedACompany();
    void sortOrders_data();
    void sortOrders();
    void textSortsIgnoreCaseInEveryLocale_data();
    void textSortsIgnoreCaseInEveryLocale();
    void lookups_data();
    void lookups();
    void lookupsFoldEveryLetter();
    void emptyListSaysNothing();
    void idsBeyond32Bits();
    void columnLayoutReadDefensively();
    void columnWidthsRoundTrip();

private:
    // A small plant for the sort and lookup tables.
    void makePlant(TestWorld &world);
    Ids loadIds(int sortField, int sortOrder, const QString &value, int lookupField, ItemListLoad *result = nullptr);
};

namespace {
QVariantMap fields(std::initializer_list<std::pair<const char *, QVariant>> list)
{
    QVariantMap map;
    for (const auto &[name, value] : list)
        map.insert(QString::fromLatin1(name), value);
    return map;
}
} // namespace

void TestItemList::fieldNumberings()
{
    QCOMPARE(FieldName(Field::Name), QStringLiteral("Name"));
    QCOMPARE(FieldName(Field::ServiceDate), QStringLiteral("ServiceDate"));
    QCOMPARE(FieldName(Field::ID), QStringLiteral("ID"));
    QCOMPARE(FieldName(Field::RepParts), QString());
    QCOMPARE(FieldName(-1), QString());
    QCOMPARE(FieldName(24), QString());

    // Sort dialog positions skip the parts; lookup positions skip the parts and the stock.
    QCOMPARE(*FieldTable::fieldAtSortPosition(5), Field::Serial);
    QCOMPARE(*FieldTable::fieldAtSortPosition(6), Field::ServiceDate);
    QCOMPARE(*FieldTable::fieldAtSortPosition(22), Field::ID);
    QCOMPARE(*FieldTable::fieldAtLookupPosition(15), Field::Company);
    QCOMPARE(*FieldTable::fieldAtLookupPosition(16), Field::RefManuals);
    QCOMPARE(*FieldTable::fieldAtLookupPosition(21), Field::ID);
    QVERIFY(!FieldTable::fieldAtLookupPosition(22));
    QVERIFY(!FieldTable::lookupPositionOf(Field::ReplaceStock));
    for (int position = 0; position < FieldTable::LookupPositions; ++position)
        QCOMPARE(*FieldTable::lookupPositionOf(*FieldTable::fieldAtLookupPosition(position)), position);
    for (int position = 0; position < FieldTable::SortPositions; ++position)
        QCOMPARE(*FieldTable::sortPositionOf(*FieldTable::fieldAtSortPosition(position)), position);
}

void TestItemList::cellTexts()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    const qint64 bare = world.addItem(company, fields({{"Name", QStringLiteral("Bare")}}));
    const qint64 full = world.addItem(company, fields({
        {"Name", QStringLiteral("Full")}, {"Tag", QStringLiteral("T-1")}, {"location", QStringLiteral("Roof")},
        {"hazmat", QStringLiteral("Gloves")}, {"part", QStringLiteral("P1")}, {"serial", QStringLiteral("S1")},
        {"servicedate", QStringLiteral("2026-12-31")}, {"servicewarn", 7}, {"DateServiced", QStringLiteral("2026-01-05")},
        {"servicedby", QStringLiteral("Jo")}, {"tools", QStringLiteral("Wrench\r\nMeter")},
        {"dateinstalled", QStringLiteral("2020-02-29")}, {"leadtime", 14}, {"serviceinterval", 90},
        {"purchaseorder", QStringLiteral("PO-1")}, {"replacestock", 1}, {"refmanuals", QStringLiteral("Shelf B")},
        {"Locked", QStringLiteral("Panel 3")}, {"custom1", QStringLiteral("c1")}, {"custom2", QStringLiteral("c2")},
        {"custom3", QStringLiteral("c3")}, {"ackservice", 1}, {"ackorder", 0}}));
    const qint64 stockNo = world.addItem(company, fields({{"Name", QStringLiteral("No stock")}, {"replacestock", 0}, {"ackorder", 1}}));
    const qint64 stockOdd = world.addItem(company, fields({{"Name", QStringLiteral("Odd stock")}, {"replacestock", 5}}));
    world.addPart(full, QStringLiteral("filter"), QVariant());
    world.addPart(full, QStringLiteral("Belt"), QStringLiteral("1234"));

    ItemListModel model;
    QCOMPARE(model.load(db(), Field::ID, 0, QString(), 0).outcome, ItemListLoad::Outcome::Rows);
    QCOMPARE(Ids({model.itemIdAt(1), model.itemIdAt(2), model.itemIdAt(3), model.itemIdAt(4)}),
             Ids({bare, full, stockNo, stockOdd}));
    QCOMPARE(model.companyIdAt(2), company);
    QCOMPARE(model.itemIdAt(5), 0);

    const QStringList expectedFull = {
        "Full", "T-1", "Roof", "Gloves", "P1", "S1", "Belt / 1234\nfilter / \n", "12/31/2026", "7", "1/5/2026", "Jo",
        "Wrench\nMeter", "2/29/2020", "14", "90", "PO-1", "Acme", "YES", "Shelf B", "Panel 3", "c1", "c2", "c3", "YES", "NO"};
    for (int id = 0; id < 25; ++id)
        QCOMPARE(model.cellText(2, id), expectedFull.at(id));

    // Null dates and texts are empty; the three day counts at 0 are empty, not "0".
    for (int id : {3, 6, 7, 8, 9, 12, 13, 14, 17})
        QCOMPARE(model.cellText(1, id), QString());
    QCOMPARE(model.cellText(1, 23), QStringLiteral("NO"));
    QCOMPARE(model.cellText(3, 17), QStringLiteral("NO"));
    QCOMPARE(model.cellText(3, 24), QStringLiteral("YES"));
    QCOMPARE(model.cellText(4, 17), QString());

    // Column 0 shows the item ID; the shown columns follow the layout.
    model.setLayout(ColumnLayout::read(db()));
    QCOMPARE(model.data(model.index(1, 0)).toString(), QString::number(full));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("ID"));
    const int serviceDateColumn = model.columnLayout().colLoc[Column::ServiceDate];
    QVERIFY(serviceDateColumn > 0);
    QCOMPARE(model.data(model.index(1, serviceDateColumn)).toString(), QStringLiteral("12/31/2026"));
    QCOMPARE(model.data(model.index(1, serviceDateColumn), Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignTop));
}

void TestItemList::repPartsText()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    const qint64 none = world.addItem(company, fields({{"Name", QStringLiteral("None")}}));
    const qint64 one = world.addItem(company, fields({{"Name", QStringLiteral("One")}}));
    const qint64 many = world.addItem(company, fields({{"Name", QStringLiteral("Many")}}));
    world.addPart(one, QStringLiteral("Belt"), QVariant());
    world.addPart(many, QStringLiteral("gasket"), QStringLiteral("G-2"));
    world.addPart(many, QStringLiteral("Filter"), QStringLiteral("F-1"));
    world.addPart(many, QStringLiteral("Filter"), QStringLiteral("F-9"));
    world.addPart(many, QStringLiteral("Ölfilter"), QStringLiteral("Ö-1"));

    QCOMPARE(RepPartsText(db(), none, QStringLiteral("\r\n")), QString());
    QCOMPARE(RepPartsText(db(), one, QStringLiteral("<br>")), QStringLiteral("Belt / <br>"));
    // By name in the locale without regard to case; two parts of one name both kept.
    QCOMPARE(RepPartsText(db(), many, QStringLiteral("\r\n")),
             QStringLiteral("Filter / F-1\r\nFilter / F-9\r\ngasket / G-2\r\nÖlfilter / Ö-1\r\n"));
    // The single scan of the list gives the same texts, in ID order.
    Ids ids;
    QStringList texts;
    forEachRepPartsText(db(), QStringLiteral("\r\n"), [&](qint64 id, QString &&text) {
        ids << id;
        texts << text;
    });
    QCOMPARE(ids, Ids({one, many}));
    QCOMPARE(texts.last(), RepPartsText(db(), many, QStringLiteral("\r\n")));
    QCOMPARE(texts.first(), RepPartsText(db(), one, QStringLiteral("\r\n")));
}

void TestItemList::allItemsNeedACompany()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    const qint64 listed = world.addItem(company, fields({{"Name", QStringLiteral("Listed")}}));
    world.addItem(company + 50, fields({{"Name", QStringLiteral("Orphan")}}));
    QCOMPARE(loadIds(0, 0, QString(), 0), Ids({listed}));
}

void TestItemList::makePlant(TestWorld &world)
{
    const qint64 acme = world.addCompany(QStringLiteral("acme"));
    const qint64 zeta = world.addCompany(QStringLiteral("Zeta Supply"));
    // IDs 1..7
    world.addItem(zeta, fields({{"Name", QStringLiteral("pump")}, {"servicedate", QStringLiteral("2027-03-01")},
                                {"servicewarn", 10}, {"tools", QStringLiteral("Torque wrench\r\nMeter")},
                                {"DateServiced", QStringLiteral("2026-03-01")}, {"leadtime", 30},
                                {"serviceinterval", 365}, {"replacestock", 1}}));
    world.addItem(acme, fields({{"Name", QStringLiteral("Boiler")}, {"servicedate", QStringLiteral("2026-12-31")},
                                {"servicewarn", 7}, {"tools", QStringLiteral("Brush")},
                                {"dateinstalled", QStringLiteral("2019-05-04")}, {"leadtime", 9},
                                {"serviceinterval", 90}, {"replacestock", 0}}));
    world.addItem(acme, fields({{"Name", QStringLiteral("PUSHER")}, {"servicedate", QVariant()}, {"servicewarn", 0},
                                {"DateServiced", QStringLiteral("2025-11-30")}, {"leadtime", 100}}));
    world.addItem(zeta, fields({{"Name", QStringLiteral("Say \"hi\" 50% a_b")}, {"servicedate", QStringLiteral("2027-01-15")},
                                {"servicewarn", 7}, {"dateinstalled", QStringLiteral("2021-01-01")},
                                {"serviceinterval", 30}, {"replacestock", 1}}));
    world.addItem(acme, fields({{"Name", QStringLiteral("Name")}, {"servicedate", QStringLiteral("2026-12-31")},
                                {"servicewarn", 100}, {"dateinstalled", QStringLiteral("2019-05-04")}}));
    world.addItem(acme, fields({{"Name", QStringLiteral("axb")}, {"servicedate", QStringLiteral("2027-06-30")}}));
    world.addItem(acme, fields({{"Name", QVariant()}, {"servicedate", QStringLiteral("2026-12-07")}}));
}

Ids TestItemList::loadIds(int sortField, int sortOrder, const QString &value, int lookupField, ItemListLoad *result)
{
    ItemListModel model;
    const ItemListLoad load = model.load(db(), sortField, sortOrder, value, lookupField);
    if (result)
        *result = load;
    Ids ids;
    for (int row = 1; row <= model.itemCount(); ++row)
        ids << model.itemIdAt(row);
    return ids;
}

void TestItemList::sortOrders_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("order");
    QTest::addColumn<Ids>("ids");
    // Text in the locale without regard to case, Null first.
    QTest::newRow("name ascending") << 0 << 0 << Ids{7, 6, 2, 5, 1, 3, 4};
    QTest::newRow("name descending") << 0 << 1 << Ids{4, 3, 1, 5, 2, 6, 7};
    // Dates by day, Null first; ties keep the order they were read in.
    QTest::newRow("service date ascending") << 7 << 0 << Ids{3, 7, 2, 5, 4, 1, 6};
    QTest::newRow("service date descending") << 7 << -1 << Ids{6, 1, 4, 2, 5, 7, 3};
    // Numbers by value, not as text ("100" after "7").
    QTest::newRow("service warning") << 8 << 0 << Ids{3, 6, 7, 2, 4, 1, 5};
    QTest::newRow("company then read order") << 16 << 0 << Ids{2, 3, 5, 6, 7, 1, 4};
    QTest::newRow("date serviced") << 9 << 0 << Ids{2, 4, 5, 6, 7, 3, 1};
    QTest::newRow("date installed descending") << 12 << 1 << Ids{4, 2, 5, 1, 3, 6, 7};
    QTest::newRow("lead time") << 13 << 0 << Ids{4, 5, 6, 7, 2, 1, 3};
    QTest::newRow("service interval descending") << 14 << 1 << Ids{1, 2, 4, 3, 5, 6, 7};
    QTest::newRow("replacement stock") << 17 << 0 << Ids{3, 5, 6, 7, 2, 1, 4};
    QTest::newRow("id descending") << 23 << 1 << Ids{7, 6, 5, 4, 3, 2, 1};
    QTest::newRow("parts keep read order") << 6 << 0 << Ids{1, 2, 3, 4, 5, 6, 7};
}

void TestItemList::sortOrders()
{
    QFETCH(int, field);
    QFETCH(int, order);
    QFETCH(Ids, ids);
    TestWorld world;
    makePlant(world);
    QCOMPARE(loadIds(field, order, QString(), 0), ids);
}

void TestItemList::textSortsIgnoreCaseInEveryLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("C") << QLocale::c();
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany);
}

void TestItemList::textSortsIgnoreCaseInEveryLocale()
{
    QFETCH(QLocale, locale);
    TestWorld world;
    QStringList names;
    for (const char *name : {"zeta", "Öl", "Alpha", "beta", "Oven"}) {
        names << QString::fromUtf8(name);
        world.addItem(world.addCompany(names.last()), fields({{"Name", names.last()}}));
    }
    QLocale::setDefault(locale);
    ValueOrder::localeChanged();
    // The list and the company directory sort alike, small and capital letters together.
    const Ids listed = loadIds(Field::Name, Ascending, QString(), 0);
    QStringList companies;
    for (const CompanyRecord &company : loadCompanies(db()))
        companies << company.fields[CompanyBox::Name];
    initTestEnvironment();
    QCOMPARE(listed, Ids({3, 4, 2, 5, 1}));
    QCOMPARE(companies, QStringList({names[2], names[3], names[1], names[4], names[0]}));
}

void TestItemList::lookups_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<Ids>("ids");
    QTest::addColumn<QString>("message");
    const QString notFound = QStringLiteral("Lookup query not found");
    const QString badDate = QStringLiteral("The date specified has incorrect form");
    QTest::newRow("name equals, any case") << 0 << "PUMP" << Ids{1} << "";
    QTest::newRow("name begins with") << 0 << "pu*" << Ids{1, 3} << "";
    QTest::newRow("text after the star dropped") << 0 << "pu*mp" << Ids{1, 3} << "";
    QTest::newRow("quotes and percent bound") << 0 << "Say \"hi\" 50% a_b" << Ids{4} << "";
    QTest::newRow("percent is no wildcard") << 0 << "Say \"hi\" 5%*" << Ids{} << notFound;
    QTest::newRow("underscore is no wildcard") << 0 << "a_*" << Ids{} << notFound;
    QTest::newRow("field name as value") << 0 << "Name" << Ids{5} << "";
    QTest::newRow("sql as value") << 0 << "x\" OR 1=1 OR \"" << Ids{} << notFound;
    QTest::newRow("leading star searches anywhere") << 11 << "*wrench" << Ids{1} << "";
    QTest::newRow("company") << 16 << "ACME" << Ids{2, 3, 5, 6, 7} << "";
    QTest::newRow("service date") << 7 << "12/31/2026" << Ids{2, 5} << "";
    QTest::newRow("service date short year") << 7 << "12/31/26" << Ids{2, 5} << "";
    QTest::newRow("date serviced") << 9 << "11/30/2025" << Ids{3} << "";
    QTest::newRow("date installed") << 12 << "5/4/2019" << Ids{2, 5} << "";
    QTest::newRow("no such day") << 7 << "2/30/2027" << Ids{} << badDate;
    QTest::newRow("star in date is no date") << 7 << "12/*" << Ids{} << badDate;
    QTest::newRow("number") << 8 << "7" << Ids{2, 4} << "";
    QTest::newRow("lead time") << 13 << "100" << Ids{3} << "";
    QTest::newRow("service interval") << 14 << "030" << Ids{4} << "";
    QTest::newRow("star in number") << 8 << "7*" << Ids{} << "Cannot specify wildcards in aServiceWarn lookup query";
    QTest::newRow("no number") << 8 << "seven" << Ids{} << notFound;
    QTest::newRow("id") << 23 << "5" << Ids{5} << "";
    QTest::newRow("nothing found") << 0 << "Crane" << Ids{} << notFound;
}

void TestItemList::lookups()
{
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(Ids, ids);
    QFETCH(QString, message);
    TestWorld world;
    makePlant(world);
    ItemListLoad result;
    QCOMPARE(loadIds(23, 0, value, field, &result), ids);
    QCOMPARE(result.message, message);
    QCOMPARE(result.outcome == ItemListLoad::Outcome::Rows, !ids.isEmpty());
    QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM main")).toInt(), 7); // the value never ran as SQL
}

void TestItemList::lookupsFoldEveryLetter()
{
    TestWorld world;
    const qint64 acme = world.addCompany(QStringLiteral("Acme"));
    const qint64 mueller = world.addItem(acme, fields({{"Name", QStringLiteral("Müller Pumpe")}}));
    const qint64 oel = world.addItem(acme, fields({{"Name", QStringLiteral("Ölpumpe")}}));
    world.addItem(acme, fields({{"Name", QStringLiteral("Olpumpe")}}));
    QCOMPARE(loadIds(Field::ID, Ascending, QStringLiteral("MÜLLER PUMPE"), Field::Name), Ids({mueller}));
    QCOMPARE(loadIds(Field::ID, Ascending, QStringLiteral("öl*"), Field::Name), Ids({oel}));
    QCOMPARE(loadIds(Field::ID, Ascending, QStringLiteral("*PUMPE"), Field::Name), Ids({mueller, oel, 3}));
}

void TestItemList::emptyListSaysNothing()
{
    TestWorld world;
    ItemListLoad result;
    QCOMPARE(loadIds(7, 0, QString(), 0, &result), Ids{});
    QCOMPARE(result.outcome, ItemListLoad::Outcome::NoRows);
    QCOMPARE(result.message, QString());
}

void TestItemList::idsBeyond32Bits()
{
    // IDs are SQLite's 64-bit integers: 4294967297 and 1 are two items, and the parts of
    // more than 64 items are merged in one scan without mixing them up.
    TestWorld world;
    const qint64 acme = world.addCompany(QStringLiteral("Acme"));
    const qint64 small = world.addItem(acme, fields({{"Name", QStringLiteral("Small")}}));
    for (int i = 0; i < 70; ++i)
        world.addPart(world.addItem(acme, fields({{"Name", QStringLiteral("Filler %1").arg(i)}})),
                      QStringLiteral("Part %1").arg(i), QString());
    Execute(db(), QStringLiteral("UPDATE sqlite_sequence SET seq = 4294967296 WHERE name = 'main'"));
    const qint64 big = world.addItem(acme, fields({{"Name", QStringLiteral("Big")}}));
    QCOMPARE(big, Q_INT64_C(4294967297));
    world.addPart(big, QStringLiteral("Big belt"), QStringLiteral("B-1"));
    world.addPart(small, QStringLiteral("Small belt"), QStringLiteral("S-1"));

    ItemListModel model;
    model.load(db(), Field::ID, Descending, QString(), 0);
    QCOMPARE(model.itemCount(), 72);
    QCOMPARE(model.itemIdAt(1), big);
    QCOMPARE(model.cellText(1, Column::RepParts), QStringLiteral("Big belt / B-1\n"));
    QCOMPARE(model.itemIdAt(72), small);
    QCOMPARE(model.cellText(72, Column::RepParts), QStringLiteral("Small belt / S-1\n"));
    QCOMPARE(model.cellText(2, Column::RepParts), QStringLiteral("Part 69 / \n"));
    QCOMPARE(loadIds(Field::Name, Ascending, QStringLiteral("4294967297"), Field::ID), Ids({big}));
}

void TestItemList::columnLayoutReadDefensively()
{
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 0"));
    ColumnLayout hidden = ColumnLayout::read(db());
    QVERIFY(hidden.shown.isEmpty());
    QCOMPARE(hidden.colLoc, QVector<int>(Column::Count, 0));

    // Gaps, a tie and a Null width; a row with an id outside 0..24.
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 7 WHERE ID = 16"));
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 3, size = NULL WHERE ID = 2"));
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 3 WHERE ID = 0"));
    Execute(db(), QStringLiteral("UPDATE Columns SET size = 4000000000 WHERE ID = 16"));
    Execute(db(), QStringLiteral("UPDATE Columns SET size = -5 WHERE ID = 0"));
    Execute(db(), QStringLiteral("INSERT INTO Columns (ID, name, size, ColLocation) VALUES (30, 'Bogus', 900, 1)"));
    const ColumnLayout layout = ColumnLayout::read(db());
    QCOMPARE(layout.shown.size(), 3);
    QCOMPARE(layout.shown.at(0).id, Column::Name);
    QCOMPARE(layout.shown.at(0).widthTwips, 0);
    QCOMPARE(layout.shown.at(1).id, Column::Location);
    QCOMPARE(layout.shown.at(1).widthTwips, 1500);
    QCOMPARE(layout.shown.at(2).id, Column::Company);
    QCOMPARE(layout.shown.at(2).widthTwips, 99999);
    QCOMPARE(layout.colLoc[Column::Company], 3);
    QVERIFY(layout.isShown(Column::Company));
    QVERIFY(!layout.isShown(Column::ServiceDate));
    QCOMPARE(layout.columnIdAt(2), int(Column::Location));
    QCOMPARE(layout.columnIdAt(4), -1);
}

void TestItemList::columnWidthsRoundTrip()
{
    TestWorld world;
    Execute(db(), QStringLiteral("UPDATE Columns SET size = 1000 WHERE ID = 1")); // not a whole number of pixels
    const ColumnLayout layout = ColumnLayout::read(db());
    QVector<int> widths(layout.shown.size() + 1, 0);
    for (int k = 0; k < layout.shown.size(); ++k)
        widths[k + 1] = layout.shown.at(k).widthTwips / 15 + (layout.shown.at(k).widthTwips % 15 >= 8 ? 1 : 0);
    widths[layout.colLoc[0]] = 250; // the user dragged Name wider
    saveColumnWidths(db(), layout, widths);
    QCOMPARE(world.scalar(QStringLiteral("SELECT size FROM Columns WHERE ID = 0")).toInt(), 3750);
    QCOMPARE(world.scalar(QStringLiteral("SELECT size FROM Columns WHERE ID = 1")).toInt(), 1000);
    QCOMPARE(ColumnLayout::read(db()).shown.at(0).widthTwips, 3750);
    // Hidden columns keep their widths.
    QCOMPARE(world.scalar(QStringLiteral("SELECT size FROM Columns WHERE ID = 3")).toInt(), 1800);
}

QTEST_GUILESS_MAIN(TestItemList)
#include "test_itemlist.moc"
