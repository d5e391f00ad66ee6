#include "LookupQuery.h"

#include "Utility.h"

#include "platform/DateText.h"

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
    QString name = FieldName(field);
    if (name.isEmpty()) {
        lookup.error = QString::fromLatin1(NotFoundMessage);
        return lookup;
    }
    const FieldKind kind = fieldKind(field);
    QVariant bound = value;
    if (kind == FieldKind::Date) {
        const QDate date = DateText::parse(value);
        if (!date.isValid()) {
            lookup.error = QString::fromLatin1(DateFormMessage);
            return lookup;
        }
        bound = DateText::toIso(date);
    }

    const bool wildcard = value.contains(u'*');
    if (wildcard && kind != FieldKind::Text) {
        lookup.error = QStringLiteral("Cannot specify wildcards in a") + name + QStringLiteral(" lookup query");
        return lookup;
    }
    if (wildcard) {
        lookup.condition = name + QStringLiteral(" LIKE ? ESCAPE '\\'");
        lookup.value = likePattern(value);
        return lookup;
    }
    if (kind == FieldKind::Number) {
        bool isNumber = false;
        const qint64 number = value.trimmed().toLongLong(&isNumber);
        bound = isNumber ? QVariant(number) : QVariant(); // "= NULL" matches nothing
    }
    if (name == u"ID")
        name = QStringLiteral("main.ID");
    lookup.condition = name + QStringLiteral(" = ?");
    lookup.value = bound;
    return lookup;
}

QString itemListStatement(const QString &condition)
{
    // Both tables have an ID, so the columns are named.
    QString sql = QStringLiteral(
        "SELECT main.ID, main.manuID, Name, Tag, location, hazmat, part, serial, servicedate,"
        " servicewarn, DateServiced, servicedby, tools, dateinstalled, leadtime, serviceinterval,"
        " purchaseorder, company, replacestock, refmanuals, Locked, custom1, custom2, custom3,"
        " ackservice, ackorder FROM main, orderinfo WHERE ");
    if (!condition.isEmpty())
        sql += condition + QStringLiteral(" AND ");
    return sql + QStringLiteral("main.manuID = orderinfo.ID ORDER BY main.ID");
}
