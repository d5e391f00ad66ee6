#pragma once

#include <QBrush>
#include <QStyledItemDelegate>

#include <functional>

class QAbstractItemView;

// The text and background a list cell is drawn in: always set together, so a row stays
// readable under a dark theme.
struct RowColours {
    QBrush text;
    QBrush background;
};

// Draws each cell in the colours a function picks for its index, and otherwise as the styled
// delegate does. The models only say what a row is (selected, its kind); the colours are the
// windows' business.
class RowColourDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using Picker = std::function<RowColours(const QModelIndex &)>;

    RowColourDelegate(Picker picker, QObject *parent);

    RowColours colours(const QModelIndex &index) const { return m_picker(index); }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    Picker m_picker;
};

// The colours a view draws a cell in; empty brushes when its delegate picks none.
RowColours shownColours(const QAbstractItemView &view, const QModelIndex &index);
