#pragma once

#include <QString>
#include <QVariant>

// The condition of a lookup on one item field. The value is always bound, never pasted into
// the SQL text: a value holding quotes, "%" or a field name finds exactly that text.
struct LookupCondition {
    QString error; // the message to show when the lookup cannot run
    QString condition; // e.g. "fold(Name) LIKE fold(?) ESCAPE '\'" or "main.ID = ?"
    QVariant value; // what the "?" is bound to

    bool ok() const { return error.isEmpty(); }
};

inline constexpr const char *DateFormMessage = "The date specified has incorrect form";
inline constexpr const char *NotFoundMessage = "Lookup query not found";

// Text fields ignore case for every letter: "=" for a plain value; with "*", LIKE on the text
// before the first "*" followed by "%" (a value beginning with "*" searches anywhere: "%" +
// text up to the next "*" + "%"). Dates must be real dates and are compared by day; numbers
// are whole numbers (anything else matches nothing). "*" in a date or number lookup is refused.
LookupCondition buildLookup(int field, const QString &value);

// The statement that lists items with their company, all of them or those the condition
// selects: main.ID, main.manuID, then every column's value in column id order (the parts,
// which come from repparts, left out).
QString itemListStatement(const QString &condition = QString());
