#pragma once

#include <QString>
#include <QVector>

// Replacement parts: the rows of repparts, each a part name and number under an item's ID.

struct RepPart {
    QString name;
    QString number;

    bool operator==(const RepPart &other) const = default;
};

// Orders parts by name with the program's one text comparison; equal names keep their order.
void sortRepParts(QVector<RepPart> &parts);

// The parts joined into one text: for each part, name + " / " + number + separator (a Null
// field adds nothing; the separator follows the last part too). No parts give the empty text.
QString joinRepParts(const QVector<RepPart> &parts, const QString &separator);
