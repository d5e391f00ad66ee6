#include "GeneralOptions.h"

#include "core/db/Database.h"
#include "core/settings/SettingsStore.h"

namespace {

// Each list of the window and the field of the settings row it shows.
struct OptionColumn {
    int GeneralOptions::*option;
    int SettingsRow::*stored;
};

constexpr OptionColumn OptionColumns[] = {
    {&GeneralOptions::serviceAlarms, &SettingsRow::alservicedisabled},
    {&GeneralOptions::orderAlarms, &SettingsRow::alorderdisabled},
    {&GeneralOptions::notification, &SettingsRow::timerinterval},
    {&GeneralOptions::startupAlarm, &SettingsRow::startupalarm},
    {&GeneralOptions::autoAddHistory, &SettingsRow::AutoAddhstOn},
    {&GeneralOptions::autoAddHistoryWarn, &SettingsRow::AutoAddHstWarn},
};

} // namespace

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
    for (const auto &[option, stored] : OptionColumns)
        options.*option = row.*stored;
    options.backupInterval = row.backupinterval;
    options.technicianOwn = keepsOwnSettings(db);
    return options;
}

RowStamp optionsStamp(Database &db)
{
    return optionsRowStamp(db);
}

bool saveOptions(Database &db, const GeneralOptions &options, const RowStamp &read)
{
    Transaction transaction(db);
    if (!read.stillHolds(db))
        return false;
    SettingsRow row;
    for (const auto &[option, stored] : OptionColumns)
        row.*stored = options.*option;
    row.backupinterval = options.backupInterval;
    writeSettings(db, row);
    transaction.commit();
    return true;
}

} // namespace OptionRules
