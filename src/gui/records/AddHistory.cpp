#include "AddHistory.h"

#include "core/records/History.h"

#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "gui/platform/MessageBox.h"

#include <QApplication>

bool entryAccepted(QWidget *parent, HistoryKind kind, const QString &text)
{
    switch (entryDecision(kind, gv().AutoAddhstOn, gv().AutoAddHstWarn)) {
    case EntryDecision::Drop:
        return false;
    case EntryDecision::Ask:
        return MessageBox::question(parent, historyQuestion(text));
    case EntryDecision::Write:
        break;
    }
    return true;
}

void AddHistory(HistoryKind kind, EntryTarget target, qint64 itemId, const QString &text1, const QString &text2,
                const QString &text3)
{
    Q_UNUSED(text3);
    const QString descr = historyText(kind, text1, text2);
    if (entryAccepted(QApplication::activeWindow(), kind, descr))
        writeEntry(db(), target, itemId, descr);
}

QStringList acceptedHistory(QWidget *parent, const QVector<HistoryRequest> &requests)
{
    QStringList texts;
    for (const HistoryRequest &request : requests) {
        const QString text = historyText(request.kind, request.text1, request.text2);
        if (entryAccepted(parent, request.kind, text))
            texts << text;
    }
    return texts;
}

void tellRefusal(QWidget *parent, SaveOutcome outcome)
{
    const char *text = outcome == SaveOutcome::ItemGone ? ItemGoneText : ItemChangedText;
    MessageBox::information(parent, QString::fromLatin1(text));
}
