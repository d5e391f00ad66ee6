#include "AddHistory.h"

#include "History.h"

#include "data/DatabaseADO.h"
#include "data/GlobalVars.h"
#include "platform/MessageBox.h"

#include <QApplication>

void AddHistory(int kind, int target, int itemId, const QString &text1, const QString &text2,
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
