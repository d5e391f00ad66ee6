#include "LookupQuery.h"

#include "core/db/FieldTable.h"
#include "core/platform/DateText.h"

#include <QStringList>

namespace {

QString escapeLike(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_')
            escaped += u'\\';
        escaped += c;
    }
    return escaped;
}

// "pu*mp" -> "pu%"; "*wrench*x" -> "%wrench%".
QString likePattern(const QString &value)
{
    if (value.startsWith(u'*')) {
        const QString inner = value.mid(1).section(u'*', 0, 0);
        return QStringLiteral("%") + escapeLike(inner) + QStringLiteral("%");
    }
    return escapeLike(value.section(u'*', 0, 0)) + QStringLiteral("%");
}

} // namespace

LookupCondition buildLookup(int field, const QString &value)
{
    LookupCondition lookup;
    const FieldSpec *info = FieldTable::field(field);
    if (!info || info->kind == FieldKind::Parts) {
        lookup.error = QString::fromLatin1(NotFoundMessage);
        return lookup;
    }
    QString name = QString::fromLatin1(info->name);
    QVariant bound = value;
    if (info->lookup == LookupRule::Date) {
        const QDate date = DateText::parse(value);
        if (!date.isValid()) {
            lookup.error = QString::fromLatin1(DateFormMessage);
            return lookup;
        }
        bound = DateText::toIso(date);
    }

    const bool wildcard = value.contains(u'*');
    if (wildcard && info->lookup != LookupRule::Text) {
        lookup.error = QStringLiteral("Cannot specify wildcards in a") + name + QStringLiteral(" lookup query");
        return lookup;
    }
    if (wildcard) {
        lookup.condition = QStringLiteral("fold(%1) LIKE fold(?) ESCAPE '\\'").arg(name);
        lookup.value = likePattern(value);
        return lookup;
    }
    if (info->lookup == LookupRule::Number) {
        bool isNumber = false;
        const qint64 number = value.trimmed().toLongLong(&isNumber);
        bound = isNumber ? QVariant(number) : QVariant(); // "= NULL" matches nothing
    }
    if (field == Field::ID)
        name = QStringLiteral("main.ID"); // both joined tables have an ID
    lookup.condition = info->lookup == LookupRule::Text ? QStringLiteral("fold(%1) = fold(?)").arg(name)
                                                        : name + QStringLiteral(" = ?");
    lookup.value = bound;
    return lookup;
}

QString itemListStatement(const QString &condition)
{
    static const QString columns = [] {
        QStringList names = {QStringLiteral("main.ID"), QStringLiteral("main.manuID")};
        for (int id = 0; id < Column::Count; ++id) {
            const FieldSpec &info = *FieldTable::column(id);
            if (info.kind == FieldKind::Company)
                names << QStringLiteral("orderinfo.company");
            else if (info.kind != FieldKind::Parts)
                names << QStringLiteral("main.") + QString::fromLatin1(info.sql);
        }
        return names.join(QStringLiteral(", "));
    }();
    QString sql = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM main, orderinfo WHERE ");
    if (!condition.isEmpty())
        sql += condition + QStringLiteral(" AND ");
    return sql + QStringLiteral("main.manuID = orderinfo.ID ORDER BY main.ID");
}
