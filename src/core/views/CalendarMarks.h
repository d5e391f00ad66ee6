#pragma once

#include <QDate>
#include <QMap>
#include <QStringList>

class Database;

// What the calendar window marks on the days of a month.
struct DayMarks {
    QStringList services; // items whose service date is the day, by name
    QStringList orders; // items whose parts should be ordered that day (service date less lead time)
};

// The marked days of one month; days without a mark are not in the map.
QMap<QDate, DayMarks> monthMarks(Database &database, int year, int month);

// The tooltip of a marked day: one line per item, "Service: " or "Order parts: " and its name;
// past a screenful, how many more there are.
QString dayMarksToolTip(const DayMarks &marks);
