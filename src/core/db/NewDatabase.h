#pragma once

#include <QDate>
#include <QString>

// Writes a new database file: the schema, the column rows and the settings row, and with
// sample the demo data. Refuses to overwrite an existing file.
bool createDatabaseFile(const QString &path, bool sample, const QDate &today, QString *error);
