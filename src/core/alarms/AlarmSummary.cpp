#include "AlarmSummary.h"

#include "core/platform/Utility.h"

#include <QSet>
#include <QSettings>
#include <QStringList>

namespace {

const QString TrayKey = QStringLiteral("desktop/trayAlarms");
const QString NoticesKey = QStringLiteral("desktop/notifyAlarms");

// The program's desktop settings, in the user's configuration folder.
const QString SettingsName = QStringLiteral("Tarvo");

} // namespace

AlarmCounts countAlarms(const QVector<AlarmRow> &rows)
{
    QSet<qint64> byKind[3];
    QSet<qint64> items;
    for (const AlarmRow &row : rows) {
        byKind[row.kind].insert(row.itemId);
        items.insert(row.itemId);
    }
    AlarmCounts counts;
    counts.services = int(byKind[ServiceDue].size());
    counts.orders = int(byKind[OrderDue].size());
    counts.pastDue = int(byKind[PastServiceDate].size());
    counts.items = int(items.size());
    return counts;
}

QString alarmSummary(const AlarmCounts &counts)
{
    QStringList pending;
    if (counts.services > 0)
        pending << countedText(counts.services, "service", "services");
    if (counts.orders > 0)
        pending << countedText(counts.orders, "order", "orders");
    QStringList parts;
    if (!pending.isEmpty())
        parts << pending.join(QStringLiteral(" and ")) + QStringLiteral(" pending");
    if (counts.pastDue > 0)
        parts << QStringLiteral("%1 past due").arg(counts.pastDue);
    return parts.isEmpty() ? QStringLiteral("No alarms pending") : parts.join(QStringLiteral(", "));
}

QString trayToolTip(const AlarmCounts &counts)
{
    if (counts.items == 0)
        return QStringLiteral("Tarvo\nNo alarms pending");
    return QStringLiteral("Tarvo: %1\n%2").arg(countedText(counts.items, "item with alarms", "items with alarms"), alarmSummary(counts));
}

QString badgeText(int pastDue)
{
    if (pastDue <= 0)
        return QString();
    return pastDue > 99 ? QStringLiteral("99+") : QString::number(pastDue);
}

bool trayAlarmsWanted()
{
    return QSettings(SettingsName, SettingsName).value(TrayKey, true).toBool();
}

void setTrayAlarmsWanted(bool wanted)
{
    QSettings(SettingsName, SettingsName).setValue(TrayKey, wanted);
}

bool desktopNoticesWanted()
{
    return QSettings(SettingsName, SettingsName).value(NoticesKey, true).toBool();
}

void setDesktopNoticesWanted(bool wanted)
{
    QSettings(SettingsName, SettingsName).setValue(NoticesKey, wanted);
}
