#pragma once

#include <QString>

// The question asked before an item goes (the item store's deleteItem deletes it).
QString deleteItemQuestion(qint64 itemId);
