#include "EntryGrid.h"

#include "core/platform/DateText.h"
#include "gui/platform/LongText.h"
#include "gui/platform/PlainText.h"

#include <QHeaderView>

EntryGrid::EntryGrid(const char *name, int dateColumnWidth, QWidget *parent)
    : QTableWidget(0, 2, parent)
{
    setObjectName(QString::fromLatin1(name));
    setHorizontalHeaderLabels({QStringLiteral("Added On"), QStringLiteral("Description")});
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setTabKeyNavigation(false);
    setColumnWidth(0, dateColumnWidth);
}

void EntryGrid::fill(const QVector<Entry> &entries, int rowHeight)
{
    setRowCount(int(entries.size()));
    for (int i = 0; i < entries.size(); ++i) {
        auto *date = new QTableWidgetItem(DateText::isoToShort(entries.at(i).isoDate));
        auto *descr = new QTableWidgetItem(LongText::shownPart(entries.at(i).descr));
        date->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
        descr->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
        descr->setToolTip(plainToolTip(LongText::shownPart(entries.at(i).descr)));
        setItem(i, 0, date);
        setItem(i, 1, descr);
        setRowHeight(i, rowHeight);
    }
}
