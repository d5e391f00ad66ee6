#pragma once

#include "core/db/RowStamp.h"

#include <QString>
#include <QVector>

#include <array>
#include <optional>

class Database;

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

// Every company, ordered by name.
QVector<CompanyRecord> loadCompanies(Database &db);
// The company with this ID; id 0 in the result when there is none.
CompanyRecord loadCompany(Database &db, qint64 id);
// Writes the twelve fields as given (a Null field is stored as empty text): a new row when id
// is 0, else that row. Returns the company's ID, or 0 when the row to update is gone.
qint64 saveCompany(Database &db, qint64 id, const CompanyRecord &company);

// The company's row as the editor reads it when it opens, for its save to compare with.
RowStamp companyStamp(Database &db, qint64 id);

struct SavedCompany {
    SaveOutcome outcome = SaveOutcome::Saved;
    qint64 id = 0; // the company's ID once saved
};
// The editor's save: a new company, or the edited one only while its row still holds what
// `read` found; otherwise nothing is written (another program's change stands).
SavedCompany saveCompanyChecked(Database &db, qint64 id, const CompanyRecord &company, const RowStamp &read);

// Longest text a box takes by typing: 50, 20 for State, Zip and the phones, 100 for Notes.
int companyFieldLimit(int box);
// Whether a typed character goes into a box holding this text. Backspace (8) and DEL (127)
// always pass; the whole text counts, whatever is selected, and a line break of the notes
// counts as the two characters it is stored as.
bool companyKeyAccepted(int box, const QString &text, int keyChar);

// The directory's columns: heading, and the sample text and factor its width comes from.
struct CompanyColumn {
    const char *title;
    const char *sample;
    double factor;
};
const std::array<CompanyColumn, 8> &companyColumns();
// A column's width in twips from its sample's rendered width in pixels: times the factor, rounded.
int companyColumnTwips(int column, int samplePixels);

// Where the directory's grid and buttons go for a window of W x H twips whose buttons are
// w x h; nothing when the window is too small for the rules (the caller keeps what it has).
struct CompanyLayout {
    int gridWidth = 0;
    int gridHeight = 0;
    int buttonTop = 0;
    int selectLeft = 0;
    int addLeft = 0;
    int editLeft = 0;
    int cancelLeft = 0;
};
std::optional<CompanyLayout> companyLayout(int width, int height, int buttonWidth, int buttonHeight);
