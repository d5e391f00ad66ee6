#pragma once

#include <QDialog>
#include <QPointer>
#include <QVector>

class Database;
class QPushButton;
class QTableWidget;

// The company directory: every vendor company in a grid. In browse mode companies are added
// and edited; in select mode, opened for one item editor, the chosen company is handed back
// through companyChosen and the window closes. The mode is fixed when the window opens.
class CompanyDirectory : public QDialog
{
    Q_OBJECT

public:
    enum class Mode { Browse,
                      Select };
    static constexpr int RowHeightTwips = 712;

    // In select mode the directory serves `editor` and closes when that window goes.
    CompanyDirectory(Database &database, Mode mode, QWidget *editor = nullptr, QWidget *parent = nullptr);

    Mode mode() const { return m_mode; }
    QWidget *servedEditor() const { return m_editor; }

    // Fills the grid from the table, at the start and after a company is saved; an empty table
    // is told to the user, a failed read leaves the grid as it was.
    void load();

    // Grid rows counted as the directory counts them: 0 is the heading row, 1..n the companies.
    int rows() const;
    // The company shown in a grid row; 0 for rows that do not exist.
    qint64 companyIdAt(int row) const;
    // The row last clicked; 0 before the first click.
    int highlightedRow() const { return m_highlightedRow; }
    // True from loading until the first click in the grid.
    bool noHighlight() const { return m_noHighlight; }

Q_SIGNALS:
    // The user chose this company in select mode; the window closes right after.
    void companyChosen(qint64 companyId);
    // Add (0) or Edit in browse mode: the company editor is wanted for this company. Its opener
    // has the list loaded again after a save (load).
    void companyEditorWanted(qint64 companyId);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void setupColumns();
    void rowClicked(int row);
    void rowDoubleClicked(int row);
    void paintRow(int row, const QColor &text, const QColor &background);
    void selectClicked();
    void editClicked();
    void deliver(int row);
    void layoutControls();

    Database &m_database;
    const Mode m_mode;
    const QPointer<QWidget> m_editor;
    QVector<qint64> m_companyIds; // by grid row; entry 0 unused
    int m_highlightedRow = 0;
    int m_previousRow = 0;
    bool m_noHighlight = true;
    QTableWidget *grid = nullptr;
    QPushButton *m_selectButton = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
