#include "ReportCommand.h"

#include "Reporting.h"

#include "core/alarms/AlarmRules.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ColumnLayout.h"

#include <QAbstractItemModel>
#include <QDir>

QString reportItemName(const QAbstractItemModel &grid, const ColumnLayout &layout, int row)
{
    const int column = layout.colLoc.value(Column::Name); // 0: the ID column
    return grid.data(grid.index(row, column)).toString();
}

namespace {

ReportOutcome message(const char *text)
{
    ReportOutcome outcome;
    outcome.message = QString::fromLatin1(text);
    return outcome;
}

ReportOutcome written(QByteArray bytes)
{
    ReportOutcome outcome;
    outcome.write = true;
    outcome.bytes = std::move(bytes);
    return outcome;
}

ReportOutcome listReport(const ReportSources &s, int mode, const char *wrongMode, const QString &title)
{
    if (s.displayMode != mode)
        return message(wrongMode);
    if (!s.grid || s.grid->rowCount() == 0)
        return message("No data to report");
    return written(reportGrid(*s.grid, title));
}

ReportOutcome entriesReport(const ReportSources &s, const QAbstractItemModel *grid, HistNotesKind kind, const char *none)
{
    if (s.noItemSelected)
        return message("Please select an item first");
    std::optional<QByteArray> bytes;
    if (grid)
        bytes = reportHistoryAndNotes(*grid, kind, s.itemName, s.itemId, s.today);
    return bytes ? written(std::move(*bytes)) : message(none);
}

ReportOutcome alarmReport(Database &database, const ReportSources &s, AlarmReportKind kind, const char *none)
{
    const QVector<AlarmRow> alarms = evaluateAlarms(database, s.serviceSwitch, s.orderSwitch, s.today);
    std::optional<QByteArray> bytes = reportAlarms(database, kind, alarms, s.today);
    return bytes ? written(std::move(*bytes)) : message(none);
}

ReportOutcome companiesReport(Database &database, const ReportSources &s)
{
    // The viewer shows the page with its title even when there is no company.
    CompaniesReport report = reportCompanies(database, s.today);
    ReportOutcome outcome = written(std::move(report.bytes));
    if (!report.hasCompanies)
        outcome.message = QStringLiteral("No companies in database");
    return outcome;
}

// The reports, one entry each: a new report is a new position and its entry here.
constexpr ReportEntry Entries[] = {
    {Report::All, "All",
     [](Database &, const ReportSources &s) {
         return listReport(s, AllDisplay, "Please select Display->All", allReportTitle(s.today));
     }},
    {Report::Lookup, "Lookup",
     [](Database &, const ReportSources &s) {
         return listReport(s, LookupDisplay, "Please select Display->Lookup",
                           lookupReportTitle(s.today, s.lookupField, s.lookupValue));
     }},
    {Report::ItemHistory, "Item History",
     [](Database &, const ReportSources &s) {
         return entriesReport(s, s.history, HistoryReportKind, "No history to report");
     }},
    {Report::Companies, "Companies", companiesReport},
    {Report::ServiceAlarms, "Service Alarms",
     [](Database &database, const ReportSources &s) {
         return alarmReport(database, s, ServiceAlarmReport, "No service alarms to report");
     }},
    {Report::OrderAlarms, "Order Alarms",
     [](Database &database, const ReportSources &s) {
         return alarmReport(database, s, OrderAlarmReport, "No order alarms to report");
     }},
    {Report::OrderAndServiceAlarms, "Order and Service Alarms",
     [](Database &database, const ReportSources &s) {
         return alarmReport(database, s, AllAlarmReport, "No alarms to report");
     }},
    {Report::ItemNotes, "Item Notes",
     [](Database &, const ReportSources &s) { return entriesReport(s, s.notes, NotesReportKind, "No notes to report"); }},
};

// Entry k is the report of position k, and every position has its entry.
constexpr bool entriesInPositionOrder()
{
    for (std::size_t k = 0; k < std::size(Entries); ++k) {
        if (Entries[k].position != int(k))
            return false;
    }
    return std::size(Entries) == Report::Count;
}
static_assert(entriesInPositionOrder());

} // namespace

std::span<const ReportEntry> reportEntries()
{
    return Entries;
}

ReportOutcome makeReport(Database &database, int position, const ReportSources &s)
{
    if (position < 0 || position >= int(std::size(Entries)))
        return {};
    return Entries[position].write(database, s);
}

QString reportFile()
{
    return QDir(AppPaths::applicationFolder()).filePath(QStringLiteral("temp.htm"));
}

QString blankPageFile()
{
    return QDir(AppPaths::applicationFolder()).filePath(QStringLiteral("blank.htm"));
}

QByteArray blankPage()
{
    return QByteArrayLiteral("<html><head><title></title></head><body></body></html>\r\n");
}

QString fileFailureText(const QString &path, const QString &error)
{
    return QStringLiteral("Could not write %1\r\n%2").arg(QDir::toNativeSeparators(path), error);
}
