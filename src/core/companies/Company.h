#pragma once

#include "core/db/RowStamp.h"

#include <QString>

inline constexpr const char *CompanyGoneText = "This company no longer exists; nothing was saved";
inline constexpr const char *CompanyChangedText =
    "This company was changed elsewhere since this window opened; close it and open it again to see the changes.";

// One vendor company (a row of orderinfo). The fields follow the editor's boxes, 0..11:
// company, Street1, Street2, city, State, zip, phone1, phone2, email, website, notes, contact.
// A Null field is a null QString (isNull()); an empty field is an empty, non-null QString.
struct CompanyRecord {
    qint64 id = 0;
    QString fields[12];
};

namespace CompanyBox {
enum : int {
    Name = 0,
    Street1,
    Street2,
    City,
    State,
    Zip,
    Phone1,
    Phone2,
    Email,
    Website,
    Notes,
    Contact,
    Count
};
}

// The directory's address cell, lines broken with CR LF: Street1, [Street2,] then city, one
// blank, State, two blanks, zip. Only an empty Street2 leaves its line out; a Null one gives
// an empty middle line.
QString companyAddressText(const CompanyRecord &company);

// Longest text a box takes by typing: 50, 20 for State, Zip and the phones, 100 for Notes.
int companyFieldLimit(int box);
// Whether a typed character goes into a box holding this text. Backspace (8) and DEL (127)
// always pass; the whole text counts, whatever is selected, and a line break of the notes
// counts as the two characters it is stored as.
bool companyKeyAccepted(int box, const QString &text, int keyChar);
