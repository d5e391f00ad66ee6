#include "AckDialog.h"

#include "core/items/ItemStore.h"
#include "core/records/History.h"
#include "core/settings/AppContext.h"
#include "gui/platform/ChangedElsewhereLine.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/WindowUtil.h"
#include "gui/records/AddHistory.h"

#include <QLabel>
#include <QPushButton>

AckDialog::AckDialog(const AppContext &context, const char *name, const QString &caption, qint64 itemId,
                     QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_itemId(itemId)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption + QStringLiteral("ID = ") + QString::number(itemId));
}

Database &AckDialog::database() const
{
    return m_context.database();
}

QLabel *AckDialog::addLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, buddy->parentWidget());
    label->setObjectName(QStringLiteral("lbl") + buddy->objectName().mid(3));
    label->setBuddy(buddy);
    return label;
}

QPushButton *AckDialog::addButton(const char *name, const QString &text)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QWidget *AckDialog::changedElsewhereLine()
{
    return new ChangedElsewhereLine(database(), m_read, QString::fromLatin1(ItemChangedText), this);
}

bool AckDialog::readStamp(const std::function<RowStamp(Database &, qint64)> &read)
{
    bool loaded = false;
    runGuarded(parentWidget(), QStringLiteral("read the item"), [&] {
        m_read = read(database(), m_itemId);
        loaded = !m_read.foundNothing();
        if (!loaded)
            tellRefusal(parentWidget(), SaveOutcome::ItemGone);
    });
    return loaded;
}

void AckDialog::acknowledge(const QVector<HistoryRequest> &history,
                            const std::function<AckResult(const QStringList &)> &store)
{
    // No question for an item that is gone or changed; the store itself checks again.
    SaveOutcome now = SaveOutcome::Saved;
    if (!runGuarded(this, QStringLiteral("read the item"), [&] { now = itemSaveOutcome(database(), m_itemId, m_read); }))
        return;
    if (now != SaveOutcome::Saved) {
        tellRefusal(this, now);
        return;
    }
    // The questions come first, so that no question is open while the row is being written.
    const QStringList texts = acceptedHistory(this, history, m_context.settings());
    AckResult result;
    if (!runGuarded(this, QStringLiteral("store the acknowledgement"), [&] { result = store(texts); }))
        return;
    if (!result.stored()) {
        tellRefusal(this, result.outcome);
        return;
    }
    emit acknowledged(m_itemId);
    close();
}
