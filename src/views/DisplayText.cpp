#include "DisplayText.h"

#include "shell/Utility.h"

QString lookupDisplayText(int field, const QString &value)
{
    return QStringLiteral("Display Mode: Lookup, ") + FieldName(field) + QStringLiteral("= \"") + value
        + QStringLiteral("\"");
}
