#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QSet>

#include <optional>

// Notices through the desktop's notification service (org.freedesktop.Notifications on the
// session bus), so that they appear in the desktop's history and keep to its do-not-disturb.
// The service answers in its own time; a notice no service takes is handed back through
// unanswered(), for the caller to show another way.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    explicit DesktopNotifier(QObject *parent = nullptr);

    // A notice under the program's name and icon, with one action besides a click on it.
    void notify(const QString &title, const QString &text, const QString &actionLabel);

    // Where notices go: the session bus (an empty address), or a bus of the tests' own.
    static void useBus(const QString &address);

Q_SIGNALS:
    // The action of one of this notifier's notices was chosen, or the notice clicked.
    void actionInvoked();
    void unanswered(const QString &title, const QString &text);

private Q_SLOTS:
    void serviceActionInvoked(uint id, const QString &action);
    void serviceClosed(uint id, uint reason);

private:
    // The bus, connected at the first notice: a program that tells nothing keeps no connection.
    QDBusConnection &bus();

    std::optional<QDBusConnection> m_bus;
    QSet<uint> m_shown; // the notices of this notifier still on the desktop
};
