// The desktop around the program: notices of new alarms through the desktop's notification
// service (played by the test on a bus of its own), the tray icon's menu, and the manual opened
// through xdg-open.

#include "TestSupport.h"

#include "core/alarms/AlarmMonitor.h"
#include "core/alarms/AlarmSummary.h"
#include "core/db/Recordset.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/platform/Clock.h"
#include "core/platform/SafeFile.h"
#include "gui/alarms/AlarmNotifier.h"
#include "gui/alarms/AlarmTray.h"
#include "gui/alarms/AlarmWindow.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/DesktopNotifier.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QString NoticePath = QStringLiteral("/org/freedesktop/Notifications");
const QString NoticeInterface = QStringLiteral("org.freedesktop.Notifications");

} // namespace

// The desktop's notification service, as the test plays it on a connection of its own.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notice {
        QString app, icon, title, text;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Notice> notices;
    static constexpr uint FirstId = 41;

public Q_SLOTS:
    uint Notify(const QString &app, uint, const QString &icon, const QString &title, const QString &text,
                const QStringList &actions, const QVariantMap &hints, int)
    {
        notices.append({app, icon, title, text, actions, hints});
        return FirstId + uint(notices.size()) - 1;
    }
};

class TestDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initTestEnvironment();
        initResources();
        // A bus that starts no service of the machine's own: the notices reach the test only.
        const QString config = m_busFolder.filePath(QStringLiteral("bus.conf"));
        QVERIFY(SafeFile::write(config, "<busconfig><type>session</type><listen>unix:tmpdir=" + m_busFolder.path().toUtf8() + "</listen><policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                                                                                                              "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n"));
        m_daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        QVERIFY2(m_daemon.waitForReadyRead(10000), "dbus-daemon (package dbus-daemon) gives no bus");
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        DesktopNotifier::useBus(m_address);
    }
    void cleanupTestCase()
    {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    void init()
    {
        m_service.emplace(QDBusConnection::connectToBus(m_address, QStringLiteral("fake service")));
        QVERIFY(m_service->registerObject(NoticePath, &m_fake, QDBusConnection::ExportAllSlots));
        m_fake.notices.clear();
        setDesktopNoticesWanted(true);
    }
    void cleanup()
    {
        m_service->unregisterService(NoticeInterface);
        m_service->unregisterObject(NoticePath);
        closeAllWindows();
    }

    void noticesOfNewAlarms_data()
    {
        QTest::addColumn<bool>("service");
        QTest::addColumn<bool>("wanted");
        QTest::addColumn<bool>("unseen");
        QTest::addColumn<int>("notices");
        QTest::addColumn<bool>("balloon");
        QTest::newRow("told by the service") << true << true << true << 1 << false;
        QTest::newRow("the user saw the check") << true << true << false << 0 << false;
        QTest::newRow("notices switched off") << true << false << true << 0 << false;
        QTest::newRow("no service: the tray's balloon") << false << true << true << 0 << true;
    }
    void noticesOfNewAlarms()
    {
        QFETCH(bool, service);
        QFETCH(bool, wanted);
        QFETCH(bool, unseen);
        QFETCH(bool, balloon);
        if (service)
            QVERIFY(m_service->registerService(NoticeInterface));
        setDesktopNoticesWanted(wanted);
        AlarmTray tray;
        AlarmNotifier notifier(&tray);
        QSignalSpy unanswered(notifier.findChild<DesktopNotifier *>(), &DesktopNotifier::unanswered);
        const QVector<AlarmRow> rows {{ServiceDue, 1, QString()}, {OrderDue, 1, QString()}, {PastServiceDate, 2, QString()}};
        notifier.alarmsChecked(rows, unseen);
        QTRY_COMPARE(unanswered.count() > 0, balloon);
        flushNotices();
        QTEST(int(m_fake.notices.size()), "notices");
        if (m_fake.notices.isEmpty())
            return;
        const FakeNotifications::Notice &notice = m_fake.notices.first();
        QCOMPARE(QStringList({notice.app, notice.icon, notice.title, notice.text}),
                 QStringList({"Tarvo", "org.tarvo.Tarvo", "New alarms for 2 items", "1 service and 1 order pending, 1 past due"}));
        QVERIFY(notice.actions.contains(QStringLiteral("Show alarms")));
        QCOMPARE(notice.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("org.tarvo.Tarvo"));
    }

    // A notice's action shows the alarms; another program's notice does not.
    void noticeActionShowsTheAlarms_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("the button") << "show";
        QTest::newRow("a click on the notice") << "default";
    }
    void noticeActionShowsTheAlarms()
    {
        QFETCH(QString, action);
        QVERIFY(m_service->registerService(NoticeInterface));
        AlarmTray tray;
        AlarmNotifier notifier(&tray);
        QSignalSpy wanted(&notifier, &AlarmNotifier::alarmsWanted);
        notifier.alarmsChecked({{ServiceDue, 1, QString()}}, true);
        QTRY_COMPARE(m_fake.notices.size(), 1);
        flushNotices();
        for (const uint id : {FakeNotifications::FirstId + 7, FakeNotifications::FirstId}) {
            QDBusMessage signal = QDBusMessage::createSignal(NoticePath, NoticeInterface, QStringLiteral("ActionInvoked"));
            signal << id << action;
            QVERIFY(m_service->send(signal));
        }
        QTRY_COMPARE(wanted.count(), 1);
        QTest::qWait(50);
        QCOMPARE(wanted.count(), 1);
    }

    // The periodic check tells the desktop of what is new while no window of the program is in
    // front; checks that find nothing new tell nothing.
    void periodicChecksTellWhatIsNew()
    {
        TestWorld world;
        QVERIFY(m_service->registerService(NoticeInterface));
        execute(db(), QStringLiteral("UPDATE settings SET timerinterval = 1, startupalarm = 0"));
        const qint64 acme = world.addCompany(QStringLiteral("Acme"));
        world.addItem(acme, {{"Name", "Pump"}, {"servicedate", "2026-12-08"}, {"servicewarn", 7}, {"leadtime", 14}, {"serviceinterval", 90}});
        world.addItem(acme, {{"Name", "Fan"}, {"servicedate", "2027-02-08"}, {"servicewarn", 7}, {"serviceinterval", 90}});
        MainWindow main;
        main.load();
        QStringList told;
        int check = 0;
        for (const int days : {0, 0, 3, 60}) {
            Clock::setFixed(TestWorld::Now.addDays(days).addSecs(600 * ++check));
            main.alarmMonitor()->checkTick();
            flushNotices();
            told << (m_fake.notices.isEmpty() ? QString() : m_fake.notices.first().title + u'|' + m_fake.notices.first().text);
            m_fake.notices.clear();
            delete main.alarmWindow(); // the user closed it, and nothing of the program is in front
        }
        Clock::setFixed(TestWorld::Now);
        QCOMPARE(told, QStringList({"New alarms for 1 item|1 service and 1 order pending", "", "New alarms for 1 item|1 past due", "New alarms for 1 item|1 service pending"}));
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
        auto *main = new MainWindow;
        main->load();
        main->show();
        if (action == u"mnuTrayShow")
            main->hide();
        main->findChild<AlarmTray *>()->menu()->findChild<QAction *>(action)->trigger();
        QCOMPARE(main->isVisible(), action != u"mnuTrayQuit");
        QCOMPARE(main->alarmWindow() != nullptr, action == u"mnuTrayAlarms");
        QCOMPARE(workingDatabaseIsOpen(), action != u"mnuTrayQuit");
    }

    // Help > Contents asks xdg-open and falls back when it fails: its outcome counts, not its start.
    void manualThroughXdgOpen_data()
    {
        QTest::addColumn<QByteArray>("script"); // the xdg-open on the PATH; none when empty
        QTest::addColumn<bool>("opened");
        QTest::newRow("a program takes it") << QByteArray("exit 0") << true;
        QTest::newRow("no method available") << QByteArray("echo 'xdg-open: no method available for opening' >&2; exit 3") << false;
        QTest::newRow("no xdg-open at all") << QByteArray() << false;
    }
    void manualThroughXdgOpen()
    {
        QFETCH(QByteArray, script);
        QTemporaryDir bin;
        const QString asked = bin.filePath(QStringLiteral("asked"));
        if (!script.isEmpty()) {
            const QString program = bin.filePath(QStringLiteral("xdg-open"));
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
        if (!script.isEmpty()) {
            QFile file(asked);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll().trimmed(), manual.toEncoded());
        }
    }

private:
    // Waits until the service has had every notice sent so far: a call on the notifier's own
    // connection arrives after them.
    void flushNotices()
    {
        QDBusConnection notices(QStringLiteral("tarvo-notices ") + m_address);
        notices.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                                    QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")),
                     QDBus::BlockWithGui);
        QCoreApplication::processEvents();
    }

    QTemporaryDir m_busFolder;
    QProcess m_daemon;
    QString m_address;
    FakeNotifications m_fake;
    std::optional<QDBusConnection> m_service;
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
