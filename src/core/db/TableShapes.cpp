#include "TableShapes.h"

namespace TableShapes {

namespace {

using K = Kind;

constexpr Column Main[] = {
    {"ID", K::Identity},
    {"manuID", K::Integer, true, "0"},
    {"Name", K::Text},
    {"Tag", K::Text},
    {"location", K::Text},
    {"hazmat", K::Text},
    {"part", K::Text},
    {"serial", K::Text},
    {"servicedate", K::Date},
    {"servicewarn", K::Integer, true, "0"},
    {"DateServiced", K::Date},
    {"servicedby", K::Text},
    {"tools", K::Text},
    {"dateinstalled", K::Date},
    {"leadtime", K::Integer, true, "0"},
    {"serviceinterval", K::Integer, true, "0"},
    {"purchaseorder", K::Text},
    {"replacestock", K::Integer, true, "-1"},
    {"refmanuals", K::Text},
    {"Locked", K::Text},
    {"custom1", K::Text},
    {"custom2", K::Text},
    {"custom3", K::Text},
    {"ackservice", K::Integer, true, "0"},
    {"ackorder", K::Integer, true, "0"},
    {"ackorderinstock", K::Integer, true, "0"},
};

constexpr Column OrderInfo[] = {
    {"ID", K::Identity},
    {"company", K::Text},
    {"Street1", K::Text},
    {"Street2", K::Text},
    {"city", K::Text},
    {"State", K::Text},
    {"zip", K::Text},
    {"phone1", K::Text},
    {"phone2", K::Text},
    {"email", K::Text},
    {"website", K::Text},
    {"contact", K::Text},
    {"notes", K::Text},
};

constexpr Column Entries[] = {
    {"ID", K::Integer, true},
    {"Date", K::Date},
    {"descr", K::Text},
};

constexpr Column RepParts[] = {
    {"ID", K::Integer, true},
    {"descr", K::Text},
    {"partnumber", K::Text},
};

constexpr Column Columns[] = {
    {"ID", K::Key},
    {"name", K::Text},
    {"size", K::Integer},
    {"ColLocation", K::Integer},
};

constexpr Column Settings[] = {
    {"startupalarm", K::Integer},
    {"timerinterval", K::Integer},
    {"AutoAddHstWarn", K::Integer},
    {"AutoAddhstOn", K::Integer},
    {"alservicedisabled", K::Integer},
    {"alorderdisabled", K::Integer},
    {"backupinterval", K::Integer},
    {"backupdate", K::Date},
    {"Version", K::Text},
    {"build", K::Text},
    {"identity", K::Text, false, nullptr, true},
};

constexpr Table Tables[] = {
    {"main", Main},
    {"orderinfo", OrderInfo},
    {"History", Entries, true},
    {"Notes", Entries, true},
    {"repparts", RepParts, true},
    {"Columns", Columns},
    {"settings", Settings},
};

} // namespace

std::span<const Table> all()
{
    return Tables;
}

const Table *find(const QString &name)
{
    for (const Table &table : Tables) {
        if (name.compare(QLatin1StringView(table.name), Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

QStringList columnNames(const Table &table)
{
    QStringList names;
    for (const Column &column : table.columns)
        names << QString::fromLatin1(column.name);
    return names;
}

} // namespace TableShapes
