#pragma once

#include <QDate>

class Database;

// Data for the demo database and the benchmark.
namespace SampleData {

// A realistic plant: a dozen vendors, a few dozen items with parts, history and notes, some
// due soon and some overdue, all relative to today.
void addDemo(Database &db, const QDate &today);

// Many generated items (the benchmark): the given number of items, vendors and parts per item.
void addBulk(Database &db, int items, int vendors, int partsPerItem, const QDate &today);

} // namespace SampleData
