#include "frmAddEntry.h"

#include "AddHistory.h"

#include "core/data/DatabaseADO.h"
#include "core/items/ItemStore.h"
#include "core/platform/Twips.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/PlainText.h"
#include "gui/platform/WindowUtil.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QPointer<frmAddEntry> historyWindow;
QPointer<frmAddEntry> noteWindow;

// Layout in twips.
constexpr int BoxLeft = 1320;
constexpr int ItemTop = 120;
constexpr int BoxTop = 450;
constexpr int BoxHeight = 315;
constexpr int RightGap = 200;
constexpr int ButtonTop = 930;
constexpr int ButtonWidth = 1095;
constexpr int ButtonHeight = 375;
constexpr int WindowWidth = 7200;
constexpr int WindowHeight = 1470;

const char *const ItemGoneMessage = "This item no longer exists; the entry was not added";

QPointer<frmAddEntry> &windowOf(EntryTarget target)
{
    return target == HistoryTarget ? historyWindow : noteWindow;
}

} // namespace

frmAddEntry::frmAddEntry(EntryTarget target, qint64 itemId, QWidget *parent)
    : QDialog(parent)
    , m_target(target)
    , m_itemId(itemId)
{
    const bool history = target == HistoryTarget;
    setObjectName(history ? QStringLiteral("frmAddHst") : QStringLiteral("frmAddNote"));
    setWindowTitle(history ? QStringLiteral("Add History") : QStringLiteral("Add Note"));

    lblItem = new QLabel(this);
    lblItem->setObjectName(QStringLiteral("lblItem"));
    showPlainText(lblItem);
    runGuarded(this, QStringLiteral("read the item"), [this] {
        lblItem->setText(QStringLiteral("Item: %1 (ID = %2)").arg(itemName(db(), m_itemId)).arg(m_itemId));
    });
    lblDescr = new QLabel(QStringLiteral("Description:"), this);
    lblDescr->setObjectName(QStringLiteral("lblDescr"));
    txtDescr = new QLineEdit(this);
    txtDescr->setObjectName(QStringLiteral("txtDescr"));
    lblDescr->setBuddy(txtDescr);
    cmdAdd = new QPushButton(QStringLiteral("Add"), this);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    setGeometryTwips(lblItem, 120, ItemTop, WindowWidth - 120 - RightGap, BoxHeight);
    setGeometryTwips(lblDescr, 120, BoxTop + 30, BoxLeft - 180, BoxHeight);
    setGeometryTwips(txtDescr, BoxLeft, BoxTop, WindowWidth - BoxLeft - RightGap, BoxHeight);
    setGeometryTwips(cmdAdd, BoxLeft, ButtonTop, ButtonWidth, ButtonHeight);
    setGeometryTwips(cmdCancel, BoxLeft + ButtonWidth + 120, ButtonTop, ButtonWidth, ButtonHeight);
    resize(Twips::toPixels(WindowWidth), Twips::toPixels(WindowHeight));

    filterTyping(txtDescr, [this](const QString &text, int keyChar) {
        if (keyChar == EnterKey) {
            add();
            return false;
        }
        return descriptionKeyAccepted(text, keyChar);
    });
    cutPastes(txtDescr, DescriptionLimit);
    cmdAdd->setDefault(true);
    txtDescr->setFocus();
    connect(cmdAdd, &QPushButton::clicked, this, &frmAddEntry::add);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
}

bool frmAddEntry::hasTypedText() const
{
    return !txtDescr->text().isEmpty();
}

void frmAddEntry::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // The box reaches to 200 twips short of the window's right edge.
    const int width = Twips::fromPixels(this->width()) - Twips::fromPixels(txtDescr->x()) - RightGap;
    if (width > 0)
        txtDescr->resize(Twips::toPixels(width), txtDescr->height());
}

void frmAddEntry::add()
{
    const QString descr = txtDescr->text();
    if (descr.isEmpty()) {
        MessageBox::information(this, QStringLiteral("Description must be entered"));
        return;
    }
    bool itemGone = false;
    const bool written = runGuarded(this, QStringLiteral("add the entry"), [&] {
        itemGone = !itemExists(db(), m_itemId);
        if (!itemGone)
            writeEntry(db(), m_target, m_itemId, descr); // a typed entry is always written
    });
    if (!written)
        return; // the failure was shown; the typed text stays for another try
    if (itemGone) {
        MessageBox::information(this, QString::fromLatin1(ItemGoneMessage));
        return;
    }
    emit entryAdded(m_target, m_itemId);
    close();
}

frmAddEntry *showEntryWindow(EntryTarget target, qint64 itemId)
{
    QPointer<frmAddEntry> &slot = windowOf(target);
    if (slot && slot->itemId() != itemId && !slot->hasTypedText())
        closeNow(slot);
    return showOnce(slot, [&] { return new frmAddEntry(target, itemId); });
}
