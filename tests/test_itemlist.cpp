// The item list: cell texts, sorting, lookups and the column layout.

#include "CoreSupport.h"

#include "core/companies/Company.h"
#include "core/companies/CompanyStore.h"
#include "core/db/Database.h"
#include "core/db/FieldTable.h"
#include "core/itemlist/ItemListModel.h"
#include "core/itemlist/ListChange.h"
#include "core/items/ItemStore.h"
#include "core/platform/Twips.h"
#include "core/platform/ValueOrder.h"
#include "core/settings/ColumnLayout.h"

#include <QAbstractItemModelTester>
#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

using Ids = QVector<qint64>;

namespace {

Ids loadIds(int sortField, int sortOrder, const QString &value, int lookupField, ItemListLoad *result = nullptr)
{
    ItemListModel model;
    const ItemListLoad load = model.load(db(), sortField, SortOrders(sortOrder), value, lookupField);
    if (result)
        *result = load;
    Ids ids;
    for (int row = 1; row <= model.itemCount(); ++row)
        ids << model.itemIdAt(row);
    return ids;
}

// A small plant for the sort and lookup tables: items 1..7.
void makePlant(TestWorld &world)
{
    const qint64 acme = world.addCompany(QStringLiteral("acme"));
    const qint64 zeta = world.addCompany(QStringLiteral("Zeta Supply"));
    world.addItem(zeta, {{"Name", "pump"}, {"servicedate", "2027-03-01"}, {"servicewarn", 10}, {"tools", "Torque wrench\r\nMeter"}});
    world.addItem(acme, {{"Name", "Boiler"}, {"servicedate", "2026-12-31"}, {"servicewarn", 7}, {"tools", "Brush"}});
    world.addItem(acme, {{"Name", "PUSHER"}}); // no service date
    world.addItem(zeta, {{"Name", "Say \"hi\" 50% a_b"}, {"servicedate", "2027-01-15"}, {"servicewarn", 7}});
    world.addItem(acme, {{"Name", "Name"}, {"servicedate", "2026-12-31"}, {"servicewarn", 100}});
    world.addItem(acme, {{"Name", "axb"}, {"servicedate", "2027-06-30"}});
    world.addItem(acme, {{"Name", QVariant()}, {"servicedate", "2026-12-07"}});
}

} // namespace

class TestItemList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initCoreTestEnvironment(); }

    void cellTexts()
    {
        TestWorld world;
        ItemListLoad result;
        QCOMPARE(loadIds(Field::ServiceDate, 0, QString(), 0, &result), Ids());
        QCOMPARE(result.outcome, ItemListLoad::Outcome::NoRows);
        QCOMPARE(result.message, QString()); // an empty list says nothing
        const qint64 company = world.addCompany(QStringLiteral("Acme"));
        world.addItem(company + 50, {{"Name", "Orphan"}}); // without its company: not listed
        world.addItem(company, {{"Name", "Bare"}});
        const qint64 full = world.addItem(company, {{"Name", "Full"}, {"Tag", "T-1"}, {"location", "Roof"}, {"hazmat", "Gloves"}, {"part", "P1"}, {"serial", "S1"}, {"servicedate", "2026-12-31"}, {"servicewarn", 7}, {"DateServiced", "2026-01-05"}, {"servicedby", "Jo"}, {"tools", "Wrench\r\nMeter"}, {"dateinstalled", "2020-02-29"}, {"leadtime", 14}, {"serviceinterval", 90}, {"purchaseorder", "PO-1"}, {"replacestock", 1}, {"refmanuals", "Shelf B"}, {"Locked", "Panel 3"}, {"custom1", "c1"}, {"custom2", "c2"}, {"custom3", "c3"}, {"ackservice", 1}});
        world.addItem(company, {{"Name", "No stock"}, {"replacestock", 0}, {"ackorder", 1}});
        world.addItem(company, {{"Name", "Odd stock"}, {"replacestock", 5}});
        world.addPart(full, QStringLiteral("filter"), QVariant());
        world.addPart(full, QStringLiteral("Belt"), QStringLiteral("1234"));

        ItemListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.load(db(), Field::ID, Ascending, QString(), 0).outcome, ItemListLoad::Outcome::Rows);
        QCOMPARE(QList<qint64>({model.itemCount(), model.itemIdAt(2), model.companyIdAt(2), model.itemIdAt(5)}), QList<qint64>({4, full, company, 0}));
        QStringList cells;
        for (int id = 0; id < Column::Count; ++id)
            cells << model.cellText(2, id);
        QCOMPARE(cells, QStringList({u"Full"_s, u"T-1"_s, u"Roof"_s, u"Gloves"_s, u"P1"_s, u"S1"_s, u"Belt / 1234\nfilter / \n"_s, u"12/31/2026"_s, u"7"_s, u"1/5/2026"_s, u"Jo"_s, u"Wrench\nMeter"_s, u"2/29/2020"_s, u"14"_s, u"90"_s, u"PO-1"_s, u"Acme"_s, u"YES"_s, u"Shelf B"_s, u"Panel 3"_s, u"c1"_s, u"c2"_s, u"c3"_s, u"YES"_s, u"NO"_s}));
        // Null dates and texts are empty; the three day counts at 0 are empty, not "0".
        for (int id : {3, 6, 7, 8, 9, 12, 13, 14, 17})
            QCOMPARE(model.cellText(1, id), QString());
        QCOMPARE(QStringList({model.cellText(1, 23), model.cellText(3, 17), model.cellText(3, 24), model.cellText(4, 17)}),
                 QStringList({u"NO"_s, u"NO"_s, u"YES"_s, QString()}));
        // Selecting and sorting anew keep the model consistent for its views.
        model.setRowSelected(2, true);
        QVERIFY(model.resort(QString(), 0, Field::Name, Descending) && !model.isRowSelected(2));
        QCOMPARE(model.itemIdAt(3), full);
    }

    void repPartsText()
    {
        TestWorld world;
        const qint64 company = world.addCompany(QStringLiteral("Acme"));
        const qint64 none = world.addItem(company, {{"Name", "None"}});
        const qint64 one = world.addItem(company, {{"Name", "One"}});
        const qint64 many = world.addItem(company, {{"Name", "Many"}});
        world.addPart(one, QStringLiteral("Belt"), QVariant());
        world.addPart(many, QStringLiteral("gasket"), QStringLiteral("G-2"));
        world.addPart(many, QStringLiteral("Filter"), QStringLiteral("F-1"));
        world.addPart(many, QStringLiteral("Filter"), QStringLiteral("F-9"));
        world.addPart(many, QStringLiteral("Ölfilter"), QStringLiteral("Ö-1"));

        QCOMPARE(replacementPartsText(db(), none, QStringLiteral("\r\n")), QString());
        QCOMPARE(replacementPartsText(db(), one, QStringLiteral("<br>")), u"Belt / <br>"_s);
        // By name in the locale without regard to case; two parts of one name both kept.
        const QString manyText = QStringLiteral("Filter / F-1\r\nFilter / F-9\r\ngasket / G-2\r\nÖlfilter / Ö-1\r\n");
        QCOMPARE(replacementPartsText(db(), many, QStringLiteral("\r\n")), manyText);
        // The single scan of the list gives the same texts, in ID order.
        QStringList scanned;
        forEachRepPartsText(db(), QStringLiteral("\r\n"), [&](qint64 id, QString &&text) {
            scanned << QString::number(id) + u':' + text;
        });
        QCOMPARE(scanned, QStringList({QStringLiteral("%1:Belt / \r\n").arg(one), QStringLiteral("%1:").arg(many) + manyText}));
    }

    void sortOrders_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("order");
        QTest::addColumn<Ids>("ids");
        // Text in the locale without regard to case, Null first.
        QTest::newRow("name ascending") << 0 << 0 << Ids {7, 6, 2, 5, 1, 3, 4};
        QTest::newRow("name descending") << 0 << 1 << Ids {4, 3, 1, 5, 2, 6, 7};
        // Dates by day, Null first; ties keep the order they were read in.
        QTest::newRow("service date ascending") << 7 << 0 << Ids {3, 7, 2, 5, 4, 1, 6};
        QTest::newRow("service date descending") << 7 << -1 << Ids {6, 1, 4, 2, 5, 7, 3};
        // Numbers by value, not as text ("100" after "7").
        QTest::newRow("service warning") << 8 << 0 << Ids {3, 6, 7, 2, 4, 1, 5};
        QTest::newRow("company then read order") << 16 << 0 << Ids {2, 3, 5, 6, 7, 1, 4};
        QTest::newRow("id descending") << 23 << 1 << Ids {7, 6, 5, 4, 3, 2, 1};
        QTest::newRow("parts keep read order") << 6 << 0 << Ids {1, 2, 3, 4, 5, 6, 7};
    }
    void sortOrders()
    {
        QFETCH(int, field);
        QFETCH(int, order);
        TestWorld world;
        makePlant(world);
        QTEST(loadIds(field, order, QString(), 0), "ids");
    }

    void textSortsIgnoreCaseInEveryLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany);
    }
    void textSortsIgnoreCaseInEveryLocale()
    {
        QFETCH(QLocale, locale);
        TestWorld world;
        const QStringList names = {u"zeta"_s, u"Öl"_s, u"Alpha"_s, u"beta"_s, u"Oven"_s};
        for (const QString &name : names)
            world.addItem(world.addCompany(name), {{"Name", name}});
        QLocale::setDefault(locale);
        ValueOrder::localeChanged();
        // The list and the company directory sort alike, small and capital letters together.
        const Ids listed = loadIds(Field::Name, Ascending, QString(), 0);
        QStringList companies;
        for (const CompanyRecord &company : loadCompanies(db()))
            companies << company.fields[CompanyBox::Name];
        initCoreTestEnvironment();
        QCOMPARE(listed, Ids({3, 4, 2, 5, 1}));
        QCOMPARE(companies, QStringList({names[2], names[3], names[1], names[4], names[0]}));
    }

    void lookups_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<Ids>("ids");
        QTest::addColumn<QString>("message");
        const QString notFound = QStringLiteral("Lookup query not found");
        const QString badDate = QStringLiteral("The date specified has incorrect form");
        QTest::newRow("name equals, any case") << 0 << "PUMP" << Ids {1} << "";
        QTest::newRow("name begins with") << 0 << "pu*" << Ids {1, 3} << "";
        QTest::newRow("text after the star dropped") << 0 << "pu*mp" << Ids {1, 3} << "";
        QTest::newRow("quotes and percent bound") << 0 << "Say \"hi\" 50% a_b" << Ids {4} << "";
        QTest::newRow("percent is no wildcard") << 0 << "Say \"hi\" 5%*" << Ids {} << notFound;
        QTest::newRow("underscore is no wildcard") << 0 << "a_*" << Ids {} << notFound;
        QTest::newRow("percent anywhere is no wildcard") << 0 << "*\" 5%" << Ids {} << notFound;
        QTest::newRow("underscore anywhere is no wildcard") << 0 << "*a_b" << Ids {4} << "";
        QTest::newRow("field name as value") << 0 << "Name" << Ids {5} << "";
        QTest::newRow("sql as value") << 0 << "x\" OR 1=1 OR \"" << Ids {} << notFound;
        QTest::newRow("leading star searches anywhere") << 11 << "*wrench" << Ids {1} << "";
        QTest::newRow("company") << 16 << "ACME" << Ids {2, 3, 5, 6, 7} << "";
        QTest::newRow("service date") << 7 << "12/31/2026" << Ids {2, 5} << "";
        QTest::newRow("no such day") << 7 << "2/30/2027" << Ids {} << badDate;
        QTest::newRow("star in date is no date") << 7 << "12/*" << Ids {} << badDate;
        QTest::newRow("number, leading zero") << 8 << "07" << Ids {2, 4} << "";
        QTest::newRow("star in number") << 8 << "7*" << Ids {} << "Cannot specify wildcards in aServiceWarn lookup query";
        QTest::newRow("no number") << 8 << "seven" << Ids {} << notFound;
        QTest::newRow("id") << 23 << "5" << Ids {5} << "";
    }
    void lookups()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(Ids, ids);
        TestWorld world;
        makePlant(world);
        ItemListLoad result;
        QCOMPARE(loadIds(23, 0, value, field, &result), ids);
        QTEST(result.message, "message");
        QCOMPARE(result.outcome == ItemListLoad::Outcome::Rows, !ids.isEmpty());
        QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM main")).toInt(), 7); // the value never ran as SQL
    }

    void lookupsFoldEveryLetter()
    {
        TestWorld world;
        const qint64 acme = world.addCompany(QStringLiteral("Acme"));
        const qint64 mueller = world.addItem(acme, {{"Name", "Müller Pumpe"}});
        const qint64 oel = world.addItem(acme, {{"Name", "Ölpumpe"}});
        const qint64 ol = world.addItem(acme, {{"Name", "Olpumpe"}});
        QCOMPARE(loadIds(Field::ID, Ascending, QStringLiteral("MÜLLER PUMPE"), Field::Name), Ids({mueller}));
        QCOMPARE(loadIds(Field::ID, Ascending, QStringLiteral("öl*"), Field::Name), Ids({oel}));
        QCOMPARE(loadIds(Field::ID, Ascending, QStringLiteral("*PUMPE"), Field::Name), Ids({mueller, oel, ol}));
    }

    void idsBeyond32Bits()
    {
        // IDs are SQLite's 64-bit integers: 4294967297 and 1 are two items, and the parts of
        // more than 64 items are merged in one scan without mixing them up.
        TestWorld world;
        const qint64 acme = world.addCompany(QStringLiteral("Acme"));
        const qint64 small = world.addItem(acme, {{"Name", "Small"}});
        for (int i = 0; i < 70; ++i)
            world.addPart(world.addItem(acme, {{"Name", QStringLiteral("Filler %1").arg(i)}}),
                          QStringLiteral("Part %1").arg(i), QString());
        db().backend().setIdCounter(QStringLiteral("main"), QStringLiteral("ID"), Q_INT64_C(4294967296));
        const qint64 big = world.addItem(acme, {{"Name", "Big"}});
        QCOMPARE(big, Q_INT64_C(4294967297));
        world.addPart(big, QStringLiteral("Big belt"), QStringLiteral("B-1"));
        world.addPart(small, QStringLiteral("Small belt"), QStringLiteral("S-1"));

        ItemListModel model;
        model.load(db(), Field::ID, Descending, QString(), 0);
        QCOMPARE(QList<qint64>({model.itemCount(), model.itemIdAt(1), model.itemIdAt(72)}), QList<qint64>({72, big, small}));
        QCOMPARE(QStringList({model.cellText(1, Column::RepParts), model.cellText(72, Column::RepParts), model.cellText(2, Column::RepParts)}),
                 QStringList({u"Big belt / B-1\n"_s, u"Small belt / S-1\n"_s, u"Part 69 / \n"_s}));
        QCOMPARE(loadIds(Field::Name, Ascending, QStringLiteral("4294967297"), Field::ID), Ids({big}));
        // Deleting the one leaves the other whole.
        deleteItem(db(), big);
        QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM repparts WHERE ID IN (1, 4294967297)")).toInt(), 1);
        QCOMPARE(loadIds(Field::Name, Ascending, QStringLiteral("Small"), Field::Name), Ids({small}));
    }

    // What the list shows after each event, from a view whose two sorts and lookup all differ.
    // "7a 0=": by field 7 ascending, lookup field 0 with no value; then the view after it (All or
    // Lookup, the all-items sort, the lookup view's sort, the lookup); then the panes.
    void listAfterEvents_data()
    {
        QTest::addColumn<int>("event");
        QTest::addColumn<bool>("lookupShown");
        QTest::addColumn<QString>("after");
        QTest::newRow("start") << int(ListEvent::Started) << true << "7a 0= A 7a 3d 2=hall* cleared";
        QTest::newRow("saved") << int(ListEvent::ItemSaved) << true << "0d 2= A 0d 3d 2=hall* cleared";
        QTest::newRow("deleted, lookup") << int(ListEvent::ItemDeleted) << true << "3d 2=hall* L 0d 3d 2=hall* cleared";
        QTest::newRow("deleted, all") << int(ListEvent::ItemDeleted) << false << "3d 2= A 0d 3d 2=hall* cleared";
        QTest::newRow("day picked") << int(ListEvent::DayPicked) << false << "7a 7=12/20/2026 L 0d 3d 7=12/20/2026 kept";
        QTest::newRow("columns") << int(ListEvent::ColumnsChanged) << true << "7a 0= A 0d 3d 2=hall* cleared";
    }
    void listAfterEvents()
    {
        QFETCH(int, event);
        QFETCH(bool, lookupShown);
        QFETCH(QString, after);
        const ViewState before {lookupShown ? LookupDisplay : AllDisplay, Field::Name, Descending, Field::Hazmat,
                                Descending, Field::Location, QStringLiteral("hall*")};
        const ListChange change = listAfter(before, ListEvent(event), QDate(2026, 12, 20));
        const auto sort = [](int field, SortOrders order) { return QString::number(field) + (order == Ascending ? u"a "_s : u"d "_s); };
        const GridQuery &q = change.query;
        const ViewState &v = change.view;
        QCOMPARE(sort(q.sortField, q.sortOrder) + QString::number(q.lookupField) + u'=' + q.lookupValue + (v.DisplayMode == AllDisplay ? u" A "_s : u" L "_s)
                     + sort(v.SortFieldAll, v.SortOrderAll) + sort(v.SortFieldLookup, v.SortOrderLookup) + QString::number(v.LookupField) + u'='
                     + v.LookupValue + (change.clearPanes ? u" cleared"_s : u" kept"_s),
                 after);
    }

    void columnLayoutWidths()
    {
        TestWorld world;
        // A width the user did not drag keeps its twips, even when not a whole number of pixels;
        // hidden columns keep theirs.
        execute(db(), QStringLiteral("UPDATE Columns SET size = 1000 WHERE ID = 1"));
        ColumnLayout layout = ColumnLayout::read(db());
        QVector<int> widths = {0};
        for (const ColumnLayout::Shown &column : layout.shown)
            widths << Twips::toPixels(column.widthTwips);
        widths[layout.colLoc[Column::Name]] = 250; // the user dragged Name wider
        saveColumnWidths(db(), layout, widths);
        QCOMPARE(world.joined(u"SELECT size FROM Columns WHERE ID IN (0, 1, 3) ORDER BY ID"_s, u" "_s), u"3750 1000 1800"_s);

        // Widths read are held to 0..99,999 twips; with every column hidden only the ID is left.
        db().exec(QStringLiteral("UPDATE Columns SET ColLocation = 0; UPDATE Columns SET ColLocation = 1, size = -5"
                                 " WHERE ID = 0; UPDATE Columns SET ColLocation = 2, size = 4000000000 WHERE ID = 16"));
        layout = ColumnLayout::read(db());
        QCOMPARE(layout.shown.size(), 2);
        QCOMPARE(QList<int>({layout.shown.at(0).widthTwips, layout.shown.at(1).widthTwips, layout.columnIdAt(2), layout.columnIdAt(3)}),
                 QList<int>({0, 99999, Column::Company, -1}));
        execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 0"));
        QVERIFY(ColumnLayout::read(db()).shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestItemList)
#include "test_itemlist.moc"
