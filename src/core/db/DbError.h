#pragma once

#include <QString>
#include <stdexcept>

// A statement that failed. Commands catch it, name the failure in a message and run on;
// nothing is half written because every multi-statement change runs in a transaction.
class DbError : public std::runtime_error
{
public:
    // What went wrong, as far as a command needs to tell failures apart.
    enum class Kind {
        Other,
        Busy, // another connection held what the statement needed for longer than it waits
        Conflict, // the server broke a deadlock or a serialization conflict
        ConnectionLost, // the server cannot be reached; the next statement connects again
        NeedsPassword, // the server asks for a password none was given
        BadValue, // a value the column cannot hold (a date that is no day, a number too large)
    };

    // SQLite's words for the busy case, which the server engine gives as well, so that a user
    // meets the same refusal on either engine.
    static constexpr const char *BusyText = "database is locked";
    // What a user is told when the server connection is lost, before the server's own account.
    static constexpr const char *LostText = "The connection to the database server was lost. Nothing was saved;"
                                            " your input is kept. Tarvo will reconnect when you try again.";

    explicit DbError(const QString &message, Kind kind = Kind::Other, const QString &sqlState = QString())
        : std::runtime_error(message.toStdString())
        , m_message(message)
        , m_kind(kind)
        , m_sqlState(sqlState)
    {
    }

    QString message() const { return m_message; }
    Kind kind() const { return m_kind; }
    // The server's five-character SQLSTATE code; empty for the file engine.
    QString sqlState() const { return m_sqlState; }

private:
    QString m_message;
    Kind m_kind;
    QString m_sqlState;
};
