#include "AlarmListModel.h"

#include "core/platform/LineEnds.h"

AlarmListModel::AlarmListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

void AlarmListModel::setRows(QVector<AlarmRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_selected = QVector<bool>(m_rows.size(), false);
    endResetModel();
}

const AlarmRow *AlarmListModel::rowAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? &m_rows.at(row) : nullptr;
}

void AlarmListModel::setRowSelected(int row, bool selected)
{
    if (row < 0 || row >= m_selected.size() || m_selected.at(row) == selected)
        return;
    m_selected[row] = selected;
    const QModelIndex cell = index(row);
    emit dataChanged(cell, cell);
}

bool AlarmListModel::isRowSelected(int row) const
{
    return row >= 0 && row < m_selected.size() && m_selected.at(row);
}

int AlarmListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant AlarmListModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    if (!index.isValid() || row >= m_rows.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return LineEnds::toShown(m_rows.at(row).text);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}
