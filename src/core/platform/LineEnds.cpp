#include "LineEnds.h"

namespace LineEnds {

QString toShown(const QString &stored)
{
    if (!stored.contains(u'\r'))
        return stored;
    return QString(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString unified(const QString &text)
{
    return toShown(text).replace(u'\r', u'\n');
}

QString toStored(const QString &shown)
{
    return toShown(shown).replace(u'\n', QStringLiteral("\r\n"));
}

qsizetype storedLength(QStringView shown)
{
    qsizetype length = shown.size();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        // A lone "\n" grows into "\r\n"; a stored "\r\n" is two already.
        if (shown[i] == u'\n' && (i == 0 || shown[i - 1] != u'\r'))
            ++length;
    }
    return length;
}

} // namespace LineEnds
