#include "ItemTransfer.h"

#include "ItemStore.h"
#include "RepParts.h"

#include "core/companies/Company.h"
#include "core/companies/CompanyStore.h"
#include "core/db/FieldTable.h"
#include "core/platform/CsvText.h"

#include <QHash>

namespace {

// By ItemTransfer::Extra: the heading and the company field it holds.
struct ExtraColumn {
    const char *heading;
    int companyBox;
};

const ExtraColumn Extras[ItemTransfer::ExtraCount] = {
    {"Order In Stock", -1},
    {"Company Street 1", CompanyBox::Street1},
    {"Company Street 2", CompanyBox::Street2},
    {"Company City", CompanyBox::City},
    {"Company State", CompanyBox::State},
    {"Company Zip", CompanyBox::Zip},
    {"Company Phone", CompanyBox::Phone1},
    {"Company Fax", CompanyBox::Phone2},
    {"Company E-mail", CompanyBox::Email},
    {"Company Web Site", CompanyBox::Website},
    {"Company Notes", CompanyBox::Notes},
    {"Company Contact", CompanyBox::Contact},
};

QString yesNo(const QVariant &flag)
{
    return flag.toLongLong() == 0 ? QStringLiteral("NO") : QStringLiteral("YES");
}

// A field of main as the file holds it.
QString fieldText(const FieldSpec &info, const QVariant &value)
{
    if (value.isNull())
        return QString();
    switch (info.cell) {
    case CellText::Stock: {
        const qint64 code = value.toLongLong();
        return code == 0 || code == 1 ? yesNo(value) : QString();
    }
    case CellText::YesNo:
        return yesNo(value);
    default:
        return value.toString(); // dates stay ISO, numbers decimal
    }
}

void appendRecord(QByteArray &out, const QStringList &cells)
{
    for (qsizetype c = 0; c < cells.size(); ++c) {
        if (c > 0)
            out += ',';
        out += Csv::field(cells.at(c));
    }
    out += "\r\n";
}

} // namespace

namespace ItemTransfer {

QString extraHeading(int extra)
{
    return extra >= 0 && extra < ExtraCount ? QString::fromLatin1(Extras[extra].heading) : QString();
}

int companyBoxOf(int extra)
{
    return extra >= 0 && extra < ExtraCount ? Extras[extra].companyBox : -1;
}

QStringList headings()
{
    QStringList all {QStringLiteral("ID")};
    for (int id = 0; id < Column::Count; ++id)
        all << QString::fromLatin1(FieldTable::column(id)->heading);
    for (int extra = 0; extra < ExtraCount; ++extra)
        all << extraHeading(extra);
    return all;
}

QByteArray itemsCsv(Database &database, int *items)
{
    QHash<qint64, CompanyRecord> companies;
    for (CompanyRecord &company : loadCompanies(database))
        companies.insert(company.id, std::move(company));
    QHash<qint64, QString> parts;
    forEachRepPartsText(database, QStringLiteral("\r\n"),
                        [&](qint64 id, QString &&text) { parts.insert(id, text.chopped(2)); });

    QByteArray out("\xEF\xBB\xBF");
    appendRecord(out, headings());
    QStringList cells;
    int written = 0;
    forEachStoredItem(database, [&](const StoredItem &item) {
        const CompanyRecord company = companies.value(item.companyId);
        cells.clear();
        cells << QString::number(item.id);
        for (int id = 0; id < Column::Count; ++id) {
            const FieldSpec &info = *FieldTable::column(id);
            if (info.kind == FieldKind::Parts)
                cells << parts.value(item.id);
            else if (info.kind == FieldKind::Company)
                cells << company.fields[CompanyBox::Name];
            else
                cells << fieldText(info, item.fields[std::size_t(id)]);
        }
        cells << yesNo(item.acks.inStock);
        for (int extra = CompanyStreet1; extra < ExtraCount; ++extra)
            cells << company.fields[companyBoxOf(extra)];
        appendRecord(out, cells);
        ++written;
    });
    if (items)
        *items = written;
    return out;
}

} // namespace ItemTransfer
