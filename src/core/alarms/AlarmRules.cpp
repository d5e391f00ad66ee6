#include "AlarmRules.h"

#include "core/db/Database.h"
#include "core/platform/DateText.h"

#include <QLocale>
#include <QStringBuilder>

#include <algorithm>
#include <optional>

namespace {

// The columns of the item query, in order.
enum Col { Id,
           ServiceDate,
           Warn,
           Lead,
           Interval,
           AckService,
           AckOrder,
           AckInStock,
           Name,
           Location,
           Company };

// Null reads as "absent": a comparison with a Null field is false.
std::optional<qint64> number(const Statement &row, int column)
{
    return row.isNull(column) ? std::nullopt : std::optional<qint64>(row.integer(column));
}

bool is(const std::optional<qint64> &value, qint64 wanted)
{
    return value && *value == wanted;
}

bool isNot(const std::optional<qint64> &value, qint64 unwanted)
{
    return value && *value != unwanted;
}

// The stored date: "yyyy-MM-dd" read straight from its bytes, anything else as the date
// routines read it. Invalid for Null or unreadable text.
QDate storedDate(const Statement &row, int column)
{
    const QByteArrayView iso = row.bytes(column);
    auto digits = [&](int from, int count) {
        int value = 0;
        for (int i = from; i < from + count; ++i) {
            if (iso[i] < '0' || iso[i] > '9')
                return -1;
            value = value * 10 + (iso[i] - '0');
        }
        return value;
    };
    if (iso.size() == 10 && iso[4] == '-' && iso[7] == '-') {
        const int year = digits(0, 4), month = digits(5, 2), day = digits(8, 2);
        if (year >= 0 && month >= 0 && day >= 0)
            return QDate(year, month, day); // invalid when it is no calendar day
    }
    return iso.isNull() ? QDate() : DateText::fromIso(row.text(column));
}

// The short date form, worked out once for a whole evaluation.
struct DateFormat {
    QString pattern = DateText::pattern();
    QString operator()(const QDate &date) const { return QLocale::c().toString(date, pattern); }
};

enum class Outcome { None,
                     Due,
                     Past };

// Which row a rule gives: none, the due row from `days` before the service date, or the
// past-date row from the day after it.
Outcome ruleOutcome(const QDate &serviceDate, qint64 days, const QDate &today)
{
    if (today > serviceDate)
        return Outcome::Past;
    return today >= serviceDate.addDays(-days) ? Outcome::Due : Outcome::None;
}

// The alarm rows of one item, for ordering the items by service date afterwards.
struct AlarmingItem {
    qint64 day = 0;
    qsizetype first = 0;
    qsizetype count = 0;
};

} // namespace

QVector<AlarmRow> evaluateAlarms(Database &database, int serviceSwitch, int orderSwitch, const QDate &today)
{
    Statement query(database, QStringLiteral("SELECT main.ID, servicedate, servicewarn, leadtime, serviceinterval, ackservice, ackorder,"
                                             " ackorderinstock, Name, location, company FROM main, orderinfo WHERE main.manuID = orderinfo.ID"
                                             " ORDER BY main.ID"));
    const DateFormat format;
    QVector<AlarmRow> found;
    QVector<AlarmingItem> items;
    while (query.next()) {
        const std::optional<qint64> interval = number(query, Interval);
        if (!isNot(interval, 0))
            continue;
        const QDate serviceDate = storedDate(query, ServiceDate);
        if (!serviceDate.isValid())
            continue;
        const std::optional<qint64> warn = number(query, Warn);
        const std::optional<qint64> lead = number(query, Lead);
        const Outcome service = serviceSwitch == 1 && isNot(warn, 0) && is(number(query, AckService), 0)
            ? ruleOutcome(serviceDate, *warn, today)
            : Outcome::None;
        const Outcome order = orderSwitch == 1 && isNot(lead, 0) && is(number(query, AckOrder), 0)
                && is(number(query, AckInStock), 0)
            ? ruleOutcome(serviceDate, *lead, today)
            : Outcome::None;
        if (service == Outcome::None && order == Outcome::None)
            continue;

        // Only an alarming item's texts are read.
        const qint64 id = query.integer(Id);
        const QString idText = QString::number(id);
        const QString name = query.text(Name);
        const qsizetype first = found.size();
        if (service == Outcome::Past) {
            found.append({PastServiceDate, id, QStringLiteral("PAST SERVICE DATE: ") % name % QStringLiteral(" at ") % query.text(Location) % QStringLiteral(" HAS NOT BEEN SERVICED (see details to edit) ID = ") % idText});
        } else if (service == Outcome::Due) {
            found.append({ServiceDue, id, QStringLiteral("SERVICE ") % name % QStringLiteral(" at ") % query.text(Location) % QStringLiteral("\r\n by ") % format(serviceDate) % QStringLiteral(".   ID = ") % idText});
        }
        if (order == Outcome::Past) {
            found.append({PastServiceDate, id, QStringLiteral("PAST SERVICE DATE: Replacement part(s) for ") % name % QStringLiteral(" HAVE NOT BEEN ORDERED (see details to edit) ID = ") % idText});
        } else if (order == Outcome::Due) {
            found.append({OrderDue, id, QStringLiteral("ORDER replacment part(s) from ") % query.text(Company) % QStringLiteral(" for ") % name % QStringLiteral(".    ID = ") % idText});
        }
        items.append({serviceDate.toJulianDay(), first, found.size() - first});
    }

    // By service date; items of one day keep their ID order, an item's service row comes first.
    std::stable_sort(items.begin(), items.end(),
                     [](const AlarmingItem &a, const AlarmingItem &b) { return a.day < b.day; });
    QVector<AlarmRow> rows;
    rows.reserve(found.size());
    for (const AlarmingItem &item : std::as_const(items)) {
        for (qsizetype i = item.first; i < item.first + item.count; ++i)
            rows.append(std::move(found[i]));
    }
    return rows;
}

bool rollServiceDate(Database &database, qint64 itemId)
{
    // Only the item's own fields decide; a service date that does not read as a day, or a move
    // that would give none, leaves the item as it is.
    Statement roll(database, QStringLiteral("UPDATE main SET ackservice = 0, ackorder = 0, ackorderinstock = 0,"
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
