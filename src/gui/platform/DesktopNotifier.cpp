#include "DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
// A service that has not answered by then is taken to be absent.
constexpr int AnswerMsec = 5000;

QString busAddress;

QDBusConnection noticeBus()
{
    if (busAddress.isEmpty())
        return QDBusConnection::sessionBus();
    return QDBusConnection::connectToBus(busAddress, QStringLiteral("tarvo-notices ") + busAddress);
}

} // namespace

DesktopNotifier::DesktopNotifier(QObject *parent)
    : QObject(parent)
{
}

QDBusConnection &DesktopNotifier::bus()
{
    if (!m_bus) {
        m_bus = noticeBus();
        if (m_bus->isConnected()) {
            m_bus->connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                           SLOT(serviceActionInvoked(uint, QString)));
            m_bus->connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
                           SLOT(serviceClosed(uint, uint)));
        }
    }
    return *m_bus;
}

void DesktopNotifier::useBus(const QString &address)
{
    busAddress = address;
}

void DesktopNotifier::notify(const QString &title, const QString &text, const QString &actionLabel)
{
    if (!bus().isConnected()) {
        Q_EMIT unanswered(title, text);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
    const QString appId = QStringLiteral(TARVO_APP_ID);
    // "default" is a click on the notice; the other key is the button the desktop shows.
    const QStringList actions {QStringLiteral("default"), actionLabel, QStringLiteral("show"), actionLabel};
    const QVariantMap hints {{QStringLiteral("desktop-entry"), appId},
                             {QStringLiteral("urgency"), QVariant::fromValue(uchar(1))}};
    call << QStringLiteral("Tarvo") << uint(0) << appId << title << text << actions << hints << int(-1);
    auto *watcher = new QDBusPendingCallWatcher(m_bus->asyncCall(call, AnswerMsec), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, title, text](QDBusPendingCallWatcher *answer) {
        const QDBusPendingReply<uint> reply = *answer;
        if (reply.isError())
            Q_EMIT unanswered(title, text);
        else
            m_shown.insert(reply.value());
        answer->deleteLater();
    });
}

void DesktopNotifier::serviceActionInvoked(uint id, const QString &)
{
    if (m_shown.contains(id))
        Q_EMIT actionInvoked();
}

void DesktopNotifier::serviceClosed(uint id, uint)
{
    m_shown.remove(id);
}
