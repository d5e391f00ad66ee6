// The item editor's rules without its window: key filters, the history a new item asks for, and
// reading and writing items with their replacement parts. The stocked choice is driven through
// the window in test_items_editor.

#include "TestSupport.h"

#include "core/alarms/AlarmRules.h"
#include "core/db/Database.h"
#include "core/db/DbError.h"
#include "core/db/SampleData.h"
#include "core/itemlist/ItemListModel.h"
#include "core/items/CsvImport.h"
#include "core/items/ItemRules.h"
#include "core/items/ItemStore.h"
#include "core/items/ItemTransfer.h"
#include "core/platform/Clock.h"
#include "core/platform/CsvText.h"
#include "core/platform/SafeFile.h"
#include "core/reports/CsvExport.h"
#include "core/settings/AppContext.h"
#include "gui/items/ImportPreviewDialog.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <QTest>

using namespace Qt::StringLiterals;

using namespace Column;
using ItemBox::PartName;
using ItemBox::PartNumber;

namespace {

// The item list with every column shown, as Export List as CSV writes it.
QByteArray listCsv()
{
    execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = ID + 1"));
    ItemListModel list;
    list.setLayout(ColumnLayout::read(db()));
    list.load(db(), Field::ID, Ascending, QString(), Field::Name);
    return gridCsv(list);
}

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
        QTest::newRow("tools: after breaks") << int(Tools) << full255.left(251) + u"\n\n"_s << int('x') << false;

        QTest::newRow("part name: fifty-first") << int(PartName) << fifty << int('x') << false;
        QTest::newRow("part number: DEL when full") << int(PartNumber) << fifty << 127 << true;
    }
    void keyFilter()
    {
        QFETCH(int, box);
        QFETCH(QString, current);
        QFETCH(int, key);
        QTEST(acceptsKey(box, current, key), "accepted");
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
                 QStringList({u"5"_s, u"Pump"_s, u"1/2/2020"_s}));
    }

    void everyFieldRoundTrips()
    {
        TestWorld world;
        const qint64 company = world.addCompany(QStringLiteral("Acme"));
        ItemForm form = nameAndCompany(company);
        const char *const texts[][2] = {
            {"1", "T-100"}, {"2", "Hall 3"}, {"3", "Gloves"}, {"4", "P-9"}, {"5", "S-77"}, {"7", "12/31/2030"}, {"8", "7"}, {"9", "11/30/2026"}, {"10", "Bob"}, {"11", "wrench\nhammer"}, {"12", "1/2/2020"}, {"13", "14"}, {"14", "365"}, {"15", "PO-7"}, {"18", "Binder 4"}, {"19", "Press 2\nConveyor"}, {"20", "c1"}, {"21", "c2"}, {"22", "c3"}};
        for (const auto &[id, text] : texts)
            form[QByteArray(id).toInt()] = QString::fromUtf8(text);
        form.stocked = 1;
        const qint64 id = saveItemForm(db(), form, std::nullopt, {}, {}).id;

        // Dates are stored in ISO form, line breaks as CR LF, day counts as numbers (a server's
        // number column holds nothing else).
        const QString type = TestWorld::onServer() ? QStringLiteral("'integer'") : QStringLiteral("typeof(servicewarn)");
        QCOMPARE(world.scalar(QStringLiteral("SELECT servicedate || '|' || DateServiced || '|' || dateinstalled || '|' ||"
                                             " tools || '|' || Locked || '|' || %1 FROM main WHERE ID = ?")
                                  .arg(type),
                              {id})
                     .toString(),
                 QStringLiteral("2030-12-31|2026-11-30|2020-01-02|wrench\r\nhammer|Press 2\r\nConveyor|integer"));

        const std::optional<ItemForm> loaded = loadItemForm(db(), id);
        QVERIFY(loaded);
        for (int box = 0; box < ItemBox::Count; ++box)
            QCOMPARE(loaded->text[std::size_t(box)], form.text[std::size_t(box)]);
        QVERIFY(loaded->companyId == company && loaded->companyName == u"Acme" && loaded->stocked == 1);
    }

    void rowPartsAndHistoryAreOneTransaction()
    {
        TestWorld world;
        const qint64 company = world.addCompany(QStringLiteral("Acme"));
        const QStringList history = {QStringLiteral("A new Pump was added on ")};
        QCOMPARE(saveItemForm(db(), nameAndCompany(company), std::nullopt, {}, {}, history).id, 1);
        QCOMPARE(world.scalar(QStringLiteral("SELECT descr FROM History WHERE ID = 1")).toString(), history.first());

        for (const char *table : {"repparts", "History"}) {
            world.refuse(QStringLiteral("INSERT"), QLatin1String(table), QStringLiteral("refused"));
            QVERIFY_THROWS_EXCEPTION(DbError, saveItemForm(db(), nameAndCompany(company), std::nullopt, {}, {{QStringLiteral("Belt"), QString()}}, history));
            QCOMPARE(world.scalar(QStringLiteral("SELECT count(*) FROM main")).toInt(), 1);
            world.allow(QLatin1String(table));
        }
    }

    void importFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("outcome"); // each row's line, name and tools, or the file's message
        QTest::newRow("byte order mark, quotes, CR LF") << QByteArray("\xEF\xBB\xBFName,tools\r\n\"Pump, 7\",\"a \"\"b\"\"\r\nc\"\r\nFan,d\r\n") << u"2 Pump, 7|a \"b\"\nc / 4 Fan|d"_s;
        QTest::newRow("mixed line ends, a blank line") << QByteArray("Name\rA\n\nB\r\nC") << "2 A / 4 B / 5 C";
        QTest::newRow("semicolons, as European spreadsheets write") << QByteArray("\xEF\xBB\xBFName;Tag;Tools\r\nPump, 7;P-7;\"a;b\"\r\n") << u"2 Pump, 7|a;b"_s;
        QTest::newRow("tabs") << QByteArray("Name\tTools\r\nPump;7\ta,b\r\n") << "2 Pump;7|a,b";
        QTest::newRow("commas win over a quoted semicolon") << QByteArray("\"Name;\",Name,Tools\r\nx,Pump,a;b\r\n") << "2 Pump|a;b";
        QTest::newRow("a guarded formula") << QByteArray("Name,Tools\r\n'=SUM(A1),'''+x\r\n") << "2 =SUM(A1)|''+x";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << "This file is not a CSV text in UTF-8";
        QTest::newRow("empty") << QByteArray() << "The file is empty";
        QTest::newRow("a heading row only") << QByteArray("Name,Company\r\n") << "The file holds a heading row but no items";
        QTest::newRow("no names") << QByteArray("Tag\r\nP-7\r\n") << u"The file has no column of item names; its first line must hold the item list's headings"_s;
        QTest::newRow("a quote never closed") << QByteArray("Name\r\n\r\n\"Pump\r\nFan\r\n") << u"A quoted value that begins on line 3 is never closed"_s;
    }
    void importFiles()
    {
        QFETCH(QByteArray, file);
        TestWorld world;
        const ImportPreview preview = previewImport(db(), file, ColumnLayout::read(db()));
        QStringList rows;
        for (const ImportRow &row : preview.rows)
            rows << QString::number(row.line) + u' ' + row.form[Name] + (row.form[Tools].isEmpty() ? QString() : u"|"_s + row.form[Tools]);
        QTEST(preview.error.isEmpty() ? rows.join(u" / "_s) : preview.error, "outcome");
    }

    // A date as the preview shows it, and what is wrong with it.
    void importDates_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("problem");
        const QString forms = QStringLiteral("is not a date; dates are read as 12/31/2026, 12/31/26 or 2026-12-31");
        QTest::newRow("short form") << u"12/31/2026"_s << u"12/31/2026"_s << u""_s;
        QTest::newRow("ISO") << u"2026-12-31"_s << u"12/31/2026"_s << u""_s;
        QTest::newRow("two-digit year") << u"12/31/26"_s << u"12/31/2026"_s << u""_s;
        QTest::newRow("no such day") << u"2/30/2026"_s << u"2/30/2026"_s << u"\"2/30/2026\" "_s + forms;
        QTest::newRow("day first") << u"31/12/2026"_s << u"31/12/2026"_s << u"\"31/12/2026\" "_s + forms;
        QTest::newRow("month name") << u"Dec 31, 2026"_s << u"Dec 31, 2026"_s << u"\"Dec 31, 2026\" "_s + forms;
        QTest::newRow("none") << u""_s << u""_s << u""_s;
    }
    void importDates()
    {
        QFETCH(QString, cell);
        QFETCH(QString, problem);
        TestWorld world;
        world.addCompany(QStringLiteral("Acme"));
        for (const char *heading : {"Service Date", "Date Serviced", "Date Installed"}) {
            const QByteArray file = "Name,Company," + QByteArray(heading) + "\r\nPump,Acme," + Csv::field(cell) + "\r\n";
            const ImportRow row = previewImport(db(), file, ColumnLayout::read(db())).rows.value(0);
            QTEST(row.form[importColumns({QString::fromLatin1(heading)}, ColumnLayout()).first()], "shown");
            QCOMPARE(row.problems.join(u" | "_s), problem.isEmpty() ? problem : QString::fromLatin1(heading) + u": "_s + problem);
        }
    }

    void importRowChecks_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("problems");
        QTest::addColumn<QString>("notes");
        QTest::newRow("good") << u"Pump,acme,12/20/2026,14,Seal / S-1,,YES,"_s << u""_s << u""_s;
        QTest::newRow("past date") << u"Pump,Acme,12/5/2026,,,,,"_s << u""_s << u"The service date has passed"_s;
        QTest::newRow("number over 999") << u"Pump,Acme,,1000,,,,"_s << u"Lead Time: \"1000\" is not a number from 0 to 999"_s << u""_s;
        QTest::newRow("text over its limit") << u"Pump,Acme,,,,"_s + QString(256, u'x') + u",,"_s << u"Tools: longer than 255 characters"_s << u""_s;
        QTest::newRow("a cell of 1 MB") << QString(1 << 20, u'x') + u",Acme,,,,,,"_s << u"Name: longer than 50 characters"_s << u""_s;
        QTest::newRow("part without a name") << u"Pump,Acme,,, / S-1,,,"_s << u"Replacement Part(s): a part without a name"_s << u""_s;
        QTest::newRow("stock") << u"Pump,Acme,,,,,maybe,"_s << u"Replacement Stock: \"maybe\" is neither YES nor NO"_s << u""_s;
        QTest::newRow("no name") << u",Acme,,,,,,"_s << u"A Name must be added"_s << u""_s;
        QTest::newRow("new company") << u"Pump,Zeta,,,,,,"_s << u""_s << u"The company \"Zeta\" will be added to the directory"_s;
        QTest::newRow("unknown column") << u"Pump,Acme,,,,,,red"_s << u""_s << u"Column \"Colour\" is not imported"_s;
    }
    void importRowChecks()
    {
        QFETCH(QString, record);
        QFETCH(QString, problems);
        TestWorld world;
        world.addCompany(QStringLiteral("ACME"));
        const QByteArray file = "ID,Name,Company,Service Date,Lead Time,Replacement Part(s),Tools,Replacement Stock,Colour\r\n7,"
            + record.toUtf8() + "\r\n";
        const ImportPreview preview = previewImport(db(), file, ColumnLayout::read(db()));
        QCOMPARE(preview.rows.size(), 1);
        QCOMPARE(preview.rows.first().problems.join(u" | "_s), problems);
        QTEST(preview.rows.first().notes.join(u" | "_s), "notes");
        QCOMPARE(importItems(db(), preview, false), problems.isEmpty() ? 1 : 0);
    }

    // Exported and imported into an empty database, the items give the same file again.
    void exportImportsIntoAnEmptyDatabase_data()
    {
        QTest::addColumn<bool>("everyField");
        QTest::newRow("the list as shown") << false;
        QTest::newRow("every field") << true;
    }
    void exportImportsIntoAnEmptyDatabase()
    {
        QFETCH(bool, everyField);
        auto exported = [everyField] { return everyField ? ItemTransfer::itemsCsv(db()) : listCsv(); };
        QByteArray file;
        {
            TestWorld world;
            const qint64 acme = world.addCompany(QStringLiteral("=Acme, Inc"), {{"Street1", "1 Main St"}, {"phone2", "+1 555"}, {"notes", "Net 30\r\nCall first"}});
            const qint64 pump = world.addItem(acme, {{"Name", "Pump; 7"}, {"Tag", "+1+1"}, {"location", "@SUM(A1:A9)"}, {"servicedate", "2026-11-20"}, {"serviceinterval", 90}, {"servicewarn", 7}, {"leadtime", 14}, {"tools", "Wrench\r\nSeal, kit"}, {"replacestock", 1}, {"dateinstalled", "2001-02-03"}, {"custom3", "ß"}, {"ackservice", 1}, {"ackorderinstock", 1}});
            world.addPart(pump, QStringLiteral("Seal"), QStringLiteral("-S-1"));
            world.addPart(pump, QStringLiteral("Filter / coarse"), QVariant());
            world.addItem(world.addCompany(QStringLiteral("Jet Pump & Seal \"AS\"")),
                          {{"Name", "=cmd|' /C calc'!A0"}, {"Locked", "\r\nPump 7"}, {"replacestock", 0}, {"custom1", "'-x"}});
            file = exported();
        }
        TestWorld world;
        const QString path = QDir(world.folder()).filePath(QStringLiteral("list.csv"));
        QVERIFY(SafeFile::write(path, file));
        changeSettings([](AppSettings &settings) { settings.autoAddHistory = settings.askBeforeHistory = true; });
        FileDialog::setNextPath(path);
        QPointer<ImportPreviewDialog> slot;
        ImportPreviewDialog *preview = importItemsFromCsv(slot, nullptr, appContext(), ColumnLayout::read(db()));
        QVERIFY(preview);
        auto *import = control<QPushButton>(preview, "cmdImport");
        QVERIFY(!import->isEnabled()); // not before the missing companies may be added
        auto *addCompanies = control<QCheckBox>(preview, "chkAddCompanies");
        QVERIFY(addCompanies->text().endsWith(u"=Acme, Inc, Jet Pump && Seal \"AS\""_s)); // "&" is no shortcut
        addCompanies->setChecked(true);
        import->click();
        QCOMPARE(MessageBox::lastText(), QStringLiteral("2 items were imported"));
        QCOMPARE(exported(), file);
        QCOMPARE(world.joined(QStringLiteral("SELECT descr FROM History ORDER BY ") + TestWorld::insertionOrder(), QStringLiteral("|")),
                 QStringLiteral("A new Pump; 7 was added on 2/3/2001|A new =cmd|' /C calc'!A0 was added on "));
    }

    // The sample plant raises the same alarms after it moved into an empty database.
    void demoTravelsWithItsAlarms()
    {
        auto alarmTexts = [] {
            QStringList texts;
            for (const AlarmRow &row : evaluateAlarms(db(), 1, 1, Clock::today()))
                texts << row.text;
            return texts;
        };
        QByteArray file;
        QStringList alarms;
        {
            TestWorld world;
            SampleData::addDemo(db(), Clock::today());
            file = ItemTransfer::itemsCsv(db());
            alarms = alarmTexts();
        }
        TestWorld world;
        const ImportPreview preview = previewImport(db(), file, ColumnLayout::read(db()));
        QVERIFY(preview.problemRows == 0 && preview.warnings.isEmpty());
        QCOMPARE(importItems(db(), preview, false), 28);
        QVERIFY(alarms.size() > 20);
        QCOMPARE(alarmTexts(), alarms);
        QCOMPARE(ItemTransfer::itemsCsv(db()), file);
    }

    // What the preview says of the file, and of the import.
    void previewTexts_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("imported"); // empty: Import is not offered
        QTest::newRow("one item, the list's default columns") << QByteArray("ID,Name,Tag,Location,Service Date,Company,Replacement Part(s)\r\n1,Pump,,,,Acme,\r\n") << u"1 item read from f.csv."_s << "Columns read: \"Name\", \"Tag\", \"Location\", \"Service Date\", \"Company\", \"Replacement Part(s)\".\n"
                                                                                                                                                                                                       "Columns not read: \"ID\".\n"
                                                                                                                                                                                                       "No Service Interval column: the items will raise no service alarms until one is set.\n"
                                                                                                                                                                                                       "No Service Warning column: the items will raise no service alarms until one is set.\n"
                                                                                                                                                                                                       "No Lead Time column: the items will raise no order alarms until one is set."
                                                              << u"1 item was imported"_s;
        QTest::newRow("two items, one with a problem") << QByteArray("Name;Company;Service Date;Service Interval;Service Warning;Lead Time;Colour\r\nPump;Acme;;;;;\r\n;Acme;;;;;\r\n") << u"2 items read from f.csv. 1 of them has a problem (marked red); nothing is imported until the file is corrected."_s << "Columns read: \"Name\", \"Company\", \"Service Date\", \"Service Interval\", \"Service Warning\", \"Lead Time\".\n"
                                                                                                                                                                                                                                                                                                                   "Columns not read: \"Colour\"."
                                                       << u""_s;
    }
    void previewTexts()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, imported);
        TestWorld world;
        world.addCompany(QStringLiteral("Acme"));
        const QString path = QDir(world.folder()).filePath(QStringLiteral("f.csv"));
        QVERIFY(SafeFile::write(path, file));
        FileDialog::setNextPath(path);
        QPointer<ImportPreviewDialog> slot;
        ImportPreviewDialog *preview = importItemsFromCsv(slot, nullptr, appContext(), ColumnLayout::read(db()));
        QVERIFY(preview);
        QTEST(control<QLabel>(preview, "lblSummary")->text(), "summary");
        QTEST(control<QLabel>(preview, "lblColumns")->text(), "columns");
        // The first column is the file's line of each row.
        const QAbstractItemModel *rows = control<QTableView>(preview, "flxImport")->model();
        QCOMPARE(rows->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Line"));
        QCOMPARE(rows->index(rows->rowCount() - 1, 0).data().toString(), QString::number(rows->rowCount() + 1));
        auto *import = control<QPushButton>(preview, "cmdImport");
        QCOMPARE(import->isEnabled(), !imported.isEmpty());
        if (import->isEnabled()) {
            import->click();
            QCOMPARE(MessageBox::lastText(), imported);
        }
    }
};

QTEST_MAIN(TestItems)
#include "test_items.moc"
