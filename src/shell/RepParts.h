#pragma once

#include <QString>
#include <functional>

class Database;

// The replacement parts of an item joined into one text: for each part by name,
// descr + " / " + partnumber + separator (a Null field adds nothing; the separator follows
// the last part too). No parts give the empty text.
QString RepPartsText(Database &database, int itemId, const QString &separator);

// Appends one part to a joined text, as RepPartsText does.
void appendPartText(QString &text, const QString &descr, const QString &partNumber, const QString &separator);

// The joined text of every item that has parts, in one scan of repparts, in item ID order
// (the item list).
void forEachRepPartsText(Database &database, const QString &separator,
                         const std::function<void(int itemId, QString &&text)> &take);
