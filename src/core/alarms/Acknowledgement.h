#pragma once

#include "core/db/RowStamp.h"
#include "core/items/ItemRules.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

class Database;

// The service and order acknowledgements apart from their windows: what they show, the rules
// of their boxes, and what they store.

// The service information text: the item's name, tag, location, hazards, part, replacement
// parts, tools, manuals, equipment to lock out and custom fields under their headings, lines
// broken with CR LF; a Null field adds nothing. Empty text when the item is gone.
QString serviceInfoText(Database &database, qint64 itemId);

// The order information text: the parts to order, the item's name and its vendor's name,
// address, contact, phones, e-mail, web site and notes, lines broken with CR LF; a Null field
// adds nothing. Empty text when the item is gone.
QString orderInfoText(Database &database, qint64 itemId);

// Who serviced the item last; empty when Null or when the item is gone.
QString lastServicedBy(Database &database, qint64 itemId);

// The boxes: "Serviced By" and the purchase order hold 50 characters, "Serviced On" 10 digits
// and "/". Backspace (8) and DEL (127) always pass; the whole text counts, whatever is selected.
inline constexpr int ServicedByLimit = 50;
inline constexpr int ServicedOnLimit = 10;
inline constexpr int PurchaseOrderLimit = 50;
bool ackTextKeyAccepted(const QString &text, int keyChar, int limit);
bool servicedOnKeyAccepted(const QString &text, int keyChar);

// What is wrong with a "Serviced On" text: "Serviced on date must be specified" when empty,
// "Incorrect data format" when it is no real date; empty text when it is a date.
QString servicedOnProblem(const QString &text);

// The automatic history entries an acknowledgement asks for, in order.
QVector<HistoryRequest> serviceAckHistory(const QString &servicedBy, const QString &servicedOnText, bool partReplaced);
QVector<HistoryRequest> orderAckHistory(const QString &purchaseOrder);
QVector<HistoryRequest> inStockHistory(const QDate &today);

// What each window reads of the item's row when it opens: the item's fields it shows, those it
// writes and the alarm state it acknowledges. Its store goes ahead only while they still read the same, so an
// acknowledgement made meanwhile by another program is not made twice.
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
