#include "ItemListStore.h"

#include "core/db/Database.h"
#include "core/db/FieldTable.h"
#include "core/db/SqlText.h"

#include <QStringList>

namespace {

// The column of the statement each column id is read from; the parts have none (-1). The
// statement has main.ID and main.manuID first, then every column but the parts.
struct StatementColumns {
    int of[Column::Count];
};

const StatementColumns &statementColumns()
{
    static const StatementColumns columns = [] {
        StatementColumns c;
        int next = 2;
        for (int id = 0; id < Column::Count; ++id)
            c.of[id] = FieldTable::column(id)->kind == FieldKind::Parts ? -1 : next++;
        return c;
    }();
    return columns;
}

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
            const FieldSpec &info = *FieldTable::column(id);
            if (info.kind != FieldKind::Parts)
                names << qualifiedColumn(info);
        }
        return names.join(QStringLiteral(", "));
    }();
    QString sql = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM main, orderinfo WHERE ");
    if (!condition.isEmpty())
        sql += condition + QStringLiteral(" AND ");
    return sql + QStringLiteral("main.manuID = orderinfo.ID ORDER BY main.ID");
}

} // namespace

qint64 ListedItem::id() const
{
    return m_row.integer(0);
}

qint64 ListedItem::companyId() const
{
    return m_row.integer(1);
}

bool ListedItem::readText(int columnId, QString *text) const
{
    return m_row.readText(statementColumns().of[columnId], text);
}

QByteArrayView ListedItem::isoDate(int columnId) const
{
    return m_row.bytes(statementColumns().of[columnId]);
}

qint64 ListedItem::number(int columnId) const
{
    return m_row.integer(statementColumns().of[columnId]);
}

void readListedItems(Database &database, const LookupCondition &lookup,
                     const std::function<void(const ListedItem &)> &take)
{
    Statement query(database, listStatement(conditionText(lookup)));
    if (lookup.match != LookupCondition::Match::All)
        query.bind(1, lookup.value);
    const ListedItem item(query);
    while (query.next())
        take(item);
}

QString itemListStatement()
{
    return listStatement(QString());
}
