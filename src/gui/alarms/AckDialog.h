#pragma once

#include "core/alarms/Acknowledgement.h"
#include "core/alarms/AlarmStore.h"

#include <QDialog>

#include <functional>

class AppContext;
class QLabel;
class QPushButton;

// What the service and order acknowledgements share: the item they were opened for, kept while
// they are open whatever happens to the alarm list, and the road of an acknowledgement from the
// history questions to the stored row and the announcement.
class AckDialog : public QDialog
{
    Q_OBJECT

public:
    qint64 itemId() const { return m_itemId; }

    // Reads the item into the window. An item gone meanwhile is told ("This item no longer
    // exists; nothing was saved.") and gives false: the window is then not shown.
    virtual bool load() = 0;

Q_SIGNALS:
    // The acknowledgement of this item is stored (the window then closes): the alarm list and
    // the item list are out of date.
    void acknowledged(qint64 itemId);

protected:
    // The caption is followed directly by "ID = " and the item ID. The window reads and stores
    // through the connection of `context` and follows its history options.
    AckDialog(const AppContext &context, const char *name, const QString &caption, qint64 itemId, QWidget *parent);

    Database &database() const;

    // A label for a control, beside it in the control's parent; a button of the window's row.
    QLabel *addLabel(const QString &text, QWidget *buddy);
    QPushButton *addButton(const char *name, const QString &text);
    static constexpr int ButtonWidth = 1300; // twips, the least width of the buttons

    // Reads what the window's store will compare with, before anything else is read: a change
    // made in between then refuses the store rather than slipping through. False when the item
    // is gone (the user is told) or could not be read.
    bool readStamp(const std::function<RowStamp(Database &, qint64)> &read);
    const RowStamp &stamp() const { return m_read; }
    // The line above the buttons that says when another technician changed the item meanwhile.
    QWidget *changedElsewhereLine();

    // Asks about the automatic history entries under the options, then stores everything in
    // one go through `store`, which gets the entries to write. An item deleted or changed
    // elsewhere meanwhile gets nothing and the user is told; a database failure is shown. The
    // window stays open then; after a store it announces the acknowledgement and closes.
    void acknowledge(const QVector<HistoryRequest> &history, const std::function<AckResult(const QStringList &)> &store);

private:
    const AppContext &m_context;
    const qint64 m_itemId;
    RowStamp m_read;
};
