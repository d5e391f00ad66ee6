#include "DisplayText.h"

#include "core/db/FieldTable.h"

QString allDisplayText()
{
    return QStringLiteral("Display Mode: All");
}

QString emptyLookupDisplayText()
{
    return QStringLiteral("Display Mode: Lookup");
}

QString lookupDisplayText(int field, const QString &value)
{
    return QStringLiteral("Display Mode: Lookup, ") + fieldName(field) + QStringLiteral("= \"") + value
        + QStringLiteral("\"");
}
