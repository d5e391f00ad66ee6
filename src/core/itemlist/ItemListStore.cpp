#include "ItemListStore.h"

#include "core/db/Database.h"
#include "core/db/FieldTable.h"
#include "core/db/SqlText.h"

#include <QStringList>

namespace {

// A field's column in the joined tables: the company's name is orderinfo's, the rest main's.
QString qualifiedColumn(const FieldSpec &info)
{
    return (info.kind == FieldKind::Company ? QStringLiteral("orderinfo.") : QStringLiteral("main."))
        + QString::fromLatin1(info.sql);
}

QString conditionText(const LookupCondition &lookup)
{
    using Match = LookupCondition::Match;
    if (lookup.match == Match::All)
        return QString();
    const QString column = qualifiedColumn(*FieldTable::field(lookup.field));
    switch (lookup.match) {
    case Match::TextLike: return SqlText::SqliteOnly::foldedLike(column);
    case Match::TextEqual: return SqlText::SqliteOnly::foldedEquals(column);
    default: return column + QStringLiteral(" = ?");
    }
}

QString listStatement(const QString &condition)
{
    static const QString columns = [] {
        QStringList names = {QStringLiteral("main.ID"), QStringLiteral("main.manuID")};
        for (int id = 0; id < Column::Count; ++id) {
            if (id != Column::RepParts)
                names << qualifiedColumn(*FieldTable::column(id));
        }
        return names.join(QStringLiteral(", "));
    }();
    QString sql = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM main, orderinfo WHERE ");
    if (!condition.isEmpty())
        sql += condition + QStringLiteral(" AND ");
    return sql + QStringLiteral("main.manuID = orderinfo.ID ORDER BY main.ID");
}

} // namespace

ListedItems::ListedItems(Database &database, const LookupCondition &lookup)
    : m_query(database, listStatement(conditionText(lookup)))
{
    if (lookup.match != LookupCondition::Match::All)
        m_query.bind(1, lookup.value);
}

QString itemListStatement()
{
    return listStatement(QString());
}
