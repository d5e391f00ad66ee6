#pragma once

#include "core/maintenance/ServerConnection.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// File > Connect to Server: where the server database is and who connects. Test says whether
// it connects and, when not, what failed in plain words; OK does the same and closes only on a
// connection this program can work on.
class ConnectDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ConnectDialog(QWidget *parent = nullptr);

    // Fills the form with a connection (the remembered one) and the password kept for it.
    void load(const ServerConnection &connection, const QString &password);

    ServerConnection connection() const;
    QString password() const;

    void accept() override;

private:
    // Connects once and says how it went. True when this program can work on the database.
    bool test();
    void followHost();
    void chooseCaFile();

    QLineEdit *m_host;
    QLineEdit *m_port;
    QLineEdit *m_database;
    QLineEdit *m_user;
    QLineEdit *m_password;
    QComboBox *m_tlsMode;
    QLineEdit *m_caFile;
    QPushButton *m_chooseCaFile;
    QLabel *m_result;
};
