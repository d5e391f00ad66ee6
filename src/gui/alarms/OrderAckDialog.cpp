#include "OrderAckDialog.h"

#include "core/platform/Clock.h"
#include "core/platform/LineEnds.h"
#include "core/platform/Twips.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/LongText.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Sizes in twips: the window's default size and the purchase order box.
constexpr int WindowWidth = 6840;
constexpr int WindowHeight = 6690;
constexpr int PoWidth = 3000;

} // namespace

OrderAckDialog::OrderAckDialog(const AppContext &context, qint64 itemId, QWidget *parent)
    : AckDialog(context, "frmAckOrder", QStringLiteral("Order Acknowledge"), itemId, parent)
{
    m_infoText = new QPlainTextEdit(this);
    m_infoText->setObjectName(QStringLiteral("txtInfo"));
    m_infoText->setAccessibleName(QStringLiteral("Order information"));
    m_infoText->setReadOnly(true);
    m_infoText->setTabChangesFocus(true);

    m_purchaseOrderEdit = new QLineEdit(this);
    m_purchaseOrderEdit->setObjectName(QStringLiteral("txtPoNo"));
    m_purchaseOrderEdit->setToolTip(QStringLiteral("Enter the purchase order if any"));
    m_purchaseOrderEdit->setMaximumWidth(Twips::toPixels(PoWidth));
    filterTyping(m_purchaseOrderEdit, [](const QString &text, int keyChar) {
        return ackTextKeyAccepted(text, keyChar, PurchaseOrderLimit);
    });
    cutPastes(m_purchaseOrderEdit, PurchaseOrderLimit);
    auto *poRow = new QHBoxLayout;
    poRow->addWidget(addLabel(QStringLiteral("Purchase Order no."), m_purchaseOrderEdit));
    poRow->addWidget(m_purchaseOrderEdit, 1);
    poRow->addStretch(0);

    QPushButton *cmdAck = addButton("cmdAck", QStringLiteral("Acknowledge"));
    QPushButton *cmdInStock = addButton("cmdInStock", QStringLiteral("In Stock"));
    QPushButton *cmdCancel = addButton("cmdCancel", QStringLiteral("Cancel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_infoText, 1);
    layout->addLayout(poRow);
    layout->addWidget(changedElsewhereLine());
    layout->addLayout(buttonRow({cmdAck, cmdInStock, cmdCancel}, ButtonWidth));
    setDefaultSizeTwips(this, WindowWidth, WindowHeight);

    cmdAck->setDefault(true);
    m_purchaseOrderEdit->setFocus();
    connect(cmdAck, &QPushButton::clicked, this, &OrderAckDialog::acknowledgeOrder);
    connect(cmdInStock, &QPushButton::clicked, this, &OrderAckDialog::reportInStock);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);

    Mnemonics::give(this);
}

bool OrderAckDialog::load()
{
    if (!readStamp(orderAckStamp))
        return false;
    loadOrderInfo();
    return true;
}

void OrderAckDialog::loadOrderInfo()
{
    runGuarded(this, QStringLiteral("read the item"),
               [this] { m_infoText->setPlainText(LongText::shownPart(LineEnds::toShown(orderInfoText(database(), itemId())))); });
}

void OrderAckDialog::acknowledgeOrder()
{
    const QString purchaseOrder = m_purchaseOrderEdit->text();
    if (purchaseOrder.trimmed().isEmpty()) { // spaces alone name no order
        MessageBox::fault(m_purchaseOrderEdit, QStringLiteral("Purchase order number must be specified"));
        return;
    }
    acknowledge(orderAckHistory(purchaseOrder), [&](const QStringList &history) {
        return storeOrderAck(database(), itemId(), stamp(), purchaseOrder, history);
    });
}

void OrderAckDialog::reportInStock()
{
    // The purchase order box is not consulted.
    acknowledge(inStockHistory(Clock::today()),
                [&](const QStringList &history) { return storeInStock(database(), itemId(), stamp(), history); });
}
