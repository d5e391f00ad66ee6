#include "PasswordDialog.h"

#include "gui/platform/WindowUtil.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PasswordDialog::PasswordDialog(const QString &database, const QString &problem, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral("Tarvo"));

    auto *question = new QLabel(QStringLiteral("The database server asks for the password of %1.").arg(database), this);
    question->setObjectName(QStringLiteral("lblQuestion"));
    question->setTextFormat(Qt::PlainText);
    question->setWordWrap(true);
    auto *refused = new QLabel(problem, this);
    refused->setObjectName(QStringLiteral("lblProblem"));
    refused->setTextFormat(Qt::PlainText);
    refused->setWordWrap(true);
    refused->setVisible(!problem.isEmpty());

    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    auto *label = new QLabel(QStringLiteral("&Password:"), this);
    label->setBuddy(m_password);
    m_password->setAccessibleName(QStringLiteral("Password:"));

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(refused);
    layout->addWidget(label);
    layout->addWidget(m_password);
    layout->addLayout(buttonRow({ok, cancel}, 1200));
    setDefaultSizeTwips(this, 5400, 2000);
}

QString PasswordDialog::password() const
{
    return m_password->text();
}
