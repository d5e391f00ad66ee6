// The database a window works on: its name, and a server connection lost and found again.

#include "TestSupport.h"

#include "core/db/Database.h"
#include "core/db/DatabaseName.h"
#include "core/settings/AppContext.h"
#include "gui/mainwindow/MainWindow.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestConnection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initTestEnvironment(); }
    void cleanup() { closeAllWindows(); }

    void namesAServerDatabase_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("name");
        QTest::newRow("host") << u"plant-db"_s << u"bea@plant-db/tarvo"_s;
        QTest::newRow("address") << u"10.0.0.7"_s << u"bea@10.0.0.7/tarvo"_s;
        QTest::newRow("socket folder") << u"/var/run/postgresql"_s << u"bea@local/tarvo"_s;
        QTest::newRow("default socket") << QString() << u"bea@local/tarvo"_s;
    }
    void namesAServerDatabase()
    {
        QFETCH(QString, host);
        QFETCH(QString, name);
        QCOMPARE(serverDisplayName(u"bea"_s, host, u"tarvo"_s), name);
    }

    void titleNamesTheFile()
    {
        TestWorld world;
        MainWindow window(appContext());
        window.load();
        QCOMPARE(window.windowTitle(), u"Norlith Tarvo - main.mdb"_s);
    }
};

QTEST_MAIN(TestConnection)
#include "test_connection.moc"
