// The report writers byte for byte, their conditions, the CSV export and failed writes.

#include "TestSupport.h"

#include "core/alarms/AlarmRules.h"
#include "core/itemlist/ItemListModel.h"
#include "core/items/ItemStore.h"
#include "core/items/ItemTransfer.h"
#include "core/platform/Clock.h"
#include "core/platform/CsvText.h"
#include "core/platform/LineEnds.h"
#include "core/platform/SafeFile.h"
#include "core/reports/CalendarExport.h"
#include "core/reports/PageNesting.h"
#include "core/reports/ReportCommand.h"
#include "core/reports/Reporting.h"
#include "core/settings/SettingsStore.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/reports/ReportCommands.h"
#include "gui/reports/ViewerClient.h"

#include <QDir>
#include <QFile>
#include <QStandardItemModel>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The pieces every report is made of, as the file holds them.
QByteArray opening(const QByteArray &title)
{
    return "<http>\r\n<head><title></title></head><body>\r\n" + title + "\r\n<hr><br>\r\n";
}
const QByteArray Closing = "</body></http>\r\n";
const QByteArray Table660 = "<table border=0 cellpadding=0 cellspacing=0 width=660>\r\n";
const QByteArray InputStyle = "style=\"border-style: solid; border-width: 1\"><br>\r\n";

// Each text between before and after, on a line of its own followed by an empty line.
QByteArray lines(const QByteArrayList &texts, const QByteArray &before, const QByteArray &after)
{
    QByteArray out;
    for (const QByteArray &text : texts)
        out += before + text + after + "\r\n\r\n";
    return out;
}

// A group of the list report: a row of headings, then a row of values.
QByteArray group(const QByteArrayList &headings, const QByteArrayList &values)
{
    return "<tr>\r\n\r\n" + lines(headings, "<td><b>", "</b></td>") + "</tr><tr>\r\n\r\n"
        + lines(values, "<td>", "</td>") + "</tr>\r\n\r\n";
}

QByteArray itemTable(const QByteArray &groups, qint64 id)
{
    return Table660 + groups + "</table>\r\n\r\n<br>\r\n<b>ID = " + QByteArray::number(id)
        + "</b></td>\r\n\r\n<hr>\r\n";
}

// The rows of a work sheet's table, headings (bold) and values taking turns.
QByteArray sheetRows(const QList<QByteArrayList> &rows)
{
    QByteArray out;
    for (int r = 0; r < rows.size(); ++r) {
        const QByteArray b = r % 2 ? "" : "<b>", e = r % 2 ? "" : "</b>";
        out += "<tr>" + lines(rows[r], "<td>" + b, e + "</td>").chopped(4) + "</tr>\r\n\r\n";
    }
    return out;
}

// A company's address lines: street 1 and 2, city, state, zip, phone, fax, e-mail, web site,
// contact, notes.
QByteArray addressLines(const QByteArrayList &f)
{
    return "<b><br>Street</b> 1: " + f[0] + "\r\n\r\n<b><br>Street 2:</b> " + f[1]
        + "\r\n\r\n<b><br>City, State, Zip:</b> " + f[2] + ", " + f[3] + "  " + f[4] + "\r\n<b><br>Phone 1:</b> "
        + f[5] + "\r\n\r\n<b><br>Fax:</b> " + f[6] + "\r\n\r\n<b><br>E-mail:</b> " + f[7]
        + "\r\n\r\n<b><br>Web Site:</b> " + f[8] + "\r\n\r\n<b><br>Contact:</b> " + f[9] + "\r\n\r\n<b><br>Notes:</b> "
        + f[10] + "\r\n\r\n";
}

// The item list with the column ids below n shown, in id order.
std::unique_ptr<ItemListModel> listWithColumns(int n)
{
    execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = CASE WHEN ID < ? THEN ID + 1 ELSE 0 END"), {n});
    auto model = std::make_unique<ItemListModel>();
    model->setLayout(ColumnLayout::read(db()));
    model->load(db(), Field::Name, Ascending, QString(), Field::Name);
    return model;
}

// Two cells of a history or notes grid per row.
std::unique_ptr<QStandardItemModel> entries(const QList<QStringList> &rows)
{
    auto model = std::make_unique<QStandardItemModel>(0, 2);
    for (const QStringList &row : rows)
        model->appendRow({new QStandardItem(row.value(0)), new QStandardItem(row.value(1))});
    return model;
}

const QByteArrayList AcmeAddress = {"1 Main St", "", "Springfield", "IL", "62701", "555-0100", "", "", "", "", ""};

// The alarm world, all with the company Acme: a service alarm (Pump 7), an order alarm
// (Boiler) and an item past its service date (Old fan). Gives the pump's and the boiler's IDs.
std::pair<qint64, qint64> addAlarmItems(TestWorld &world)
{
    const qint64 acme = world.addCompany(QStringLiteral("Acme"), {{"Street1", "1 Main St"}, {"city", "Springfield"}, {"State", "IL"}, {"zip", "62701"}, {"phone1", "555-0100"}});
    const qint64 pump = world.addItem(
        acme, {{"Name", "Pump 7"}, {"Tag", "P-7"}, {"location", "Hall 2"}, {"hazmat", "Oil"}, {"part", "PX"}, {"tools", "Spanner"}, {"refmanuals", "Manual 3"}, {"Locked", "Valve 9"}, {"custom1", "c1"}, {"custom2", "c2"}, {"custom3", "c3"}, {"servicedate", "2026-12-10"}, {"servicewarn", 7}, {"serviceinterval", 90}});
    world.addPart(pump, QStringLiteral("Seal"), QStringLiteral("S-1"));
    world.addPart(pump, QStringLiteral("Belt"), QStringLiteral("B-2"));
    const qint64 boiler = world.addItem(acme, {{"Name", "Boiler"}, {"servicedate", "2026-12-20"}, {"leadtime", 30}, {"serviceinterval", 90}});
    world.addPart(boiler, QStringLiteral("Filter"), QStringLiteral("F-2"));
    world.addItem(acme,
                  {{"Name", "Old fan"}, {"servicedate", "2026-12-01"}, {"servicewarn", 7}, {"serviceinterval", 90}});
    return {pump, boiler};
}

QByteArray pumpServiceSheet(qint64 id)
{
    return Table660
        + sheetRows({{"Name", "Service Date", "Tag", "Location"}, {"Pump 7", "12/10/2026", "P-7", "Hall 2"}, {"Hazmat", "Part", "Replacment Part(s)", "Tools"}, {"Oil", "PX", "Belt / B-2<br>Seal / S-1<br>", "Spanner"}, {"Reference Manuals", "Equipment Locked", "Custom 1", "Custom 2"}, {"Manual 3", "Valve 9", "c1", "c2"}, {"Custom 3", "ID"}, {"c3", QByteArray::number(id)}})
        + "</table>\r\n<br><b>Serviced By  </b><input type=\"text\" name=\"T1\" size=\"30\" " + InputStyle
        + "<b>Date Serviced  </b><input type=\"text\" name=\"T2\" size=\"15\" " + InputStyle + "<hr>\r\n";
}

QByteArray boilerOrderSheet(qint64 id, bool withCompany)
{
    return "<b>ORDER replacment part(s):<br>\r\n\r\nFilter / F-2<br>\r\n<br>FOR Boiler\r\n<b><br>ID:</b> "
        + QByteArray::number(id) + "\r\n\r\n<b><br><br>FROM Company:</b> " + (withCompany ? "Acme" : "") + "\r\n\r\n"
        + addressLines(withCompany ? AcmeAddress : QByteArrayList(11))
        + "<br><br><b>Purchase Order  </b><input type=\"text\" name=\"T1\" size=\"15\" " + InputStyle + "<hr> \r\n";
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }
    void cleanup() { closeAllWindows(); }

    void gridReportAndItemName();
    void historyAndEscaping();
    void everyWriterEscapesValues_data();
    void everyWriterEscapesValues();
    void companiesInNameOrderWithNullFields();
    void alarmWorkSheets_data();
    void alarmWorkSheets();
    void commandConditions_data();
    void commandConditions();
    void failedWriteKeepsTheOldReport();
    void csvFields_data();
    void csvFields();
    void csvExport();
    void calendarTextRoundTrip_data();
    void calendarTextRoundTrip();
    void dueDatesAsCalendar();
    void pageNestingDepth_data();
    void pageNestingDepth();
};

void TestReports::gridReportAndItemName()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    const qint64 pump = world.addItem(company, {{"Name", "Pump 7"}, {"Tag", "P-7"}, {"location", "Hall 2"}, {"servicedate", "2026-12-20"}, {"servicewarn", 7}});
    world.addPart(pump, QStringLiteral("Seal"), QStringLiteral("S-1"));
    const QByteArray first = group({"Name", "Tag", "Location", "Hazmat"}, {"Pump 7", "P-7", "Hall 2", ""})
        + group({"Part", "Serial", "Replacement Part(s)", "Service Date"}, {"", "", "Seal / S-1\r\n", "12/20/2026"});
    const QByteArray title = opening("<h1>All Data Report as of 12/6/2026</h1>");
    // Nine columns: two groups of four and one of one.
    QCOMPARE(reportGrid(*listWithColumns(9), allReportTitle(Clock::today())),
             title + itemTable(first + group({"Service Warning"}, {"7"}), pump) + Closing);
    // Eight: nothing remains, but the remainder group's row lines stand.
    QCOMPARE(reportGrid(*listWithColumns(8), allReportTitle(Clock::today())),
             title + itemTable(first + group({}, {}), pump) + Closing);

    // A table per row, in list order (by name); the lookup value escaped in the title.
    const qint64 boiler = world.addItem(company, {{"Name", "Boiler"}});
    const QString lookup = lookupReportTitle(Clock::today(), Field::Location, QStringLiteral("Hall \"2\""));
    QCOMPARE(reportGrid(*listWithColumns(1), lookup),
             opening("<h1>Lookup Data Report as of 12/6/2026 (Location= \"Hall &quot;2&quot;\")</h1>")
                 + itemTable(group({"Name"}, {"Boiler"}), boiler) + itemTable(group({"Name"}, {"Pump 7"}), pump)
                 + Closing);

    // The selected item's name in the reports: its Name cell, or its ID with that column hidden.
    auto list = listWithColumns(3);
    QCOMPARE(reportItemName(*list, list->columnLayout(), 1), QStringLiteral("Pump 7"));
    execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 0 WHERE ID = 0"));
    list->setLayout(ColumnLayout::read(db()));
    QCOMPARE(reportItemName(*list, list->columnLayout(), 1), QString::number(pump));
}

void TestReports::historyAndEscaping()
{
    // Markup and quotes escaped, letters above ASCII (also outside the BMP) as numeric entities,
    // line breaks of either form as CR LF.
    const QString value = QStringLiteral("<b>\"Pump\" & \u017Buraw \u00D6l \U0001F527 one\ntwo\r\nthree");
    const QByteArray written = "&lt;b&gt;&quot;Pump&quot; &amp; &#379;uraw &#214;l &#128295; one\r\ntwo\r\nthree";
    const auto grid = entries({{u"12/1/2026"_s, u"Serviced By Ann on 12/1/2026"_s}, {u"11/2/2026"_s, value}});
    const QByteArray rows = "<table border=0 cellpadding=0 cellspacing=0 width=600>\r\n<tr>\r\n\r\n"
        + lines({"12/1/2026", "Serviced By Ann on 12/1/2026"}, "<td><b>", "</b></td>") + "</tr>\r\n\r\n<tr>\r\n\r\n"
        + lines({"11/2/2026", written}, "<td><b>", "</b></td>") + "</tr>\r\n\r\n</table>\r\n\r\n" + Closing;
    QCOMPARE(reportHistoryAndNotes(*grid, HistoryReportKind, value, 12, Clock::today()).value_or("(none)"),
             opening("<h1>History for " + written + "as of 12/6/2026, ID =12</h1>") + rows);
}

void TestReports::everyWriterEscapesValues_data()
{
    QTest::addColumn<QString>("writer");
    for (const char *writer :
         {"grid values", "grid headings", "lookup title", "companies", "service sheet", "order sheet"})
        QTest::newRow(writer) << QString::fromLatin1(writer);
}

void TestReports::everyWriterEscapesValues()
{
    QFETCH(QString, writer);
    TestWorld world;
    // Markup, quotes, a stored NUL (which a server holds not), a letter above ASCII and a line
    // break, in every value.
    const QString nul = TestWorld::onServer() ? QString() : QString(QChar(u'\0'));
    const QString value = QStringLiteral("<b>\"Pump\" & \u017Buraw") + nul + QStringLiteral(" one\ntwo");
    const QByteArray written = "&lt;b&gt;&quot;Pump&quot; &amp; &#379;uraw" + QByteArray(nul.isEmpty() ? "" : "&#65533;") + " one\r\ntwo";
    QVariantMap fields = {{u"servicedate"_s, u"2026-12-10"_s}, {u"servicewarn"_s, 7}, {u"leadtime"_s, 30}, {u"serviceinterval"_s, 90}};
    for (const char *field : {"Name", "Tag", "location", "hazmat", "part", "tools", "refmanuals", "Locked", "custom1",
                              "custom2", "custom3"})
        fields.insert(QLatin1String(field), value);
    const qint64 item = world.addItem(
        world.addCompany(value, {{"Street1", value}, {"city", value}, {"contact", value}, {"notes", value}}), fields);
    world.addPart(item, value, value);
    const QDate today = Clock::today();
    const QVector<AlarmRow> alarms = evaluateAlarms(db(), 1, 1, today);
    QStandardItemModel headed(1, 2);
    headed.setHorizontalHeaderLabels({QStringLiteral("ID"), value});
    QByteArray page;
    if (writer == u"grid values")
        page = reportGrid(*listWithColumns(Column::Count), allReportTitle(today));
    else if (writer == u"grid headings")
        page = reportGrid(headed, allReportTitle(today));
    else if (writer == u"lookup title")
        page = reportGrid(headed, lookupReportTitle(today, Field::Name, value));
    else if (writer == u"companies")
        page = reportCompanies(db(), today).bytes;
    else
        page = reportAlarms(db(), writer == u"service sheet" ? ServiceAlarmReport : OrderAlarmReport, alarms, today)
                   .value_or("");
    QVERIFY2(page.contains(written), page.constData());
    QVERIFY(!page.contains("<b>\"Pump") && !page.contains('\0')); // no value written raw
}

void TestReports::companiesInNameOrderWithNullFields()
{
    TestWorld world;
    const QByteArray title = opening("<h1>Companies Report as of 12/6/2026</h1>");
    QCOMPARE(reportCompanies(db(), Clock::today()).bytes, title); // the command says there is none

    world.addCompany(QStringLiteral("Zeta"), {{"Street1", "9 Side Rd"}, {"Street2", "Unit 4"}, {"city", "Oslo"}, {"State", ""}, {"zip", "0150"}, {"phone1", "555"}, {"phone2", "556"}, {"email", "z@z.no"}, {"website", "zeta.no"}, {"contact", "Kari"}, {"notes", "Line one\r\nLine two"}});
    world.addCompany(QStringLiteral("acme")); // every other field Null
    QCOMPARE(reportCompanies(db(), Clock::today()).bytes,
             title + "<b>Company:</b> acme\r\n\r\n" + addressLines(QByteArrayList(11)) + "<hr> \r\n"
                 + "<b>Company:</b> Zeta\r\n\r\n"
                 + addressLines({"9 Side Rd", "Unit 4", "Oslo", "", "0150", "555", "556", "z@z.no", "zeta.no", "Kari",
                                 "Line one\r\nLine two"})
                 + "<hr> \r\n" + Closing);
}

void TestReports::alarmWorkSheets_data()
{
    // "orders only": service alarms switched off; "gone": the pump and the boiler's company are
    // deleted between the evaluation and the sheets.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("title");
    // S the pump's service sheet, O the boiler's order sheet, o the same without its company
    QTest::addColumn<QByteArray>("sheets");
    auto row = [](const char *tag, const char *setup, int kind, const char *title, const char *sheets) {
        QTest::newRow(tag) << QString::fromLatin1(setup) << kind << QByteArray(title) << QByteArray(sheets);
    };
    row("service", "", ServiceAlarmReport, "Service Alarms", "S");
    row("order", "", OrderAlarmReport, "Order Alarms", "O");
    // By service date: the item past its date writes nothing, then the service, then the order.
    row("both", "", AllAlarmReport, "Service and Order Alarms", "SO");
    row("service, only order alarms", "orders only", ServiceAlarmReport, "Service Alarms", "");
    row("item and company deleted meanwhile", "gone", AllAlarmReport, "Service and Order Alarms", "o");
}

void TestReports::alarmWorkSheets()
{
    QFETCH(QString, setup);
    QFETCH(int, kind);
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, sheets);
    TestWorld world;
    const auto [pump, boiler] = addAlarmItems(world);
    const QVector<AlarmRow> alarms = evaluateAlarms(db(), setup == u"orders only" ? 0 : 1, 1, Clock::today());
    if (setup == u"gone") {
        deleteItem(db(), pump);
        execute(db(), QStringLiteral("DELETE FROM orderinfo"));
    }
    QByteArray expected = opening("<h1>" + title + " as of 12/6/2026 </h1>");
    for (const char sheet : sheets)
        expected += sheet == 'S' ? pumpServiceSheet(pump) : boilerOrderSheet(boiler, sheet == 'O');
    QCOMPARE(reportAlarms(db(), AlarmReportKind(kind), alarms, Clock::today()).value_or("(none)"), expected);
}

void TestReports::commandConditions_data()
{
    QTest::addColumn<int>("position");
    // "lookup": the lookup display (else all); "data": an alarming item in the list, with history
    // and notes; "selected": an item selected.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("title"); // of the report written; empty when none is
    auto row = [](const char *tag, int position, const char *setup, const char *message, const char *title) {
        QTest::newRow(tag) << position << QString::fromLatin1(setup) << QString::fromLatin1(message)
                           << QByteArray(title);
    };
    row("All in the lookup display", Report::All, "lookup data", "Please select Display->All", "");
    row("All without items", Report::All, "", "No data to report", "");
    // (All, Item History and Lookup in the all display run through the menu in the viewer's test.)
    row("Lookup", Report::Lookup, "lookup data", "", "<h1>Lookup Data Report as of 12/6/2026 (Tag= \"P*\")</h1>");
    row("history, nothing selected", Report::ItemHistory, "data", "Please select an item first", "");
    row("history, none", Report::ItemHistory, "selected", "No history to report", "");
    row("notes, none", Report::ItemNotes, "selected", "No notes to report", "");
    row("notes", Report::ItemNotes, "data selected", "", "<h1>Notes for Pump 7as of 12/6/2026, ID =1</h1>");
    // The companies report shows its page even with no company.
    row("no companies", Report::Companies, "", "No companies in database", "<h1>Companies Report as of 12/6/2026</h1>");
    row("companies", Report::Companies, "data", "", "<h1>Companies Report as of 12/6/2026</h1>");
    row("no service alarms", Report::ServiceAlarms, "", "No service alarms to report", "");
    row("no order alarms", Report::OrderAlarms, "", "No order alarms to report", "");
    row("no alarms", Report::OrderAndServiceAlarms, "", "No alarms to report", "");
    row("order alarms", Report::OrderAlarms, "data", "", "<h1>Order Alarms as of 12/6/2026 </h1>");
}

void TestReports::commandConditions()
{
    QFETCH(int, position);
    QFETCH(QString, setup);
    QFETCH(QByteArray, title);
    TestWorld world;
    const bool data = setup.contains(u"data");
    if (data)
        world.addItem(world.addCompany(QStringLiteral("Acme")),
                      {{"Name", "Pump 7"}, {"servicedate", "2026-12-20"}, {"leadtime", 30}, {"serviceinterval", 90}});
    const auto history = entries(data ? QList<QStringList> {{u"12/1/2026"_s, u"Serviced"_s}} : QList<QStringList> {});
    const auto notes = entries(data ? QList<QStringList> {{u"12/2/2026"_s, u"Noisy"_s}} : QList<QStringList> {});
    const auto list = listWithColumns(3);
    const ReportSources sources {.grid = list.get(), .history = history.get(), .notes = notes.get(), .displayMode = setup.contains(u"lookup") ? LookupDisplay : AllDisplay, .lookupField = Field::Tag, .lookupValue = QStringLiteral("P*"), .noItemSelected = !setup.contains(u"selected"), .itemName = QStringLiteral("Pump 7"), .itemId = 1, .serviceSwitch = 1, .orderSwitch = 1, .today = Clock::today()};
    const ReportOutcome outcome = makeReport(db(), position, sources);
    QTEST(outcome.message, "message");
    QCOMPARE(outcome.write, !title.isEmpty());
    QVERIFY2(outcome.write ? outcome.bytes.startsWith(opening(title)) : outcome.bytes.isEmpty(),
             outcome.bytes.left(200).constData());
}

void TestReports::failedWriteKeepsTheOldReport()
{
    TestWorld world;
    QVERIFY(SafeFile::write(reportFile(), "old report"));
    {
        const auto limit = limitFileSize(16);
        ReportSources sources;
        sources.today = Clock::today();
        runReportCommand(nullptr, db(), Report::Companies, sources);
    }
    QVERIFY(MessageBox::lastText().startsWith(u"Could not write "_s + QDir::toNativeSeparators(reportFile())));
    QCOMPARE(readFile(reportFile()), QByteArray("old report"));
    QVERIFY(!ViewerClient::instance().isRunning()); // nothing to show
    // No half-written file is left beside it.
    QCOMPARE(QDir(world.folder()).entryList({QStringLiteral("temp.htm*")}, QDir::Files | QDir::Hidden),
             QStringList {QStringLiteral("temp.htm")});
}

void TestReports::csvFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("comma") << "Hall 2, east" << QByteArray("\"Hall 2, east\"");
    QTest::newRow("quote") << "12\" pipe" << QByteArray("\"12\"\" pipe\"");
    QTest::newRow("LF") << "Seal\nBelt" << QByteArray("\"Seal\r\nBelt\"");
    QTest::newRow("NUL") << QStringLiteral("a") + QChar(u'\0') + u'b' << QStringLiteral("a\uFFFDb").toUtf8();
    // Whatever a spreadsheet would run as a formula starts with one apostrophe.
    QTest::newRow("=") << "=cmd|' /C calc'!A0" << QByteArray("'=cmd|' /C calc'!A0");
    QTest::newRow("+") << "+1+1" << QByteArray("'+1+1");
    QTest::newRow("-") << "-2" << QByteArray("'-2");
    QTest::newRow("@") << "@SUM(A1:A9)" << QByteArray("'@SUM(A1:A9)");
    QTest::newRow("tab") << "\tx" << QByteArray("'\tx");
    QTest::newRow("CR") << "\rx" << QByteArray("\"'\r\nx\"");
    QTest::newRow("line break first") << "\nx" << QByteArray("\"'\r\nx\"");
    QTest::newRow("' then =") << "'=x" << QByteArray("''=x");
    QTest::newRow("' alone") << "'x" << QByteArray("'x");
    QTest::newRow("= later") << "a=b" << QByteArray("a=b");
}

void TestReports::csvFields()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, field);
    QCOMPARE(Csv::field(text), field);
    // Read back, the field gives the text exactly (line breaks as CR LF).
    QVector<Csv::Record> records;
    QString error;
    QVERIFY(Csv::parse("Name\r\n" + field + "\r\n", &records, &error));
    QCOMPARE(records.size(), 2);
    QString expected = text;
    expected.replace(QChar(u'\0'), QChar(QChar::ReplacementCharacter));
    QCOMPARE(records.last().fields, QStringList {LineEnds::toStored(LineEnds::unified(expected))});
}

void TestReports::csvExport()
{
    TestWorld world;
    exportListCsv(nullptr, *listWithColumns(2));
    QCOMPARE(exportAllFieldsCsv(nullptr, db()), QString());
    QCOMPARE(MessageBox::shownTexts(), QStringList(2, u"No data to report"_s));
    const qint64 id = world.addItem(world.addCompany(QStringLiteral("Acme")),
                                    {{"Name", "Pump, \"7\""}, {"Tag", "=1+1"}});
    world.addPart(id, QStringLiteral("Seal"), QStringLiteral("S-1"));
    world.addPart(id, QStringLiteral("Belt"), QVariant());
    const auto list = listWithColumns(7);
    // No line break after the last part.
    const QByteArray expected =
        "\xEF\xBB\xBF"
        "ID,Name,Tag,Location,Hazmat,Part,Serial,Replacement Part(s)\r\n"
        + QByteArray::number(id) + ",\"Pump, \"\"7\"\"\",'=1+1,,,,,\"Belt / \r\nSeal / S-1\"\r\n";
    const QString target = QDir(world.folder()).filePath(QStringLiteral("Reports/list.csv"));
    MessageBox::clearShown();
    FileDialog::setNextPath(target);
    QCOMPARE(exportListCsv(nullptr, *list), QStringLiteral("1 item written to list.csv"));
    QCOMPARE(MessageBox::shownTexts(), QStringList()); // a new file: no question
    QCOMPARE(readFile(target), expected);
    QCOMPARE(FileDialog::lastStart(), QDir(world.folder()).filePath(QStringLiteral("Reports/tarvo-list.csv")));
    const QString all = QDir(world.folder()).filePath(QStringLiteral("Reports/all.csv"));
    FileDialog::setNextPath(all);
    QCOMPARE(exportAllFieldsCsv(nullptr, db()), QStringLiteral("1 item written to all.csv"));
    QCOMPARE(FileDialog::lastStart(), QDir(world.folder()).filePath(QStringLiteral("Reports/tarvo-all-fields.csv")));
    QCOMPARE(readFile(all), ItemTransfer::itemsCsv(db()));

    QVERIFY(SafeFile::write(target, "kept"));
    FileDialog::setNextPath(target);
    exportListCsv(nullptr, *list); // the question is answered Cancel
    QCOMPARE(MessageBox::lastText(), QStringLiteral("File already exsists; It will be overwritten"));
    QCOMPARE(readFile(target), QByteArray("kept"));
    // A write that fails (as on a full disk) says so and keeps the file it was to replace.
    FileDialog::setNextPath(target);
    MessageBox::setNextAnswer(MessageBox::Ok);
    {
        const auto limit = limitFileSize(4);
        exportListCsv(nullptr, *list);
    }
    QVERIFY(MessageBox::lastText().startsWith(QStringLiteral("Could not write ") + QDir::toNativeSeparators(target)));
    QCOMPARE(readFile(target), QByteArray("kept"));

    // A cancelled dialog does nothing and says nothing.
    MessageBox::clearShown();
    exportListCsv(nullptr, *list);
    QCOMPARE(MessageBox::shownTexts(), QStringList());
}

QTEST_MAIN(TestReports)
#include "test_reports.moc"

void TestReports::calendarTextRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("commas and semicolons") << QStringLiteral("Pump 7, hall 2; north \\ side");
    QTest::newRow("line breaks") << QStringLiteral("Seal / S-1\r\nFilter / F-2\rBelt\nend");
    QTest::newRow("long non-ASCII") << QStringLiteral("Kühlwasserpumpe Größe ÄÖÜ ").repeated(6);
    QTest::newRow("characters of four octets") << QString::fromUtf8("\xF0\x9F\x94\xA7 ").repeated(40);
}

void TestReports::calendarTextRoundTrip()
{
    QFETCH(QString, text);
    const QByteArray folded = Ics::foldLine(QStringLiteral("DESCRIPTION:") + Ics::escapeText(text));
    QCOMPARE(folded.count('\n'), folded.count("\r\n"));
    for (const QByteArray &line : folded.split('\n')) {
        const QByteArray bare = line.endsWith('\r') ? line.chopped(1) : line;
        QVERIFY2(bare.size() <= 75, bare.constData());
        QCOMPARE(QString::fromUtf8(bare).toUtf8(), bare); // no character cut in two
    }
    const QStringList lines = Ics::unfoldLines(folded);
    QCOMPARE(lines.size(), 1);
    QString expected = text;
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QCOMPARE(Ics::unescapeText(lines.first().mid(12)), expected);
}

void TestReports::dueDatesAsCalendar()
{
    TestWorld world;
    const qint64 acme = world.addCompany(QStringLiteral("Acme, Inc; Ødegård"), {{"phone1", "555-0100"}});
    const qint64 pump = world.addItem(acme, {{"Name", "Pump 7, north"}, {"Tag", "P-7"}, {"location", "Hall 2; Bay\r\nB"}, {"servicedate", "2026-12-20"}, {"serviceinterval", 90}, {"servicewarn", 7}, {"leadtime", 14}});
    world.addPart(pump, QStringLiteral("Seal"), QStringLiteral("S-1"));
    world.addItem(acme, {{"Name", "Fan"}, {"servicedate", "2027-01-05"}, {"serviceinterval", 30}});
    world.addItem(acme, {{"Name", "No interval"}, {"servicedate", "2027-01-05"}});
    const QString target = QDir(world.folder()).filePath(QStringLiteral("Reports/due.ics"));
    FileDialog::setNextPath(target);
    QCOMPARE(exportDueDateCalendar(nullptr, db()), QStringLiteral("3 events written to due.ics"));
    QCOMPARE(FileDialog::lastStart(), QDir(world.folder()).filePath(QStringLiteral("Reports/tarvo-due-dates.ics")));
    const QByteArray bytes = readFile(target);
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    const QStringList lines = Ics::unfoldLines(bytes);
    QCOMPARE(Ics::unescapeText(lines.filter(QStringLiteral("DESCRIPTION:Tag: P-7")).value(0).mid(12)),
             QStringLiteral("Tag: P-7\nVendor: Acme, Inc; Ødegård\nPhone: 555-0100\nParts:\nSeal / S-1"));
    // The same items keep their UIDs in a later export.
    Clock::setFixed(TestWorld::Now.addDays(3));
    const QString identity = databaseIdentity(db());
    const QStringList again = Ics::unfoldLines(::dueDateCalendar(dueEvents(db()), Clock::now(), identity));
    Clock::setFixed(TestWorld::Now);
    QCOMPARE(again.filter(QStringLiteral("UID:")), lines.filter(QStringLiteral("UID:")));
    QCOMPARE(lines.filter(QStringLiteral("UID:")).value(1),
             QStringLiteral("UID:%1-item-%2-order@tarvo").arg(identity).arg(pump));
    // The independent reader's test reads this file.
    QFile::remove(QStringLiteral(TARVO_ICS_SAMPLE));
    QVERIFY(QFile::copy(target, QStringLiteral(TARVO_ICS_SAMPLE)));
}

// How deep a page's elements lie, as a browser reads them: what a report of this program holds,
// what an element left open or a void element does, and text that only looks like markup.
void TestReports::pageNestingDepth_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("depth");
    QTest::newRow("a work sheet") << "<html><body>" + pumpServiceSheet(7) + "</body></html>" << 6;
    QTest::newRow("rows and cells left open") << "<table>" + QByteArray("<tr><td>a<td>b").repeated(1000) + "</table>" << 3;
    QTest::newRow("list entries left open") << "<ul>" + QByteArray("<li>x").repeated(1000) << 2;
    QTest::newRow("paragraphs left open") << QByteArray("<P>x").repeated(1000) << 1;
    QTest::newRow("void elements") << QByteArray("<br><img src=x><INPUT type=text><hr/>").repeated(1000) << 0;
    QTest::newRow("markup in a comment and a script")
        << "<!--" + QByteArray("<div>").repeated(1000) + "--><script>" + QByteArray("<div>").repeated(1000) + "</script>" << 0;
    QTest::newRow("\">\" in an attribute") << QByteArray("<div title=\"a>b\"><span>x</span></div>") << 2;
    QTest::newRow("an end tag closes what lies inside") << QByteArray("<div><span><b>x</div><div>y</div>") << 3;
    QTest::newRow("5000 nested tables") << QByteArray("<table><tr><td>").repeated(5000) << PageNesting::SaneDepth + 1;
    QTest::newRow("just deep enough") << QByteArray("<div>").repeated(PageNesting::SaneDepth) << PageNesting::SaneDepth;
}

void TestReports::pageNestingDepth()
{
    QFETCH(QByteArray, page);
    QFETCH(int, depth);
    QCOMPARE(PageNesting::depth(page), depth);
    QCOMPARE(PageNesting::tooDeep(page), depth > PageNesting::SaneDepth);
}
