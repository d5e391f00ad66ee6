#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// The tables of a Tarvo database on a PostgreSQL server: the file's tables and columns under the
// same names, typed for the server; fold(), which folds the case of letters exactly as the
// program does on the file; and a meta table saying which schema and Unicode version made them.
namespace ServerSchema {

// The schema this program writes and reads.
inline constexpr int Version = 1;
inline constexpr const char *MetaTable = "tarvo_meta";
// The channel on which every statement that writes a table names it, once its transaction
// commits (LISTEN/NOTIFY).
inline constexpr const char *ChangeChannel = "tarvo_changes";

// The statements that make the tables, their indexes, fold() and the meta table in an empty
// database.
QStringList createStatements();

// Each technician's own column layout and alarm and history choices, by login: only on a server,
// where each technician logs in as themselves. A login sees and writes its own rows only.
inline constexpr const char *TechnicianColumnsTable = "tech_columns";
inline constexpr const char *TechnicianSettingsTable = "tech_settings";
QStringList technicianTableStatements();

// Makes the technicians' tables in a database made before them, owned as `main` is and open to
// every role that may write `main`. Does nothing when they are there. Throws DbError (a login
// that may not make tables).
void addTechnicianTables(Database &db);

// The code points whose case this program's Qt folds, in `from`, each folded in `to` at the same
// place; the first ones those Latin texts meet most, so that translate() finds them soonest.
struct FoldTable {
    QString from;
    QString to;
    int changed = 0; // code points that fold to another
    QList<char32_t> beyondAscii; // those of them beyond ASCII, in order
};
const FoldTable &foldTable();

// The trigger function and one statement trigger per table that tell ChangeChannel which table
// a statement wrote; made anew where they are.
QStringList changeNoticeStatements();
// Makes them in a database made before they were, when the connection may (its owner). Changes
// nothing where they are present; false when they are missing and could not be made. Throws
// DbError only when the server cannot be read.
bool addChangeNotices(Database &db);

// CREATE OR REPLACE FUNCTION fold(text): translate() over foldTable(), an IMMUTABLE function the
// server may inline and index.
QString foldFunction();

// The Unicode version of this program's Qt ("14.0"), which its folding follows.
QString unicodeVersion();

// The statements that give the tables to `owner` and let `technicians` read and write rows, and
// nothing more; both roles are made when missing (they cannot log in; people's logins are
// granted one of them).
QStringList roleStatements(const QString &owner, const QString &technicians);

// What keeps this program from working on the server database: no meta table, or a schema
// newer than this program's. Empty when nothing does. Throws DbError.
QString versionProblem(Database &db);

// When the database's fold() follows another Unicode version than this program's Qt, what a
// user should know: a lookup of a letter that only one of the two versions folds may find other
// items here than on another computer. Empty when both agree. Throws DbError.
QString unicodeWarning(Database &db);

// Replaces fold() by this program's and records its Unicode version. Throws DbError.
void renewFold(Database &db);

// SQL text quoting for names and values the program does not bind (role names).
QString quotedName(const QString &name);
QString quotedText(const QString &text);

} // namespace ServerSchema
