#include "PasswordStore.h"

#include <QEventLoop>
#include <QHash>

#include <qt6keychain/keychain.h>

namespace {

// The keyring's entries for this program go under its name.
const QString Service = QStringLiteral("Tarvo");

bool testMode = false;
bool testKeyringAnswers = true;
QHash<QString, QString> testKeyring;

// Runs a keyring job to its end: the keyring answers over D-Bus, the window waits that long.
void runToEnd(QKeychain::Job &job, const QString &account)
{
    job.setAutoDelete(false);
    job.setInsecureFallback(false); // never a plain file when no keyring runs
    job.setKey(account);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

std::optional<QString> PasswordStore::read(const QString &account)
{
    if (testMode) {
        if (!testKeyringAnswers || !testKeyring.contains(account))
            return std::nullopt;
        return testKeyring.value(account);
    }
    QKeychain::ReadPasswordJob job(Service);
    runToEnd(job, account);
    if (job.error() != QKeychain::NoError)
        return std::nullopt;
    return job.textData();
}

bool PasswordStore::write(const QString &account, const QString &password)
{
    if (testMode) {
        if (testKeyringAnswers)
            testKeyring.insert(account, password);
        return testKeyringAnswers;
    }
    QKeychain::WritePasswordJob job(Service);
    job.setTextData(password);
    runToEnd(job, account);
    return job.error() == QKeychain::NoError;
}

void PasswordStore::remove(const QString &account)
{
    if (testMode) {
        testKeyring.remove(account);
        return;
    }
    QKeychain::DeletePasswordJob job(Service);
    runToEnd(job, account);
}

void PasswordStore::setTestMode(bool on)
{
    testMode = on;
    testKeyring.clear();
    testKeyringAnswers = true;
}

void PasswordStore::setTestKeyringAnswers(bool answers)
{
    testKeyringAnswers = answers;
}
