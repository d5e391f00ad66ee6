#include "ItemGrid.h"

#include "core/itemlist/ItemListModel.h"
#include "core/platform/Twips.h"
#include "core/settings/ColumnLayout.h"
#include "gui/platform/Appearance.h"
#include "gui/platform/RowColours.h"
#include "gui/platform/WindowUtil.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

// The ID column on the button face; the other cells in the list's colours, or white on the
// highlight colour while their row is selected.
RowColours itemCellColours(const ItemListModel &model, const QModelIndex &index)
{
    const QPalette palette = QGuiApplication::palette();
    if (index.column() == 0)
        return {palette.brush(QPalette::ButtonText), palette.brush(QPalette::Button)};
    if (model.isRowSelected(index.row() + 1)) {
        const QColor highlight = palette.color(QPalette::Highlight);
        return {QBrush(Appearance::textOn(highlight)), QBrush(highlight)};
    }
    return {palette.brush(QPalette::Text), palette.brush(QPalette::Base)};
}

// A row is one line high: a cell of several lines shows its first line and "..." after it;
// the cell viewer shows the whole text.
class FirstLineDelegate : public RowColourDelegate
{
public:
    using RowColourDelegate::RowColourDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        RowColourDelegate::initStyleOption(option, index);
        // The delegate has turned line breaks into line separators by now.
        const qsizetype lineEnd = option->text.indexOf(QChar::LineSeparator);
        if (lineEnd >= 0) {
            const bool more = lineEnd + 1 < option->text.size();
            option->text = option->text.left(lineEnd) + (more ? QStringLiteral(" ...") : QString());
        }
    }
};

} // namespace

ItemGrid::ItemGrid(QWidget *parent)
    : QTableView(parent)
    , m_model(new ItemListModel(this))
{
    setObjectName(QStringLiteral("flxdata"));
    setAccessibleName(QStringLiteral("Items"));
    setModel(m_model);
    setItemDelegate(new FirstLineDelegate([this](const QModelIndex &index) { return itemCellColours(*m_model, index); }, this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Tab leaves the list for the panes below; the arrows move within it. Taking the focus
    // makes no row current, so the first Down chooses the first row.
    setTabKeyNavigation(false);
    noAutomaticCurrent(this);

    // Every row the same height, so the view lays out any number of rows at once.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(Twips::toPixels(RowHeightTwips));

    QHeaderView *heading = horizontalHeader();
    heading->setSectionResizeMode(QHeaderView::Interactive);
    heading->setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
    heading->setFixedHeight(Twips::toPixels(HeadingHeightTwips));
    heading->setHighlightSections(false);
    heading->setMinimumSectionSize(1);
    heading->setStretchLastSection(false);

    // The view's signals: a press and a double-click with the left button, a move to another row
    // and Enter from the keys. A current cell set otherwise (on taking the focus, or by the
    // program) chooses nothing.
    connect(this, &QAbstractItemView::pressed, this, [this](const QModelIndex &index) {
        if (m_pressedButton == Qt::LeftButton)
            choose(index.row() + 1, index.column());
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (m_pressedButton != Qt::LeftButton)
            return;
        m_currentRow = index.row() + 1;
        Q_EMIT cellDoubleClicked(m_currentRow, index.column());
    });
    connect(this, &QAbstractItemView::activated, this, [this] {
        if (m_byKeyboard && m_currentRow >= 1)
            Q_EMIT cellDoubleClicked(m_currentRow, 0);
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                if (m_byKeyboard && current.isValid() && current.row() != previous.row())
                    choose(current.row() + 1, 0);
            });
}

void ItemGrid::choose(int row, int column)
{
    m_currentRow = row;
    Q_EMIT cellClicked(row, column);
}

void ItemGrid::applyLayout(const ColumnLayout &layout)
{
    setColumnWidth(0, Twips::toPixels(IdColumnTwips));
    for (int k = 0; k < layout.shown.size(); ++k)
        setColumnWidth(k + 1, Twips::toPixels(layout.shown.at(k).widthTwips));
}

QVector<int> ItemGrid::columnWidths() const
{
    QVector<int> widths;
    for (int c = 0; c < m_model->columnCount(); ++c)
        widths << columnWidth(c);
    return widths;
}

int ItemGrid::rows() const
{
    return m_model->rowCount() + 1;
}

void ItemGrid::setCurrentRow(int row)
{
    m_currentRow = row;
    if (row >= 1 && row <= m_model->rowCount())
        setCurrentIndex(m_model->index(row - 1, qMax(0, currentIndex().column())));
}

int ItemGrid::heightShowing(int rowCount) const
{
    return horizontalHeader()->height() + rowCount * verticalHeader()->defaultSectionSize() + 2 * frameWidth()
        + horizontalScrollBar()->sizeHint().height();
}

QRect ItemGrid::cellRect(int row, int column) const
{
    const QRect inViewport = visualRect(m_model->index(row - 1, column));
    return QRect(viewport()->mapTo(parentWidget(), inViewport.topLeft()), inViewport.size());
}

void ItemGrid::mousePressEvent(QMouseEvent *event)
{
    // A double-click's second press comes as a double-click event: this button still holds.
    m_pressedButton = event->button();
    QTableView::mousePressEvent(event);
    if (event->button() == Qt::RightButton)
        Q_EMIT rightButtonPressed(event->globalPosition().toPoint());
}

// The keyboard chooses rows as a click does; Enter opens the chosen row as a double-click does.
void ItemGrid::keyPressEvent(QKeyEvent *event)
{
    // The Menu key and Shift+F10 open the context menu on the chosen row, as a right click does.
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        event->accept();
        emit rightButtonPressed(menuPosition());
        return;
    }
    m_byKeyboard = true;
    QTableView::keyPressEvent(event);
    m_byKeyboard = false;
}

void ItemGrid::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() == QContextMenuEvent::Keyboard)
        emit rightButtonPressed(menuPosition());
}

QPoint ItemGrid::menuPosition() const
{
    const QRect cell = visualRect(m_model->index(qMax(0, m_currentRow - 1), 1));
    const QPoint inView = cell.isValid() ? cell.center() : QPoint(0, 0);
    return viewport()->mapToGlobal(inView);
}

void ItemGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    Q_EMIT scrolled();
}
