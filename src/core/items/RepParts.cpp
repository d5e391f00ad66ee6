#include "RepParts.h"

#include "core/platform/ValueOrder.h"

#include <algorithm>

void sortRepParts(QVector<RepPart> &parts)
{
    if (parts.size() > 1) {
        std::stable_sort(parts.begin(), parts.end(), [](const RepPart &a, const RepPart &b) {
            return ValueOrder::compareText(a.name, b.name) < 0;
        });
    }
}

QString joinRepParts(const QVector<RepPart> &parts, const QString &separator)
{
    qsizetype length = 0;
    for (const RepPart &part : parts)
        length += part.name.size() + part.number.size() + 3 + separator.size();
    QString text;
    text.reserve(length);
    for (const RepPart &part : parts) {
        text += part.name;
        text += QStringLiteral(" / ");
        text += part.number;
        text += separator;
    }
    return text;
}
