#pragma once

#include "core/db/FieldTable.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QRadioButton;
class QPushButton;

// "Sort": the field and direction of the item list's current view. Opens with a list entry
// chosen (a Sort menu entry) or none; Sort stays disabled until an entry is chosen. Answers
// sortChosen and closes. Stays above other windows.
class SortDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SortDialog(std::optional<int> preset, QWidget *parent = nullptr);

Q_SIGNALS:
    void sortChosen(Field::Number field, SortOrders order);

private:
    void sort();

    QComboBox *cmbSort = nullptr;
    QRadioButton *m_ascending = nullptr;
    QRadioButton *m_descending = nullptr;
    QPushButton *m_sortButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
