#pragma once

#include <QString>

#include <optional>

// Server passwords in the desktop keyring (the Secret Service, KWallet), never in a file of the
// program's. Where no keyring answers, nothing is kept: the program asks again at each start.
// Tests put an in-memory keyring in its place, one that answers or one that does not.
class PasswordStore
{
public:
    // The password kept for the account; none when the keyring holds none or does not answer.
    static std::optional<QString> read(const QString &account);
    // False when no keyring took it.
    static bool write(const QString &account, const QString &password);
    static void remove(const QString &account);

    static void setTestMode(bool on);
    // Whether the test keyring answers; one that does not keeps nothing.
    static void setTestKeyringAnswers(bool answers);
};
