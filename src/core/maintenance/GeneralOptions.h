#pragma once

#include "core/db/RowStamp.h"

#include <QString>

class Database;

// The general options of the settings row as the options window shows them: every list holds
// its stored value as a list position (NO = 0, YES = 1; the notification list's positions are
// the timerinterval codes), the backup interval as the text of its box.
struct GeneralOptions {
    int serviceAlarms = 0; // alservicedisabled: 1 = service alarms on
    int orderAlarms = 0; // alorderdisabled: 1 = order alarms on
    int notification = 0; // timerinterval
    int startupAlarm = 0; // startupalarm
    int autoAddHistory = 0; // AutoAddhstOn
    int autoAddHistoryWarn = 0; // AutoAddHstWarn
    QString backupInterval; // backupinterval
    // The notification time, the start-up alarm and the history question are this technician's
    // own (on a server); the rest is everyone's on the database.
    bool technicianOwn = false;

    bool operator==(const GeneralOptions &) const = default;
};

namespace OptionRules {

inline constexpr int YesNoEntries = 2;
inline constexpr int NotificationEntries = 15;
// The box takes three typed digits; a pasted value of up to four is still accepted.
inline constexpr int TypedIntervalDigits = 3;
inline constexpr int LongestInterval = 4;

// The entries of the notification list, position = timerinterval code.
QString notificationEntry(int position);

// The list position that shows a stored value; -1 (nothing chosen) outside 0..entries-1.
int listPosition(int stored, int entries);
// The value a list stores: its position, or the stored value when nothing is chosen.
int storedValue(int position, int stored);

// "Notify before automatically adding history" is forced to NO and locked while
// "Automatically add history" shows NO.
bool historyWarnLocked(int autoAddHistoryPosition);
// Both alarm lists at NO turn the notification list to OFF; otherwise it stays.
int notificationAfterAlarmChoice(int servicePosition, int orderPosition, int notificationPosition);

// The interval box's key filter: Backspace and DEL always (and Enter, which types nothing);
// digits while it holds fewer than three characters; nothing else.
bool acceptsIntervalKey(const QString &text, int keyChar);

enum class IntervalProblem { None,
                             Empty,
                             NotANumber,
                             TooLarge };
IntervalProblem checkBackupInterval(const QString &text);
// The message for a problem; empty for None.
QString intervalProblemText(IntervalProblem problem);

// The options shown when the window opens, read from the settings row itself (and a technician's
// own).
GeneralOptions loadOptions(Database &db);

// The options as the window reads them when it opens, for its save to compare with.
RowStamp optionsStamp(Database &db);

// Writes the options into the settings row (a technician's own into theirs), while the row's options still
// hold what `read` found; otherwise nothing is written (another program's change stands) and
// false. The interval must have passed checkBackupInterval.
bool saveOptions(Database &db, const GeneralOptions &options, const RowStamp &read);

inline constexpr const char *OptionsChangedText =
    "The options were changed elsewhere since this window opened; close it and open it again to see the changes.";

} // namespace OptionRules
