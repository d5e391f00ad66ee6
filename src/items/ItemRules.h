#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

// The item editor's rules apart from its widgets: what the boxes hold, the checks before a
// save, the key filters and the history a new item asks for.

// The editor's boxes by the column id of their field. The company (16) and the stocked
// choice (17) have no box of their own; the parts boxes get ids of their own past the columns.
namespace ItemBox {
constexpr int Name = 0;
constexpr int Tag = 1;
constexpr int Location = 2;
constexpr int Hazmat = 3;
constexpr int Part = 4;
constexpr int Serial = 5;
constexpr int ServiceDate = 7;
constexpr int ServiceWarn = 8;
constexpr int DateServiced = 9;
constexpr int ServicedBy = 10;
constexpr int Tools = 11;
constexpr int DateInstalled = 12;
constexpr int LeadTime = 13;
constexpr int ServiceInterval = 14;
constexpr int PurchaseOrder = 15;
constexpr int Company = 16;
constexpr int Stocked = 17;
constexpr int RefManuals = 18;
constexpr int Locked = 19;
constexpr int Custom1 = 20;
constexpr int Custom2 = 21;
constexpr int Custom3 = 22;
constexpr int Count = 23;

constexpr int PartName = 100;
constexpr int PartNumber = 101;

bool isDate(int box);
bool isDayCount(int box);
bool isMultiLine(int box);
// True for the ids that have an entry box of the item (not 6, 16, 17 or past 22).
bool hasTextBox(int box);
// Most characters a box takes by typing.
int lengthLimit(int box);
} // namespace ItemBox

// The values of the editor's form, as the boxes show them.
struct ItemForm {
    std::array<QString, ItemBox::Count> text; // by column id; ids without a box stay empty
    int companyId = 0;                        // 0: no company chosen
    QString companyName;                      // the company label's caption
    int stocked = -1;                         // replacestock as it will be stored

    QString &operator[](int box) { return text[std::size_t(box)]; }
    const QString &operator[](int box) const { return text[std::size_t(box)]; }

    // A company counts as chosen when its label shows a name.
    bool hasCompany() const { return companyId > 0 && !companyName.isEmpty(); }
};

// The outcome of the checks before a save: the messages to show, in order, and whether the
// save goes on (errors stop it, warnings do not).
struct ItemCheck {
    QStringList messages;
    bool canSave = true;
};

ItemCheck checkItem(const ItemForm &form, const QDate &today);

// The key filter of the editor's boxes: whether a typed character (Backspace = 8,
// DEL = 127) goes into a box that holds `current`. Control keys other than Backspace and
// Enter (Tab, Esc, shortcuts such as Ctrl+V) pass; pastes are held by the box itself.
bool acceptsKey(int box, const QString &current, int keyChar);

// The stocked list: the list entry that shows a stored code (-1: none), and the code stored
// for a list entry (nothing chosen keeps the code the item had).
int stockedListIndex(int storedCode);
int stockedToStore(int listIndex, int storedCode);

// The automatic history entries a new item asks for, in order.
struct HistoryRequest {
    int kind = 0;
    QString text1;
    QString text2;
};
QVector<HistoryRequest> newItemHistory(const ItemForm &form);

// Multi-line boxes show "\n"; the store keeps "\r\n".
QString multiLineToStore(const QString &shown);
QString multiLineToShow(const QString &stored);
