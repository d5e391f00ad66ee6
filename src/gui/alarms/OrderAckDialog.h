#pragma once

#include "AckDialog.h"

class QLineEdit;
class QPlainTextEdit;

// "Order Acknowledge": what to order for the item and from whom, and the purchase order
// number; or word that the parts are in stock. Opened for one item, which it keeps.
class OrderAckDialog : public AckDialog
{
    Q_OBJECT

public:
    OrderAckDialog(const AppContext &context, qint64 itemId, QWidget *parent = nullptr);

    bool load() override;

    // The buttons' commands.
    void acknowledgeOrder(); // cmdAck
    void reportInStock(); // cmdInStock

private:
    void loadOrderInfo();

    QPlainTextEdit *m_infoText = nullptr;
    QLineEdit *m_purchaseOrderEdit = nullptr;
};
