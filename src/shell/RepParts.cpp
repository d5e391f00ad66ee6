#include "RepParts.h"

#include "data/Database.h"

namespace {
const QString PartsOfItem = QStringLiteral("SELECT descr, partnumber FROM repparts WHERE ID = ? ORDER BY descr");
// The (ID, descr) index gives the same order of parts as the one-item query.
const QString AllParts = QStringLiteral("SELECT ID, descr, partnumber FROM repparts ORDER BY ID, descr");
} // namespace

void appendPartText(QString &text, const QString &descr, const QString &partNumber, const QString &separator)
{
    text += descr;
    text += QStringLiteral(" / ");
    text += partNumber;
    text += separator;
}

QString RepPartsText(Database &database, int itemId, const QString &separator)
{
    Statement parts(database, PartsOfItem);
    parts.bind(1, itemId);
    QString text;
    while (parts.next())
        appendPartText(text, parts.text(0), parts.text(1), separator);
    return text;
}

void forEachRepPartsText(Database &database, const QString &separator,
                         const std::function<void(int itemId, QString &&text)> &take)
{
    Statement parts(database, AllParts);
    int currentId = 0;
    QString text;
    while (parts.next()) {
        const int id = int(parts.integer(0));
        if (id != currentId && !text.isEmpty())
            take(currentId, std::move(text));
        if (id != currentId) {
            currentId = id;
            text = QString();
        }
        appendPartText(text, parts.text(1), parts.text(2), separator);
    }
    if (!text.isEmpty())
        take(currentId, std::move(text));
}
