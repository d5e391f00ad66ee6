#pragma once

#include "core/db/FieldTable.h"
#include "core/records/History.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

// The item editor's rules apart from its widgets: what the boxes hold, the checks before a
// save, the key filters and the history a new item asks for.

// The editor's boxes are named by the column id of their field. The company (16) and the
// stocked choice (17) have no box of their own, nor have the parts (6); the two boxes of a new
// part have ids of their own.
namespace ItemBox {
constexpr int Count = Column::AckService; // ids 0..22
constexpr int PartName = 100;
constexpr int PartNumber = 101;

// True for the ids that have an entry box of the item.
bool hasTextBox(int id);
bool isDate(int id);
bool isDayCount(int id);
bool isMultiLine(int id);
// Most characters a box holds; a line break of a multi-line box counts as two.
int lengthLimit(int id);
} // namespace ItemBox

// The values of the editor's form, as the boxes show them.
struct ItemForm {
    std::array<QString, ItemBox::Count> text; // by column id; ids without a box stay empty
    qint64 companyId = 0; // 0: no company chosen
    QString companyName; // the company label's caption
    int stocked = -1; // replacestock as it will be stored

    QString &operator[](int id) { return text[std::size_t(id)]; }
    const QString &operator[](int id) const { return text[std::size_t(id)]; }

    // A company counts as chosen when its label shows a name.
    bool hasCompany() const { return companyId > 0 && !companyName.isEmpty(); }
};

// The outcome of the checks before a save: the messages to show, in order, and whether the
// save goes on (errors stop it, warnings do not).
struct ItemCheck {
    QStringList messages;
    bool canSave = true;
    int faultBox = -1; // after an error: the column id of the entry at fault (Column::Company: the company)
};

ItemCheck checkItem(const ItemForm &form, const QDate &today);

// The key filter of the editor's boxes: whether a typed character (Backspace = 8, Enter = 13,
// DEL = 127) goes into a box that holds `current`. Other control keys never reach it.
bool acceptsKey(int id, const QString &current, int keyChar);

// The stocked list: the list entry that shows a stored code (-1: none), and the code stored
// for a list entry (nothing chosen keeps the code the item had).
int stockedListIndex(int storedCode);
int stockedToStore(int listIndex, int storedCode);

// The automatic history entries a new item asks for, in order.
struct HistoryRequest {
    HistoryKind kind = TypedEntry;
    QString text1;
    QString text2;
};
QVector<HistoryRequest> newItemHistory(const ItemForm &form);
