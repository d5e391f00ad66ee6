#include "Recordset.h"

#include "DbError.h"

Recordset::Recordset(Database &database, const QString &sql, const QVariantList &values)
{
    Statement query(database, sql);
    query.bindAll(values);
    const int count = query.columnCount();
    for (int i = 0; i < count; ++i)
        m_columns << query.columnName(i);
    while (query.next()) {
        QVariantList row;
        row.reserve(count);
        for (int i = 0; i < count; ++i)
            row << query.value(i);
        m_rows << row;
    }
}

int Recordset::column(const QString &field) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw DbError(QStringLiteral("No field named %1").arg(field));
}

QVariant Recordset::value(const QString &field) const
{
    if (eof() || m_current < 0)
        throw DbError(QStringLiteral("No current row"));
    return m_rows.at(m_current).at(column(field));
}

QString Recordset::text(const QString &field) const
{
    return value(field).toString();
}

int Recordset::integer(const QString &field) const
{
    return value(field).toInt();
}

qint64 Recordset::id(const QString &field) const
{
    return value(field).toLongLong();
}

bool Recordset::isNull(const QString &field) const
{
    return value(field).isNull();
}

RowWriter::RowWriter(Database &database, const QString &table)
    : m_db(database)
    , m_table(table)
{
}

RowWriter &RowWriter::set(const QString &field, const QVariant &value)
{
    m_fields << field;
    m_values << value;
    return *this;
}

qint64 RowWriter::insert()
{
    QStringList marks;
    for (qsizetype i = 0; i < m_fields.size(); ++i)
        marks << QStringLiteral("?");
    Statement statement(m_db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(m_table, m_fields.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    statement.bindAll(m_values);
    statement.run();
    return m_db.lastInsertId();
}

bool RowWriter::update(qint64 id)
{
    QStringList assignments;
    for (const QString &field : std::as_const(m_fields))
        assignments << field + QStringLiteral(" = ?");
    Statement statement(m_db, QStringLiteral("UPDATE %1 SET %2 WHERE ID = %3").arg(m_table, assignments.join(QStringLiteral(", "))).arg(id));
    statement.bindAll(m_values);
    statement.run();
    return m_db.changes() > 0;
}

void execute(Database &database, const QString &sql, const QVariantList &values)
{
    Statement statement(database, sql);
    statement.bindAll(values);
    statement.run();
}
