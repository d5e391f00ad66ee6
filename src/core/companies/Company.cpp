#include "Company.h"

#include "core/db/Recordset.h"
#include "core/platform/LineEnds.h"
#include "core/platform/Twips.h"
#include "core/platform/ValueOrder.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

const char *const FieldNames[CompanyBox::Count] = {
    "company",
    "Street1",
    "Street2",
    "city",
    "State",
    "zip",
    "phone1",
    "phone2",
    "email",
    "website",
    "notes",
    "contact",
};

constexpr int Backspace = 8;
constexpr int Del = 127;
constexpr int Gap = 200; // twips between the buttons and at the window's edge

QString selectList()
{
    QStringList names {QStringLiteral("ID")};
    for (const char *name : FieldNames)
        names << QString::fromLatin1(name);
    return names.join(QStringLiteral(", "));
}

// Column 0 is the ID, then the fields in box order; a Null field stays a null QString.
CompanyRecord readRecord(const Statement &row)
{
    CompanyRecord company;
    company.id = row.integer(0);
    for (int box = 0; box < CompanyBox::Count; ++box) {
        if (row.isNull(box + 1))
            continue;
        const QString text = row.text(box + 1);
        company.fields[box] = text.isNull() ? QStringLiteral("") : text;
    }
    return company;
}

} // namespace

QString companyAddressText(const CompanyRecord &company)
{
    const QString *f = company.fields;
    const QString lineBreak = QStringLiteral("\r\n");
    QString text = f[CompanyBox::Street1] + lineBreak;
    // Only a Street2 that is empty text is left out; Null is not "empty" here.
    const QString &street2 = f[CompanyBox::Street2];
    if (street2.isNull() || !street2.isEmpty())
        text += street2 + lineBreak;
    return text + f[CompanyBox::City] + QLatin1Char(' ') + f[CompanyBox::State] + QStringLiteral("  ")
        + f[CompanyBox::Zip];
}

QVector<CompanyRecord> loadCompanies(Database &db)
{
    Statement query(db, QStringLiteral("SELECT %1 FROM orderinfo ORDER BY ID").arg(selectList()));
    QVector<CompanyRecord> companies;
    while (query.next())
        companies << readRecord(query);
    std::stable_sort(companies.begin(), companies.end(), [](const CompanyRecord &a, const CompanyRecord &b) {
        return ValueOrder::compareText(a.fields[CompanyBox::Name], b.fields[CompanyBox::Name]) < 0;
    });
    return companies;
}

CompanyRecord loadCompany(Database &db, qint64 id)
{
    Statement query(db, QStringLiteral("SELECT %1 FROM orderinfo WHERE ID = ?").arg(selectList()));
    query.bind(1, id);
    return query.next() ? readRecord(query) : CompanyRecord {};
}

qint64 saveCompany(Database &db, qint64 id, const CompanyRecord &company)
{
    RowWriter row(db, QStringLiteral("orderinfo"));
    for (int box = 0; box < CompanyBox::Count; ++box) {
        // An empty box stores empty text, never Null.
        const QString &text = company.fields[box];
        row.set(QString::fromLatin1(FieldNames[box]), text.isNull() ? QStringLiteral("") : text);
    }
    if (id == 0)
        return row.insert();
    return row.update(id) ? id : 0;
}

int companyFieldLimit(int box)
{
    switch (box) {
    case CompanyBox::State:
    case CompanyBox::Zip:
    case CompanyBox::Phone1:
    case CompanyBox::Phone2:
        return 20;
    case CompanyBox::Notes:
        return 100;
    default:
        return 50;
    }
}

bool companyKeyAccepted(int box, const QString &text, int keyChar)
{
    if (keyChar == Backspace || keyChar == Del)
        return true;
    const qsizetype length = LineEnds::storedLength(text);
    if (keyChar == '\r') // a line break in the notes, stored as CR LF; nothing in the other boxes
        return box != CompanyBox::Notes || length + 2 <= companyFieldLimit(box);
    return length < companyFieldLimit(box);
}

const std::array<CompanyColumn, 8> &companyColumns()
{
    static const std::array<CompanyColumn, 8> columns = {{
        {"Name", "Acme Industrial Inc", 1.25},
        {"Address", "12345 Industrial Blvd", 1.5},
        {"Phone 1", "(555)-555-5555", 1.5},
        {"Phone 2", "(555)-555-5555", 1.5},
        {"E-mail", "sales@acmeindustrial.com", 1.25},
        {"Web Site", "www.acmeindustrial.com", 1.25},
        {"Contact", "John Q. Smith", 1.5},
        {"Notes", "Call before ordering parts", 1.5},
    }};
    return columns;
}

int companyColumnTwips(int column, int samplePixels)
{
    const CompanyColumn &sample = companyColumns().at(std::size_t(column));
    return int(std::lround(Twips::fromPixels(samplePixels) * sample.factor));
}

std::optional<CompanyLayout> companyLayout(int width, int height, int buttonWidth, int buttonHeight)
{
    CompanyLayout layout;
    layout.gridWidth = width - Gap;
    layout.gridHeight = height - 2 * buttonHeight - 300;
    layout.buttonTop = height - 2 * buttonHeight - Gap;
    layout.cancelLeft = width - Gap - buttonWidth;
    layout.editLeft = width - 2 * Gap - 2 * buttonWidth;
    layout.addLeft = width - 3 * Gap - 3 * buttonWidth;
    layout.selectLeft = width - 4 * Gap - 4 * buttonWidth;
    if (layout.gridWidth <= 0 || layout.gridHeight <= 0 || layout.selectLeft < 0)
        return std::nullopt;
    return layout;
}
