#include "GeneralOptions.h"

#include "core/db/Database.h"
#include "core/db/Recordset.h"
#include "core/settings/Settings.h"

namespace OptionRules {

QString notificationEntry(int position)
{
    static const char *const entries[NotificationEntries] = {
        "OFF", "5 minutes", "10 minutes", "15 minutes", "20 minutes", "30 minutes", "45 minutes", "1 hour",
        "2 hours", "3 hours", "4 hours", "5 hours", "6 hours", "12 hours", "24 hours"};
    return position >= 0 && position < NotificationEntries ? QString::fromLatin1(entries[position]) : QString();
}

int listPosition(int stored, int entries)
{
    return stored >= 0 && stored < entries ? stored : -1;
}

int storedValue(int position, int stored)
{
    return position >= 0 ? position : stored;
}

bool historyWarnLocked(int autoAddHistoryPosition)
{
    return autoAddHistoryPosition == 0;
}

int notificationAfterAlarmChoice(int servicePosition, int orderPosition, int notificationPosition)
{
    return servicePosition == 0 && orderPosition == 0 ? 0 : notificationPosition;
}

bool acceptsIntervalKey(const QString &text, int keyChar)
{
    constexpr int Backspace = 8, Enter = 13, Del = 127;
    if (keyChar == Backspace || keyChar == Del || keyChar == Enter) // Enter types nothing here
        return true;
    return text.size() < TypedIntervalDigits && keyChar >= '0' && keyChar <= '9';
}

IntervalProblem checkBackupInterval(const QString &text)
{
    if (text.size() > LongestInterval)
        return IntervalProblem::TooLarge;
    if (text.isEmpty())
        return IntervalProblem::Empty;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return IntervalProblem::NotANumber;
    }
    return IntervalProblem::None;
}

QString intervalProblemText(IntervalProblem problem)
{
    switch (problem) {
    case IntervalProblem::TooLarge: return QStringLiteral("Backup interval is too large");
    case IntervalProblem::Empty: return QStringLiteral("Please enter the backup interval in days");
    case IntervalProblem::NotANumber: return QStringLiteral("The backup interval must be a whole number of days");
    case IntervalProblem::None: break;
    }
    return QString();
}

GeneralOptions loadOptions(Database &db)
{
    // From the file itself: another program may have changed the options since they were read.
    const SettingsRow row = readSettings(db);
    GeneralOptions options;
    options.serviceAlarms = row.alservicedisabled;
    options.orderAlarms = row.alorderdisabled;
    options.notification = row.timerinterval;
    options.startupAlarm = row.startupalarm;
    options.autoAddHistory = row.AutoAddhstOn;
    options.autoAddHistoryWarn = row.AutoAddHstWarn;
    options.backupInterval = row.backupinterval;
    return options;
}

RowStamp optionsStamp(Database &db)
{
    // The fields the window writes; others (the last backup's date) may change meanwhile.
    return RowStamp::read(db, QStringLiteral("SELECT alservicedisabled, alorderdisabled, startupalarm, AutoAddHstWarn,"
                                             " AutoAddhstOn, backupinterval, timerinterval FROM settings"));
}

bool saveOptions(Database &db, const GeneralOptions &options, const RowStamp &read)
{
    Transaction transaction(db);
    if (!read.stillHolds(db))
        return false;
    execute(db,
            QStringLiteral("UPDATE settings SET alservicedisabled = ?, alorderdisabled = ?, startupalarm = ?,"
                           " AutoAddHstWarn = ?, AutoAddhstOn = ?, backupinterval = ?, timerinterval = ?"),
            {options.serviceAlarms, options.orderAlarms, options.startupAlarm, options.autoAddHistoryWarn,
             options.autoAddHistory, options.backupInterval.toInt(), options.notification});
    transaction.commit();
    return true;
}

} // namespace OptionRules
