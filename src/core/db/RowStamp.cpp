#include "RowStamp.h"

#include "Database.h"

namespace {

QVariantList readAll(Database &database, const QString &sql, const QVariantList &values)
{
    Statement query(database, sql);
    query.bindAll(values);
    QVariantList all;
    while (query.next()) {
        for (int c = 0; c < query.columnCount(); ++c)
            all << query.value(c);
    }
    return all;
}

} // namespace

RowStamp RowStamp::read(Database &database, const QString &sql, const QVariantList &values)
{
    RowStamp stamp;
    stamp.m_sql = sql;
    stamp.m_binds = values;
    stamp.m_values = readAll(database, sql, values);
    return stamp;
}

bool RowStamp::stillHolds(Database &database) const
{
    // On the server the re-read locks the rows it reads until the save's transaction ends: a
    // second save of the same rows waits here, then reads what the first one wrote.
    return m_sql.isEmpty() || readAll(database, m_sql + database.dialect().lockingRead(), m_binds) == m_values;
}

bool RowStamp::readsSame(Database &database) const
{
    return m_sql.isEmpty() || readAll(database, m_sql, m_binds) == m_values;
}
