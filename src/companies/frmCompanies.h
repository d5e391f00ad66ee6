#pragma once

#include <QWidget>

class QPushButton;
class QTableWidget;

// The company directory: every vendor company in a grid. In browse mode companies are added
// and edited; in select mode (for the item editor) the chosen company is handed back through
// companySelected and the window closes.
class frmCompanies : public QWidget
{
    Q_OBJECT

public:
    static constexpr int RowHeightTwips = 712;

    explicit frmCompanies(QWidget *parent = nullptr);

    // Refills the grid and gv().CompanyIDs from the table (grid row r shows CompanyIDs[r]).
    void LoadCompanies();

    // Grid rows counted as the directory counts them: 0 is the heading row, 1..n the companies.
    int rows() const;
    // The row last clicked; 0 before the first click.
    int highlightedRow() const { return m_highlightedRow; }
    // True from loading until the first click in the grid.
    bool noHighlight() const { return m_noHighlight; }

    QTableWidget *grid = nullptr;
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *cmdCancel = nullptr;

Q_SIGNALS:
    // The user chose this company in select mode; the window closes right after.
    void companySelected(int companyId);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void setupColumns();
    void rowClicked(int row);
    void rowDoubleClicked(int row);
    void paintRow(int row, const QColor &text, const QColor &background);
    void selectClicked();
    void editClicked();
    void addClicked();
    void deliver(int row);
    void openEditor(int row);
    void layoutControls();

    int m_highlightedRow = 0;
    int m_previousRow = 0;
    bool m_noHighlight = true;
};

// Opens the directory in select mode (for the item editor) or browse mode; an open directory
// is raised unchanged. Sets gv().SelectCompanyMode either way.
frmCompanies *showCompanyDirectory(bool selectMode);

// The open directory, or null.
frmCompanies *companyDirectory();
