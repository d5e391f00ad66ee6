#include "ServerCommands.h"

#include "ConnectDialog.h"
#include "PasswordDialog.h"
#include "ProgramEnd.h"

#include "core/db/Database.h"
#include "core/maintenance/ServerConnection.h"
#include "core/maintenance/WorkingDatabase.h"
#include "core/settings/AppPaths.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/PasswordStore.h"

namespace {

// The remembered connection the program starts on; empty when it starts on anything else.
ServerConnection startConnection;

QString keptPassword(const ServerConnection &connection)
{
    return connection.isEmpty() ? QString() : PasswordStore::read(connection.keyringAccount()).value_or(QString());
}

// The file, this time, in place of a remembered server that cannot be opened.
void fallBackToFile(const QString &why)
{
    if (!why.isEmpty())
        MessageBox::information(nullptr, QStringLiteral("The server database %1 could not be opened.\n%2\n"
                                                        "Tarvo works on its database file this time.")
                                             .arg(startConnection.displayName(), why));
    startConnection = {};
    setServerAddress(QString());
    setServerPassword(QString());
}

} // namespace

void chooseStartDatabase(const QString &named)
{
    startConnection = {};
    if (named.isEmpty())
        startConnection = rememberedConnection();
    const bool server = named.isEmpty() ? !startConnection.isEmpty() : Database::isServerAddress(named);
    setServerAddress(server ? (named.isEmpty() ? startConnection.address() : named) : QString());
    if (!named.isEmpty() && !server)
        AppPaths::setDatabaseFile(named);
}

bool openStartDatabase(Database &database)
{
    QString password = keptPassword(startConnection);
    bool typed = false;
    if (!startConnection.isEmpty())
        setServerPassword(password);
    QString error;
    DbError::Kind kind = DbError::Kind::Other;
    while (!openWorkingDatabase(database, &error, &kind)) {
        const bool remembered = !startConnection.isEmpty();
        if (kind == DbError::Kind::NeedsPassword) {
            const QString name = remembered ? startConnection.displayName() : serverAddress();
            PasswordDialog ask(name, password.isEmpty() ? QString() : connectProblemText(ConnectProblem::PasswordRefused));
            if (ask.exec() != QDialog::Accepted) {
                if (!remembered)
                    return false;
                fallBackToFile(QString());
                continue;
            }
            password = ask.password();
            typed = true;
            setServerPassword(password);
        } else if (remembered) {
            fallBackToFile(connectProblemText(connectProblem(kind, QString(), error), error));
        } else {
            QString text = QString::fromLatin1(FatalOpenMessage);
            if (!serverAddress().isEmpty())
                text += QStringLiteral("\r\n") + error;
            MessageBox::information(nullptr, text);
            return false;
        }
    }
    // Where no keyring answers, the password is asked again at the next start.
    if (typed && !startConnection.isEmpty())
        PasswordStore::write(startConnection.keyringAccount(), password);
    return true;
}

bool connectToServer(QWidget *mainWindow)
{
    const ServerConnection last = rememberedConnection();
    ConnectDialog dialog(mainWindow);
    dialog.load(last, keptPassword(last));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const ServerConnection chosen = dialog.connection();
    if (!last.isEmpty() && last.keyringAccount() != chosen.keyringAccount())
        PasswordStore::remove(last.keyringAccount());
    rememberConnection(chosen);
    if (!dialog.password().isEmpty())
        PasswordStore::write(chosen.keyringAccount(), dialog.password());
    MessageBox::information(mainWindow, QStringLiteral("Program must be restarted for changes to commit; Shutting down now"));
    ProgramEnd::end(mainWindow);
    return true;
}
