#include "AboutDialog.h"

#include "core/platform/LineEnds.h"
#include "core/settings/SettingsStore.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(Database &database, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Tarvo"));

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtAbout"));
    m_text->setAccessibleName(QStringLiteral("About Tarvo"));
    m_text->setReadOnly(true);
    m_text->setFixedHeight(60);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Tarvo: equipment service and parts alarms"), this));
    right->addWidget(m_text);
    right->addWidget(ok, 0, Qt::AlignRight);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(logo, 0, Qt::AlignTop);
    layout->addLayout(right, 1);
    resize(460, 170);
    Mnemonics::give(this);
}

void AboutDialog::load()
{
    runGuarded(this, QStringLiteral("read the settings"), [&] { m_text->setPlainText(LineEnds::toShown(aboutText(m_database))); });
}

QString AboutDialog::aboutText(Database &database)
{
    const std::optional<DatabaseVersion> made = readDatabaseVersion(database);
    if (!made)
        return QString();
    return QStringLiteral("Tarvo v") + made->version + QStringLiteral("\r\nBuild: ") + made->build;
}
