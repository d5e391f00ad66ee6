// The desktop around the program: notices of new alarms through the desktop's notification
// service (played by the test on a bus of its own), the tray icon's menu, and the manual opened
// through xdg-open.

#include "TestSupport.h"

#include "core/alarms/AlarmMonitor.h"
#include "core/alarms/AlarmSummary.h"
#include "core/platform/Clock.h"
#include "core/platform/SafeFile.h"
#include "gui/alarms/AlarmController.h"
#include "gui/alarms/AlarmNotifier.h"
#include "gui/alarms/AlarmTray.h"
#include "gui/alarms/AlarmWindow.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/DesktopNotifier.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

// The desktop's notification service as the test plays it: each notice as "title|text".
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList notices;
    QStringList lastCall; // application, icon, actions, desktop entry

public Q_SLOTS:
    uint Notify(const QString &app, uint, const QString &icon, const QString &title, const QString &text,
                const QStringList &actions, const QVariantMap &hints, int)
    {
        notices << title + u'|' + text;
        lastCall = {app, icon, actions.join(u','), hints.value(QStringLiteral("desktop-entry")).toString()};
        return 40 + uint(notices.size());
    }
};

class TestDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initTestEnvironment();
        // A bus that starts none of the machine's services: the notices reach the test alone.
        const QString config = m_busFolder.filePath(QStringLiteral("bus.conf"));
        QVERIFY(SafeFile::write(config, "<busconfig><type>session</type><listen>unix:tmpdir=" + m_busFolder.path().toUtf8() + "</listen><policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                                                                                                              "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n"));
        m_daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        QVERIFY2(m_daemon.waitForReadyRead(10000), "dbus-daemon (package dbus-daemon) gives no bus");
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        DesktopNotifier::useBus(m_address);
        m_service.emplace(QDBusConnection::connectToBus(m_address, QStringLiteral("fake service")));
        QVERIFY(m_service->registerObject(Path, &m_fake, QDBusConnection::ExportAllSlots));
    }
    void cleanupTestCase()
    {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    void init()
    {
        QVERIFY(m_service->registerService(Interface));
        m_fake.notices.clear();
        setDesktopNoticesWanted(true);
    }
    void cleanup()
    {
        m_service->unregisterService(Interface);
        closeAllWindows();
    }

    void noticesOfNewAlarms_data()
    {
        QTest::addColumn<bool>("service");
        QTest::addColumn<bool>("wanted");
        QTest::addColumn<bool>("unseen");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<bool>("balloon");
        const QStringList one {u"New alarms for 2 items|1 service and 1 order pending, 1 past due"_s};
        QTest::newRow("told by the service") << true << true << true << one << false;
        QTest::newRow("the user saw the check") << true << true << false << QStringList() << false;
        QTest::newRow("notices switched off") << true << false << true << QStringList() << false;
        QTest::newRow("no service: the tray's balloon") << false << true << true << QStringList() << true;
    }
    void noticesOfNewAlarms()
    {
        QFETCH(bool, service);
        QFETCH(bool, wanted);
        QFETCH(bool, unseen);
        QFETCH(bool, balloon);
        if (!service)
            m_service->unregisterService(Interface);
        setDesktopNoticesWanted(wanted);
        AlarmTray tray;
        AlarmNotifier notifier(&tray);
        QSignalSpy unanswered(notifier.findChild<DesktopNotifier *>(), &DesktopNotifier::unanswered);
        QSignalSpy shown(&notifier, &AlarmNotifier::alarmsWanted);
        notifier.alarmsChecked({{ServiceDue, 1, QString()}, {OrderDue, 1, QString()}, {PastServiceDate, 2, QString()}}, unseen);
        QTRY_COMPARE(unanswered.count() > 0, balloon);
        flushNotices();
        QTEST(m_fake.notices, "notices");
        if (m_fake.notices.isEmpty())
            return;
        QCOMPARE(m_fake.lastCall, QStringList({u"Tarvo"_s, u"org.tarvo.Tarvo"_s, u"default,Show alarms,show,Show alarms"_s, u"org.tarvo.Tarvo"_s}));
        // Its action shows the alarms; another program's notice does not.
        for (const uint id : {7u, 41u}) {
            QDBusMessage signal = QDBusMessage::createSignal(Path, Interface, QStringLiteral("ActionInvoked"));
            signal << id << QStringLiteral("show");
            QVERIFY(m_service->send(signal));
        }
        QTRY_COMPARE(shown.count(), 1);
    }

    // The periodic check tells what is new while no window of the program is in front.
    void periodicChecksTellWhatIsNew()
    {
        TestWorld world;
        execute(db(), QStringLiteral("UPDATE settings SET timerinterval = 1, startupalarm = 0"));
        const qint64 acme = world.addCompany(QStringLiteral("Acme"));
        world.addItem(acme, {{"Name", "Pump"}, {"servicedate", "2026-12-08"}, {"servicewarn", 7}, {"leadtime", 14}, {"serviceinterval", 90}});
        world.addItem(acme, {{"Name", "Fan"}, {"servicedate", "2027-02-08"}, {"servicewarn", 7}, {"serviceinterval", 90}});
        MainWindow main(appContext());
        main.load();
        int check = 0;
        for (const int days : {0, 0, 3, 60}) {
            Clock::setFixed(TestWorld::Now.addDays(days).addSecs(600 * ++check));
            main.alarms()->monitor()->checkTick();
            delete main.alarms()->alarmWindow(); // the user closed it: nothing of the program is in front
            flushNotices();
            m_fake.notices << QString::number(check);
        }
        Clock::setFixed(TestWorld::Now);
        QCOMPARE(m_fake.notices, QStringList({u"New alarms for 1 item|1 service and 1 order pending"_s, u"1"_s, u"2"_s, u"New alarms for 1 item|1 past due"_s, u"3"_s, u"New alarms for 1 item|1 service pending"_s, u"4"_s}));
    }

    void trayMenu_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("Show Tarvo") << "mnuTrayShow";
        QTest::newRow("Show Alarms") << "mnuTrayAlarms";
        QTest::newRow("Quit") << "mnuTrayQuit";
    }
    void trayMenu()
    {
        QFETCH(QString, action);
        TestWorld world;
        auto *main = new MainWindow(appContext());
        main->load();
        main->setVisible(action != u"mnuTrayShow");
        main->findChild<AlarmTray *>()->menu()->findChild<QAction *>(action)->trigger();
        QCOMPARE(main->isVisible(), action != u"mnuTrayQuit");
        QCOMPARE(main->alarms()->alarmWindow() != nullptr, action == u"mnuTrayAlarms");
        QCOMPARE(workingDatabaseIsOpen(), action != u"mnuTrayQuit");
    }

    // Help > Contents asks xdg-open and falls back when it fails: its outcome counts, not its start.
    void manualThroughXdgOpen_data()
    {
        QTest::addColumn<QByteArray>("script"); // the xdg-open on the PATH; none when empty
        QTest::addColumn<bool>("opened");
        QTest::newRow("a program takes it") << QByteArray("exit 0") << true;
        QTest::newRow("no method available") << QByteArray("echo 'xdg-open: no method available' >&2; exit 3") << false;
        QTest::newRow("no xdg-open at all") << QByteArray() << false;
    }
    void manualThroughXdgOpen()
    {
        QFETCH(QByteArray, script);
        QTemporaryDir bin;
        const QString asked = bin.filePath(QStringLiteral("asked"));
        const QString program = bin.filePath(QStringLiteral("xdg-open"));
        if (!script.isEmpty()) {
            QVERIFY(SafeFile::write(program, "#!/bin/sh\necho \"$1\" > '" + asked.toUtf8() + "'\n" + script + "\n"));
            QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8());
        Desktop::setTestMode(false);
        const QUrl manual = QUrl::fromLocalFile(QStringLiteral("/opt/tarvo docs/manual.htm"));
        std::optional<bool> outcome;
        QObject context;
        Desktop::openChecked(manual, &context, [&](bool opened) { outcome = opened; });
        QTRY_VERIFY(outcome.has_value());
        qputenv("PATH", path);
        Desktop::setTestMode(true);
        QTEST(*outcome, "opened");
        QCOMPARE(readFile(asked).trimmed(), script.isEmpty() ? QByteArray() : manual.toEncoded());
    }

private:
    // Waits until the service has had every notice sent so far: a call on the notifier's own
    // connection is answered after them.
    void flushNotices()
    {
        QDBusConnection(QStringLiteral("tarvo-notices ") + m_address)
            .call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")),
                  QDBus::BlockWithGui);
        QCoreApplication::processEvents();
    }

    const QString Path = QStringLiteral("/org/freedesktop/Notifications");
    const QString Interface = QStringLiteral("org.freedesktop.Notifications");
    QTemporaryDir m_busFolder;
    QProcess m_daemon;
    QString m_address;
    FakeNotifications m_fake;
    std::optional<QDBusConnection> m_service;
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
