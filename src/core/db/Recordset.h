#pragma once

#include "Database.h"

#include <QString>
#include <QVariant>
#include <QVector>

// The small result sets the stores read and write with.

// A listing: a read-only snapshot of the rows of a query, with a current row.
class Recordset
{
public:
    Recordset(Database &database, const QString &sql, const QVariantList &values = {});

    bool isEmpty() const { return m_rows.isEmpty(); }
    bool eof() const { return m_current >= m_rows.size(); }
    void moveFirst() { m_current = 0; }
    void moveNext() { ++m_current; }

    QVariant value(const QString &field) const;
    QString text(const QString &field) const; // Null gives empty text
    int integer(const QString &field) const; // Null gives 0
    qint64 id(const QString &field) const; // an ID (64 bits); Null gives 0
    bool isNull(const QString &field) const;

private:
    int column(const QString &field) const;

    QStringList m_columns;
    QVector<QVariantList> m_rows;
    qsizetype m_current = 0;
};

// Editing: one row of a table written field by field, in the order the fields are set,
// then added (giving the new row's ID) or updated by ID.
class RowWriter
{
public:
    RowWriter(Database &database, const QString &table);

    RowWriter &set(const QString &field, const QVariant &value);

    // Adds the row and returns the ID the database gave it.
    qint64 insert();
    // Updates the row with this ID; false when there is no such row.
    bool update(qint64 id);

private:
    Database &m_db;
    QString m_table;
    QStringList m_fields;
    QVariantList m_values;
};

// Runs a statement without a result (DELETE). Numbers the program owns may be appended.
void execute(Database &database, const QString &sql, const QVariantList &values = {});
