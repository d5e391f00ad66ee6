#pragma once

#include <QHash>
#include <QString>
#include <QVector>

class Database;

// The replacement parts of an item joined into one text: for each part by name,
// descr + " / " + partnumber + separator (a Null field adds nothing; the separator follows
// the last part too). No parts give the empty text.
QString RepPartsText(Database &database, int itemId, const QString &separator);

// Appends one part to a joined text, as RepPartsText does.
void appendPartText(QString &text, const QString &descr, const QString &partNumber, const QString &separator);

// The joined texts of every item that has parts, in one scan of repparts (the item list).
QHash<int, QString> allRepPartsTexts(Database &database, const QString &separator);
