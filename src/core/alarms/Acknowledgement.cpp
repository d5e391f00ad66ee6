#include "Acknowledgement.h"

#include "AlarmRules.h"

#include "core/db/Database.h"
#include "core/items/RepParts.h"
#include "core/platform/DateText.h"

#include "core/platform/Utility.h"
#include "core/records/History.h"
#include <optional>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Indent = QStringLiteral("  ");

QString lines(int count)
{
    return CrLf.repeated(count);
}

// Every text column of one row of a query that binds the item's ID; nothing when there is no row.
std::optional<QStringList> readRow(Database &database, const QString &sql, qint64 itemId)
{
    Statement query(database, sql);
    query.bind(1, itemId);
    if (!query.next())
        return std::nullopt;
    QStringList values;
    for (int c = 0; c < query.columnCount(); ++c)
        values << query.text(c); // Null reads as empty text
    return values;
}

// The fields both windows read besides their own: the alarm's dates and the item's name.
const QString StampedAlarmFields = QStringLiteral("Name, servicedate, serviceinterval");
// What the service window's information box shows after the name, in its order.
const QString ServiceInfoFields = QStringLiteral("Tag, location, hazmat, part, tools, refmanuals, Locked, custom1, custom2, custom3");

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
    if (database.changes() == 0)
        return {}; // the item is gone: nothing is written, not even its history
    for (const QString &text : historyTexts)
        writeEntry(database, HistoryTarget, itemId, text);
    AckResult result {SaveOutcome::Saved};
    result.rolled = rollServiceDate(database, itemId);
    transaction.commit();
    return result;
}

} // namespace

QString serviceInfoText(Database &database, qint64 itemId)
{
    const std::optional<QStringList> row =
        readRow(database, QStringLiteral("SELECT Name, %1 FROM main WHERE ID = ?").arg(ServiceInfoFields), itemId);
    if (!row)
        return QString();
    const QStringList &f = *row;
    return QStringLiteral("SERVICE Name: ") + CrLf + Indent + f[0] + lines(2)
        + QStringLiteral("Tag:") + CrLf + Indent + f[1] + lines(2)
        + QStringLiteral("Location: ") + CrLf + Indent + f[2] + lines(2)
        + QStringLiteral("Hazmat: ") + CrLf + Indent + f[3] + lines(2)
        + QStringLiteral("Part: ") + CrLf + Indent + f[4] + lines(2)
        + QStringLiteral("Replacement Part(s): ") + CrLf + replacementPartsText(database, itemId, CrLf) + lines(2)
        + QStringLiteral("Tools: ") + CrLf + f[5] + lines(3)
        + QStringLiteral("Reference Manuals: ") + CrLf + Indent + f[6] + lines(2)
        + QStringLiteral("Equipment to be Locked: ") + CrLf + f[7] + lines(2)
        + QStringLiteral("Custom 1:") + CrLf + Indent + f[8] + lines(2)
        + QStringLiteral("Custom 2: ") + CrLf + Indent + f[9] + lines(2)
        + QStringLiteral("Custom 3: ") + CrLf + Indent + f[10] + lines(2);
}

QString orderInfoText(Database &database, qint64 itemId)
{
    // An item whose company row is gone still shows its parts and name.
    const std::optional<QStringList> row = readRow(database, QStringLiteral("SELECT main.Name, orderinfo.company, orderinfo.Street1, orderinfo.Street2, orderinfo.city,"
                                                                            " orderinfo.State, orderinfo.zip, orderinfo.contact, orderinfo.phone1, orderinfo.phone2,"
                                                                            " orderinfo.email, orderinfo.website, orderinfo.notes"
                                                                            " FROM main LEFT JOIN orderinfo ON main.manuID = orderinfo.ID WHERE main.ID = ?"),
                                                   itemId);
    if (!row)
        return QString();
    const QStringList &f = *row;
    return QStringLiteral("ORDER replacment part(s):") + CrLf + replacementPartsText(database, itemId, CrLf) + lines(2)
        + QStringLiteral("FOR name:") + CrLf + Indent + f[0] + lines(2)
        + QStringLiteral("FROM Company:") + Indent + f[1] + lines(2)
        + QStringLiteral("Address:") + CrLf + Indent + f[2] + CrLf + Indent + f[3] + CrLf + Indent + f[4]
        + QStringLiteral(", ") + f[5] + Indent + f[6] + lines(2)
        + QStringLiteral("Contact:") + CrLf + Indent + f[7] + lines(2)
        + QStringLiteral("Phone1:") + CrLf + Indent + f[8] + lines(2)
        + QStringLiteral("Phone2: ") + CrLf + Indent + f[9] + lines(2)
        + QStringLiteral("E-mail: ") + CrLf + Indent + f[10] + lines(2)
        + QStringLiteral("Web Site: ") + CrLf + Indent + f[11] + lines(2)
        + QStringLiteral("Notes: ") + CrLf + Indent + f[12] + lines(2);
}

QString lastServicedBy(Database &database, qint64 itemId)
{
    const std::optional<QStringList> row =
        readRow(database, QStringLiteral("SELECT servicedby FROM main WHERE ID = ?"), itemId);
    return row ? row->first() : QString();
}

bool ackTextKeyAccepted(const QString &text, int keyChar, int limit)
{
    return keyChar == 8 || keyChar == 127 || text.size() < limit;
}

bool servicedOnKeyAccepted(const QString &text, int keyChar)
{
    if (keyChar == 8 || keyChar == 127)
        return true;
    return text.size() < ServicedOnLimit && (keyChar == '/' || numericKey(keyChar) != 0);
}

QString servicedOnProblem(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("Serviced on date must be specified");
    if (!DateText::isDate(text))
        return QStringLiteral("Incorrect data format");
    return QString();
}

QVector<HistoryRequest> serviceAckHistory(const QString &servicedBy, const QString &servicedOnText, bool partReplaced)
{
    QVector<HistoryRequest> requests {{ServicedEntry, servicedBy, servicedOnText}};
    if (partReplaced)
        requests.append({PartsInstalledEntry, servicedOnText, QString()});
    return requests;
}

QVector<HistoryRequest> orderAckHistory(const QString &purchaseOrder)
{
    return {{PartsOrderedEntry, purchaseOrder, QString()}};
}

QVector<HistoryRequest> inStockHistory(const QDate &today)
{
    return {{PartsInStockEntry, DateText::format(today), QString()}};
}

RowStamp serviceAckStamp(Database &database, qint64 itemId)
{
    return stamp(database, itemId, ServiceInfoFields + QStringLiteral(", servicedby, DateServiced, servicewarn, ackservice"));
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
