#include "ItemDelete.h"

#include "core/db/Database.h"
#include "core/db/Recordset.h"

QString deleteItemQuestion(qint64 itemId)
{
    return QStringLiteral("All data for this record (ID = %1) will be deleted permanently").arg(itemId);
}

void deleteItem(Database &database, qint64 itemId)
{
    Transaction transaction(database);
    for (const char *table : {"main", "history", "notes", "repparts"})
        execute(database, QStringLiteral("DELETE FROM %1 where ID = %2").arg(QLatin1String(table)).arg(itemId));
    transaction.commit();
}
