#pragma once

#include "Company.h"

#include "core/db/RowStamp.h"

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

// The company's row as the editor reads it when it opens, for its save to compare with.
RowStamp companyStamp(Database &db, qint64 id);

struct SavedCompany {
    SaveOutcome outcome = SaveOutcome::Saved;
    qint64 id = 0; // the company's ID once saved
};
// The editor's save: a new company, or the edited one only while its row still holds what
// `read` found; otherwise nothing is written (another program's change stands).
SavedCompany saveCompanyChecked(Database &db, qint64 id, const CompanyRecord &company, const RowStamp &read);

// Every company's ID and name, in ID order.
struct CompanyName {
    qint64 id = 0;
    QString name;
};
QVector<CompanyName> loadCompanyNames(Database &db);
