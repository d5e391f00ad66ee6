#pragma once

#include "core/db/DbError.h"

#include <QString>

// A connection to a Tarvo database on a PostgreSQL server, as the user fills it in: where the
// server is, which database, as whom and how far the server's certificate must be trusted. The
// password is never part of it: the desktop keyring keeps that.
struct ServerConnection {
    QString host; // a name or address, or the folder of a local server's socket ("/run/postgresql")
    QString port; // empty for the server's default
    QString database;
    QString user;
    QString tlsMode; // libpq's sslmode; ignored on a socket
    QString caFile; // the certificate authority that signed the server's certificate, if not the default

    bool isEmpty() const { return host.isEmpty() && database.isEmpty(); }
    // A local server reached through its socket folder, where no TLS is needed.
    bool onSocket() const { return host.isEmpty() || host.startsWith(u'/'); }
    // The libpq key=value text, every value quoted.
    QString address() const;
    // user@host/database, as the status bar names it.
    QString displayName() const;
    // The name the keyring keeps the password under: one per user, server and database.
    QString keyringAccount() const;

    bool operator==(const ServerConnection &) const = default;
};

// What a new connection to a named host checks of the server's certificate: everything.
inline constexpr const char *DefaultTlsMode = "verify-full";

// A value for a libpq key=value text: in single quotes, with its quotes and backslashes escaped,
// so that no value can add a keyword of its own.
QString connectionValue(const QString &value);

// The last connection the program was switched to, kept in the user's desktop settings
// (readable by the user alone); empty when the program works on its file.
ServerConnection rememberedConnection();
void rememberConnection(const ServerConnection &connection);
void forgetConnection();

// Why a connection to a server database failed, as far as the user can act on it.
enum class ConnectProblem {
    None,
    ServerNotFound,
    PasswordNeeded,
    PasswordRefused,
    UnknownUser,
    CertificateNotTrusted,
    NoSuchDatabase,
    NotTarvo,
    NewerSchema,
    Other,
};

// The problem behind a failed connection, from the error's kind, the server's SQLSTATE (when
// there was one) and libpq's or the server's message.
ConnectProblem connectProblem(DbError::Kind kind, const QString &sqlState, const QString &message);

// The problem in plain words, with the server's own account (`detail`) below them.
QString connectProblemText(ConnectProblem problem, const QString &detail = QString());

struct ConnectCheck {
    ConnectProblem problem = ConnectProblem::None;
    QString detail;
    QString text() const { return connectProblemText(problem, detail); }
};

// Connects to the server database at `address` and checks that this program can work on it.
ConnectCheck checkServerDatabase(const QString &address, const QString &password);
