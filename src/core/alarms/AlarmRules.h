#pragma once

#include <QDate>
#include <QString>
#include <QVector>

class Database;

// The service and order alarm rules.

enum AlarmKind : int {
    ServiceDue = 0, // within the warning period, not yet past
    OrderDue = 1, // within the lead time, not yet past the service date
    PastServiceDate = 2, // past the service date, service or order not acknowledged
};

struct AlarmRow {
    AlarmKind kind = ServiceDue;
    qint64 itemId = 0;
    QString text; // as the alarm window shows it; the service row has two lines (CR LF)
};

// Every pending alarm of the items that have a company, by service date (items of one date by
// ID), for each item the service row before the order row. The switches are the settings'
// alservicedisabled and alorderdisabled, each on at 1.
QVector<AlarmRow> evaluateAlarms(Database &database, int serviceSwitch, int orderSwitch, const QDate &today);
