#pragma once

#include "core/maintenance/GeneralOptions.h"

#include <QDialog>

class Database;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The options window: the alarm switches and notification interval, the backup interval and
// the start-up alarm and automatic history, the tray icon and the desktop's notices. OK writes
// the settings row and announces it; Cancel writes nothing. It does not block the main window.
// On a server a line names the options that are the technician's own.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit OptionsDialog(Database &database, QWidget *parent = nullptr);

    // Shows the stored options; without the row (a failed read) OK stays disabled, as there is
    // nothing to store.
    void load();

    // The options the window would store.
    GeneralOptions chosen() const;

    // OK: checks the interval, writes the row, announces it and closes.
    void save();

Q_SIGNALS:
    void optionsSaved();

private:
    QWidget *buildAlarmsTab();
    QWidget *buildBackupTab();
    QWidget *buildAdvancedTab();
    void showOptions(const GeneralOptions &options);
    void followHistoryChoice();
    void followAlarmChoice();

    Database &m_database;
    GeneralOptions m_loaded; // as the window opened, for lists with nothing chosen
    RowStamp m_read; // the same, as the save compares it
    QTabWidget *SSTab1 = nullptr;
    QComboBox *cmbSvcAl = nullptr;
    QComboBox *cmbOrAl = nullptr;
    QComboBox *cmbAlNoti = nullptr;
    QCheckBox *m_trayCheck = nullptr; // these two are kept with the desktop settings, not in the row
    QCheckBox *m_noticeCheck = nullptr;
    QLineEdit *m_backupIntervalEdit = nullptr;
    QComboBox *cmbAlarmStartup = nullptr;
    QComboBox *cmbAutoAddHst = nullptr;
    QComboBox *cmbAutoAddHstWarn = nullptr;
    QLabel *m_ownCaption = nullptr; // which options are the technician's own
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
