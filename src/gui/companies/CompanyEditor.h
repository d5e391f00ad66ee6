#pragma once

#include "core/companies/Company.h"

#include <QDialog>

class Database;
class LimitedTextEdit;

// The company editor: adds a company (ID 0) or edits the company with the ID it opens with,
// and keeps writing that company whatever happens to the directory meanwhile.
class CompanyEditor : public QDialog
{
    Q_OBJECT

public:
    CompanyEditor(Database &database, qint64 companyId, QWidget *parent = nullptr);

    // Shows the company being edited (nothing to read in add mode).
    void load();

    bool editMode() const { return m_companyId != 0; }
    qint64 companyId() const { return m_companyId; }

    // The twelve boxes in field order; box 10 (Notes) is multi-line.
    QWidget *box(int index) const { return m_boxes[index]; }
    QString boxText(int index) const;
    void setBoxText(int index, const QString &text);

    // OK ("Add" or "Edit"): checks the name, saves and closes.
    void save();

Q_SIGNALS:
    void companySaved(qint64 companyId);

private:
    void buildBoxes();
    void fill(const CompanyRecord &company);

    Database &m_database;
    const qint64 m_companyId;
    RowStamp m_read; // the company's row as it was loaded
    QWidget *m_boxes[CompanyBox::Count] = {};
};
