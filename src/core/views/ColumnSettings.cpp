#include "ColumnSettings.h"

#include "core/platform/Utility.h"
#include "core/settings/ColumnLayout.h"
#include "core/settings/ColumnStore.h"
#include "core/settings/SettingsStore.h"

#include <algorithm>

namespace {

constexpr int Backspace = 8, Del = 127;

bool allDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The plain number of a text of digits; -1 when it does not fit (it is then above any limit).
qint64 plainNumber(const QString &digits)
{
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    return ok ? value : -1;
}

} // namespace

ColumnSettings::ColumnSettings(QVector<Row> rows)
    : m_rows(std::move(rows))
{
    QVector<int> shown;
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).shown())
            shown.append(i);
    }
    std::stable_sort(shown.begin(), shown.end(), [this](int a, int b) {
        const qint64 pa = m_rows.at(a).place.toLongLong(), pb = m_rows.at(b).place.toLongLong();
        return pa != pb ? pa < pb : m_rows.at(a).id < m_rows.at(b).id;
    });
    for (int k = 0; k < shown.size(); ++k) {
        Row &row = m_rows[shown.at(k)];
        row.place = QString::number(k + 1);
        if (row.size.isEmpty())
            row.size = QString::number(ShownWidthTwips);
    }
    for (Row &row : m_rows) {
        if (!row.shown())
            row.size.clear();
    }
    m_shown = int(shown.size());
}

ColumnSettings ColumnSettings::read(Database &database)
{
    // The places and widths exactly as the item list takes them, after the stamp that the
    // save compares with.
    ColumnSettings settings;
    settings.m_read = columnsStamp(database);
    const ColumnLayout layout = ColumnLayout::read(database);
    QVector<Row> rows;
    for (const ColumnRecord &record : loadColumnNames(database)) {
        const qint64 id = record.id.value_or(-1);
        if (!record.id || !Column::isValid(int(id)) || id != int(id))
            continue;
        Row row;
        row.id = int(id);
        row.name = record.name;
        if (const int place = layout.colLoc.at(row.id)) {
            row.place = QString::number(place);
            row.size = QString::number(layout.shown.at(place - 1).widthTwips);
        }
        rows.append(row);
    }
    settings.m_rows = rows;
    settings.m_shown = int(layout.shown.size());
    settings.m_technicianOwn = keepsOwnSettings(database);
    return settings;
}

QString ColumnSettings::validate(int index, Cell cell, const QString &typed)
{
    if (index < 0 || index >= m_rows.size() || (cell != PlaceCell && cell != SizeCell) || !m_rows.at(index).shown())
        return QString::fromLatin1(InvalidValueMessage); // a hidden column has no place or width
    if (typed.isEmpty())
        return QString::fromLatin1(EnterDataMessage);
    if (!allDigits(typed))
        return QString::fromLatin1(InvalidValueMessage);
    const qint64 value = plainNumber(typed);
    Row &current = m_rows[index];

    if (cell == SizeCell) {
        // Typing stops at four digits; a wider stored width may be committed unchanged.
        if (value < 0 || value > ColumnLayout::MaxWidthTwips)
            return QString::fromLatin1(InvalidValueMessage);
        current.size = QString::number(value);
        return QString();
    }

    if (value < 0 || value > m_shown)
        return QString::fromLatin1(PlaceTooHighMessage);
    if (value < 1)
        return QString::fromLatin1(InvalidValueMessage);
    // The column that held the place takes the row's old one.
    const QString place = QString::number(value);
    for (int i = 0; i < m_rows.size(); ++i) {
        if (i != index && m_rows.at(i).place == place)
            m_rows[i].place = current.place;
    }
    current.place = place;
    return QString();
}

void ColumnSettings::setShown(int index, bool shown)
{
    if (index < 0 || index >= m_rows.size())
        return;
    Row &row = m_rows[index];
    if (shown == row.shown())
        return;
    if (shown) {
        ++m_shown;
        row.place = QString::number(m_shown);
        row.size = QString::number(ShownWidthTwips);
        return;
    }
    const qint64 gap = row.place.toLongLong();
    for (Row &other : m_rows) {
        if (other.shown() && other.place.toLongLong() > gap)
            other.place = QString::number(other.place.toLongLong() - 1);
    }
    --m_shown;
    row.place.clear();
    row.size.clear();
}

bool ColumnSettings::isConsistent() const
{
    QVector<qint64> places;
    for (const Row &row : m_rows) {
        if (row.shown() != !row.size.isEmpty())
            return false;
        if (row.shown())
            places.append(row.place.toLongLong());
    }
    std::sort(places.begin(), places.end());
    for (int k = 0; k < places.size(); ++k) {
        if (places.at(k) != k + 1)
            return false;
    }
    return places.size() == m_shown;
}

bool ColumnSettings::write(Database &database) const
{
    QVector<ColumnPlace> places;
    for (const Row &row : m_rows)
        places.append({row.id, row.shown() ? row.place.toLongLong() : 0, row.size.toLongLong()});
    return writeColumnPlaces(database, m_read, places);
}

bool columnKeyAccepted(ColumnSettings::Cell cell, const QString &text, int keyChar)
{
    if (keyChar == Backspace || keyChar == Del)
        return true;
    if (cell == ColumnSettings::SizeCell && text.size() >= ColumnSettings::SizeDigits)
        return false;
    return numericKey(keyChar) != 0;
}

bool columnEditAccepted(ColumnSettings::Cell cell, const QString &before, const QString &after)
{
    if (!allDigits(after))
        return false;
    return cell != ColumnSettings::SizeCell || after.size() <= ColumnSettings::SizeDigits
        || after.size() < before.size();
}
