#include "LookupQuery.h"

#include "core/db/FieldTable.h"
#include "core/platform/DateText.h"

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
    const QString name = QString::fromLatin1(info->name);
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
    lookup.field = field;
    if (wildcard) {
        lookup.match = LookupCondition::Match::TextLike;
        lookup.value = likePattern(value);
        return lookup;
    }
    if (info->lookup == LookupRule::Number) {
        bool isNumber = false;
        const qint64 number = value.trimmed().toLongLong(&isNumber);
        bound = isNumber ? QVariant(number) : QVariant(); // "= NULL" matches nothing
    }
    lookup.match = info->lookup == LookupRule::Text ? LookupCondition::Match::TextEqual : LookupCondition::Match::Equal;
    lookup.value = bound;
    return lookup;
}
