#pragma once

#include "AlarmRules.h"

#include <QAbstractListModel>
#include <QColor>
#include <QVector>

// The alarm window's rows: one per pending alarm, in the order the rules found them, each with
// the kind and item it belongs to. A row is drawn on its kind's colour (service white, order
// the tooltip colour, past the service date light red) or, while painted, on the highlight
// colour; the text colour always goes with the background.
class AlarmListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static const QColor LightRed;

    explicit AlarmListModel(QObject *parent = nullptr);

    void setRows(QVector<AlarmRow> rows);
    const QVector<AlarmRow> &rows() const { return m_rows; }

    // The kind and item of a row; nothing for rows that do not exist.
    const AlarmRow *rowAt(int row) const;

    // Rows drawn in the highlight colours.
    void setRowPainted(int row, bool painted);
    bool isRowPainted(int row) const;

    // The colours a row is drawn in.
    QColor background(int row) const;
    QColor foreground(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QVector<AlarmRow> m_rows;
    QVector<bool> m_painted;
};
