#pragma once

#include <QString>
#include <QVariant>

// The condition of a lookup on one item field. The item list's store binds the value, never
// pastes it into the statement: a value holding quotes, "%" or a field name finds exactly that
// text.
struct LookupCondition {
    // How the field is compared with the value: not at all (every item), as a number or ISO
    // date, as a text ignoring case, or as a LIKE pattern ignoring case ("\" escapes "%", "_"
    // and itself).
    enum class Match { All,
                       Equal,
                       TextEqual,
                       TextLike };

    QString error; // the message to show when the lookup cannot run
    Match match = Match::All;
    int field = 0; // the field number compared
    QVariant value; // what the field is compared with

    bool ok() const { return error.isEmpty(); }
};

inline constexpr const char *DateFormMessage = "The date specified has incorrect form";
inline constexpr const char *NotFoundMessage = "Lookup query not found";

// Text fields ignore case for every letter: "=" for a plain value; with "*", LIKE on the text
// before the first "*" followed by "%" (a value beginning with "*" searches anywhere: "%" +
// text up to the next "*" + "%"). Dates must be real dates and are compared by day; numbers
// are whole numbers (anything else matches nothing). "*" in a date or number lookup is refused.
LookupCondition buildLookup(int field, const QString &value);
