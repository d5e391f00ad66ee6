#pragma once

#include "core/items/ItemStore.h"
#include "core/settings/ColumnLayout.h"

#include <QDialog>

#include <array>
#include <optional>

class AppContext;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The item editor: adds a new item or changes one, with its company and replacement parts.
// Its mode and item are given when it opens and stay fixed while it is open; a save is
// announced through itemSaved.
class ItemEditor : public QDialog
{
    Q_OBJECT

public:
    // Add, edit the item of a list row, edit the item of an alarm row.
    enum ItemEditMode { AddItem = 0,
                        EditListItem = 1,
                        EditAlarmItem = 2 };

    // A save follows the history options of `context` as they are at the time. `columns`: the
    // item list's columns when the editor opens; the boxes of hidden ones are greyed.
    ItemEditor(const AppContext &context, ItemEditMode mode, qint64 itemId, const ColumnLayout &columns,
               QWidget *parent = nullptr);
    ~ItemEditor() override;

    // Shows the item (in add mode, the empty form). A failed read is shown to the user and
    // leaves the boxes empty.
    void load();

    // Shows a company's name in the company label and keeps its ID (the company directory
    // opened by Select hands over the chosen company).
    void showCompany(qint64 companyId);

    ItemEditMode mode() const { return m_mode; }
    bool isAddMode() const { return !m_itemId.has_value(); }
    qint64 itemId() const { return m_itemId.value_or(0); }
    qint64 companyId() const { return m_companyId; }
    int firstNewPartRow() const { return m_parts.firstNewPartRow(); }

    // The entry box of a column id (a QLineEdit, or a QPlainTextEdit for the multi-line
    // fields); null for ids without a box.
    QWidget *box(int id) const;

    // The values the form would save.
    ItemForm form() const;

    // The buttons' commands.
    void save();
    void togglePage();
    void addPart();
    void selectCompany();
    void openCalendar(int index);

Q_SIGNALS:
    void itemSaved(qint64 itemId);
    // Select was pressed: the company directory is wanted in select mode for this editor.
    void companyWanted();

private:
    void buildEquipmentFrame();
    void buildAlarmFrame();
    void buildPartsFrame();
    void buildExtraFrame();
    void buildHistoryFrame();
    void buildCustomFrame();
    void buildButtons();

    // A frame whose rows are a label and its box; addBox adds a row under the others.
    QGroupBox *makeFrame(const char *name, const QString &title, QWidget *page);
    QWidget *addBox(QGroupBox *frame, int id, const QString &label, const QString &tip);
    QPushButton *calendarButton(int index, QLineEdit *box, const QString &boxName);

    void showForm(const ItemForm &form);
    void showParts();
    void greyHiddenColumns();
    void setCompany(qint64 companyId, const QString &name);
    // The control of a column id that a failed check names, its page shown.
    QWidget *faultControl(int id);

    const AppContext &m_context;
    const ItemEditMode m_mode;
    const ColumnLayout m_columns;
    std::optional<qint64> m_itemId; // none in add mode
    RowStamp m_read; // the item's row as it was loaded
    int m_storedStock = -1; // the item's replacestock when it opened
    qint64 m_companyId = 0; // the tag of the company label
    QString m_companyName; // the company's name, which the label may show in part
    PartList m_parts;

    std::array<QWidget *, ItemBox::Count> m_boxes {};
    QWidget *m_firstPage = nullptr; // "Equipment", "Alarming", the parts
    QWidget *m_secondPage = nullptr; // "Extra", "Latest History", "Custom Fields"
    QGroupBox *m_equipmentFrame = nullptr;
    QGroupBox *m_alarmFrame = nullptr;
    QGroupBox *m_partsFrame = nullptr;
    QGroupBox *m_extraFrame = nullptr;
    QGroupBox *m_historyFrame = nullptr;
    QGroupBox *m_customFrame = nullptr;
    QLabel *m_lblCoName = nullptr;
    QPushButton *m_cmdSelect = nullptr;
    QComboBox *m_cmbReplaceStock = nullptr;
    QTableWidget *m_flxRepParts = nullptr;
    QLineEdit *m_txtRepPartName = nullptr;
    QLineEdit *m_txtRepPartNumber = nullptr;
    QPushButton *m_cmdMore = nullptr;
    QPushButton *m_cmdOK = nullptr;
};
