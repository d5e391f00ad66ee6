#pragma once

#include "core/alarms/Acknowledgement.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

// What the service and order acknowledgements share: the item they were opened for, kept while
// they are open whatever happens to the alarm list, and the road of an acknowledgement from the
// history questions to the stored row and the announcement.
class AckWindow : public QWidget
{
    Q_OBJECT

public:
    qint64 itemId() const { return m_itemId; }

Q_SIGNALS:
    // The acknowledgement of this item is stored (the window then closes): the alarm list and
    // the item list are out of date.
    void acknowledged(qint64 itemId);

protected:
    // The caption is followed directly by "ID = " and the item ID.
    AckWindow(const char *name, const QString &caption, qint64 itemId, QWidget *parent);

    QLabel *addLabel(const QString &text, QWidget *buddy, int left, int top, int width);
    QPushButton *addButton(const char *name, const QString &text, int left, int top);

    // Asks about the automatic history entries under the options, then stores everything in
    // one go through `store`, which gets the entries to write. An item deleted meanwhile gets
    // nothing and the user is told; a database failure is shown. The window stays open then;
    // after a store it announces the acknowledgement and closes.
    void acknowledge(const QVector<HistoryRequest> &history, const std::function<AckResult(const QStringList &)> &store);

private:
    const qint64 m_itemId;
};

// The automatic history entries to write under the options: none while automatic history is
// off; with the warning on, each one only when the user answers Yes to its question.
QStringList acceptedHistory(QWidget *parent, const QVector<HistoryRequest> &requests);
