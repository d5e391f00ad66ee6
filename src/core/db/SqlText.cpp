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

namespace SqliteOnly {

QString addDays(const QString &date, const QString &days)
{
    return QStringLiteral("date(%1, printf('%+d days', %2))").arg(date, days);
}

QString foldedEquals(const QString &column)
{
    return QStringLiteral("fold(%1) = fold(?)").arg(column);
}

QString foldedLike(const QString &column)
{
    return QStringLiteral("fold(%1) LIKE fold(?) ESCAPE '\\'").arg(column);
}

QString caseless(const QString &column)
{
    return column + QStringLiteral(" COLLATE NOCASE");
}

QString insertionOrder()
{
    return QStringLiteral("rowid");
}

} // namespace SqliteOnly

} // namespace SqlText
