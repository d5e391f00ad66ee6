#include "Reporting.h"

#include "ReportText.h"

#include "core/companies/CompanyStore.h"
#include "core/db/FieldTable.h"
#include "core/items/ItemStore.h"
#include "core/platform/DateText.h"

#include <QAbstractItemModel>

namespace {

const QLatin1StringView TableOpening("<table border=0 cellpadding=0 cellspacing=0 width=660>");

// Every report begins so: the first line is "<http>", the second the head run into the body.
void opening(ReportText &out, const QString &titleHtml, bool withTitle = true)
{
    out.markup(QLatin1StringView("<http>\r\n<head><title></title></head><body>"));
    out.end();
    if (withTitle) {
        out.markup(titleHtml);
        out.end();
    }
    out.markup(QLatin1StringView("<hr><br>"));
    out.end();
}

void closing(ReportText &out)
{
    out.markup(QLatin1StringView("</body></http>"));
    out.end();
}

QString cell(const QAbstractItemModel &grid, int row, int column)
{
    return grid.data(grid.index(row, column)).toString();
}

// The groups of four columns (the last one shorter, perhaps empty) that every row of the list
// report shows: each group's headings' row is the same for every row, so it is made once.
struct ColumnGroup {
    int first = 1;
    int count = 0;
    QByteArray headings; // "<tr>", the heading cells, "</tr><tr>"
};

QVector<ColumnGroup> columnGroups(const QAbstractItemModel &grid)
{
    const int shown = qMax(0, grid.columnCount() - 1); // column 0 holds the ID
    QVector<ColumnGroup> groups;
    for (int first = 1; first <= shown + 1; first += 4) {
        ColumnGroup group {first, qMin(4, shown + 1 - first), {}};
        ReportText out;
        out.markup(QLatin1StringView("<tr>")).endWithBreak();
        for (int c = first; c < first + group.count; ++c) {
            out.markup(QLatin1StringView("<td><b>")).value(grid.headerData(c, Qt::Horizontal).toString());
            out.markup(QLatin1StringView("</b></td>")).endWithBreak();
        }
        out.markup(QLatin1StringView("</tr><tr>")).endWithBreak();
        group.headings = out.take();
        groups << group;
    }
    return groups;
}

// The address lines a company shows in the companies report and on an order sheet.
void companyLines(ReportText &out, const CompanyRecord &company)
{
    const QString *f = company.fields;
    auto line = [&](const char *label, int box) {
        out.markup(QLatin1StringView(label)).value(f[box]).endWithBreak();
    };
    line("<b><br>Street</b> 1: ", CompanyBox::Street1);
    line("<b><br>Street 2:</b> ", CompanyBox::Street2);
    out.markup(QLatin1StringView("<b><br>City, State, Zip:</b> ")).value(f[CompanyBox::City]);
    out.markup(QLatin1StringView(", ")).value(f[CompanyBox::State]);
    out.markup(QLatin1StringView("  ")).value(f[CompanyBox::Zip]).end();
    line("<b><br>Phone 1:</b> ", CompanyBox::Phone1);
    line("<b><br>Fax:</b> ", CompanyBox::Phone2);
    line("<b><br>E-mail:</b> ", CompanyBox::Email);
    line("<b><br>Web Site:</b> ", CompanyBox::Website);
    line("<b><br>Contact:</b> ", CompanyBox::Contact);
    line("<b><br>Notes:</b> ", CompanyBox::Notes);
}

// The fields of an item that its work sheets show.
struct SheetItem {
    enum : int { Name,
                 ServiceDate,
                 Tag,
                 Location,
                 Hazmat,
                 Part,
                 Tools,
                 RefManuals,
                 Locked,
                 Custom1,
                 Custom2,
                 Custom3,
                 Count };
    QString field[Count];
    qint64 companyId = 0;
};

bool readSheetItem(Database &database, qint64 id, SheetItem *item)
{
    static const QStringList columns = {
        QStringLiteral("Name"), QStringLiteral("servicedate"), QStringLiteral("Tag"), QStringLiteral("location"),
        QStringLiteral("hazmat"), QStringLiteral("part"), QStringLiteral("tools"), QStringLiteral("refmanuals"),
        QStringLiteral("Locked"), QStringLiteral("custom1"), QStringLiteral("custom2"), QStringLiteral("custom3"),
        QStringLiteral("manuID")};
    const std::optional<QStringList> texts = loadItemTexts(database, id, columns);
    if (!texts)
        return false;
    for (int i = 0; i < SheetItem::Count; ++i)
        item->field[i] = texts->at(i);
    item->field[SheetItem::ServiceDate] = DateText::isoToShort(item->field[SheetItem::ServiceDate]);
    item->companyId = texts->at(SheetItem::Count).toLongLong();
    return true;
}

// The item's parts, each name and number escaped, joined with "<br>".
QString partsHtml(Database &database, qint64 id)
{
    QVector<RepPart> parts = loadRepParts(database, id);
    for (RepPart &part : parts) {
        if (!part.name.isNull())
            part.name = htmlEscape(part.name);
        if (!part.number.isNull())
            part.number = htmlEscape(part.number);
    }
    return joinRepParts(parts, QStringLiteral("<br>"));
}

// A row of a work sheet's table, one cell a line; the cells are markup.
void sheetRow(ReportText &out, std::initializer_list<QString> cells, bool headings)
{
    int n = 0;
    for (const QString &text : cells) {
        const bool last = ++n == int(cells.size());
        out.markup(QLatin1StringView(n == 1 ? "<tr><td>" : "<td>"));
        if (headings)
            out.markup(QLatin1StringView("<b>")).markup(text).markup(QLatin1StringView("</b>"));
        else
            out.markup(text);
        out.markup(QLatin1StringView(last ? "</td></tr>" : "</td>")).endWithBreak();
    }
}

void serviceBlock(ReportText &out, Database &database, qint64 id, const SheetItem &item)
{
    auto f = [&](int field) { return htmlEscape(item.field[field]); };
    out.markup(TableOpening).end();
    sheetRow(out, {QStringLiteral("Name"), QStringLiteral("Service Date"), QStringLiteral("Tag"), QStringLiteral("Location")}, true);
    sheetRow(out, {f(SheetItem::Name), f(SheetItem::ServiceDate), f(SheetItem::Tag), f(SheetItem::Location)}, false);
    sheetRow(out, {QStringLiteral("Hazmat"), QStringLiteral("Part"), QStringLiteral("Replacment Part(s)"), QStringLiteral("Tools")}, true);
    sheetRow(out, {f(SheetItem::Hazmat), f(SheetItem::Part), partsHtml(database, id), f(SheetItem::Tools)}, false);
    sheetRow(out, {QStringLiteral("Reference Manuals"), QStringLiteral("Equipment Locked"), QStringLiteral("Custom 1"), QStringLiteral("Custom 2")}, true);
    sheetRow(out, {f(SheetItem::RefManuals), f(SheetItem::Locked), f(SheetItem::Custom1), f(SheetItem::Custom2)}, false);
    sheetRow(out, {QStringLiteral("Custom 3"), QStringLiteral("ID")}, true);
    sheetRow(out, {f(SheetItem::Custom3), QString::number(id)}, false);
    out.markup(QLatin1StringView("</table>")).end();
    out.markup(QLatin1StringView("<br><b>Serviced By  </b><input type=\"text\" name=\"T1\" size=\"30\" "
                                 "style=\"border-style: solid; border-width: 1\"><br>"))
        .end();
    out.markup(QLatin1StringView("<b>Date Serviced  </b><input type=\"text\" name=\"T2\" size=\"15\" "
                                 "style=\"border-style: solid; border-width: 1\"><br>"))
        .end();
    out.markup(QLatin1StringView("<hr>")).end();
}

void orderBlock(ReportText &out, Database &database, qint64 id, const SheetItem &item)
{
    const CompanyRecord company = loadCompany(database, item.companyId);
    out.markup(QLatin1StringView("<b>ORDER replacment part(s):<br>")).endWithBreak();
    out.markup(partsHtml(database, id)).end();
    out.markup(QLatin1StringView("<br>FOR ")).value(item.field[SheetItem::Name]).end();
    out.markup(QLatin1StringView("<b><br>ID:</b> ")).number(id).endWithBreak();
    out.markup(QLatin1StringView("<b><br><br>FROM Company:</b> ")).value(company.fields[CompanyBox::Name]).endWithBreak();
    companyLines(out, company);
    out.markup(QLatin1StringView("<br><br><b>Purchase Order  </b><input type=\"text\" name=\"T1\" size=\"15\" "
                                 "style=\"border-style: solid; border-width: 1\"><br>"))
        .end();
    out.markup(QLatin1StringView("<hr> ")).end();
}

} // namespace

QString allReportTitle(const QDate &today)
{
    return QStringLiteral("All Data Report as of ") + DateText::format(today);
}

QString lookupReportTitle(const QDate &today, int lookupField, const QString &lookupValue)
{
    return QStringLiteral("Lookup Data Report as of ") + DateText::format(today) + QStringLiteral(" (")
        + htmlEscape(fieldName(lookupField)) + QStringLiteral("= \"") + htmlEscape(lookupValue) + QStringLiteral("\")");
}

QByteArray reportGrid(const QAbstractItemModel &grid, const QString &titleHtml)
{
    ReportText out;
    opening(out, QStringLiteral("<h1>") + titleHtml + QStringLiteral("</h1>"));
    // Full groups of four, then the rest; with nothing left its three row lines still stand.
    const QVector<ColumnGroup> groups = columnGroups(grid);
    const int rows = grid.rowCount();
    for (int r = 0; r < rows; ++r) {
        out.markup(TableOpening).end();
        for (const ColumnGroup &group : groups) {
            out.encoded(group.headings);
            for (int c = group.first; c < group.first + group.count; ++c)
                out.markup(QLatin1StringView("<td>")).value(cell(grid, r, c)).markup(QLatin1StringView("</td>")).endWithBreak();
            out.markup(QLatin1StringView("</tr>")).endWithBreak();
        }
        out.markup(QLatin1StringView("</table>")).endWithBreak();
        out.markup(QLatin1StringView("<br>")).end();
        out.markup(QLatin1StringView("<b>ID = ")).value(cell(grid, r, 0)).markup(QLatin1StringView("</b></td>")).endWithBreak();
        out.markup(QLatin1StringView("<hr>")).end();
    }
    closing(out);
    return out.take();
}

std::optional<QByteArray> reportHistoryAndNotes(const QAbstractItemModel &grid, HistNotesKind kind, const QString &name, qint64 id,
                                                const QDate &today)
{
    const int rows = grid.rowCount();
    if (rows == 0)
        return std::nullopt;
    ReportText out;
    const QString title = QStringLiteral("<h1>") + (kind == HistoryReportKind ? QStringLiteral("History for ") : QStringLiteral("Notes for "))
        + htmlEscape(name) + QStringLiteral("as of ") + DateText::format(today) + QStringLiteral(", ID =")
        + QString::number(id) + QStringLiteral("</h1>");
    opening(out, title);
    out.markup(QLatin1StringView("<table border=0 cellpadding=0 cellspacing=0 width=600>")).end();
    for (int r = 0; r < rows; ++r) {
        out.markup(QLatin1StringView("<tr>")).endWithBreak();
        for (int c = 0; c < 2; ++c)
            out.markup(QLatin1StringView("<td><b>")).value(cell(grid, r, c)).markup(QLatin1StringView("</b></td>")).endWithBreak();
        out.markup(QLatin1StringView("</tr>")).endWithBreak();
    }
    out.markup(QLatin1StringView("</table>")).endWithBreak();
    closing(out);
    return out.take();
}

CompaniesReport reportCompanies(Database &database, const QDate &today)
{
    CompaniesReport report;
    ReportText out;
    opening(out, QStringLiteral("<h1>Companies Report as of ") + DateText::format(today) + QStringLiteral("</h1>"));
    const QVector<CompanyRecord> companies = loadCompanies(database);
    report.hasCompanies = !companies.isEmpty();
    if (report.hasCompanies) {
        for (const CompanyRecord &company : companies) {
            out.markup(QLatin1StringView("<b>Company:</b> ")).value(company.fields[CompanyBox::Name]).endWithBreak();
            companyLines(out, company);
            out.markup(QLatin1StringView("<hr> ")).end();
        }
        closing(out);
    }
    report.bytes = out.take();
    return report;
}

std::optional<QByteArray> reportAlarms(Database &database, AlarmReportKind kind, const QVector<AlarmRow> &alarms,
                                       const QDate &today)
{
    if (alarms.isEmpty())
        return std::nullopt;
    ReportText out;
    const char *title = kind == ServiceAlarmReport ? "<h1>Service Alarms as of "
        : kind == OrderAlarmReport                 ? "<h1>Order Alarms as of "
        : kind == AllAlarmReport                   ? "<h1>Service and Order Alarms as of "
                                                   : nullptr;
    opening(out, title ? QString::fromLatin1(title) + DateText::format(today) + QStringLiteral(" </h1>") : QString(),
            title != nullptr);
    const bool services = kind == ServiceAlarmReport || kind == AllAlarmReport;
    const bool orders = kind == OrderAlarmReport || kind == AllAlarmReport;
    for (const AlarmRow &alarm : alarms) {
        if (alarm.itemId == 0)
            continue;
        const bool service = services && alarm.kind == ServiceDue;
        const bool order = orders && alarm.kind == OrderDue;
        if (!service && !order)
            continue;
        SheetItem item;
        if (!readSheetItem(database, alarm.itemId, &item))
            continue; // the item is gone
        if (service)
            serviceBlock(out, database, alarm.itemId, item);
        else
            orderBlock(out, database, alarm.itemId, item);
    }
    return out.take();
}
