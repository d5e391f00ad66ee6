#include "CsvImport.h"

#include "ItemStore.h"

#include "core/companies/CompanyStore.h"
#include "core/db/Database.h"
#include "core/platform/Clock.h"
#include "core/platform/DateText.h"
#include "core/platform/LineEnds.h"
#include "core/records/History.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

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

void readStock(ImportRow &row, const QString &label, const QString &cell)
{
    const QString answer = cell.trimmed().toUpper();
    if (answer.isEmpty())
        row.form.stocked = -1;
    else if (answer == u"NO" || answer == u"YES")
        row.form.stocked = answer == u"YES" ? 1 : 0;
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

void readCell(ImportRow &row, int id, const QString &label, const QString &cell,
              const QHash<QString, qint64> &directory)
{
    const FieldSpec &info = *FieldTable::column(id);
    switch (info.kind) {
    case FieldKind::Parts:
        return readParts(row, label, cell);
    case FieldKind::Flag:
        return readStock(row, label, cell);
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
    case FieldKind::Date: {
        // The short form as the list shows it, or ISO as spreadsheets may write it; anything
        // else stays as it is for the editor's checks to name.
        const QString text = cell.trimmed();
        const QDate iso = DateText::fromIso(text);
        row.form[id] = iso.isValid() ? DateText::format(iso) : text;
        return;
    }
    case FieldKind::Text: {
        row.form[id] = LineEnds::unified(cell);
        const int limit = ItemBox::lengthLimit(id);
        if (LineEnds::storedLength(row.form[id]) > limit)
            row.problems << label + QStringLiteral(": longer than %1 characters").arg(limit);
        return;
    }
    }
}

ImportRow readRecord(const QStringList &record, const ImportPreview &preview,
                     const QHash<QString, qint64> &directory, const QDate &today)
{
    ImportRow row;
    for (qsizetype c = 0; c < record.size(); ++c) {
        const QString &cell = record.at(c);
        if (c >= preview.columns.size()) {
            if (!cell.isEmpty()) {
                row.notes << QStringLiteral("Values past the last column are not imported");
                break;
            }
            continue;
        }
        const int id = preview.columns.at(c);
        const QString &label = preview.headings.at(c);
        if (id == UnknownColumn && !cell.isEmpty())
            row.notes << QStringLiteral("Column %1 is not imported").arg(quoted(label));
        // A new item gets a new ID, and the editor clears the acknowledgements.
        if (id >= 0 && id < ItemBox::Count)
            readCell(row, id, label, cell, directory);
    }
    // The editor's checks; a company still to be added counts as chosen, a past service date
    // as valid (the invalid day compares before every date).
    ItemForm checked = row.form;
    if (row.newCompany)
        checked.companyId = std::numeric_limits<qint64>::max();
    const ItemCheck check = checkItem(checked, QDate());
    if (!check.canSave)
        row.problems << check.messages.last();
    else if (const QDate service = DateText::parse(row.form[Column::ServiceDate]); service.isValid() && service < today)
        row.notes << QStringLiteral("The service date has passed");
    if (row.newCompany)
        row.notes << QStringLiteral("The company %1 will be added to the directory").arg(quoted(row.form.companyName));
    return row;
}

QHash<QString, qint64> companyDirectory(Database &database)
{
    QHash<QString, qint64> directory;
    for (const CompanyName &company : loadCompanyNames(database))
        directory.insert(fold(company.name), company.id); // the first of equal names wins
    return directory;
}

} // namespace

bool parseCsv(const QByteArray &bytes, QVector<QStringList> *records, QString *error)
{
    QByteArrayView data(bytes);
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(data);
    if (decoder.hasError() || data.contains('\0')) {
        *error = QStringLiteral("This file is not a CSV text in UTF-8");
        return false;
    }
    records->clear();
    QStringList record;
    QString field;
    bool inQuotes = false;
    int quoteRecord = 0;
    auto endRecord = [&] {
        record << field;
        field.clear();
        if (record.size() > 1 || !record.first().isEmpty())
            records->append(record);
        record.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        if (inQuotes) {
            if (c != u'"')
                field += c;
            else if (next == u'"')
                field += text.at(++i);
            else
                inQuotes = false;
        } else if (c == u'"' && field.isEmpty()) {
            inQuotes = true;
            quoteRecord = int(records->size()) + 1;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && next == u'\n')
                ++i;
            endRecord();
        } else {
            field += c;
        }
    }
    if (inQuotes) {
        *error = QStringLiteral("A quoted value that begins in record %1 is never closed").arg(quoteRecord);
        return false;
    }
    if (!field.isEmpty() || !record.isEmpty())
        endRecord();
    return true;
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
    QVector<QStringList> records;
    if (!parseCsv(bytes, &records, &preview.error))
        return preview;
    if (records.size() < 2) {
        preview.error = records.isEmpty() ? QStringLiteral("The file is empty")
                                          : QStringLiteral("The file holds a heading row but no items");
        return preview;
    }
    preview.headings = records.first();
    preview.columns = importColumns(preview.headings, layout);
    if (!preview.columns.contains(Column::Name)) {
        preview.error = QStringLiteral("The file has no column of item names; its first line must hold the item list's headings");
        return preview;
    }
    const QHash<QString, qint64> directory = companyDirectory(database);
    const QDate today = Clock::today();
    QSet<QString> newNames;
    preview.rows.reserve(records.size() - 1);
    for (qsizetype r = 1; r < records.size(); ++r) {
        ImportRow row = readRecord(records.at(r), preview, directory, today);
        row.record = int(r) + 1;
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
    QHash<QString, qint64> added;
    for (const QString &name : preview.newCompanies) {
        CompanyRecord company;
        company.fields[CompanyBox::Name] = name;
        added.insert(fold(name), saveCompany(database, 0, company));
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
        writeItemForm(database, form, std::nullopt, RowStamp(), row.parts, history);
    }
    transaction.commit();
    return int(preview.rows.size());
}
