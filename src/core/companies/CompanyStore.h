#pragma once

#include "Company.h"

#include <QString>
#include <QVector>

class Database;

// The vendor companies in the table orderinfo: the only place with its SQL.

// Every company, ordered by name.
QVector<CompanyRecord> loadCompanies(Database &db);
// The company with this ID; id 0 in the result when there is none.
CompanyRecord loadCompany(Database &db, qint64 id);
// Writes the twelve fields as given (a Null field is stored as empty text): a new row when id
// is 0, else that row. Returns the company's ID, or 0 when the row to update is gone.
qint64 saveCompany(Database &db, qint64 id, const CompanyRecord &company);

// Every company's ID and name, in ID order.
struct CompanyName {
    qint64 id = 0;
    QString name;
};
QVector<CompanyName> loadCompanyNames(Database &db);
