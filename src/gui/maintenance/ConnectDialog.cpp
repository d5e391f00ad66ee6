#include "ConnectDialog.h"

#include "gui/platform/FileDialog.h"
#include "gui/platform/WindowUtil.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// libpq's modes, the strictest first.
const char *const TlsModes[] = {"verify-full", "verify-ca", "require", "prefer", "disable"};

QLineEdit *namedEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

ConnectDialog::ConnectDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmConnect"));
    setWindowTitle(QStringLiteral("Connect to Server"));

    m_host = namedEdit(this, "txtHost");
    m_host->setPlaceholderText(QStringLiteral("server name, or the folder of a local server's socket"));
    m_port = namedEdit(this, "txtPort");
    m_port->setPlaceholderText(QStringLiteral("5432"));
    m_database = namedEdit(this, "txtDatabase");
    m_user = namedEdit(this, "txtUser");
    m_password = namedEdit(this, "txtPassword");
    m_password->setEchoMode(QLineEdit::Password);
    m_tlsMode = new QComboBox(this);
    m_tlsMode->setObjectName(QStringLiteral("cmbTlsMode"));
    for (const char *mode : TlsModes)
        m_tlsMode->addItem(QString::fromLatin1(mode));
    m_caFile = namedEdit(this, "txtCaFile");
    m_caFile->setPlaceholderText(QStringLiteral("the system's trusted authorities"));
    m_chooseCaFile = new QPushButton(QStringLiteral("&Browse\u2026"), this);
    m_chooseCaFile->setObjectName(QStringLiteral("cmdCaFile"));
    connect(m_chooseCaFile, &QPushButton::clicked, this, &ConnectDialog::chooseCaFile);
    connect(m_host, &QLineEdit::textChanged, this, &ConnectDialog::followHost);

    auto *caRow = new QHBoxLayout;
    caRow->addWidget(m_caFile, 1);
    caRow->addWidget(m_chooseCaFile);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Host:"), m_host);
    form->addRow(QStringLiteral("Po&rt:"), m_port);
    form->addRow(QStringLiteral("&Database:"), m_database);
    form->addRow(QStringLiteral("&User:"), m_user);
    form->addRow(QStringLiteral("&Password:"), m_password);
    form->addRow(QStringLiteral("&TLS mode:"), m_tlsMode);
    // A row of a button and its box names no buddy of its own: the label's mnemonic needs one.
    auto *caLabel = new QLabel(QStringLiteral("&CA file:"), this);
    caLabel->setBuddy(m_caFile);
    form->addRow(caLabel, caRow);

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("lblResult"));
    m_result->setTextFormat(Qt::PlainText);
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *testButton = new QPushButton(QStringLiteral("T&est"), this);
    testButton->setObjectName(QStringLiteral("cmdTest"));
    connect(testButton, &QPushButton::clicked, this, &ConnectDialog::test);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(ok, &QPushButton::clicked, this, &ConnectDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_result, 1);
    layout->addLayout(buttonRow({testButton, ok, cancel}, 1200));
    setDefaultSizeTwips(this, 7200, 4800);
    followHost();
}

void ConnectDialog::load(const ServerConnection &connection, const QString &password)
{
    m_host->setText(connection.host);
    m_port->setText(connection.port);
    m_database->setText(connection.database);
    m_user->setText(connection.user);
    m_password->setText(password);
    const int mode = m_tlsMode->findText(connection.tlsMode);
    m_tlsMode->setCurrentIndex(mode >= 0 ? mode : 0);
    m_caFile->setText(connection.caFile);
    m_result->clear();
}

ServerConnection ConnectDialog::connection() const
{
    ServerConnection connection {m_host->text().trimmed(), m_port->text().trimmed(), m_database->text().trimmed(),
                                 m_user->text().trimmed(), m_tlsMode->currentText(), m_caFile->text().trimmed()};
    if (connection.onSocket()) {
        connection.tlsMode.clear();
        connection.caFile.clear();
    }
    return connection;
}

QString ConnectDialog::password() const
{
    return m_password->text();
}

void ConnectDialog::accept()
{
    if (test())
        QDialog::accept();
}

bool ConnectDialog::test()
{
    m_result->setText(QStringLiteral("Connecting\u2026"));
    m_result->repaint(); // the connection blocks the window for up to its timeout
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ConnectCheck check = checkServerDatabase(connection().address(), password());
    QApplication::restoreOverrideCursor();
    m_result->setText(check.text());
    return check.problem == ConnectProblem::None;
}

void ConnectDialog::followHost()
{
    // A local server's socket carries no TLS: there is nothing to choose.
    const bool overNetwork = !connection().onSocket();
    m_tlsMode->setEnabled(overNetwork);
    m_caFile->setEnabled(overNetwork);
    m_chooseCaFile->setEnabled(overNetwork);
}

void ConnectDialog::chooseCaFile()
{
    const QString file = FileDialog::openFile(this, QStringLiteral("CA File"), m_caFile->text(),
                                              QStringLiteral("Certificates (*.crt *.pem);;All files (*)"));
    if (!file.isEmpty())
        m_caFile->setText(file);
}
