#pragma once

#include <QTableView>

class ItemListModel;
struct ColumnLayout;

// The item grid (flxdata): a view over the item list. Rows are counted from 1 as the list
// counts them (row 0 is the heading row); column 0 is the fixed "ID" column.
class ItemGrid : public QTableView
{
    Q_OBJECT

public:
    static constexpr int RowHeightTwips = 285;
    static constexpr int HeadingHeightTwips = 570;
    static constexpr int IdColumnTwips = 630;

    explicit ItemGrid(QWidget *parent = nullptr);

    ItemListModel *itemModel() const { return m_model; }

    // Widths and headings of the shown columns.
    void applyLayout(const ColumnLayout &layout);
    // Current pixel width of every grid column.
    QVector<int> columnWidths() const;

    // Grid rows including the heading row (1 when the list is empty).
    int rows() const;
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row);

    // The height that shows the heading and this many whole rows above the horizontal scroll bar.
    int heightShowing(int rowCount) const;

    // Where a cell lies, in the grid's parent's coordinates.
    QRect cellRect(int row, int column) const;

Q_SIGNALS:
    // A row chosen with a left click on a cell, or by moving to it with the keys (column 0).
    void cellClicked(int row, int column);
    // A row opened with a left double-click on a cell, or with Enter on the chosen row (column 0).
    void cellDoubleClicked(int row, int column);
    // A right press, the Menu key or Shift+F10: the context menu is wanted there.
    void rightButtonPressed(const QPoint &globalPos);
    void scrolled();

protected:
    // They only note where a press or a key comes from; the view's own signals carry the rest.
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void choose(int row, int column);
    // Where the keyboard's context menu opens: on the chosen row, else at the list's top.
    QPoint menuPosition() const;

    ItemListModel *m_model;
    int m_currentRow = 0; // the chosen row; the view's current cell may lie elsewhere
    Qt::MouseButton m_pressedButton = Qt::NoButton;
    bool m_byKeyboard = false; // while a key is handled
};
