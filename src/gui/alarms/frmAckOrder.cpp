#include "frmAckOrder.h"

#include "core/data/DatabaseADO.h"
#include "core/platform/Clock.h"
#include "core/platform/LineEnds.h"
#include "core/platform/Twips.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QPointer<frmAckOrder> orderWindow;

// Layout in twips.
constexpr int Margin = 120;
constexpr int InfoWidth = 6600;
constexpr int InfoHeight = 5400;
constexpr int PoTop = Margin + InfoHeight + Margin;
constexpr int PoLabelWidth = 1800;
constexpr int ButtonTop = PoTop + 315 + 2 * Margin;
constexpr int WindowWidth = Margin + InfoWidth + Margin;
constexpr int WindowHeight = ButtonTop + 375 + Margin;

} // namespace

frmAckOrder::frmAckOrder(qint64 itemId, QWidget *parent)
    : AckWindow("frmAckOrder", QStringLiteral("Order Acknowledge"), itemId, parent)
{
    setFixedSize(Twips::toPixels(WindowWidth), Twips::toPixels(WindowHeight));

    txtInfo = new QPlainTextEdit(this);
    txtInfo->setObjectName(QStringLiteral("txtInfo"));
    txtInfo->setAccessibleName(QStringLiteral("Order information"));
    txtInfo->setReadOnly(true);
    txtInfo->setTabChangesFocus(true);
    setGeometryTwips(txtInfo, Margin, Margin, InfoWidth, InfoHeight);

    txtPoNo = new QLineEdit(this);
    txtPoNo->setObjectName(QStringLiteral("txtPoNo"));
    txtPoNo->setToolTip(QStringLiteral("Enter the purchase order if any"));
    setGeometryTwips(txtPoNo, Margin + PoLabelWidth, PoTop, 3000, 315);
    addLabel(QStringLiteral("Purchase Order no."), txtPoNo, Margin, PoTop + 15, PoLabelWidth);
    filterTyping(txtPoNo, [](const QString &text, int keyChar) {
        return ackTextKeyAccepted(text, keyChar, PurchaseOrderLimit);
    });
    cutPastes(txtPoNo, PurchaseOrderLimit);

    const int pitch = 1300 + Margin;
    const int buttonsLeft = WindowWidth - Margin - 3 * pitch + Margin;
    cmdAck = addButton("cmdAck", QStringLiteral("Acknowledge"), buttonsLeft, ButtonTop);
    cmdInStock = addButton("cmdInStock", QStringLiteral("In Stock"), buttonsLeft + pitch, ButtonTop);
    cmdCancel = addButton("cmdCancel", QStringLiteral("Cancel"), buttonsLeft + 2 * pitch, ButtonTop);
    cmdAck->setDefault(true);
    txtPoNo->setFocus();
    connect(cmdAck, &QPushButton::clicked, this, &frmAckOrder::acknowledgeOrder);
    connect(cmdInStock, &QPushButton::clicked, this, &frmAckOrder::reportInStock);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);

    readStamp(orderAckStamp);
    if (itemLoaded())
        loadorderinfo();
}

void frmAckOrder::loadorderinfo()
{
    runGuarded(this, QStringLiteral("read the item"),
               [this] { txtInfo->setPlainText(LineEnds::toShown(orderInfoText(db(), itemId()))); });
}

void frmAckOrder::acknowledgeOrder()
{
    const QString purchaseOrder = txtPoNo->text();
    if (purchaseOrder.trimmed().isEmpty()) { // spaces alone name no order
        MessageBox::information(this, QStringLiteral("Purchase order number must be specified"));
        return;
    }
    acknowledge(orderAckHistory(purchaseOrder), [&](const QStringList &history) {
        return storeOrderAck(db(), itemId(), stamp(), purchaseOrder, history);
    });
}

void frmAckOrder::reportInStock()
{
    // The purchase order box is not consulted.
    acknowledge(inStockHistory(Clock::today()),
                [&](const QStringList &history) { return storeInStock(db(), itemId(), stamp(), history); });
}

frmAckOrder *showOrderAck(qint64 itemId)
{
    return showOnce(orderWindow, [&] { return keepIfLoaded(new frmAckOrder(itemId)); });
}

frmAckOrder *orderAckWindow()
{
    return orderWindow;
}
