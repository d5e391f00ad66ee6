// The report writers byte for byte, their conditions, the CSV export and failed writes.

#include "TestSupport.h"

#include "core/platform/Clock.h"

#include "core/alarms/AlarmRules.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "core/reports/CsvExport.h"
#include "core/reports/ReportCommand.h"
#include "core/reports/Reporting.h"
#include "core/reports/ViewerLayout.h"
#include "core/shell/ItemDelete.h"
#include "core/shell/ItemListModel.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/reports/ReportCommands.h"
#include "gui/reports/frmBrowser.h"

#include <QDir>
#include <QFile>
#include <QStandardItemModel>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

// A text written with "\n" line ends, as the file holds it (CR LF); a leading line end is
// dropped so that raw strings can start on their own line.
QByteArray crlf(const char *text)
{
    QByteArray bytes(text);
    if (bytes.startsWith('\n'))
        bytes.remove(0, 1);
    return bytes.replace("\n", "\r\n");
}

QByteArray opening(const char *title)
{
    return QByteArray("<http>\r\n<head><title></title></head><body>\r\n") + title + "\r\n<hr><br>\r\n";
}

const QByteArray Closing = "</body></http>\r\n";

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The item list with the column ids below n shown, in id order.
std::unique_ptr<ItemListModel> listWithColumns(int n)
{
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = CASE WHEN ID < ? THEN ID + 1 ELSE 0 END"), {n});
    auto model = std::make_unique<ItemListModel>();
    model->setLayout(ColumnLayout::read(db()));
    model->load(db(), Field::Name, Ascending, QString(), Field::Name);
    return model;
}

qint64 addPump(TestWorld &world, qint64 company)
{
    const qint64 id = world.addItem(company, {{"Name", "Pump 7"}, {"Tag", "P-7"}, {"location", "Hall 2"},
                                              {"servicedate", "2026-12-20"}, {"servicewarn", 7}});
    world.addPart(id, QStringLiteral("Seal"), QStringLiteral("S-1"));
    return id;
}

// Two cells of a history or notes grid per row.
std::unique_ptr<QStandardItemModel> entries(const QList<QStringList> &rows)
{
    auto model = std::make_unique<QStandardItemModel>(0, 2);
    for (const QStringList &row : rows)
        model->appendRow({new QStandardItem(row.value(0)), new QStandardItem(row.value(1))});
    return model;
}

// The alarm world: a service alarm (Pump 7, ID 1), an order alarm (Boiler, ID 2) and an item
// past its service date (Old fan, ID 3), all with the company Acme.
void addAlarmItems(TestWorld &world, bool withService)
{
    const qint64 acme = world.addCompany(QStringLiteral("Acme"), {{"Street1", "1 Main St"}, {"city", "Springfield"},
                                                                  {"State", "IL"}, {"zip", "62701"}, {"phone1", "555-0100"}});
    if (withService) {
        const qint64 pump = world.addItem(
            acme, {{"Name", "Pump 7"}, {"Tag", "P-7"}, {"location", "Hall 2"}, {"hazmat", "Oil"}, {"part", "PX"},
                   {"tools", "Spanner"}, {"refmanuals", "Manual 3"}, {"Locked", "Valve 9"}, {"custom1", "c1"},
                   {"custom2", "c2"}, {"custom3", "c3"}, {"servicedate", "2026-12-10"}, {"servicewarn", 7},
                   {"serviceinterval", 90}});
        world.addPart(pump, QStringLiteral("Seal"), QStringLiteral("S-1"));
        world.addPart(pump, QStringLiteral("Belt"), QStringLiteral("B-2"));
    }
    const qint64 boiler = world.addItem(
        acme, {{"Name", "Boiler"}, {"servicedate", "2026-12-20"}, {"leadtime", 30}, {"serviceinterval", 90}});
    world.addPart(boiler, QStringLiteral("Filter"), QStringLiteral("F-2"));
    if (withService)
        world.addItem(acme, {{"Name", "Old fan"}, {"servicedate", "2026-12-01"}, {"servicewarn", 7}, {"serviceinterval", 90}});
}

const QByteArray PumpServiceBlock = crlf(R"(
<table border=0 cellpadding=0 cellspacing=0 width=660>
<tr><td><b>Name</b></td>

<td><b>Service Date</b></td>

<td><b>Tag</b></td>

<td><b>Location</b></td></tr>

<tr><td>Pump 7</td>

<td>12/10/2026</td>

<td>P-7</td>

<td>Hall 2</td></tr>

<tr><td><b>Hazmat</b></td>

<td><b>Part</b></td>

<td><b>Replacment Part(s)</b></td>

<td><b>Tools</b></td></tr>

<tr><td>Oil</td>

<td>PX</td>

<td>Belt / B-2<br>Seal / S-1<br></td>

<td>Spanner</td></tr>

<tr><td><b>Reference Manuals</b></td>

<td><b>Equipment Locked</b></td>

<td><b>Custom 1</b></td>

<td><b>Custom 2</b></td></tr>

<tr><td>Manual 3</td>

<td>Valve 9</td>

<td>c1</td>

<td>c2</td></tr>

<tr><td><b>Custom 3</b></td>

<td><b>ID</b></td></tr>

<tr><td>c3</td>

<td>1</td></tr>

</table>
<br><b>Serviced By  </b><input type="text" name="T1" size="30" style="border-style: solid; border-width: 1"><br>
<b>Date Serviced  </b><input type="text" name="T2" size="15" style="border-style: solid; border-width: 1"><br>
<hr>
)");

// The order sheet of the Boiler (ID 2); the company lines as given.
QByteArray boilerOrderBlock(const QByteArray &company)
{
    return "<b>ORDER replacment part(s):<br>\r\n\r\n"
           "Filter / F-2<br>\r\n"
           "<br>FOR Boiler\r\n"
           "<b><br>ID:</b> 2\r\n\r\n"
        + company
        + "<br><br><b>Purchase Order  </b><input type=\"text\" name=\"T1\" size=\"15\" "
          "style=\"border-style: solid; border-width: 1\"><br>\r\n"
          "<hr> \r\n";
}

const QByteArray AcmeLines = "<b><br><br>FROM Company:</b> Acme\r\n\r\n"
                             "<b><br>Street</b> 1: 1 Main St\r\n\r\n"
                             "<b><br>Street 2:</b> \r\n\r\n"
                             "<b><br>City, State, Zip:</b> Springfield, IL  62701\r\n"
                             "<b><br>Phone 1:</b> 555-0100\r\n\r\n"
                             "<b><br>Fax:</b> \r\n\r\n"
                             "<b><br>E-mail:</b> \r\n\r\n"
                             "<b><br>Web Site:</b> \r\n\r\n"
                             "<b><br>Contact:</b> \r\n\r\n"
                             "<b><br>Notes:</b> \r\n\r\n";

const QByteArray NoCompanyLines = "<b><br><br>FROM Company:</b> \r\n\r\n"
                                  "<b><br>Street</b> 1: \r\n\r\n"
                                  "<b><br>Street 2:</b> \r\n\r\n"
                                  "<b><br>City, State, Zip:</b> ,   \r\n"
                                  "<b><br>Phone 1:</b> \r\n\r\n"
                                  "<b><br>Fax:</b> \r\n\r\n"
                                  "<b><br>E-mail:</b> \r\n\r\n"
                                  "<b><br>Web Site:</b> \r\n\r\n"
                                  "<b><br>Contact:</b> \r\n\r\n"
                                  "<b><br>Notes:</b> \r\n\r\n";

// Limits the size of files this process may write, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }
    void cleanup() { closeAllWindows(); }

    void gridReportInGroupsOfFour_data();
    void gridReportInGroupsOfFour();
    void gridReportHasATablePerRow();
    void historyAndNotesTitles_data();
    void historyAndNotesTitles();
    void valuesEscapedAndAboveAsciiAsEntities_data();
    void valuesEscapedAndAboveAsciiAsEntities();
    void companiesInNameOrderWithNullFields();
    void alarmWorkSheets_data();
    void alarmWorkSheets();
    void alarmSheetsOfDeletedItemAndCompany();
    void commandConditions_data();
    void commandConditions();
    void reportNameFromTheNameColumnOrTheId();
    void failedWriteKeepsTheOldReport();
    void csvFields_data();
    void csvFields();
    void csvExportAsksBeforeReplacing();
    void viewerBrowserFollowsTheWindow_data();
    void viewerBrowserFollowsTheWindow();
};

void TestReports::gridReportInGroupsOfFour_data()
{
    QTest::addColumn<int>("shown");
    QTest::addColumn<QByteArray>("rest");
    // Nine columns: two groups of four and one of one.
    QTest::newRow("9 columns") << 9 << crlf(R"(
<tr>

<td><b>Service Warning</b></td>

</tr><tr>

<td>7</td>

</tr>

)");
    // Eight: nothing remains, but the remainder group's three row lines stand.
    QTest::newRow("8 columns") << 8 << crlf(R"(
<tr>

</tr><tr>

</tr>

)");
}

void TestReports::gridReportInGroupsOfFour()
{
    QFETCH(int, shown);
    QFETCH(QByteArray, rest);
    TestWorld world;
    addPump(world, world.addCompany(QStringLiteral("Acme")));
    const auto list = listWithColumns(shown);

    const QByteArray expected = opening("<h1>All Data Report as of 12/6/2026</h1>") + crlf(R"(
<table border=0 cellpadding=0 cellspacing=0 width=660>
<tr>

<td><b>Name</b></td>

<td><b>Tag</b></td>

<td><b>Location</b></td>

<td><b>Hazmat</b></td>

</tr><tr>

<td>Pump 7</td>

<td>P-7</td>

<td>Hall 2</td>

<td></td>

</tr>

<tr>

<td><b>Part</b></td>

<td><b>Serial</b></td>

<td><b>Replacement Part(s)</b></td>

<td><b>Service Date</b></td>

</tr><tr>

<td></td>

<td></td>

<td>Seal / S-1
</td>

<td>12/20/2026</td>

</tr>

)") + rest + crlf(R"(
</table>

<br>
<b>ID = 1</b></td>

<hr>
)") + Closing;
    QCOMPARE(ReportGrid(*list, allReportTitle(Clock::today())), expected);
}

void TestReports::gridReportHasATablePerRow()
{
    TestWorld world;
    const qint64 company = world.addCompany(QStringLiteral("Acme"));
    const qint64 pump = addPump(world, company);
    const qint64 boiler = world.addItem(company, {{"Name", "Boiler"}});
    const auto list = listWithColumns(1);
    const QByteArray report = ReportGrid(*list, lookupReportTitle(Clock::today(), Field::Location, QStringLiteral("Hall \"2\"")));

    QVERIFY(report.contains("<h1>Lookup Data Report as of 12/6/2026 (Location= \"Hall &quot;2&quot;\")</h1>\r\n"));
    QCOMPARE(report.count("<table border=0 cellpadding=0 cellspacing=0 width=660>\r\n"), 2);
    // Rows in list order (by name): the Boiler first.
    const qsizetype first = report.indexOf(QByteArray("<b>ID = ") + QByteArray::number(boiler) + "</b></td>");
    const qsizetype second = report.indexOf(QByteArray("<b>ID = ") + QByteArray::number(pump) + "</b></td>");
    QVERIFY(first > 0 && second > first);
    QVERIFY(report.endsWith("<hr>\r\n" + Closing));
}

void TestReports::historyAndNotesTitles_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("title");
    QTest::newRow("history") << int(HistoryReportKind) << QByteArray("<h1>History for Pump 7as of 12/6/2026, ID =12</h1>");
    QTest::newRow("notes") << int(NotesReportKind) << QByteArray("<h1>Notes for Pump 7as of 12/6/2026, ID =12</h1>");
}

void TestReports::historyAndNotesTitles()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, title);
    TestWorld world;
    const auto grid = entries({{QStringLiteral("12/1/2026"), QStringLiteral("Serviced By Ann on 12/1/2026")},
                               {QStringLiteral("11/2/2026"), QStringLiteral("Belt changed")}});
    const std::optional<QByteArray> report = ReportHistNotes(*grid, kind, QStringLiteral("Pump 7"), 12, Clock::today());
    QVERIFY(report);
    QCOMPARE(*report, opening(title) + crlf(R"(
<table border=0 cellpadding=0 cellspacing=0 width=600>
<tr>

<td><b>12/1/2026</b></td>

<td><b>Serviced By Ann on 12/1/2026</b></td>

</tr>

<tr>

<td><b>11/2/2026</b></td>

<td><b>Belt changed</b></td>

</tr>

</table>

)") + Closing);

    // No entries: nothing is written.
    QVERIFY(!ReportHistNotes(*entries({}), kind, QStringLiteral("Pump 7"), 12, Clock::today()));
}

void TestReports::valuesEscapedAndAboveAsciiAsEntities_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("plain") << QStringLiteral("Pump 7") << QByteArray("Pump 7");
    QTest::newRow("markup") << QStringLiteral("<b>Pump & Co") << QByteArray("&lt;b&gt;Pump &amp; Co");
    QTest::newRow("quotes") << QStringLiteral("say \"hi\"") << QByteArray("say &quot;hi&quot;");
    QTest::newRow("Polish") << QStringLiteral("\u017Buraw") << QByteArray("&#379;uraw");
    QTest::newRow("Latin-1") << QStringLiteral("\u00D6lpumpe \u00BD") << QByteArray("&#214;lpumpe &#189;");
    QTest::newRow("outside the BMP") << QStringLiteral("wrench \U0001F527") << QByteArray("wrench &#128295;");
    QTest::newRow("shown line break") << QStringLiteral("one\ntwo") << QByteArray("one\r\ntwo");
    QTest::newRow("stored line break") << QStringLiteral("one\r\ntwo") << QByteArray("one\r\ntwo");
}

void TestReports::valuesEscapedAndAboveAsciiAsEntities()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, written);
    TestWorld world;
    const auto grid = entries({{QStringLiteral("12/1/2026"), value}});
    const QByteArray report = *ReportHistNotes(*grid, HistoryReportKind, value, 3, Clock::today());
    QVERIFY(report.contains("<h1>History for " + written + "as of 12/6/2026, ID =3</h1>\r\n"));
    QVERIFY(report.contains("<td><b>" + written + "</b></td>\r\n\r\n"));
    for (const char c : report)
        QVERIFY2(uchar(c) < 128, "a report is plain ASCII");

    // The same through the database: an item's name on its work sheet.
    const qint64 acme = world.addCompany(value);
    const qint64 item = world.addItem(acme, {{"Name", value}, {"servicedate", "2026-12-20"}, {"leadtime", 30},
                                             {"serviceinterval", 90}});
    world.addPart(item, value, QStringLiteral("1"));
    const QByteArray sheet = *ReportAlarms(db(), OrderAlarmReport, evaluateAlarms(db(), 1, 1, Clock::today()), Clock::today());
    QVERIFY(sheet.contains("\r\n" + written + " / 1<br>\r\n<br>FOR " + written + "\r\n"));
    QVERIFY(sheet.contains("<b><br><br>FROM Company:</b> " + written + "\r\n"));
}

void TestReports::companiesInNameOrderWithNullFields()
{
    TestWorld world;
    {
        const CompaniesReport none = ReportCompanies(db(), Clock::today());
        QVERIFY(!none.hasCompanies);
        QCOMPARE(none.bytes, opening("<h1>Companies Report as of 12/6/2026</h1>"));
    }
    world.addCompany(QStringLiteral("Zeta"), {{"Street1", "9 Side Rd"}, {"Street2", "Unit 4"}, {"city", "Oslo"},
                                              {"State", ""}, {"zip", "0150"}, {"phone1", "555"}, {"phone2", "556"},
                                              {"email", "z@z.no"}, {"website", "zeta.no"}, {"contact", "Kari"},
                                              {"notes", "Line one\r\nLine two"}});
    world.addCompany(QStringLiteral("acme")); // every other field Null
    const CompaniesReport report = ReportCompanies(db(), Clock::today());
    QVERIFY(report.hasCompanies);
    QCOMPARE(report.bytes, opening("<h1>Companies Report as of 12/6/2026</h1>")
                 + "<b>Company:</b> acme\r\n\r\n"
                   "<b><br>Street</b> 1: \r\n\r\n"
                   "<b><br>Street 2:</b> \r\n\r\n"
                   "<b><br>City, State, Zip:</b> ,   \r\n"
                   "<b><br>Phone 1:</b> \r\n\r\n"
                   "<b><br>Fax:</b> \r\n\r\n"
                   "<b><br>E-mail:</b> \r\n\r\n"
                   "<b><br>Web Site:</b> \r\n\r\n"
                   "<b><br>Contact:</b> \r\n\r\n"
                   "<b><br>Notes:</b> \r\n\r\n"
                   "<hr> \r\n"
                   "<b>Company:</b> Zeta\r\n\r\n"
                   "<b><br>Street</b> 1: 9 Side Rd\r\n\r\n"
                   "<b><br>Street 2:</b> Unit 4\r\n\r\n"
                   "<b><br>City, State, Zip:</b> Oslo,   0150\r\n"
                   "<b><br>Phone 1:</b> 555\r\n\r\n"
                   "<b><br>Fax:</b> 556\r\n\r\n"
                   "<b><br>E-mail:</b> z@z.no\r\n\r\n"
                   "<b><br>Web Site:</b> zeta.no\r\n\r\n"
                   "<b><br>Contact:</b> Kari\r\n\r\n"
                   "<b><br>Notes:</b> Line one\r\nLine two\r\n\r\n"
                   "<hr> \r\n"
                 + Closing);
}

void TestReports::alarmWorkSheets_data()
{
    QTest::addColumn<bool>("withService");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray order = boilerOrderBlock(AcmeLines);
    QTest::newRow("service") << true << int(ServiceAlarmReport)
                             << opening("<h1>Service Alarms as of 12/6/2026 </h1>") + PumpServiceBlock;
    QTest::newRow("order") << true << int(OrderAlarmReport) << opening("<h1>Order Alarms as of 12/6/2026 </h1>") + order;
    // By service date: the item past its date writes nothing, then the service, then the order.
    QTest::newRow("both") << true << int(AllAlarmReport)
                          << opening("<h1>Service and Order Alarms as of 12/6/2026 </h1>") + PumpServiceBlock + order;
    QTest::newRow("service, only order alarms exist")
        << false << int(ServiceAlarmReport) << opening("<h1>Service Alarms as of 12/6/2026 </h1>");
}

void TestReports::alarmWorkSheets()
{
    QFETCH(bool, withService);
    QFETCH(int, kind);
    QFETCH(QByteArray, expected);
    TestWorld world;
    addAlarmItems(world, withService);
    const QVector<AlarmRow> alarms = evaluateAlarms(db(), 1, 1, Clock::today());
    QCOMPARE(alarms.size(), withService ? 3 : 1);
    const std::optional<QByteArray> report = ReportAlarms(db(), kind, alarms, Clock::today());
    QVERIFY(report);
    QCOMPARE(*report, expected);
}

void TestReports::alarmSheetsOfDeletedItemAndCompany()
{
    TestWorld world;
    addAlarmItems(world, true);
    const QVector<AlarmRow> alarms = evaluateAlarms(db(), 1, 1, Clock::today());
    // Between the evaluation and the sheets the pump goes, and so does the boiler's company.
    deleteItem(db(), 1);
    Execute(db(), QStringLiteral("DELETE FROM orderinfo"));
    const std::optional<QByteArray> report = ReportAlarms(db(), AllAlarmReport, alarms, Clock::today());
    QVERIFY(report);
    QCOMPARE(*report, opening("<h1>Service and Order Alarms as of 12/6/2026 </h1>") + boilerOrderBlock(NoCompanyLines));
}

void TestReports::commandConditions_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("displayMode");
    QTest::addColumn<bool>("withData"); // an alarming item in the list, with history and notes
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("title"); // of the report written; empty when none is

    const int all = AllDisplay, lookup = LookupDisplay;
    auto row = [](const char *tag, int position, int mode, bool data, bool selected, const char *message,
                  const char *title) {
        QTest::newRow(tag) << position << mode << data << selected << QString::fromLatin1(message) << QByteArray(title);
    };
    row("All in the lookup display", Report::All, lookup, true, false, "Please select Display->All", "");
    row("All without items", Report::All, all, false, false, "No data to report", "");
    row("All", Report::All, all, true, false, "", "<h1>All Data Report as of 12/6/2026</h1>");
    row("Lookup in the all display", Report::Lookup, all, true, false, "Please select Display->Lookup", "");
    row("Lookup without items", Report::Lookup, lookup, false, false, "No data to report", "");
    row("Lookup", Report::Lookup, lookup, true, false, "", "<h1>Lookup Data Report as of 12/6/2026 (Tag= \"P*\")</h1>");
    row("history, nothing selected", Report::ItemHistory, all, true, false, "Please select an item first", "");
    row("history, none", Report::ItemHistory, all, false, true, "No history to report", "");
    row("history", Report::ItemHistory, all, true, true, "", "<h1>History for Pump 7as of 12/6/2026, ID =1</h1>");
    row("notes, nothing selected", Report::ItemNotes, all, true, false, "Please select an item first", "");
    row("notes, none", Report::ItemNotes, all, false, true, "No notes to report", "");
    row("notes", Report::ItemNotes, all, true, true, "", "<h1>Notes for Pump 7as of 12/6/2026, ID =1</h1>");
    // The companies report shows its page even with no company.
    row("no companies", Report::Companies, all, false, false, "No companies in database",
        "<h1>Companies Report as of 12/6/2026</h1>");
    row("companies", Report::Companies, all, true, false, "", "<h1>Companies Report as of 12/6/2026</h1>");
    row("no service alarms", Report::ServiceAlarms, all, false, false, "No service alarms to report", "");
    row("no order alarms", Report::OrderAlarms, all, false, false, "No order alarms to report", "");
    row("no alarms", Report::OrderAndServiceAlarms, all, false, false, "No alarms to report", "");
    row("order alarms", Report::OrderAlarms, all, true, false, "", "<h1>Order Alarms as of 12/6/2026 </h1>");
}

void TestReports::commandConditions()
{
    QFETCH(int, position);
    QFETCH(int, displayMode);
    QFETCH(bool, withData);
    QFETCH(bool, selected);
    QFETCH(QString, message);
    QFETCH(QByteArray, title);
    TestWorld world;
    std::unique_ptr<QStandardItemModel> history = entries({}), notes = entries({});
    if (withData) {
        const qint64 acme = world.addCompany(QStringLiteral("Acme"));
        world.addItem(acme, {{"Name", "Pump 7"}, {"servicedate", "2026-12-20"}, {"leadtime", 30}, {"serviceinterval", 90}});
        history = entries({{QStringLiteral("12/1/2026"), QStringLiteral("Serviced")}});
        notes = entries({{QStringLiteral("12/2/2026"), QStringLiteral("Noisy")}});
    }
    const auto list = listWithColumns(3);
    ReportSources sources;
    sources.grid = list.get();
    sources.history = history.get();
    sources.notes = notes.get();
    sources.displayMode = displayMode;
    sources.lookupField = Field::Tag;
    sources.lookupValue = QStringLiteral("P*");
    sources.noItemSelected = !selected;
    sources.itemName = QStringLiteral("Pump 7");
    sources.itemId = 1;
    sources.serviceSwitch = 1;
    sources.orderSwitch = 1;
    sources.today = Clock::today();

    const ReportOutcome outcome = makeReport(db(), position, sources);
    QCOMPARE(outcome.message, message);
    QCOMPARE(outcome.write, !title.isEmpty());
    if (outcome.write)
        QVERIFY2(outcome.bytes.startsWith(opening(title)), outcome.bytes.left(200).constData());
    else
        QVERIFY(outcome.bytes.isEmpty());
}

void TestReports::reportNameFromTheNameColumnOrTheId()
{
    TestWorld world;
    const qint64 pump = addPump(world, world.addCompany(QStringLiteral("Acme")));
    auto list = listWithColumns(3);
    QCOMPARE(reportItemName(*list, list->columnLayout(), 0), QStringLiteral("Pump 7"));
    // With the Name column hidden, the ID column stands in.
    Execute(db(), QStringLiteral("UPDATE Columns SET ColLocation = 0 WHERE ID = 0"));
    list->setLayout(ColumnLayout::read(db()));
    QCOMPARE(reportItemName(*list, list->columnLayout(), 0), QString::number(pump));
}

void TestReports::failedWriteKeepsTheOldReport()
{
    TestWorld world;
    world.addCompany(QStringLiteral("Acme"));
    writeFile(reportFile(), "old report");
    ReportSources sources;
    sources.today = Clock::today();
    {
        // As on a full disk: no file may grow past 16 bytes.
        FileSizeLimit limit(16);
        runReportCommand(nullptr, Report::Companies, sources);
    }
    QVERIFY2(MessageBox::lastText().startsWith(QStringLiteral("Could not write ") + QDir::toNativeSeparators(reportFile())),
             qPrintable(MessageBox::lastText()));
    QCOMPARE(readFile(reportFile()), QByteArray("old report"));
    QVERIFY(!reportViewer()); // nothing to show
    // No half-written file is left beside it.
    QCOMPARE(QDir(world.folder()).entryList({QStringLiteral("temp.htm*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("temp.htm")});

    // The CSV export fails the same way and keeps the file it was to replace.
    const QString csv = QDir(world.folder()).filePath(QStringLiteral("list.csv"));
    writeFile(csv, "old list");
    addPump(world, 1);
    const auto list = listWithColumns(3);
    FileDialog::setNextPath(csv);
    MessageBox::setNextAnswer(MessageBox::Ok);
    {
        FileSizeLimit limit(4);
        exportListCsv(nullptr, *list);
    }
    QVERIFY(MessageBox::lastText().startsWith(QStringLiteral("Could not write ")));
    QCOMPARE(readFile(csv), QByteArray("old list"));
}

void TestReports::csvFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("plain") << QStringLiteral("Pump 7") << QByteArray("Pump 7");
    QTest::newRow("empty") << QString() << QByteArray("");
    QTest::newRow("comma") << QStringLiteral("Hall 2, east") << QByteArray("\"Hall 2, east\"");
    QTest::newRow("quote") << QStringLiteral("12\" pipe") << QByteArray("\"12\"\" pipe\"");
    QTest::newRow("shown line break") << QStringLiteral("Seal\nBelt") << QByteArray("\"Seal\r\nBelt\"");
    QTest::newRow("stored line break") << QStringLiteral("Seal\r\nBelt") << QByteArray("\"Seal\r\nBelt\"");
    QTest::newRow("UTF-8") << QStringLiteral("\u017Buraw") << QByteArray("\xC5\xBBuraw");
}

void TestReports::csvFields()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, field);
    QCOMPARE(csvField(text), field);
}

void TestReports::csvExportAsksBeforeReplacing()
{
    TestWorld world;
    const auto empty = listWithColumns(2);
    exportListCsv(nullptr, *empty);
    QCOMPARE(MessageBox::lastText(), QStringLiteral("No data to report"));

    const qint64 acme = world.addCompany(QStringLiteral("Acme"));
    const qint64 id = world.addItem(acme, {{"Name", "Pump, \"7\""}, {"Tag", "P-7"}});
    const auto list = listWithColumns(2);
    const QByteArray expected = "\xEF\xBB\xBF" "ID,Name,Tag\r\n" + QByteArray::number(id) + ",\"Pump, \"\"7\"\"\",P-7\r\n";
    const QString target = QDir(world.folder()).filePath(QStringLiteral("Reports/list.csv"));
    MessageBox::clearShown();

    FileDialog::setNextPath(target);
    exportListCsv(nullptr, *list);
    QCOMPARE(MessageBox::shownTexts(), QStringList()); // a new file: no question
    QCOMPARE(readFile(target), expected);

    writeFile(target, "kept");
    FileDialog::setNextPath(target);
    exportListCsv(nullptr, *list); // the question is answered Cancel
    QCOMPARE(MessageBox::lastText(), QStringLiteral("File already exsists; It will be overwritten"));
    QCOMPARE(readFile(target), QByteArray("kept"));

    FileDialog::setNextPath(target);
    MessageBox::setNextAnswer(MessageBox::Ok);
    exportListCsv(nullptr, *list);
    QCOMPARE(readFile(target), expected);

    // A cancelled dialog does nothing and says nothing.
    MessageBox::clearShown();
    exportListCsv(nullptr, *list);
    QCOMPARE(MessageBox::shownTexts(), QStringList());
}

void TestReports::viewerBrowserFollowsTheWindow_data()
{
    QTest::addColumn<QSize>("inside");
    QTest::addColumn<QSize>("browser");
    // The Save button ends 435 twips down.
    QTest::newRow("roomy") << QSize(12000, 9000) << QSize(11900, 9000 - 435 - 350);
    QTest::newRow("narrow keeps its width") << QSize(100, 9000) << QSize(9000, 9000 - 435 - 350);
    QTest::newRow("just wide enough") << QSize(101, 9000) << QSize(1, 9000 - 435 - 350);
    QTest::newRow("short keeps its height") << QSize(12000, 785) << QSize(11900, 6000);
    QTest::newRow("just tall enough") << QSize(12000, 786) << QSize(11900, 1);
}

void TestReports::viewerBrowserFollowsTheWindow()
{
    QFETCH(QSize, inside);
    QFETCH(QSize, browser);
    QCOMPARE(viewerBrowserSize(QSize(9000, 6000), inside, 435), browser);
}

QTEST_MAIN(TestReports)
#include "test_reports.moc"
