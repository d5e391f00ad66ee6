#include "AboutDialog.h"

#include "core/maintenance/WorkingDatabase.h"
#include "core/platform/LineEnds.h"
#include "core/settings/SettingsStore.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Tarvo"));

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    auto *text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("txtAbout"));
    text->setAccessibleName(QStringLiteral("About Tarvo"));
    text->setReadOnly(true);
    text->setFixedHeight(60);
    runGuarded(this, QStringLiteral("read the settings"), [&] { text->setPlainText(LineEnds::toShown(aboutText())); });
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Tarvo: equipment service and parts alarms"), this));
    right->addWidget(text);
    right->addWidget(ok, 0, Qt::AlignRight);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(logo, 0, Qt::AlignTop);
    layout->addLayout(right, 1);
    resize(460, 170);
    Mnemonics::give(this);
}

QString AboutDialog::aboutText()
{
    const std::optional<DatabaseVersion> made = readDatabaseVersion(db());
    if (!made)
        return QString();
    return QStringLiteral("Tarvo v") + made->version + QStringLiteral("\r\nBuild: ") + made->build;
}
