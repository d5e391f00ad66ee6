#include "Acknowledgement.h"

#include "AlarmStore.h"

#include "core/items/ItemStore.h"
#include "core/platform/DateText.h"
#include "core/platform/Utility.h"

#include <optional>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Indent = QStringLiteral("  ");

QString lines(int count)
{
    return CrLf.repeated(count);
}

// What the service window's information box shows, in its order.
const QStringList &serviceInfoColumns()
{
    static const QStringList columns = {
        QStringLiteral("Name"), QStringLiteral("Tag"), QStringLiteral("location"), QStringLiteral("hazmat"),
        QStringLiteral("part"), QStringLiteral("tools"), QStringLiteral("refmanuals"), QStringLiteral("Locked"),
        QStringLiteral("custom1"), QStringLiteral("custom2"), QStringLiteral("custom3")};
    return columns;
}

} // namespace

QString serviceInfoText(Database &database, qint64 itemId)
{
    const std::optional<QStringList> row = loadItemTexts(database, itemId, serviceInfoColumns());
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
    const std::optional<QStringList> row = orderInfoFields(database, itemId);
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
    const std::optional<QStringList> row = loadItemTexts(database, itemId, {QStringLiteral("servicedby")});
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
