#include "AlarmRules.h"

#include "AlarmStore.h"

#include "core/platform/DateText.h"

#include <QLocale>
#include <QStringBuilder>

#include <algorithm>
#include <optional>

namespace {

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

bool is(const std::optional<qint64> &value, qint64 wanted)
{
    return value && *value == wanted;
}

bool isNot(const std::optional<qint64> &value, qint64 unwanted)
{
    return value && *value != unwanted;
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
    const DateFormat format;
    QVector<AlarmRow> found;
    QVector<AlarmingItem> items;
    for (AlarmItems item(database); item.next();) {
        if (!isNot(item.intervalDays(), 0))
            continue;
        const QDate serviceDate = item.serviceDate();
        if (!serviceDate.isValid())
            continue;
        const std::optional<qint64> warn = item.warnDays();
        const std::optional<qint64> lead = item.leadDays();
        const Outcome service = serviceSwitch == 1 && isNot(warn, 0) && is(item.serviceAcknowledged(), 0)
            ? ruleOutcome(serviceDate, *warn, today)
            : Outcome::None;
        const Outcome order = orderSwitch == 1 && isNot(lead, 0) && is(item.orderAcknowledged(), 0)
                && is(item.partsInStock(), 0)
            ? ruleOutcome(serviceDate, *lead, today)
            : Outcome::None;
        if (service == Outcome::None && order == Outcome::None)
            continue;

        // Only an alarming item's texts are read.
        const qint64 id = item.id();
        const QString idText = QString::number(id);
        const QString name = item.name();
        const qsizetype first = found.size();
        if (service == Outcome::Past) {
            found.append({PastServiceDate, id, QStringLiteral("PAST SERVICE DATE: ") % name % QStringLiteral(" at ") % item.location() % QStringLiteral(" HAS NOT BEEN SERVICED (see details to edit) ID = ") % idText});
        } else if (service == Outcome::Due) {
            found.append({ServiceDue, id, QStringLiteral("SERVICE ") % name % QStringLiteral(" at ") % item.location() % QStringLiteral("\r\n by ") % format(serviceDate) % QStringLiteral(".   ID = ") % idText});
        }
        if (order == Outcome::Past) {
            found.append({PastServiceDate, id, QStringLiteral("PAST SERVICE DATE: Replacement part(s) for ") % name % QStringLiteral(" HAVE NOT BEEN ORDERED (see details to edit) ID = ") % idText});
        } else if (order == Outcome::Due) {
            found.append({OrderDue, id, QStringLiteral("ORDER replacment part(s) from ") % item.company() % QStringLiteral(" for ") % name % QStringLiteral(".    ID = ") % idText});
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
