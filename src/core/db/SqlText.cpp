#include "SqlText.h"

namespace SqlText {

QString insertInto(const QString &table, const QStringList &columns)
{
    QStringList marks;
    marks.fill(QStringLiteral("?"), columns.size());
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

QString updateById(const QString &table, const QStringList &columns)
{
    return QStringLiteral("UPDATE %1 SET %2 = ? WHERE ID = ?").arg(table, columns.join(QStringLiteral(" = ?, ")));
}

} // namespace SqlText
