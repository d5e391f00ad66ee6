#include "History.h"

QString historyText(HistoryKind kind, const QString &text1, const QString &text2)
{
    switch (kind) {
    case TypedEntry: return text1;
    case ServicedEntry: return QStringLiteral("Serviced By ") + text1 + QStringLiteral(" on ") + text2;
    case PartsInStockEntry: return QStringLiteral("Replacement part(s) in stock as of ") + text1;
    case PartsInstalledEntry: return QStringLiteral("New replacement part(s) installed on ") + text1;
    case PartsOrderedEntry: return QStringLiteral("Replacement part(s) ordered - purchase order #") + text1;
    case NewItemEntry: return QStringLiteral("A new ") + text1 + QStringLiteral(" was added on ") + text2;
    }
    return QString();
}

EntryDecision entryDecision(HistoryKind kind, bool autoAdd, bool askFirst)
{
    if (kind == TypedEntry)
        return EntryDecision::Write;
    if (!autoAdd)
        return EntryDecision::Drop;
    return askFirst ? EntryDecision::Ask : EntryDecision::Write;
}

QString historyQuestion(const QString &descr)
{
    return QStringLiteral("Add \"") + descr + QStringLiteral("\" to history?");
}

bool descriptionKeyAccepted(const QString &text, int keyChar)
{
    return keyChar == 8 || keyChar == 127 || text.size() < DescriptionLimit;
}
