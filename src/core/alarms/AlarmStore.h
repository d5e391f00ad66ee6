#pragma once

#include "core/db/Database.h"
#include "core/db/RowStamp.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// What the alarms read of the items and write when one is acknowledged: the only place with
// their SQL.

// The items that have a company, read one at a time in ID order, as the alarm rules read them.
// A Null number is nothing (a comparison with it is false).
class AlarmItems
{
public:
    explicit AlarmItems(Database &database);

    // Steps to the next item: true while there is one.
    bool next() { return m_query.next(); }

    qint64 id() const { return m_query.integer(Id); }
    // The stored service date; invalid for Null or text that is no day.
    QDate serviceDate() const;
    std::optional<qint64> warnDays() const { return number(Warn); }
    std::optional<qint64> leadDays() const { return number(Lead); }
    std::optional<qint64> intervalDays() const { return number(Interval); }
    std::optional<qint64> serviceAcknowledged() const { return number(AckService); }
    std::optional<qint64> orderAcknowledged() const { return number(AckOrder); }
    std::optional<qint64> partsInStock() const { return number(AckInStock); }
    QString name() const { return m_query.text(Name); }
    QString location() const { return m_query.text(Location); }
    QString company() const { return m_query.text(Company); }

private:
    // The columns of the statement, in order.
    enum Column { Id,
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

    std::optional<qint64> number(Column column) const
    {
        return m_query.isNull(column) ? std::nullopt : std::optional<qint64>(m_query.integer(column));
    }

    Statement m_query;
};

// The day the alarms are reckoned for: on a server its own date, so that technicians whose
// clocks disagree see the same alarms; on the file, or while the clock is fixed, Clock::today().
// Throws DbError.
QDate alarmToday(Database &database);

// Starts the item's next service cycle when every alarm in use for it is acknowledged: clears
// the three acknowledgement flags and moves the service date on by the interval, counted from
// the old service date, in one statement. True when the item was rolled forward.
bool rollServiceDate(Database &database, qint64 itemId);

// The order window's text fields: the item's name, then its company's name, Street1, Street2,
// city, State, zip, contact, phone1, phone2, email, website and notes (Null reads as empty
// text; an item whose company row is gone has them all empty). Nothing when the item is gone.
std::optional<QStringList> orderInfoFields(Database &database, qint64 itemId);

// What each window reads of the item's row when it opens: the item's fields it shows, those it
// writes and the alarm state it acknowledges. Its store goes ahead only while they still read
// the same, so an acknowledgement made meanwhile by another program is not made twice.
RowStamp serviceAckStamp(Database &database, qint64 itemId);
RowStamp orderAckStamp(Database &database, qint64 itemId);

// What a store came to: nothing at all is written when the item no longer exists or no longer
// holds what the window read.
struct AckResult {
    SaveOutcome outcome = SaveOutcome::ItemGone;
    bool rolled = false; // the item's next service cycle began
    bool stored() const { return outcome == SaveOutcome::Saved; }
};

// Each store runs in one transaction: the compare with what the window read, an UPDATE of only
// the fields the acknowledgement owns, the given history texts (already decided upon) as entries
// dated today, then rollServiceDate.
AckResult storeServiceAck(Database &database, qint64 itemId, const RowStamp &read, const QString &servicedBy,
                          const QDate &servicedOn, const QStringList &historyTexts);
AckResult storeOrderAck(Database &database, qint64 itemId, const RowStamp &read, const QString &purchaseOrder,
                        const QStringList &historyTexts);
AckResult storeInStock(Database &database, qint64 itemId, const RowStamp &read, const QStringList &historyTexts);

// Items' schedules with their companies, read one at a time.
class ScheduledItems
{
public:
    // Every item with a service date and an interval above 0, in ID order.
    static ScheduledItems withInterval(Database &database);
    // The items whose service date, or (where a lead time is set) whose order date, the service
    // date less the lead time, falls between the two days, by name (ASCII case ignored), then ID.
    static ScheduledItems dueBetween(Database &database, const QDate &first, const QDate &last);

    // Steps to the next item: true while there is one.
    bool next() { return m_query.next(); }

    qint64 id() const { return m_query.integer(0); }
    QString name() const { return m_query.text(1); }
    QString tag() const { return m_query.text(2); }
    QString location() const { return m_query.text(3); }
    QString serviceDate() const { return m_query.text(4); } // as stored: ISO text
    qint64 warnDays() const { return m_query.integer(5); }
    qint64 leadDays() const { return m_query.integer(6); }
    QString company() const { return m_query.text(7); } // empty when the company row is gone
    QString phone() const { return m_query.text(8); }

private:
    ScheduledItems(Database &database, const QString &condition, const QVariantList &values = {});

    Statement m_query;
};
