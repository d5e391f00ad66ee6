#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class QTimer;

// What other programs changed in the database, table by table: on a server every statement that
// writes a table tells every connection listening once its transaction commits. The notices of
// about half a second are told together, so that a save touching several tables, or a burst of
// saves, reloads a window once. A program's own changes are not told to it; a rolled-back one is
// told to no one. The file has no notices: nothing is ever told.
class ChangeFeed : public QObject
{
    Q_OBJECT

public:
    // How long the notices are gathered before they are told.
    static constexpr int BatchMsec = 500;

    explicit ChangeFeed(QObject *parent = nullptr);

    // A table another program changed (the engine calls it); told with the rest of its batch.
    void noticed(const QString &table);

Q_SIGNALS:
    // The tables (their schema names: "main", "History") that changed since the last batch.
    void tablesChanged(const QSet<QString> &tables);

private:
    void tell();

    QTimer *m_batch;
    QSet<QString> m_pending;
};
