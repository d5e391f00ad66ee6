#pragma once

#include "core/db/FieldTable.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

// "Lookup": the items whose chosen field matches a value. Opens with a list entry chosen (a
// Lookup menu entry) or none; LookUp is enabled while an entry is chosen and the value box
// holds text. Each lookup is answered with lookupChosen, and the dialog stays open for the
// next one. Stays above other windows.
class LookupDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LookupDialog(std::optional<int> preset, QWidget *parent = nullptr);

Q_SIGNALS:
    // The value carries its leading "*" for the multi-line fields.
    void lookupChosen(Field::Number field, const QString &value);

protected:
    void changeEvent(QEvent *event) override;

private:
    std::optional<int> chosenPosition() const;
    void entryChosen();
    void updateButtons();
    void pickDate();
    void lookUp();
    QComboBox *cmbLookup = nullptr;
    QLineEdit *m_valueEdit = nullptr;
    QPushButton *m_calendarButton = nullptr;
    QPushButton *m_lookUpButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
