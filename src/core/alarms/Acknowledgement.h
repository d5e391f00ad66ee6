#pragma once

#include "core/items/ItemRules.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

class Database;

// The service and order acknowledgements apart from their windows: what they show and the
// rules of their boxes. What they store is in the alarm store.

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
