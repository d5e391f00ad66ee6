#include "OptionsDialog.h"

#include "core/alarms/AlarmSummary.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace OptionRules;

namespace {

QComboBox *yesNoList(QWidget *parent, const char *name)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems({QStringLiteral("NO"), QStringLiteral("YES")});
    return list;
}

QWidget *page(QWidget *parent, QFormLayout **form)
{
    auto *widget = new QWidget(parent);
    *form = new QFormLayout(widget);
    (*form)->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    (*form)->setLabelAlignment(Qt::AlignLeft);
    return widget;
}

} // namespace

OptionsDialog::OptionsDialog(Database &database, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
{
    setObjectName(QStringLiteral("frmGenOpts"));
    setWindowTitle(QStringLiteral("Options"));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(buildAlarmsTab(), QStringLiteral("Alarms"));
    SSTab1->addTab(buildBackupTab(), QStringLiteral("Backup"));
    SSTab1->addTab(buildAdvancedTab(), QStringLiteral("Advanced"));
    SSTab1->tabBar()->setAccessibleName(QStringLiteral("Option pages"));

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    connect(m_okButton, &QPushButton::clicked, this, &OptionsDialog::save);
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    // Shown on a server, where each technician keeps some options of their own.
    m_ownCaption = new QLabel(QStringLiteral("Your own: alarm notification time, start-up alarm, history question. The"
                                             " alarm switches, automatic history and backup are everyone's."),
                              this);
    m_ownCaption->setObjectName(QStringLiteral("lblOwnSettings"));
    m_ownCaption->setWordWrap(true);
    m_ownCaption->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addWidget(m_ownCaption);
    layout->addLayout(buttons);

    connect(cmbAutoAddHst, &QComboBox::currentIndexChanged, this, &OptionsDialog::followHistoryChoice);
    connect(cmbSvcAl, &QComboBox::currentIndexChanged, this, &OptionsDialog::followAlarmChoice);
    connect(cmbOrAl, &QComboBox::currentIndexChanged, this, &OptionsDialog::followAlarmChoice);
    resize(440, 230);
    Mnemonics::give(this);
}

void OptionsDialog::load()
{
    // Without the row the window offers nothing to store.
    if (runGuarded(this, QStringLiteral("read the options"), [&] {
            m_read = optionsStamp(m_database);
            m_loaded = loadOptions(m_database);
        }))
        showOptions(m_loaded);
    else
        m_okButton->setEnabled(false);
}

QWidget *OptionsDialog::buildAlarmsTab()
{
    QFormLayout *form = nullptr;
    QWidget *widget = page(this, &form);
    cmbSvcAl = yesNoList(widget, "cmbSvcAl");
    cmbOrAl = yesNoList(widget, "cmbOrAl");
    cmbAlNoti = new QComboBox(widget);
    cmbAlNoti->setObjectName(QStringLiteral("cmbAlNoti"));
    for (int position = 0; position < NotificationEntries; ++position)
        cmbAlNoti->addItem(notificationEntry(position));
    form->addRow(QStringLiteral("Service Alarms On"), cmbSvcAl);
    form->addRow(QStringLiteral("Order Alarms On"), cmbOrAl);
    form->addRow(QStringLiteral("Alarm Notification time"), cmbAlNoti);
    m_trayCheck = new QCheckBox(QStringLiteral("Show alarms in the system tray"), widget);
    m_trayCheck->setObjectName(QStringLiteral("chkTray"));
    m_trayCheck->setChecked(trayAlarmsWanted());
    form->addRow(m_trayCheck);
    m_noticeCheck = new QCheckBox(QStringLiteral("Notify about new alarms on the desktop"), widget);
    m_noticeCheck->setObjectName(QStringLiteral("chkNotify"));
    m_noticeCheck->setChecked(desktopNoticesWanted());
    form->addRow(m_noticeCheck);
    return widget;
}

QWidget *OptionsDialog::buildBackupTab()
{
    QFormLayout *form = nullptr;
    QWidget *widget = page(this, &form);
    m_backupIntervalEdit = new QLineEdit(widget);
    m_backupIntervalEdit->setObjectName(QStringLiteral("txtBackup"));
    m_backupIntervalEdit->setFixedWidth(60);
    // Three typed digits; a paste is taken only when the result is all digits, and a long one
    // is refused by OK.
    filterTyping(m_backupIntervalEdit, acceptsIntervalKey);
    m_backupIntervalEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_backupIntervalEdit));
    auto *days = new QLabel(QStringLiteral("days"), widget);
    days->setObjectName(QStringLiteral("lblDays"));
    auto *row = new QHBoxLayout;
    row->addWidget(m_backupIntervalEdit);
    row->addWidget(days);
    row->addStretch(1);
    auto *caption = new QLabel(QStringLiteral("Backup Interval"), widget);
    caption->setObjectName(QStringLiteral("lblBackup"));
    caption->setBuddy(m_backupIntervalEdit);
    form->addRow(caption, row);
    return widget;
}

QWidget *OptionsDialog::buildAdvancedTab()
{
    QFormLayout *form = nullptr;
    QWidget *widget = page(this, &form);
    cmbAlarmStartup = yesNoList(widget, "cmbAlarmStartup");
    cmbAutoAddHst = yesNoList(widget, "cmbAutoAddHst");
    cmbAutoAddHstWarn = yesNoList(widget, "cmbAutoAddHstWarn");
    form->addRow(QStringLiteral("Show alarms on startup"), cmbAlarmStartup);
    form->addRow(QStringLiteral("Automatically add history"), cmbAutoAddHst);
    form->addRow(QStringLiteral("Notify before automatically adding history"), cmbAutoAddHstWarn);
    return widget;
}

void OptionsDialog::showOptions(const GeneralOptions &options)
{
    cmbSvcAl->setCurrentIndex(listPosition(options.serviceAlarms, YesNoEntries));
    cmbOrAl->setCurrentIndex(listPosition(options.orderAlarms, YesNoEntries));
    cmbAlarmStartup->setCurrentIndex(listPosition(options.startupAlarm, YesNoEntries));
    cmbAlNoti->setCurrentIndex(listPosition(options.notification, NotificationEntries));
    cmbAutoAddHstWarn->setCurrentIndex(listPosition(options.autoAddHistoryWarn, YesNoEntries));
    cmbAutoAddHst->setCurrentIndex(listPosition(options.autoAddHistory, YesNoEntries));
    m_backupIntervalEdit->setText(options.backupInterval);
    m_ownCaption->setVisible(options.technicianOwn);
    followHistoryChoice();
}

void OptionsDialog::followHistoryChoice()
{
    const bool locked = historyWarnLocked(cmbAutoAddHst->currentIndex());
    if (locked)
        cmbAutoAddHstWarn->setCurrentIndex(0);
    cmbAutoAddHstWarn->setEnabled(!locked);
}

void OptionsDialog::followAlarmChoice()
{
    cmbAlNoti->setCurrentIndex(
        notificationAfterAlarmChoice(cmbSvcAl->currentIndex(), cmbOrAl->currentIndex(), cmbAlNoti->currentIndex()));
}

GeneralOptions OptionsDialog::chosen() const
{
    GeneralOptions options;
    options.serviceAlarms = storedValue(cmbSvcAl->currentIndex(), m_loaded.serviceAlarms);
    options.orderAlarms = storedValue(cmbOrAl->currentIndex(), m_loaded.orderAlarms);
    options.notification = storedValue(cmbAlNoti->currentIndex(), m_loaded.notification);
    options.startupAlarm = storedValue(cmbAlarmStartup->currentIndex(), m_loaded.startupAlarm);
    options.autoAddHistory = storedValue(cmbAutoAddHst->currentIndex(), m_loaded.autoAddHistory);
    options.autoAddHistoryWarn = storedValue(cmbAutoAddHstWarn->currentIndex(), m_loaded.autoAddHistoryWarn);
    options.backupInterval = m_backupIntervalEdit->text();
    options.technicianOwn = m_loaded.technicianOwn;
    return options;
}

void OptionsDialog::save()
{
    const IntervalProblem problem = checkBackupInterval(m_backupIntervalEdit->text());
    if (problem != IntervalProblem::None) {
        SSTab1->setCurrentIndex(1);
        MessageBox::fault(m_backupIntervalEdit, intervalProblemText(problem));
        return;
    }
    const GeneralOptions options = chosen();
    bool written = false;
    if (!runGuarded(this, QStringLiteral("save the options"), [&] { written = saveOptions(m_database, options, m_read); }))
        return;
    if (!written) {
        MessageBox::information(this, QString::fromLatin1(OptionsChangedText));
        return;
    }
    setTrayAlarmsWanted(m_trayCheck->isChecked());
    setDesktopNoticesWanted(m_noticeCheck->isChecked());
    Q_EMIT optionsSaved();
    close();
}
