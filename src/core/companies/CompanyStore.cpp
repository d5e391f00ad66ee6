#include "CompanyStore.h"

#include "core/db/Database.h"
#include "core/db/SqlText.h"
#include "core/platform/ValueOrder.h"

#include <algorithm>

namespace {

// The columns of orderinfo in the order of the editor's boxes.
const QStringList &fieldColumns()
{
    static const QStringList columns = {
        QStringLiteral("company"),
        QStringLiteral("Street1"),
        QStringLiteral("Street2"),
        QStringLiteral("city"),
        QStringLiteral("State"),
        QStringLiteral("zip"),
        QStringLiteral("phone1"),
        QStringLiteral("phone2"),
        QStringLiteral("email"),
        QStringLiteral("website"),
        QStringLiteral("notes"),
        QStringLiteral("contact"),
    };
    return columns;
}

QString selectCompanies(const QString &rest)
{
    return QStringLiteral("SELECT ID, %1 FROM orderinfo ").arg(fieldColumns().join(QStringLiteral(", "))) + rest;
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

QVector<CompanyRecord> loadCompanies(Database &db)
{
    Statement query(db, selectCompanies(QStringLiteral("ORDER BY ID")));
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
    Statement query(db, selectCompanies(QStringLiteral("WHERE ID = ?")));
    query.bind(1, id);
    return query.next() ? readRecord(query) : CompanyRecord {};
}

qint64 saveCompany(Database &db, qint64 id, const CompanyRecord &company)
{
    QVariantList values;
    for (const QString &text : company.fields)
        values << (text.isNull() ? QStringLiteral("") : text); // an empty box stores empty text, never Null
    const QString table = QStringLiteral("orderinfo");
    if (id == 0) {
        Statement insert(db, SqlText::insertInto(table, fieldColumns()));
        insert.bindAll(values);
        return insert.insert();
    }
    Statement update(db, SqlText::updateById(table, fieldColumns()));
    update.bindAll(values << id);
    update.run();
    return update.changes() > 0 ? id : 0;
}

RowStamp companyStamp(Database &db, qint64 id)
{
    return RowStamp::read(db, QStringLiteral("SELECT * FROM orderinfo WHERE ID = ?"), {id});
}

SavedCompany saveCompanyChecked(Database &db, qint64 id, const CompanyRecord &company, const RowStamp &read)
{
    Transaction transaction(db);
    if (id != 0 && !read.stillHolds(db))
        return {loadCompany(db, id).id == 0 ? SaveOutcome::ItemGone : SaveOutcome::ChangedElsewhere};
    const qint64 saved = saveCompany(db, id, company);
    if (saved == 0)
        return {SaveOutcome::ItemGone};
    transaction.commit();
    return {SaveOutcome::Saved, saved};
}

QVector<CompanyName> loadCompanyNames(Database &db)
{
    Statement query(db, QStringLiteral("SELECT ID, company FROM orderinfo ORDER BY ID"));
    QVector<CompanyName> names;
    while (query.next())
        names.append({query.integer(0), query.text(1)});
    return names;
}
