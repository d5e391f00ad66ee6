#include "SqlDialect.h"

QString SqlDialect::addDays(const QString &date, const QString &days) const
{
    if (m_engine == Engine::SqlCipher)
        return QStringLiteral("date(%1, printf('%+d days', %2))").arg(date, days);
    // A server date reaches far beyond the year 9999, where the file's dates end: such a move
    // gives Null there too. The bounds are compared in days, so nothing overflows on the way.
    const QString day = QStringLiteral("CAST(%1 AS date)").arg(date);
    const QString count = QStringLiteral("CAST(%1 AS bigint)").arg(days);
    return QStringLiteral("CASE WHEN %2 BETWEEN DATE '0001-01-01' - %1 AND DATE '9999-12-31' - %1"
                          " THEN %1 + CAST(%2 AS integer) END")
        .arg(day, count);
}

QString SqlDialect::foldedEquals(const QString &column) const
{
    return QStringLiteral("fold(%1) = fold(?)").arg(column);
}

QString SqlDialect::foldedLike(const QString &column) const
{
    return QStringLiteral("fold(%1) LIKE fold(?) ESCAPE '\\'").arg(column);
}

QString SqlDialect::caseless(const QString &column) const
{
    // NOCASE folds A-Z only and compares bytes; lower() under the "C" collation does the same.
    if (m_engine == Engine::SqlCipher)
        return column + QStringLiteral(" COLLATE NOCASE");
    return QStringLiteral("lower(%1 COLLATE \"C\") COLLATE \"C\"").arg(column);
}

QString SqlDialect::ascending(const QString &term) const
{
    return m_engine == Engine::SqlCipher ? term : term + QStringLiteral(" NULLS FIRST");
}

QString SqlDialect::descending(const QString &term) const
{
    return term + (m_engine == Engine::SqlCipher ? QStringLiteral(" DESC") : QStringLiteral(" DESC NULLS LAST"));
}

QString SqlDialect::insertionOrder() const
{
    return m_engine == Engine::SqlCipher ? QStringLiteral("rowid") : QStringLiteral("seq");
}

QString SqlDialect::lockingRead() const
{
    return m_engine == Engine::SqlCipher ? QString() : QStringLiteral(" FOR UPDATE");
}

QString SqlDialect::returningId() const
{
    return m_engine == Engine::SqlCipher ? QString() : QStringLiteral(" RETURNING ID");
}

QString SqlDialect::beginWrite() const
{
    return m_engine == Engine::SqlCipher ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
}

QString SqlDialect::numberedPlaceholders(const QString &sql, int *count)
{
    QString out;
    out.reserve(sql.size() + 16);
    int highest = 0;
    const qsizetype size = sql.size();
    qsizetype i = 0;
    // Copies from `i` up to and including the closing `quote` ('' and "" stay inside).
    auto copyQuoted = [&](QChar quote) {
        out += sql.at(i++);
        while (i < size) {
            const QChar c = sql.at(i++);
            out += c;
            if (c == quote) {
                if (i < size && sql.at(i) == quote)
                    out += sql.at(i++);
                else
                    return;
            }
        }
    };
    auto copyUntil = [&](QStringView end) {
        const qsizetype stop = sql.indexOf(end, i);
        const qsizetype last = stop < 0 ? size : stop + end.size();
        out += QStringView(sql).mid(i, last - i);
        i = last;
    };
    while (i < size) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"') {
            copyQuoted(c);
        } else if (c == u'-' && i + 1 < size && sql.at(i + 1) == u'-') {
            copyUntil(u"\n");
        } else if (c == u'/' && i + 1 < size && sql.at(i + 1) == u'*') {
            copyUntil(u"*/");
        } else if (c == u'?') {
            qsizetype end = i + 1;
            while (end < size && sql.at(end) >= u'0' && sql.at(end) <= u'9')
                ++end;
            // A bare "?" takes the number after the highest so far, as SQLite numbers it.
            const int number = end > i + 1 ? QStringView(sql).mid(i + 1, end - i - 1).toInt() : highest + 1;
            highest = qMax(highest, number);
            out += u'$' + QString::number(number);
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    if (count)
        *count = highest;
    return out;
}
