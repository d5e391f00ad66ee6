// The demo database as a file and as its copy on the server give the same bytes: every report
// of the Reports menu, the alarm list, every sort and every lookup of the item list.

#include "ServerSupport.h"
#include "TestSupport.h"

#include "core/alarms/AlarmListModel.h"
#include "core/alarms/AlarmRules.h"
#include "core/db/Database.h"
#include "core/db/DatabaseCopy.h"
#include "core/db/FieldTable.h"
#include "core/db/NewDatabase.h"
#include "core/itemlist/ItemListModel.h"
#include "core/platform/Clock.h"
#include "core/platform/DateText.h"
#include "core/records/RecordStore.h"
#include "core/reports/ReportCommand.h"
#include "core/settings/ColumnLayout.h"

#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Items whose names and fields only sort and look up alike when both engines ignore case and
// place Null as the file does: letters of either case, beyond ASCII and beyond the BMP, empty
// and missing values, equal names.
const char *const Edges[][4] = {
    // Name, location, tools, servicedate
    {"arm", "Hall 1", "wrench", "2026-12-08"},
    {"ARM", "hall 1", nullptr, "2026-12-08"},
    {"Ärm", "HALL 1", "WRENCH", nullptr},
    {"ärm", "Halle Ä", "Ω-key", "2026-11-30"},
    {"Straße", "STRASSE", "ſpanner", "2027-01-15"},
    {"𐐀 deseret", "𐐨 deseret", "", "2026-12-10"},
    {"", nullptr, "wrench", "2026-12-06"},
    {"_under%score", "100%", "a_b", "2026-12-07"},
};

QString listed(const ItemListModel &model)
{
    QStringList rows;
    for (int row = 1; row <= model.itemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < Column::Count; ++column)
            cells << model.cellText(row, column);
        rows << cells.join(u'\t');
    }
    return rows.join(u'\n');
}

std::unique_ptr<QStandardItemModel> entryGrid(Database &db, EntryTarget target, qint64 itemId)
{
    auto grid = std::make_unique<QStandardItemModel>(0, 2);
    for (const Entry &entry : loadEntries(db, target, itemId))
        grid->appendRow({new QStandardItem(DateText::isoToShort(entry.isoDate)), new QStandardItem(entry.descr)});
    return grid;
}

} // namespace

class TestSameResults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void sortsAlike_data();
    void sortsAlike();
    void looksUpAlike_data();
    void looksUpAlike();
    void reportsAlike_data();
    void reportsAlike();
    void alarmsAlike();

private:
    // The list on either engine; the server's first.
    QStringList bothLists(int sortField, SortOrders order, const QString &lookupValue, int lookupField);

    QTemporaryDir m_dir;
    Database m_file;
    Database m_server;
};

void TestSameResults::initTestCase()
{
    initTestEnvironment();
    const QString path = m_dir.filePath(QStringLiteral("demo.mdb"));
    QString error;
    QVERIFY2(createDatabaseFile(path, true, Clock::today(), &error), qPrintable(error));
    QVERIFY(m_file.open(path));
    Statement add(m_file, QStringLiteral("INSERT INTO main (manuID, Name, location, tools, servicedate, servicewarn, leadtime,"
                                         " serviceinterval) VALUES ((SELECT min(ID) FROM orderinfo), ?, ?, ?, ?, 7, 14, 30)"));
    for (const auto &edge : Edges) {
        add.reset();
        for (int i = 0; i < 4; ++i)
            add.bind(i + 1, edge[i] ? QVariant(QString::fromUtf8(edge[i])) : QVariant());
        add.run();
    }
    // Entries without a date and of one day, which keep the order they were written in.
    m_file.exec(QStringLiteral("INSERT INTO History (ID, Date, descr) VALUES (1, NULL, 'undated'), (1, '2026-12-01', 'first'),"
                               " (1, '2026-12-01', 'second'), (1, NULL, 'undated too')"));
    // Every column shown, so that every field is compared.
    m_file.exec(QStringLiteral("UPDATE Columns SET ColLocation = ID + 1"));

    m_server.connectServer(TestServerDatabase::create(QStringLiteral("test_sameresults")));
    const DatabaseCopy::Result copied = DatabaseCopy::copy(m_file, m_server);
    QVERIFY2(copied.copied, qPrintable(copied.error));
}

QStringList TestSameResults::bothLists(int sortField, SortOrders order, const QString &lookupValue, int lookupField)
{
    QStringList lists;
    for (Database *db : {&m_server, &m_file}) {
        ItemListModel model;
        model.setLayout(ColumnLayout::read(*db));
        const ItemListLoad load = model.load(*db, sortField, order, lookupValue, lookupField);
        lists << load.message + u'\n' + listed(model);
    }
    return lists;
}

void TestSameResults::sortsAlike_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("order");
    for (int position = 0; position < FieldTable::SortPositions; ++position) {
        const Field::Number field = *FieldTable::fieldAtSortPosition(position);
        const QByteArray caption = FieldTable::field(field)->name;
        QTest::addRow("%s, ascending", caption.constData()) << int(field) << int(Ascending);
        QTest::addRow("%s, descending", caption.constData()) << int(field) << int(Descending);
    }
}

void TestSameResults::sortsAlike()
{
    QFETCH(int, field);
    QFETCH(int, order);
    const QStringList lists = bothLists(field, SortOrders(order), QString(), Field::Name);
    QVERIFY(lists.at(1).count(u'\n') > 30); // the demo's items and the edges
    QCOMPARE(lists.at(0), lists.at(1));
}

void TestSameResults::looksUpAlike_data()
{
    // Each field looked up by values its items hold: whole, cut with "*", in the other case,
    // and one that no item holds.
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    for (int position = 0; position < FieldTable::LookupPositions; ++position) {
        const Field::Number field = *FieldTable::fieldAtLookupPosition(position);
        const FieldSpec &info = *FieldTable::field(field);
        ItemListModel all;
        all.setLayout(ColumnLayout::read(m_file));
        all.load(m_file, Field::ID, Ascending, QString(), Field::Name);
        // A few of the demo's items, and every edge (the last items).
        QStringList values = {QStringLiteral("no such value 9")};
        for (int row = 1; row <= all.itemCount(); row += row < all.itemCount() - int(std::size(Edges)) ? 7 : 1) {
            const QString text = all.cellText(row, info.column).section(u'\n', 0, 0);
            if (text.isEmpty() || values.contains(text))
                continue;
            values << text << text.toUpper() << text.toLower();
            if (info.lookup == LookupRule::Text)
                values << text.left(2) + u'*' << u'*' + text.mid(1, 2) + u'*';
        }
        for (const QString &value : std::as_const(values))
            QTest::addRow("%s = %s", info.name, qPrintable(value)) << int(field) << value;
    }
}

void TestSameResults::looksUpAlike()
{
    QFETCH(int, field);
    QFETCH(QString, value);
    const QStringList lists = bothLists(Field::Name, Ascending, value, field);
    QCOMPARE(lists.at(0), lists.at(1));
}

void TestSameResults::reportsAlike_data()
{
    QTest::addColumn<int>("position");
    const char *const names[] = {"All", "Lookup", "Item History", "Companies", "Service Alarms", "Order Alarms",
                                 "Order and Service Alarms", "Item Notes"};
    for (int position = 0; position < Report::Count; ++position)
        QTest::addRow("%s", names[position]) << position;
}

void TestSameResults::reportsAlike()
{
    QFETCH(int, position);
    QList<QByteArray> pages;
    for (Database *db : {&m_server, &m_file}) {
        // The All report of every item, the others on a lookup's items.
        const bool all = position == Report::All;
        const QString lookup = all ? QString() : QStringLiteral("p*");
        ItemListModel list;
        list.setLayout(ColumnLayout::read(*db));
        list.load(*db, Field::Name, Ascending, lookup, Field::Name);
        const qint64 item = 1; // with the entries of one day and of none
        const auto history = entryGrid(*db, HistoryTarget, item);
        const auto notes = entryGrid(*db, NotesTarget, item);
        const ReportSources sources {.grid = &list, .history = history.get(), .notes = notes.get(), .displayMode = all ? AllDisplay : LookupDisplay, .lookupField = Field::Name, .lookupValue = lookup, .noItemSelected = false, .itemName = QStringLiteral("Selected"), .itemId = item, .serviceSwitch = 1, .orderSwitch = 1, .today = Clock::today()};
        const ReportOutcome outcome = makeReport(*db, position, sources);
        pages << outcome.message.toUtf8() + '\n' + outcome.bytes;
    }
    QVERIFY2(pages.at(1).size() > 250, pages.at(1).constData()); // a page, not a message alone
    QCOMPARE(pages.at(0), pages.at(1));
}

void TestSameResults::alarmsAlike()
{
    QStringList lists;
    for (Database *db : {&m_server, &m_file}) {
        AlarmListModel model;
        model.setRows(evaluateAlarms(*db, 1, 1, Clock::today()));
        QStringList rows;
        for (int row = 0; row < model.rowCount(); ++row)
            rows << QString::number(model.rowAt(row)->itemId) + u' ' + model.data(model.index(row)).toString();
        lists << rows.join(u'\n');
    }
    QVERIFY(lists.at(1).count(u'\n') > 5);
    QCOMPARE(lists.at(0), lists.at(1));
}

QTEST_MAIN(TestSameResults)
#include "test_sameresults.moc"
