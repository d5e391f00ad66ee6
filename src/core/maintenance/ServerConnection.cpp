#include "ServerConnection.h"

#include "core/db/Database.h"
#include "core/db/DatabaseName.h"
#include "core/db/Schema.h"
#include "core/db/ServerSchema.h"

#include <QFile>
#include <QSettings>

#include <pwd.h>
#include <unistd.h>

namespace {

QString loginName()
{
    const passwd *entry = getpwuid(geteuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString();
}

// The program's desktop settings, in the user's configuration folder (the tray's choices too).
const QString SettingsName = QStringLiteral("Tarvo");
const QString Group = QStringLiteral("server");

struct Field {
    const char *key;
    QString ServerConnection::*value;
};
const Field Fields[] = {
    {"host", &ServerConnection::host},
    {"port", &ServerConnection::port},
    {"database", &ServerConnection::database},
    {"user", &ServerConnection::user},
    {"tlsMode", &ServerConnection::tlsMode},
    {"caFile", &ServerConnection::caFile},
};

// The settings file names the user's servers: only the user reads it.
void keepPrivate(QSettings &settings)
{
    settings.sync();
    QFile::setPermissions(settings.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool containsAny(const QString &text, std::initializer_list<const char *> words)
{
    for (const char *word : words) {
        if (text.contains(QLatin1StringView(word), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

QString connectionValue(const QString &value)
{
    QString quoted = value;
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + quoted + u'\'';
}

QString ServerConnection::address() const
{
    QStringList pairs;
    auto add = [&pairs](const char *key, const QString &value) {
        if (!value.isEmpty())
            pairs << QLatin1StringView(key) + u'=' + connectionValue(value);
    };
    add("host", host);
    add("port", port);
    add("dbname", database);
    add("user", user);
    if (!onSocket()) {
        add("sslmode", tlsMode);
        add("sslrootcert", caFile);
    }
    return pairs.join(u' ');
}

QString ServerConnection::displayName() const
{
    // Without a user the server is asked as the login, as libpq does.
    return serverDisplayName(user.isEmpty() ? loginName() : user, host, database);
}

QString ServerConnection::keyringAccount() const
{
    return QStringLiteral("%1@%2:%3/%4").arg(user, host, port, database);
}

ServerConnection rememberedConnection()
{
    QSettings settings(SettingsName, SettingsName);
    settings.beginGroup(Group);
    ServerConnection connection;
    for (const Field &field : Fields)
        connection.*field.value = settings.value(QLatin1StringView(field.key)).toString();
    return connection;
}

void rememberConnection(const ServerConnection &connection)
{
    QSettings settings(SettingsName, SettingsName);
    settings.beginGroup(Group);
    for (const Field &field : Fields)
        settings.setValue(QLatin1StringView(field.key), connection.*field.value);
    settings.endGroup();
    keepPrivate(settings);
}

void forgetConnection()
{
    QSettings settings(SettingsName, SettingsName);
    settings.remove(Group);
    keepPrivate(settings);
}

ConnectProblem connectProblem(DbError::Kind kind, const QString &sqlState, const QString &message)
{
    // libpq gives no SQLSTATE for a refused start-up, only the server's words: both are read.
    if (sqlState == u"28P01" || containsAny(message, {"password authentication failed", "authentication failed for user"}))
        return ConnectProblem::PasswordRefused;
    if (kind == DbError::Kind::NeedsPassword)
        return containsAny(message, {"no password supplied"}) ? ConnectProblem::PasswordNeeded : ConnectProblem::PasswordRefused;
    const bool missing = message.contains(QStringLiteral("does not exist"));
    if (sqlState == u"3D000" || (missing && message.contains(QStringLiteral("database \""))))
        return ConnectProblem::NoSuchDatabase;
    if (missing && message.contains(QStringLiteral("role \"")))
        return ConnectProblem::UnknownUser;
    // The certificate before the server: libpq names the server in front of either.
    if (containsAny(message, {"certificate", "SSL error", "SSL SYSCALL", "server does not support SSL"}))
        return ConnectProblem::CertificateNotTrusted;
    if (kind == DbError::Kind::ConnectionLost || sqlState.startsWith(QStringLiteral("08"))
        || containsAny(message, {"could not translate host name", "Connection refused", "No such file or directory", "timeout expired", "No route to host", "Network is unreachable", "could not connect to server", "Name or service not known"}))
        return ConnectProblem::ServerNotFound;
    return ConnectProblem::Other;
}

QString connectProblemText(ConnectProblem problem, const QString &detail)
{
    QString text;
    switch (problem) {
    case ConnectProblem::None:
        return QStringLiteral("Connected: this is a Tarvo database.");
    case ConnectProblem::ServerNotFound:
        text = QStringLiteral("The server was not found. Check the host and the port, and that the server is running.");
        break;
    case ConnectProblem::PasswordNeeded:
        text = QStringLiteral("The server asks for a password.");
        break;
    case ConnectProblem::PasswordRefused:
        text = QStringLiteral("The server refused the password.");
        break;
    case ConnectProblem::UnknownUser:
        text = QStringLiteral("The server knows no user of that name.");
        break;
    case ConnectProblem::CertificateNotTrusted:
        text = QStringLiteral("The server's certificate is not trusted. Choose the CA file that signed it, and check "
                              "that the host is the name in the certificate.");
        break;
    case ConnectProblem::NoSuchDatabase:
        text = QStringLiteral("The server has no database of that name.");
        break;
    case ConnectProblem::NotTarvo:
        text = QStringLiteral("This is not a Tarvo database.");
        break;
    case ConnectProblem::NewerSchema:
        text = QStringLiteral("This database was made by a newer Tarvo. Please install the newer Tarvo to work on it.");
        break;
    case ConnectProblem::Other:
        text = QStringLiteral("The connection failed.");
        break;
    }
    return detail.isEmpty() ? text : text + u'\n' + detail;
}

ConnectCheck checkServerDatabase(const QString &address, const QString &password)
{
    Database database;
    try {
        database.connectServer(address, password);
        if (database.columnNames(QString::fromLatin1(ServerSchema::MetaTable)).isEmpty())
            return {ConnectProblem::NotTarvo, QString()};
        if (const QString newer = ServerSchema::versionProblem(database); !newer.isEmpty())
            return {ConnectProblem::NewerSchema, newer};
        QString missing;
        if (!Schema::hasExpectedShape(database, &missing))
            return {ConnectProblem::NotTarvo, missing};
    } catch (const DbError &failure) {
        return {connectProblem(failure.kind(), failure.sqlState(), failure.message()), failure.message()};
    }
    return {};
}
