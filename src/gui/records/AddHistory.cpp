#include "AddHistory.h"

#include "core/records/History.h"

#include "core/items/ItemStore.h"
#include "core/records/RecordStore.h"
#include "core/settings/Settings.h"
#include "gui/platform/MessageBox.h"

#include <QApplication>

namespace {

// Whether an automatic entry of `kind` reading `text` goes into the history.
bool entryAccepted(QWidget *parent, HistoryKind kind, const QString &text, const AppSettings &settings)
{
    switch (entryDecision(kind, settings.autoAddHistory, settings.askBeforeHistory)) {
    case EntryDecision::Drop:
        return false;
    case EntryDecision::Ask:
        return MessageBox::question(parent, historyQuestion(text));
    case EntryDecision::Write:
        break;
    }
    return true;
}

} // namespace

void addHistory(Database &database, HistoryKind kind, EntryTarget target, qint64 itemId, const QString &text1,
                const QString &text2, const AppSettings &settings)
{
    const QString descr = historyText(kind, text1, text2);
    // The question may stay open while another program deletes the item.
    if (entryAccepted(QApplication::activeWindow(), kind, descr, settings)
        && addEntryToItem(database, target, itemId, descr) == SaveOutcome::ItemGone)
        MessageBox::information(QApplication::activeWindow(), QString::fromLatin1(EntryItemGoneText));
}

QStringList acceptedHistory(QWidget *parent, const QVector<HistoryRequest> &requests, const AppSettings &settings)
{
    QStringList texts;
    for (const HistoryRequest &request : requests) {
        const QString text = historyText(request.kind, request.text1, request.text2);
        if (entryAccepted(parent, request.kind, text, settings))
            texts << text;
    }
    return texts;
}

void tellRefusal(QWidget *parent, SaveOutcome outcome)
{
    const char *text = outcome == SaveOutcome::ItemGone ? ItemGoneText : ItemChangedText;
    MessageBox::information(parent, QString::fromLatin1(text));
}
