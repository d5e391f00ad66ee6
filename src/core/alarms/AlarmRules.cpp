#include "AlarmRules.h"

#include "core/data/Database.h"
#include "core/platform/DateText.h"

#include <QLocale>

#include <algorithm>
#include <optional>

namespace {

struct Item {
    qint64 id = 0;
    QString name, location, company;
    QDate serviceDate; // invalid for Null or unreadable text
    // Null reads as "absent": a comparison with a Null field is false.
    std::optional<qint64> warn, lead, interval, ackService, ackOrder, ackInStock;
};

std::optional<qint64> number(const Statement &row, int column)
{
    return row.isNull(column) ? std::nullopt : std::optional<qint64>(row.integer(column));
}

QVector<Item> readItems(Database &database)
{
    Statement query(database, QStringLiteral(
        "SELECT main.ID, Name, location, company, servicedate, servicewarn, leadtime, serviceinterval,"
        " ackservice, ackorder, ackorderinstock FROM main, orderinfo WHERE main.manuID = orderinfo.ID"
        " ORDER BY main.ID"));
    QVector<Item> items;
    while (query.next()) {
        Item item;
        item.id = query.integer(0);
        item.name = query.text(1);
        item.location = query.text(2);
        item.company = query.text(3);
        item.serviceDate = DateText::fromIso(query.text(4));
        item.warn = number(query, 5);
        item.lead = number(query, 6);
        item.interval = number(query, 7);
        item.ackService = number(query, 8);
        item.ackOrder = number(query, 9);
        item.ackInStock = number(query, 10);
        items.append(item);
    }
    // By service date, Null first; items of one day keep their ID order.
    std::stable_sort(items.begin(), items.end(), [](const Item &a, const Item &b) {
        if (a.serviceDate.isValid() != b.serviceDate.isValid())
            return !a.serviceDate.isValid();
        return a.serviceDate < b.serviceDate;
    });
    return items;
}

bool is(const std::optional<qint64> &value, qint64 wanted)
{
    return value && *value == wanted;
}

bool isNot(const std::optional<qint64> &value, qint64 unwanted)
{
    return value && *value != unwanted;
}

// The short date form, worked out once for a whole evaluation.
struct DateFormat {
    QString pattern = DateText::pattern();
    QString operator()(const QDate &date) const { return QLocale::c().toString(date, pattern); }
};

void serviceRule(const Item &item, const QDate &today, const DateFormat &format, QVector<AlarmRow> &rows)
{
    if (!isNot(item.interval, 0) || !item.serviceDate.isValid() || !isNot(item.warn, 0) || !is(item.ackService, 0))
        return;
    const QString id = QString::number(item.id);
    if (today > item.serviceDate) {
        rows.append({PastServiceDate, item.id,
                     QStringLiteral("PAST SERVICE DATE: ") + item.name + QStringLiteral(" at ") + item.location
                         + QStringLiteral(" HAS NOT BEEN SERVICED (see details to edit) ID = ") + id});
    } else if (today >= item.serviceDate.addDays(-*item.warn)) {
        rows.append({ServiceDue, item.id,
                     QStringLiteral("SERVICE ") + item.name + QStringLiteral(" at ") + item.location
                         + QStringLiteral("\r\n by ") + format(item.serviceDate)
                         + QStringLiteral(".   ID = ") + id});
    }
}

void orderRule(const Item &item, const QDate &today, QVector<AlarmRow> &rows)
{
    if (!isNot(item.interval, 0) || !item.serviceDate.isValid() || !isNot(item.lead, 0) || !is(item.ackOrder, 0)
        || !is(item.ackInStock, 0))
        return;
    const QString id = QString::number(item.id);
    if (today > item.serviceDate) {
        rows.append({PastServiceDate, item.id,
                     QStringLiteral("PAST SERVICE DATE: Replacement part(s) for ") + item.name
                         + QStringLiteral(" HAVE NOT BEEN ORDERED (see details to edit) ID = ") + id});
    } else if (today >= item.serviceDate.addDays(-*item.lead)) {
        rows.append({OrderDue, item.id,
                     QStringLiteral("ORDER replacment part(s) from ") + item.company + QStringLiteral(" for ")
                         + item.name + QStringLiteral(".    ID = ") + id});
    }
}

} // namespace

QVector<AlarmRow> evaluateAlarms(Database &database, int serviceSwitch, int orderSwitch, const QDate &today)
{
    const DateFormat format;
    const QVector<Item> items = readItems(database);
    QVector<AlarmRow> rows;
    rows.reserve(2 * items.size());
    for (const Item &item : items) {
        if (serviceSwitch == 1)
            serviceRule(item, today, format, rows);
        if (orderSwitch == 1)
            orderRule(item, today, rows);
    }
    return rows;
}

bool RollServiceDate(Database &database, qint64 itemId)
{
    // Only the item's own fields decide; a service date that does not read as a day, or a move
    // that would give none, leaves the item as it is.
    Statement roll(database, QStringLiteral(
        "UPDATE main SET ackservice = 0, ackorder = 0, ackorderinstock = 0,"
        " servicedate = date(servicedate, printf('%+d days', serviceinterval))"
        " WHERE ID = ? AND servicedate IS NOT NULL AND serviceinterval <> 0"
        " AND date(servicedate, printf('%+d days', serviceinterval)) IS NOT NULL"
        " AND ((servicewarn = 0 AND leadtime <> 0 AND (ackorder = 1 OR ackorderinstock = 1))"
        "   OR (servicewarn <> 0 AND leadtime = 0 AND ackservice = 1)"
        "   OR (servicewarn <> 0 AND leadtime <> 0 AND ackservice = 1 AND (ackorder = 1 OR ackorderinstock = 1)))"));
    roll.bind(1, itemId);
    roll.run();
    return database.changes() > 0;
}
