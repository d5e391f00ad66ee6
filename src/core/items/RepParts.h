#pragma once

#include <QString>
#include <QVector>

#include <functional>

class Database;

// Replacement parts: the rows of repparts, each a part name and number under an item's ID.

struct RepPart {
    QString name;
    QString number;

    bool operator==(const RepPart &other) const = default;
};

// An item's parts by name (equal names in the order they were stored).
QVector<RepPart> loadRepParts(Database &database, qint64 itemId);

// Stores parts under an item, in the order given.
void addRepParts(Database &database, qint64 itemId, const QVector<RepPart> &parts);

// The parts of an item joined into one text: for each part by name, name + " / " + number +
// separator (a Null field adds nothing; the separator follows the last part too). No parts
// give the empty text.
QString replacementPartsText(Database &database, qint64 itemId, const QString &separator);
QString joinRepParts(const QVector<RepPart> &parts, const QString &separator);

// The joined text of every item that has parts, in one scan of repparts, in item ID order
// (the item list).
void forEachRepPartsText(Database &database, const QString &separator,
                         const std::function<void(qint64 itemId, QString &&text)> &take);
