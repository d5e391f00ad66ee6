// The database a window works on: its name, and a server connection lost and found again.

#include "TestSupport.h"

#include "core/db/Database.h"
#include "core/db/DatabaseName.h"
#include "core/db/DbError.h"
#include "core/maintenance/ServerConnection.h"
#include "core/settings/AppContext.h"
#include "gui/items/ItemEditor.h"
#include "gui/mainwindow/ConnectionWatch.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/WindowRegistry.h"
#include "gui/platform/MessageBox.h"

#include <QLineEdit>
#include <QPushButton>
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

    void namesTheLoginWhenNoUserIsGiven()
    {
        ServerConnection connection;
        connection.host = u"plant-db"_s;
        connection.database = u"tarvo"_s;
        const QString name = connection.displayName();
        QVERIFY2(!name.startsWith(u'@') && name.endsWith(u"@plant-db/tarvo"_s), qPrintable(name));
    }

    void titleNamesTheDatabase()
    {
        TestWorld world;
        MainWindow window(appContext());
        window.load();
        QCOMPARE(window.windowTitle(), u"Norlith Tarvo - postgres@local/test_connection"_s);
    }

    // The server ends the session while the user does nothing: the status bar says so at once,
    // and the program connects again on its own.
    void noticesALostConnectionBetweenSteps()
    {
        TestWorld world;
        MainWindow main(appContext());
        main.load();
        const QString shownView = main.panelText(1);
        const qint64 pid = world.scalar(u"SELECT pg_backend_pid()"_s).toLongLong();
        world.changeElsewhere(u"SELECT pg_terminate_backend(%1)"_s.arg(pid));
        QTRY_COMPARE(main.panelText(1), QString::fromLatin1(NotConnectedText));
        QTRY_COMPARE_WITH_TIMEOUT(main.panelText(1), shownView, 5000);
        QVERIFY(world.scalar(u"SELECT pg_backend_pid()"_s).toLongLong() != pid);
    }

    // The server goes away under an open editor: the save says so and keeps what was typed, the
    // status bar says the program is not connected, and once the server answers again the same
    // save goes through.
    void keepsInputAcrossALostConnection()
    {
        TestWorld world;
        const qint64 id = world.addItem(world.addCompany(u"Acme"_s), {{"Name", u"Pump"_s}});
        MainWindow main(appContext());
        main.load();
        const QString shownView = main.panelText(1);
        ItemEditor *editor = main.windows()->openItemEditor(ItemEditor::EditListItem, id, true);
        auto *location = qobject_cast<QLineEdit *>(editor->box(Column::Location));
        location->setText(u"Hall 9"_s);

        const qint64 pid = world.scalar(u"SELECT pg_backend_pid()"_s).toLongLong();
        world.changeElsewhere(u"SELECT pg_terminate_backend(%1)"_s.arg(pid));
        QTest::mouseClick(control(editor, "cmdOK"), Qt::LeftButton);
        QVERIFY2(MessageBox::lastText().contains(QString::fromLatin1(DbError::LostText)), qPrintable(MessageBox::lastText()));
        QVERIFY(editor->isVisible());
        QCOMPARE(location->text(), u"Hall 9"_s);
        QCOMPARE(main.panelText(1), QString::fromLatin1(NotConnectedText));

        // The watch connects again on its own and shows the list anew.
        QTRY_COMPARE_WITH_TIMEOUT(main.panelText(1), shownView, 5000);
        QVERIFY(world.scalar(u"SELECT pg_backend_pid()"_s).toLongLong() != pid);
        QTest::mouseClick(control(editor, "cmdOK"), Qt::LeftButton);
        QCOMPARE(world.scalar(u"SELECT Location FROM main WHERE ID = ?"_s, {id}), QVariant(u"Hall 9"_s));
    }
};

QTEST_MAIN(TestConnection)
#include "test_connection.moc"
