#include "ItemDelete.h"

#include "data/Database.h"
#include "data/DatabaseADO.h"

QString deleteItemQuestion(int itemId)
{
    return QStringLiteral("All data for this record (ID = %1) will be deleted permanently").arg(itemId);
}

void deleteItem(Database &database, int itemId)
{
    Transaction transaction(database);
    for (const char *table : {"main", "history", "notes", "repparts"})
        Execute(database, QStringLiteral("DELETE FROM %1 where ID = %2").arg(QLatin1String(table)).arg(itemId));
    transaction.commit();
}
