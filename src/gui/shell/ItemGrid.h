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

    // Where a cell lies, in the grid's parent's coordinates.
    QRect cellRect(int row, int column) const;

Q_SIGNALS:
    void cellClicked(int row, int column);
    void cellDoubleClicked(int row, int column);
    void rightButtonPressed(const QPoint &globalPos);
    void scrolled();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    ItemListModel *m_model;
    int m_currentRow = 0;
};
