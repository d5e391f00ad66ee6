#include "Utility.h"

#include <QFileInfo>

int numericKey(int keyCode)
{
    if (keyCode == 8 || keyCode == 127 || (keyCode >= '0' && keyCode <= '9'))
        return keyCode;
    return 0;
}

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

QString countedText(qint64 count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1StringView(count == 1 ? one : many));
}
