#pragma once

#include "core/db/RowStamp.h"

#include <QString>
#include <QVector>

class Database;

// The "Column Settings" list: one row per Columns record, with the place and width of each
// shown column as the user edits them. The shown columns always hold the places 1..n, each
// once; every edit keeps it so. Nothing is stored until write().
class ColumnSettings
{
public:
    // The cells of a row, in the order of the list's columns.
    enum Cell { NameCell,
                PlaceCell,
                SizeCell,
                DisplayCell };

    static constexpr int ShownWidthTwips = 1500; // a column shown anew
    static constexpr int SizeDigits = 4; // what a Size box takes by typing

    struct Row {
        int id = 0; // the Columns record's ID, 0..24
        QString name; // its caption
        QString place; // "1".."n"; empty when hidden
        QString size; // width in twips; empty when hidden
        bool shown() const { return !place.isEmpty(); }
    };

    ColumnSettings() = default;
    // Rows as the table holds them, in ID order. The places of the shown rows are taken in
    // their order and renumbered 1..n (ties by ID), as the item list reads them.
    explicit ColumnSettings(QVector<Row> rows);

    // The Columns records with IDs 0..24 (others are ignored), read as the item list reads
    // them: places renumbered 1..n, a Null width 1500, widths held to 0..99,999 twips.
    static ColumnSettings read(Database &database);

    int rowCount() const { return int(m_rows.size()); }
    const Row &row(int index) const { return m_rows.at(index); }
    // n: how many columns are shown.
    int shownCount() const { return m_shown; }
    // Whether the places and widths are this technician's own (on a server), not everyone's.
    bool technicianOwn() const { return m_technicianOwn; }

    // Checks the text typed into the place or size cell of a shown row and, when it is good,
    // writes it there (as its plain number: "01" is 1). A place takes the number 1..n and the
    // column that held it takes the row's old place. Gives the message to show, or empty text
    // when the cell took the value.
    QString validate(int index, Cell cell, const QString &typed);

    // Shows a hidden column after the last shown one with width 1500, or hides a shown one and
    // closes the gap. Showing a shown column or hiding a hidden one changes nothing.
    void setShown(int index, bool shown);

    // True when the shown rows hold exactly the places 1..n and a width, and the hidden rows
    // neither.
    bool isConsistent() const;

    // Writes every row by its ID in one transaction: the place and width of a shown column,
    // place 0 for a hidden one (whose stored width stays). Writes nothing and gives false when
    // the table no longer holds what read() found (another program changed it meanwhile).
    bool write(Database &database) const;

private:
    QVector<Row> m_rows;
    int m_shown = 0;
    bool m_technicianOwn = false;
    RowStamp m_read;
};

// The messages of the place and size cells.
inline constexpr const char *EnterDataMessage = "Please enter data";
inline constexpr const char *PlaceTooHighMessage = "Value exceeds the number of avalible columns:";
inline constexpr const char *InvalidValueMessage = "Invalid value.";

// Whether a key typed into the place or size box goes in (Backspace and DEL always do; a size
// box stops at four characters; otherwise digits only).
bool columnKeyAccepted(ColumnSettings::Cell cell, const QString &text, int keyChar);
// Whether an edit other than typing (a paste, a drop) that turns `before` into `after` is
// taken: the result must be all digits, and a size box may not grow past four.
bool columnEditAccepted(ColumnSettings::Cell cell, const QString &before, const QString &after);
