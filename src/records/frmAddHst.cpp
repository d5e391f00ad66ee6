#include "frmAddHst.h"

#include "History.h"

#include "platform/WindowUtil.h"

namespace {
QPointer<frmAddHst> addHistoryWindow;
} // namespace

frmAddHst::frmAddHst(QWidget *parent)
    : frmAddEntry(HistoryTarget, "frmAddHst", QStringLiteral("Add History"), parent)
{
}

frmAddHst *showAddHistory()
{
    return showOnce(addHistoryWindow, [] { return new frmAddHst; });
}
