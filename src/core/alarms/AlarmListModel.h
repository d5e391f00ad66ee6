#pragma once

#include "AlarmRules.h"

#include <QAbstractListModel>
#include <QVector>

// The alarm window's rows: one per pending alarm, in the order the rules found them, each with
// the kind and item it belongs to, and whether it is selected (the window draws a row's
// colours from its kind and selection).
class AlarmListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit AlarmListModel(QObject *parent = nullptr);

    void setRows(QVector<AlarmRow> rows);
    const QVector<AlarmRow> &rows() const { return m_rows; }

    // The kind and item of a row; nothing for rows that do not exist.
    const AlarmRow *rowAt(int row) const;

    // Selected rows.
    void setRowSelected(int row, bool selected);
    bool isRowSelected(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QVector<AlarmRow> m_rows;
    QVector<bool> m_selected;
};
