#include "CsvImport.h"

#include "ItemTransfer.h"

#include "core/companies/CompanyStore.h"
#include "core/db/Database.h"
#include "core/platform/Clock.h"
#include "core/platform/CsvText.h"
#include "core/platform/DateText.h"
#include "core/platform/LineEnds.h"
#include "core/records/History.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <limits>

namespace {

QString fold(const QString &text)
{
    return text.trimmed().toCaseFolded();
}

// A value as a message quotes it: its first line, cut short.
QString quoted(const QString &value)
{
    constexpr qsizetype Most = 30;
    const QString line = value.section(u'\n', 0, 0);
    const bool cut = line.size() > Most || line.size() < value.size();
    return u'"' + line.left(Most) + (cut ? QStringLiteral("...") : QString()) + u'"';
}

bool allDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isTransferColumn(int column)
{
    return column >= TransferColumnBase && column < transferColumn(ItemTransfer::ExtraCount);
}

bool isImported(int column)
{
    return Column::isValid(column) || isTransferColumn(column);
}

// The columns the alarms need, and what their absence means.
struct AlarmColumn {
    Column::Id id;
    const char *warning;
};

const AlarmColumn AlarmColumns[] = {
    {Column::ServiceDate, "No Service Date column: the items will raise no alarms until one is set"},
    {Column::ServiceInterval, "No Service Interval column: the items will raise no service alarms until one is set"},
    {Column::ServiceWarn, "No Service Warning column: the items will raise no service alarms until one is set"},
    {Column::LeadTime, "No Lead Time column: the items will raise no order alarms until one is set"},
};

void readParts(ImportRow &row, const QString &label, const QString &cell)
{
    constexpr qsizetype Limit = 50;
    for (const QString &line : LineEnds::unified(cell).split(u'\n')) {
        if (line.trimmed().isEmpty())
            continue;
        // The list writes each part as name + " / " + number.
        const qsizetype at = line.lastIndexOf(QStringLiteral(" / "));
        const RepPart part = at < 0 ? RepPart {line, QString()} : RepPart {line.left(at), line.mid(at + 3)};
        if (part.name.isEmpty())
            row.problems << label + QStringLiteral(": a part without a name");
        else if (part.name.size() > Limit || part.number.size() > Limit)
            row.problems << label + QStringLiteral(": %1 is longer than %2 characters").arg(quoted(line)).arg(Limit);
        row.parts << part;
    }
}

// YES, NO or nothing: 1, 0 or `empty`.
void readYesNo(ImportRow &row, const QString &label, const QString &cell, int empty, int *flag)
{
    const QString answer = cell.trimmed().toUpper();
    if (answer.isEmpty())
        *flag = empty;
    else if (answer == u"NO" || answer == u"YES")
        *flag = answer == u"YES" ? 1 : 0;
    else
        row.problems << label + QStringLiteral(": %1 is neither YES nor NO").arg(quoted(cell));
}

void readCompany(ImportRow &row, const QString &label, const QString &cell, const QHash<QString, qint64> &directory)
{
    const qsizetype Limit = companyFieldLimit(CompanyBox::Name); // as the company editor takes it
    row.form.companyName = cell;
    if (cell.size() > Limit) {
        row.problems << label + QStringLiteral(": longer than %1 characters").arg(Limit);
        return;
    }
    row.form.companyId = directory.value(fold(cell));
    row.newCompany = !cell.isEmpty() && row.form.companyId == 0;
}

void readCompanyDetail(ImportRow &row, int box, const QString &label, const QString &cell)
{
    const QString text = box == CompanyBox::Notes ? LineEnds::toStored(LineEnds::unified(cell)) : cell;
    if (text.size() > companyFieldLimit(box))
        row.problems << label + QStringLiteral(": longer than %1 characters").arg(companyFieldLimit(box));
    row.company.fields[box] = text;
}

void readDate(ImportRow &row, int id, const QString &label, const QString &cell)
{
    // Previewed as it will be stored: a two-digit or ISO year shows in the short form.
    const QString text = cell.trimmed();
    QDate date = DateText::parse(text);
    if (!date.isValid())
        date = DateText::fromIso(text);
    row.form[id] = date.isValid() ? DateText::format(date) : text;
    if (!text.isEmpty() && !date.isValid())
        row.problems << label + QStringLiteral(": %1 is not a date; dates are read as %2").arg(quoted(cell), importDateForms());
}

void readItemCell(ImportRow &row, int id, const QString &label, const QString &cell,
                  const QHash<QString, qint64> &directory)
{
    const FieldSpec &info = *FieldTable::column(id);
    switch (info.kind) {
    case FieldKind::Parts:
        return readParts(row, label, cell);
    case FieldKind::Flag:
        if (id == Column::ReplaceStock)
            return readYesNo(row, label, cell, -1, &row.form.stocked);
        return readYesNo(row, label, cell, 0, id == Column::AckService ? &row.acks.service : &row.acks.order);
    case FieldKind::Company:
        return readCompany(row, label, cell, directory);
    case FieldKind::Number: {
        // As many digits as the editor's box takes.
        const QString days = cell.trimmed();
        const int digits = ItemBox::lengthLimit(id);
        if (!days.isEmpty() && (days.size() > digits || !allDigits(days)))
            row.problems << label + QStringLiteral(": %1 is not a number from 0 to %2").arg(quoted(cell), QString(digits, u'9'));
        row.form[id] = days;
        return;
    }
    case FieldKind::Date:
        return readDate(row, id, label, cell);
    case FieldKind::Text: {
        row.form[id] = LineEnds::unified(cell);
        const int limit = ItemBox::lengthLimit(id);
        if (LineEnds::storedLength(row.form[id]) > limit)
            row.problems << label + QStringLiteral(": longer than %1 characters").arg(limit);
        return;
    }
    }
}

void readCell(ImportRow &row, int column, const QString &label, const QString &cell,
              const QHash<QString, qint64> &directory)
{
    if (Column::isValid(column))
        return readItemCell(row, column, label, cell, directory);
    const int extra = column - TransferColumnBase;
    if (extra == ItemTransfer::OrderInStock)
        return readYesNo(row, label, cell, 0, &row.acks.inStock);
    if (const int box = ItemTransfer::companyBoxOf(extra); box >= 0)
        readCompanyDetail(row, box, label, cell);
}

// The editor's checks; a company still to be added counts as chosen, a past service date as
// valid (the invalid day compares before every date), a date that is none is named already.
void checkRow(ImportRow &row, const QDate &today)
{
    ItemForm checked = row.form;
    if (row.newCompany)
        checked.companyId = std::numeric_limits<qint64>::max();
    for (const int id : {Column::ServiceDate, Column::DateServiced, Column::DateInstalled}) {
        if (!DateText::isDate(checked[id]))
            checked[id].clear();
    }
    const ItemCheck check = checkItem(checked, QDate());
    if (!check.canSave)
        row.problems << check.messages.last();
    else if (const QDate service = DateText::parse(row.form[Column::ServiceDate]); service.isValid() && service < today)
        row.notes << QStringLiteral("The service date has passed");
}

ImportRow readRecord(const Csv::Record &record, const ImportPreview &preview,
                     const QHash<QString, qint64> &directory, const QDate &today)
{
    ImportRow row;
    row.line = record.line;
    for (qsizetype c = 0; c < record.fields.size(); ++c) {
        const QString &cell = record.fields.at(c);
        if (c >= preview.columns.size()) {
            if (!cell.isEmpty()) {
                row.notes << QStringLiteral("Values past the last column are not imported");
                break;
            }
            continue;
        }
        const int column = preview.columns.at(c);
        const QString &label = preview.headings.at(c);
        if (column == UnknownColumn && !cell.isEmpty())
            row.notes << QStringLiteral("Column %1 is not imported").arg(quoted(label));
        if (isImported(column))
            readCell(row, column, label, cell, directory);
    }
    row.company.fields[CompanyBox::Name] = row.form.companyName;
    checkRow(row, today);
    if (row.newCompany)
        row.notes << QStringLiteral("The company %1 will be added to the directory").arg(quoted(row.form.companyName));
    return row;
}

QHash<QString, qint64> companyDirectory(Database &database)
{
    QHash<QString, qint64> directory;
    for (const CompanyName &company : loadCompanyNames(database)) {
        // The first of equal names wins.
        const QString name = fold(company.name);
        if (!directory.contains(name) || company.id < directory.value(name))
            directory.insert(name, company.id);
    }
    return directory;
}

// Which headings are read and which are not, and what the alarms miss.
void describeColumns(ImportPreview &preview)
{
    for (qsizetype c = 0; c < preview.headings.size(); ++c)
        (isImported(preview.columns.at(c)) ? preview.readHeadings : preview.ignoredHeadings) << preview.headings.at(c);
    for (const AlarmColumn &needed : AlarmColumns) {
        if (!preview.columns.contains(needed.id))
            preview.warnings << QString::fromLatin1(needed.warning);
    }
}

} // namespace

QString importDateForms()
{
    const QDate sample(2026, 12, 31);
    QString twoDigits = DateText::pattern();
    twoDigits.replace(QStringLiteral("yyyy"), QStringLiteral("yy"));
    return QStringLiteral("%1, %2 or %3")
        .arg(DateText::format(sample), QLocale::c().toString(sample, twoDigits), DateText::toIso(sample));
}

QVector<int> importColumns(const QStringList &headings, const ColumnLayout &layout)
{
    QHash<QString, int> byHeading;
    auto add = [&](const QString &heading, int id) {
        if (!byHeading.contains(fold(heading)))
            byHeading.insert(fold(heading), id);
    };
    add(QStringLiteral("ID"), IdColumn);
    for (const ColumnLayout::Shown &shown : layout.shown)
        add(shown.heading, shown.id);
    for (int id = 0; id < Column::Count; ++id)
        add(QString::fromLatin1(FieldTable::column(id)->heading), id);
    for (int extra = 0; extra < ItemTransfer::ExtraCount; ++extra)
        add(ItemTransfer::extraHeading(extra), transferColumn(extra));

    QVector<int> columns;
    QSet<int> seen;
    for (const QString &heading : headings) {
        int id = byHeading.value(fold(heading), UnknownColumn);
        if (seen.contains(id))
            id = UnknownColumn;
        seen.insert(id);
        columns << id;
    }
    return columns;
}

ImportPreview previewImport(Database &database, const QByteArray &bytes, const ColumnLayout &layout)
{
    ImportPreview preview;
    QVector<Csv::Record> records;
    if (!Csv::parse(bytes, &records, &preview.error))
        return preview;
    if (records.size() < 2) {
        preview.error = records.isEmpty() ? QStringLiteral("The file is empty")
                                          : QStringLiteral("The file holds a heading row but no items");
        return preview;
    }
    preview.headings = records.first().fields;
    preview.columns = importColumns(preview.headings, layout);
    if (!preview.columns.contains(Column::Name)) {
        preview.error = QStringLiteral("The file has no column of item names; its first line must hold the item list's headings");
        return preview;
    }
    describeColumns(preview);
    const QHash<QString, qint64> directory = companyDirectory(database);
    const QDate today = Clock::today();
    QSet<QString> newNames;
    preview.rows.reserve(records.size() - 1);
    for (qsizetype r = 1; r < records.size(); ++r) {
        ImportRow row = readRecord(records.at(r), preview, directory, today);
        if (row.newCompany && !newNames.contains(fold(row.form.companyName))) {
            newNames.insert(fold(row.form.companyName));
            preview.newCompanies << row.form.companyName;
        }
        if (!row.problems.isEmpty())
            ++preview.problemRows;
        preview.rows.append(std::move(row));
    }
    return preview;
}

int importItems(Database &database, const ImportPreview &preview, bool withHistory)
{
    if (!preview.error.isEmpty() || preview.problemRows > 0)
        return 0;
    Transaction transaction(database);
    // A new company takes the details of the first row that names it.
    QHash<QString, qint64> added;
    for (const ImportRow &row : preview.rows) {
        const QString name = fold(row.form.companyName);
        if (row.newCompany && !added.contains(name))
            added.insert(name, saveCompany(database, 0, row.company));
    }
    for (const ImportRow &row : preview.rows) {
        ItemForm form = row.form;
        if (row.newCompany)
            form.companyId = added.value(fold(form.companyName));
        QStringList history;
        if (withHistory) {
            for (const HistoryRequest &request : newItemHistory(form))
                history << historyText(request.kind, request.text1, request.text2);
        }
        const SavedItem saved = writeItemForm(database, form, std::nullopt, RowStamp(), row.parts, history);
        if (row.acks != ItemAcks())
            setItemAcks(database, saved.id, row.acks);
    }
    transaction.commit();
    return int(preview.rows.size());
}
