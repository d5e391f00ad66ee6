#pragma once

#include "Company.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class LimitedTextEdit;

// The company editor: adds a company (gv().CompanyEditRow 0) or edits the company of that
// directory row. It takes the company's ID when it opens and keeps writing that company,
// whatever happens to the directory meanwhile.
class frmAddCo : public QWidget
{
    Q_OBJECT

public:
    explicit frmAddCo(QWidget *parent = nullptr);

    bool editMode() const { return m_editMode; }
    int companyId() const { return m_companyId; }

    // The twelve boxes in field order; box 10 (Notes) is multi-line.
    QWidget *box(int index) const { return m_boxes[index]; }
    QString boxText(int index) const;
    void setBoxText(int index, const QString &text);

    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    // OK ("Add" or "Edit"): checks the name, saves, refreshes the directory and closes.
    void save();

private:
    void buildBoxes();
    void fill(const CompanyRecord &company);

    bool m_editMode = false;
    int m_companyId = 0;
    QWidget *m_boxes[CompanyBox::Count] = {};
};

// Shows the editor for gv().CompanyEditRow, or raises the open one unchanged.
frmAddCo *showCompanyEditor();
