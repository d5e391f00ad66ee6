#pragma once

#include <QDialog>

class QLineEdit;

// Asks for the password a server database wants before it lets Tarvo in. The password is kept
// for this run only (so that a lost connection can be made again), never written anywhere.
class PasswordDialog : public QDialog
{
    Q_OBJECT

public:
    // `database` names the server database (user@host/db); `problem` is what the server said
    // when it refused a password, empty when it asks the first time.
    PasswordDialog(const QString &database, const QString &problem, QWidget *parent = nullptr);

    QString password() const;

private:
    QLineEdit *m_password;
};
