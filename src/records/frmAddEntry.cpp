#include "frmAddEntry.h"

#include "AddHistory.h"
#include "History.h"

#include "data/DatabaseADO.h"
#include "data/GlobalVars.h"
#include "items/frmAdd.h"
#include "platform/Twips.h"
#include "platform/WindowUtil.h"
#include "views/KeyFilter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Layout in twips.
constexpr int BoxLeft = 1320;
constexpr int BoxTop = 120;
constexpr int BoxHeight = 315;
constexpr int RightGap = 200;
constexpr int ButtonTop = 600;
constexpr int ButtonWidth = 1095;
constexpr int ButtonHeight = 375;
constexpr int WindowWidth = 7200;
constexpr int WindowHeight = 1140;

constexpr int EnterKey = 13;

const char *const ItemGoneMessage = "This item no longer exists; the entry was not added";

int itemOfSelection(bool fromMainWindow)
{
    const GlobalVars &g = gv();
    return fromMainWindow ? g.rowItemId(g.SelectedRow) : g.alarmItemId(g.SelectedAlarmRow);
}

} // namespace

frmAddEntry::frmAddEntry(int target, const char *name, const QString &caption, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_target(target)
    , m_fromMainWindow(gv().EntryFromMainWindow)
    , m_itemId(itemOfSelection(m_fromMainWindow))
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);

    lblDescr = new QLabel(QStringLiteral("Description:"), this);
    lblDescr->setObjectName(QStringLiteral("lblDescr"));
    txtDescr = new QLineEdit(this);
    txtDescr->setObjectName(QStringLiteral("txtDescr"));
    lblDescr->setBuddy(txtDescr);
    cmdAdd = new QPushButton(QStringLiteral("Add"), this);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

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
    connect(cmdAdd, &QPushButton::clicked, this, &frmAddEntry::add);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
}

void frmAddEntry::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
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
    const bool written = runGuarded(this, [&] {
        itemGone = !itemExists(db(), m_itemId);
        if (!itemGone)
            AddHistory(0, m_target, m_itemId, descr, QString(), QString());
    });
    if (!written)
        return; // the failure was shown; the typed text stays for another try
    if (itemGone) {
        MessageBox::information(this, QString::fromLatin1(ItemGoneMessage));
        return;
    }
    // The main window refreshes its pane through entryAdded, while it still shows this item.
    // Adding history from an acknowledgement closes an open item editor.
    if (!m_fromMainWindow && m_target == HistoryTarget)
        closeItemEditor();
    emit entryAdded(m_itemId);
    close();
}
