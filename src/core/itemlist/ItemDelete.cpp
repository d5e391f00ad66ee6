#include "ItemDelete.h"

QString deleteItemQuestion(qint64 itemId)
{
    return QStringLiteral("All data for this record (ID = %1) will be deleted permanently").arg(itemId);
}
