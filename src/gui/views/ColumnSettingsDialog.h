#pragma once

#include "core/views/ColumnSettings.h"

#include <QDialog>

class Database;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "Column Settings": which columns the item list shows, in what order and how wide. A click on
// the place or width of a shown column edits it in place (Enter commits); a click on Display
// offers YES/NO. OK stores the list and answers columnsSaved; Cancel stores nothing.
class ColumnSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ColumnSettingsDialog(Database &database, QWidget *parent = nullptr);

    // Reads the Columns table into the list and sizes the window to it (a failed read leaves
    // the list empty).
    void load();

    const ColumnSettings &settings() const { return m_settings; }

Q_SIGNALS:
    // The Columns table holds the new layout.
    void columnsSaved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cellClicked(int row, int column);
    void placeEditor(QWidget *editor, int row, int column, int widthLessTwips);
    void setEditorGeometry(QWidget *editor, int row, int column, int widthLessTwips);
    void followScroll();
    void commitEntry();
    void displayChosen(int index);
    void showRow(int row);
    void showAllRows();
    void save();

    Database &m_database;
    ColumnSettings m_settings;
    ColumnSettings::Cell m_editedCell = ColumnSettings::NameCell;
    QTableWidget *flxCols = nullptr;
    QLineEdit *m_cellEdit = nullptr;
    QComboBox *cmbYN = nullptr;
    QLabel *m_ownCaption = nullptr; // says the layout is the technician's own
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
