#pragma once

#include "core/items/CsvImport.h"

#include <QDialog>
#include <QPointer>

class AppContext;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

// The preview of an item list read from a CSV file: every row with what will be stored and
// what is wrong with it. Nothing is written until "Import", which stores every row in one
// go; it is offered only when no row has a problem and the missing companies may be added.
class ImportPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    // The import stores into the connection of `context` and follows its history options.
    ImportPreviewDialog(const AppContext &context, ImportPreview preview, const QString &fileName, QWidget *parent = nullptr);

Q_SIGNALS:
    // Items were stored: the list shows all items anew.
    void imported();

private:
    void updateImportButton();
    void importRows();

    const AppContext &m_context;
    ImportPreview m_preview;
    QTableView *m_grid = nullptr;
    QCheckBox *m_addCompanies = nullptr;
    QPushButton *m_import = nullptr;
};

// Reports > Import Items from CSV...: asks for the file and shows its preview, or says why the
// file cannot be imported. The headings are matched against the list's columns in the layout.
// The preview exists once: a new one, kept in `slot`, replaces the one open there.
ImportPreviewDialog *importItemsFromCsv(QPointer<ImportPreviewDialog> &slot, QWidget *parent, const AppContext &context,
                                        const ColumnLayout &layout);
