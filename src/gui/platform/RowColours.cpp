#include "RowColours.h"

#include "LongText.h"

#include <QAbstractItemView>

RowColourDelegate::RowColourDelegate(Picker picker, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_picker(std::move(picker))
{
}

void RowColourDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // A cell shows at most the start of a long value.
    option->text = LongText::shownPart(option->text);
    const RowColours picked = m_picker(index);
    option->backgroundBrush = picked.background;
    option->palette.setBrush(QPalette::Text, picked.text);
}

RowColours shownColours(const QAbstractItemView &view, const QModelIndex &index)
{
    const auto *delegate = qobject_cast<const RowColourDelegate *>(view.itemDelegateForIndex(index));
    return delegate ? delegate->colours(index) : RowColours();
}
