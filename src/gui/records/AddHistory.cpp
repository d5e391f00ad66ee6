#include "AddHistory.h"

#include "core/records/History.h"

#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "gui/platform/MessageBox.h"

#include <QApplication>

void AddHistory(HistoryKind kind, EntryTarget target, qint64 itemId, const QString &text1, const QString &text2,
                const QString &text3)
{
    Q_UNUSED(text3);
    const QString descr = historyText(kind, text1, text2);
    switch (entryDecision(kind, gv().AutoAddhstOn, gv().AutoAddHstWarn)) {
    case EntryDecision::Drop:
        return;
    case EntryDecision::Ask:
        if (!MessageBox::question(QApplication::activeWindow(), historyQuestion(descr)))
            return;
        break;
    case EntryDecision::Write:
        break;
    }
    writeEntry(db(), target, itemId, descr);
}
