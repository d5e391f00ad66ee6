#pragma once

#include <QString>
#include <stdexcept>

// A statement that failed. Commands catch it, name the failure in a message and run on;
// nothing is half written because every multi-statement change runs in a transaction.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};
