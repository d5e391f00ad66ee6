#pragma once

#include <QString>

class Database;

// The question asked before an item goes.
QString deleteItemQuestion(qint64 itemId);

// Deletes an item with its history, notes and replacement parts: the four statements in this
// order inside one transaction, so that a failure leaves nothing half deleted.
void deleteItem(Database &database, qint64 itemId);
