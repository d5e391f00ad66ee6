// Connecting to a server database: the connection window and its plain-word failures, the
// remembered connection at start, the keyring and the way back to the file, against the test
// run's throwaway PostgreSQL server.

#include "ServerSupport.h"
#include "TestSupport.h"

#include "core/db/Database.h"
#include "core/maintenance/ServerConnection.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/settings/AppContext.h"
#include "core/settings/AppPaths.h"
#include "gui/maintenance/ConnectDialog.h"
#include "gui/maintenance/DatabaseCommands.h"
#include "gui/maintenance/PasswordDialog.h"
#include "gui/maintenance/ProgramEnd.h"
#include "gui/maintenance/ServerCommands.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/PasswordStore.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <libpq-fe.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(DbError::Kind)
Q_DECLARE_METATYPE(ConnectProblem)

namespace {

const QString Technician = u"connect_technician"_s;
const QString Password = u"sesame"_s;

const QString SocketFolder = qEnvironmentVariable("TARVO_TEST_PGHOST");

const ServerConnection TestDatabase {SocketFolder, QString(), u"test_connect"_s, Technician, QString(), QString()};

// Fills the connection window as a user types.
void fillIn(ConnectDialog *window, const ServerConnection &connection, const QString &password)
{
    for (const auto &[name, text] : {std::pair {"txtHost", connection.host}, std::pair {"txtDatabase", connection.database},
                                     std::pair {"txtUser", connection.user}, std::pair {"txtPassword", password}}) {
        QLineEdit *box = control<QLineEdit>(window, name);
        box->clear();
        QTest::keyClicks(box, text);
    }
}

// Answers the next modal window of the class with `answer` once it shows.
template<class Window>
void whenShown(const std::function<void(Window *)> &answer)
{
    QTimer::singleShot(0, [answer] {
        Window *window = shownWindow<Window>();
        QVERIFY2(window, "the window did not show");
        answer(window);
    });
}

} // namespace

class TestConnect : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup() { closeAllWindows(); }

    void namesTheProblem_data();
    void namesTheProblem();
    void quotesEveryValue_data();
    void quotesEveryValue();
    void altKeysReachTheirBoxes_data();
    void altKeysReachTheirBoxes();
    void windowSaysWhatFailed_data();
    void windowSaysWhatFailed();
    void rememberedConnectionOpensAtStart_data();
    void rememberedConnectionOpensAtStart();
    void openDatabaseForgetsTheServer();
    void statusBarNamesTheDatabase();

private:
    QTemporaryDir m_settings;
    int m_ended = 0;
};

void TestConnect::initTestCase()
{
    initTestEnvironment();
    // The desktop settings in a folder of the test's own, so that no other test program meets
    // the connection remembered here.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    ProgramEnd::setHandler([this](QWidget *) { ++m_ended; });

    TestServerDatabase::create(u"test_connect"_s, u"tarvo_template"_s);
    TestServerDatabase::create(u"test_connect_other"_s);
    const QString newer = TestServerDatabase::create(u"test_connect_newer"_s, u"tarvo_template"_s);
    Database admin;
    admin.connectServer(newer);
    admin.exec(u"UPDATE tarvo_meta SET value = '99' WHERE name = 'schema'"_s);
    // The role may exist from an earlier run or be made by another test program meanwhile.
    admin.exec(u"DO $$ BEGIN CREATE ROLE password_users; EXCEPTION WHEN duplicate_object THEN NULL; END $$;"
               " DO $$ BEGIN CREATE ROLE connect_technician LOGIN; EXCEPTION WHEN duplicate_object THEN NULL; END $$;"
               " ALTER ROLE connect_technician PASSWORD 'sesame';"
               " GRANT password_users, tarvo_technicians TO connect_technician"_s);
}

void TestConnect::init()
{
    m_ended = 0;
    PasswordStore::setTestMode(true);
    forgetConnection();
    setServerAddress(QString());
    setServerPassword(QString());
    MessageBox::clearShown();
}

void TestConnect::namesTheProblem_data()
{
    QTest::addColumn<DbError::Kind>("kind");
    QTest::addColumn<QString>("sqlState");
    QTest::addColumn<QString>("message");
    QTest::addColumn<ConnectProblem>("problem");
    using K = DbError::Kind;
    using P = ConnectProblem;
    // libpq's own words as it gives them for a failed start.
    QTest::newRow("no password") << K::NeedsPassword << QString() << u"fe_sendauth: no password supplied"_s << P::PasswordNeeded;
    QTest::newRow("password not taken") << K::NeedsPassword << QString() << u"SCRAM authentication requires libpq version 10 or above"_s << P::PasswordRefused;
    QTest::newRow("refused by state") << K::Other << u"28P01"_s << u"authentication failed"_s << P::PasswordRefused;
    QTest::newRow("unknown host") << K::Other << QString() << uR"(could not translate host name "nowhere.invalid" to address: Name or service not known)"_s << P::ServerNotFound;
    QTest::newRow("refused") << K::Other << QString() << uR"(connection to server at "db" (10.0.0.5), port 5432 failed: Connection refused)"_s << P::ServerNotFound;
    QTest::newRow("timeout") << K::Other << QString() << uR"(connection to server at "db" (10.0.0.5), port 5432 failed: timeout expired)"_s << P::ServerNotFound;
    QTest::newRow("lost") << K::ConnectionLost << u"08006"_s << u"server closed the connection unexpectedly"_s << P::ServerNotFound;
    QTest::newRow("no CA file") << K::Other << QString() << uR"(connection to server at "db" (10.0.0.5), port 5432 failed: root certificate file "/home/a/.postgresql/root.crt" does not exist)"_s << P::CertificateNotTrusted;
    QTest::newRow("unverified") << K::Other << QString() << uR"(connection to server at "db" (10.0.0.5), port 5432 failed: SSL error: certificate verify failed)"_s << P::CertificateNotTrusted;
    QTest::newRow("other name") << K::Other << QString() << uR"(connection to server at "db" (10.0.0.5), port 5432 failed: server certificate for "other" does not match host name "db")"_s << P::CertificateNotTrusted;
    QTest::newRow("no role") << K::Other << QString() << uR"(connection to server on socket "/tmp/x/.s.PGSQL.5432" failed: FATAL:  role "bert" does not exist)"_s << P::UnknownUser;
    QTest::newRow("anything else") << K::Other << u"53300"_s << u"sorry, too many clients already"_s << P::Other;
}

void TestConnect::namesTheProblem()
{
    QFETCH(DbError::Kind, kind);
    QFETCH(QString, sqlState);
    QFETCH(QString, message);
    QFETCH(ConnectProblem, problem);
    QCOMPARE(connectProblem(kind, sqlState, message), problem);
}

void TestConnect::quotesEveryValue_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("caFile");
    QTest::addColumn<QString>("sslmode"); // as libpq reads it back, "" when absent
    QTest::newRow("spaces") << u"db.example.com"_s << u"plant two"_s << u"anna maria"_s << u"/home/a/my certs/ca.pem"_s << u"verify-full"_s;
    QTest::newRow("keyword in a value") << u"db"_s << u"tarvo' sslmode='disable"_s << u"x sslmode=disable"_s << QString() << u"verify-full"_s;
    QTest::newRow("backslashes") << u"db"_s << uR"(a\'b\)"_s << u"'"_s << uR"(C:\certs\ca.pem)"_s << u"verify-full"_s;
    QTest::newRow("socket: no TLS") << u"/run/postgresql"_s << u"tarvo"_s << u"anna"_s << u"/ca.pem"_s << QString();
}

void TestConnect::quotesEveryValue()
{
    QFETCH(QString, host);
    QFETCH(QString, database);
    QFETCH(QString, user);
    QFETCH(QString, caFile);
    QFETCH(QString, sslmode);
    const ServerConnection connection {host, u"5433"_s, database, user, QString::fromLatin1(DefaultTlsMode), caFile};
    char *error = nullptr;
    PQconninfoOption *parsed = PQconninfoParse(connection.address().toUtf8().constData(), &error);
    QVERIFY2(parsed, error);
    QHash<QString, QString> read;
    for (PQconninfoOption *option = parsed; option->keyword; ++option) {
        if (option->val)
            read.insert(QString::fromUtf8(option->keyword), QString::fromUtf8(option->val));
    }
    PQconninfoFree(parsed);
    QCOMPARE(read.value(u"host"_s), host);
    QCOMPARE(read.value(u"port"_s), u"5433"_s);
    QCOMPARE(read.value(u"dbname"_s), database);
    QCOMPARE(read.value(u"user"_s), user);
    QCOMPARE(read.value(u"sslmode"_s), sslmode);
    QCOMPARE(read.value(u"sslrootcert"_s), sslmode.isEmpty() ? QString() : caFile);
}

void TestConnect::altKeysReachTheirBoxes_data()
{
    QTest::addColumn<char>("key");
    QTest::addColumn<QString>("box");
    QTest::newRow("host") << 'h' << u"txtHost"_s;
    QTest::newRow("port") << 'r' << u"txtPort"_s;
    QTest::newRow("database") << 'd' << u"txtDatabase"_s;
    QTest::newRow("user") << 'u' << u"txtUser"_s;
    QTest::newRow("password") << 'p' << u"txtPassword"_s;
    QTest::newRow("TLS mode") << 't' << u"cmbTlsMode"_s;
    QTest::newRow("CA file") << 'c' << u"txtCaFile"_s;
}

void TestConnect::altKeysReachTheirBoxes()
{
    QFETCH(char, key);
    QFETCH(QString, box);
    auto *window = openAlone<ConnectDialog>();
    window->load({u"db.example.com"_s, QString(), u"tarvo"_s, Technician, QString(), QString()}, QString());
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, key, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), box);
}

void TestConnect::windowSaysWhatFailed_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("password");
    QTest::addColumn<ConnectProblem>("problem");
    QTest::newRow("connects") << SocketFolder << u"test_connect"_s << Password << ConnectProblem::None;
    QTest::newRow("wrong password") << SocketFolder << u"test_connect"_s << u"open"_s << ConnectProblem::PasswordRefused;
    QTest::newRow("unknown host") << u"/nonexistent/tarvo-server"_s << u"test_connect"_s << Password << ConnectProblem::ServerNotFound;
    QTest::newRow("not a Tarvo database") << SocketFolder << u"test_connect_other"_s << Password << ConnectProblem::NotTarvo;
    QTest::newRow("newer Tarvo") << SocketFolder << u"test_connect_newer"_s << Password << ConnectProblem::NewerSchema;
    QTest::newRow("no such database") << SocketFolder << u"test_connect_none"_s << Password << ConnectProblem::NoSuchDatabase;
}

void TestConnect::windowSaysWhatFailed()
{
    QFETCH(QString, host);
    QFETCH(QString, database);
    QFETCH(QString, password);
    QFETCH(ConnectProblem, problem);
    auto *window = openAlone<ConnectDialog>();
    fillIn(window, {host, QString(), database, Technician, QString(), QString()}, password);
    // No TLS over a local socket; a named host starts at the strictest mode.
    QCOMPARE(control(window, "cmbTlsMode")->isEnabled(), !host.startsWith(u'/'));
    QTest::mouseClick(control<QPushButton>(window, "cmdTest"), Qt::LeftButton);
    const QString said = control<QLabel>(window, "lblResult")->text();
    QVERIFY2(said.startsWith(connectProblemText(problem)), qPrintable(said));
    // OK closes the window only on a database the program can work on.
    QTest::mouseClick(control<QPushButton>(window, "cmdOK"), Qt::LeftButton);
    QCOMPARE(window->result() == QDialog::Accepted, problem == ConnectProblem::None);
}

void TestConnect::rememberedConnectionOpensAtStart_data()
{
    QTest::addColumn<bool>("keyringAnswers");
    QTest::newRow("keyring") << true;
    QTest::newRow("no keyring") << false;
}

void TestConnect::rememberedConnectionOpensAtStart()
{
    QFETCH(bool, keyringAnswers);
    PasswordStore::setTestKeyringAnswers(keyringAnswers);
    TestWorld world; // the program's file, and the folder it lives in

    whenShown<ConnectDialog>([&](ConnectDialog *window) {
        QCOMPARE(control<QComboBox>(window, "cmbTlsMode")->currentText(), QString::fromLatin1(DefaultTlsMode));
        fillIn(window, TestDatabase, Password);
        QTest::mouseClick(control<QPushButton>(window, "cmdOK"), Qt::LeftButton);
    });
    QVERIFY(connectToServer(nullptr));
    QCOMPARE(m_ended, 1);
    QCOMPARE(rememberedConnection(), TestDatabase);

    // The next start: the remembered server, with the kept password or one typed at the start.
    int asked = 0;
    if (!keyringAnswers) {
        whenShown<PasswordDialog>([&](PasswordDialog *window) {
            ++asked;
            QTest::keyClicks(control<QLineEdit>(window, "txtPassword"), Password);
            window->accept();
        });
    }
    chooseStartDatabase(QString());
    Database started;
    QVERIFY(openStartDatabase(started));
    QCOMPARE(started.displayName(), TestDatabase.displayName());
    QCOMPARE(asked, keyringAnswers ? 0 : 1);
    QCOMPARE(PasswordStore::read(TestDatabase.keyringAccount()), keyringAnswers ? std::optional(Password) : std::nullopt);

    // A database named on the command line wins over the remembered one.
    started.close();
    chooseStartDatabase(world.databasePath());
    QVERIFY(openStartDatabase(started));
    QVERIFY(!started.isServer());

    // The settings keep where the server is, for the user alone, and never the password.
    QSettings settings(u"Tarvo"_s, u"Tarvo"_s);
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    QVERIFY(!(QFile::permissions(settings.fileName()) & others));
    QDirIterator files(m_settings.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    int read = 0;
    while (files.hasNext()) {
        const QByteArray content = readFile(files.next());
        QVERIFY2(!content.contains(Password.toUtf8()), qPrintable(files.filePath()));
        read += content.contains(Technician.toUtf8());
    }
    QCOMPARE(read, 1);
    AppPaths::setDatabaseFile(QString());
}

void TestConnect::openDatabaseForgetsTheServer()
{
    TestWorld world;
    rememberConnection(TestDatabase);
    Database server;
    server.openServer(TestDatabase.address(), Password);
    FileDialog::setNextPath(AppPaths::databaseFile());
    QVERIFY(switchDatabase(nullptr, server));
    QCOMPARE(m_ended, 1);
    QVERIFY(rememberedConnection().isEmpty());
}

void TestConnect::statusBarNamesTheDatabase()
{
    TestWorld world;
    Database server;
    server.openServer(TestDatabase.address(), Password);
    for (Database *database : {&db(), &server}) {
        AppContext context(*database);
        MainWindow window(context);
        QCOMPARE(control<QLabel>(&window, "sbDatabase")->text(),
                 database == &server ? u"connect_technician@local/test_connect"_s : u"main.mdb"_s);
    }
}

QTEST_MAIN(TestConnect)
#include "test_connect.moc"
