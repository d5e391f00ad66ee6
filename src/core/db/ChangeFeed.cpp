#include "ChangeFeed.h"

#include <QTimer>

ChangeFeed::ChangeFeed(QObject *parent)
    : QObject(parent)
    , m_batch(new QTimer(this))
{
    m_batch->setSingleShot(true);
    m_batch->setInterval(BatchMsec);
    connect(m_batch, &QTimer::timeout, this, &ChangeFeed::tell);
}

void ChangeFeed::noticed(const QString &table)
{
    m_pending.insert(table);
    // The first notice of a batch starts its time; later ones wait with it.
    if (!m_batch->isActive())
        m_batch->start();
}

void ChangeFeed::tell()
{
    const QSet<QString> tables = std::exchange(m_pending, {});
    if (!tables.isEmpty())
        emit tablesChanged(tables);
}
