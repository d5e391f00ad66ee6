#include "RepParts.h"

#include "core/db/Database.h"
#include "core/platform/ValueOrder.h"

#include <algorithm>

namespace {

// The (ID, descr) index gives the parts of an item by name as the database compares them; a
// stable sort with the program's one text comparison then orders them as every list does.
const QString PartsOfItem = QStringLiteral("SELECT descr, partnumber FROM repparts WHERE ID = ? ORDER BY descr");
const QString AllParts = QStringLiteral("SELECT ID, descr, partnumber FROM repparts ORDER BY ID, descr");

void sortByName(QVector<RepPart> &parts)
{
    if (parts.size() > 1) {
        std::stable_sort(parts.begin(), parts.end(), [](const RepPart &a, const RepPart &b) {
            return ValueOrder::compareText(a.name, b.name) < 0;
        });
    }
}

} // namespace

QVector<RepPart> loadRepParts(Database &database, qint64 itemId)
{
    Statement query(database, PartsOfItem);
    query.bind(1, itemId);
    QVector<RepPart> parts;
    while (query.next())
        parts.append({query.text(0), query.text(1)});
    sortByName(parts);
    return parts;
}

void addRepParts(Database &database, qint64 itemId, const QVector<RepPart> &parts)
{
    Statement insert(database, QStringLiteral("INSERT INTO repparts (ID, descr, partnumber) VALUES (?, ?, ?)"));
    for (const RepPart &part : parts) {
        insert.reset();
        insert.bindAll({itemId, part.name, part.number});
        insert.run();
    }
}

QString joinRepParts(const QVector<RepPart> &parts, const QString &separator)
{
    qsizetype length = 0;
    for (const RepPart &part : parts)
        length += part.name.size() + part.number.size() + 3 + separator.size();
    QString text;
    text.reserve(length);
    for (const RepPart &part : parts) {
        text += part.name;
        text += QStringLiteral(" / ");
        text += part.number;
        text += separator;
    }
    return text;
}

QString replacementPartsText(Database &database, qint64 itemId, const QString &separator)
{
    return joinRepParts(loadRepParts(database, itemId), separator);
}

void forEachRepPartsText(Database &database, const QString &separator,
                         const std::function<void(qint64 itemId, QString &&text)> &take)
{
    Statement query(database, AllParts);
    qint64 currentId = 0;
    QVector<RepPart> parts;
    auto flush = [&] {
        if (!parts.isEmpty()) {
            sortByName(parts);
            take(currentId, joinRepParts(parts, separator));
            parts.clear();
        }
    };
    while (query.next()) {
        const qint64 id = query.integer(0);
        if (id != currentId) {
            flush();
            currentId = id;
        }
        parts.append({query.text(1), query.text(2)});
    }
    flush();
}
