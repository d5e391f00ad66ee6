#include "AlarmStore.h"

#include "core/db/Database.h"
#include "core/db/SqlText.h"
#include "core/items/ItemStore.h"
#include "core/platform/Clock.h"
#include "core/platform/DateText.h"
#include "core/records/RecordStore.h"

namespace {

// The fields both acknowledgement windows read besides their own: the alarm's dates and the
// item's name.
const QString StampedAlarmFields = QStringLiteral("Name, servicedate, serviceinterval");

RowStamp stamp(Database &database, qint64 itemId, const QString &fields)
{
    return RowStamp::read(database, QStringLiteral("SELECT %1, %2 FROM main WHERE ID = ?").arg(StampedAlarmFields, fields),
                          {itemId});
}

AckResult store(Database &database, qint64 itemId, const RowStamp &read, const QString &update,
                const QVariantList &values, const QStringList &historyTexts)
{
    Transaction transaction(database);
    if (const SaveOutcome now = itemSaveOutcome(database, itemId, read); now != SaveOutcome::Saved)
        return {now};
    Statement write(database, update);
    write.bindAll(values);
    write.bind(int(values.size()) + 1, itemId);
    write.run();
    if (write.changes() == 0)
        return {}; // the item is gone: nothing is written, not even its history
    for (const QString &text : historyTexts)
        writeEntry(database, HistoryTarget, itemId, text);
    AckResult result {SaveOutcome::Saved};
    result.rolled = rollServiceDate(database, itemId);
    transaction.commit();
    return result;
}

} // namespace

AlarmItems::AlarmItems(Database &database)
    : m_query(database, QStringLiteral("SELECT main.ID, servicedate, servicewarn, leadtime, serviceinterval, ackservice,"
                                       " ackorder, ackorderinstock, Name, location, company FROM main, orderinfo"
                                       " WHERE main.manuID = orderinfo.ID ORDER BY main.ID"))
{
}

QDate AlarmItems::serviceDate() const
{
    // "yyyy-MM-dd" read straight from its bytes, anything else as the date routines read it.
    const QByteArrayView iso = m_query.bytes(ServiceDate);
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
    return iso.isNull() ? QDate() : DateText::fromIso(m_query.text(ServiceDate));
}

QDate alarmToday(Database &database)
{
    if (!database.isServer() || Clock::isFixed())
        return Clock::today();
    Statement query(database, QStringLiteral("SELECT CAST(current_date AS text)"));
    return query.next() ? DateText::fromIso(query.text(0)) : Clock::today();
}

bool rollServiceDate(Database &database, qint64 itemId)
{
    // Only the item's own fields decide; a service date that does not read as a day, or a move
    // that would give none, leaves the item as it is.
    const QString nextDate = database.dialect().addDays(QStringLiteral("servicedate"), QStringLiteral("serviceinterval"));
    Statement roll(database, QStringLiteral("UPDATE main SET ackservice = 0, ackorder = 0, ackorderinstock = 0,"
                                            " servicedate = %1"
                                            " WHERE ID = ? AND servicedate IS NOT NULL AND serviceinterval <> 0"
                                            " AND %1 IS NOT NULL"
                                            " AND ((servicewarn = 0 AND leadtime <> 0 AND (ackorder = 1 OR ackorderinstock = 1))"
                                            "   OR (servicewarn <> 0 AND leadtime = 0 AND ackservice = 1)"
                                            "   OR (servicewarn <> 0 AND leadtime <> 0 AND ackservice = 1 AND (ackorder = 1 OR ackorderinstock = 1)))")
                                 .arg(nextDate));
    roll.bind(1, itemId);
    roll.run();
    return roll.changes() > 0;
}

std::optional<QStringList> orderInfoFields(Database &database, qint64 itemId)
{
    // A left join: an item whose company row is gone still gives its name.
    Statement query(database, QStringLiteral("SELECT main.Name, orderinfo.company, orderinfo.Street1, orderinfo.Street2, orderinfo.city,"
                                             " orderinfo.State, orderinfo.zip, orderinfo.contact, orderinfo.phone1, orderinfo.phone2,"
                                             " orderinfo.email, orderinfo.website, orderinfo.notes"
                                             " FROM main LEFT JOIN orderinfo ON main.manuID = orderinfo.ID WHERE main.ID = ?"));
    query.bind(1, itemId);
    if (!query.next())
        return std::nullopt;
    QStringList values;
    for (int c = 0; c < query.columnCount(); ++c)
        values << query.text(c); // Null reads as empty text
    return values;
}

RowStamp serviceAckStamp(Database &database, qint64 itemId)
{
    return stamp(database, itemId,
                 QStringLiteral("Tag, location, hazmat, part, tools, refmanuals, Locked, custom1, custom2, custom3,"
                                " servicedby, DateServiced, servicewarn, ackservice"));
}

RowStamp orderAckStamp(Database &database, qint64 itemId)
{
    return stamp(database, itemId, QStringLiteral("manuID, purchaseorder, leadtime, ackorder, ackorderinstock"));
}

AckResult storeServiceAck(Database &database, qint64 itemId, const RowStamp &read, const QString &servicedBy,
                          const QDate &servicedOn, const QStringList &historyTexts)
{
    return store(database, itemId, read,
                 QStringLiteral("UPDATE main SET ackservice = 1, DateServiced = ?, servicedby = ? WHERE ID = ?"),
                 {DateText::toIso(servicedOn), servicedBy.isNull() ? QStringLiteral("") : servicedBy}, historyTexts);
}

AckResult storeOrderAck(Database &database, qint64 itemId, const RowStamp &read, const QString &purchaseOrder,
                        const QStringList &historyTexts)
{
    return store(database, itemId, read, QStringLiteral("UPDATE main SET ackorder = 1, purchaseorder = ? WHERE ID = ?"),
                 {purchaseOrder}, historyTexts);
}

AckResult storeInStock(Database &database, qint64 itemId, const RowStamp &read, const QStringList &historyTexts)
{
    return store(database, itemId, read, QStringLiteral("UPDATE main SET ackorderinstock = 1 WHERE ID = ?"), {},
                 historyTexts);
}

ScheduledItems::ScheduledItems(Database &database, const QString &condition, const QVariantList &values)
    : m_query(database, QStringLiteral("SELECT main.ID, main.Name, main.Tag, main.location, main.servicedate,"
                                       " main.servicewarn, main.leadtime, orderinfo.company, orderinfo.phone1"
                                       " FROM main LEFT JOIN orderinfo ON orderinfo.ID = main.manuID WHERE ")
                  + condition)
{
    m_query.bindAll(values);
}

ScheduledItems ScheduledItems::withInterval(Database &database)
{
    return ScheduledItems(database, QStringLiteral("main.servicedate IS NOT NULL AND main.serviceinterval > 0"
                                                   " ORDER BY main.ID"));
}

ScheduledItems ScheduledItems::dueBetween(Database &database, const QDate &first, const QDate &last)
{
    const QString from = DateText::toIso(first), to = DateText::toIso(last);
    const SqlDialect &dialect = database.dialect();
    return ScheduledItems(database,
                          QStringLiteral("main.servicedate BETWEEN ? AND ? OR (main.leadtime > 0 AND %1 BETWEEN ? AND ?)"
                                         " ORDER BY %2, main.ID")
                              .arg(dialect.addDays(QStringLiteral("main.servicedate"), QStringLiteral("-main.leadtime")),
                                   dialect.ascending(dialect.caseless(QStringLiteral("main.Name")))),
                          {from, to, from, to});
}
