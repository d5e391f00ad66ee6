#include "AlarmListModel.h"

#include "core/platform/LineEnds.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

const QColor AlarmListModel::LightRed(255, 192, 192);

AlarmListModel::AlarmListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

void AlarmListModel::setRows(QVector<AlarmRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_painted = QVector<bool>(m_rows.size(), false);
    endResetModel();
}

const AlarmRow *AlarmListModel::rowAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? &m_rows.at(row) : nullptr;
}

void AlarmListModel::setRowPainted(int row, bool painted)
{
    if (row < 0 || row >= m_painted.size() || m_painted.at(row) == painted)
        return;
    m_painted[row] = painted;
    const QModelIndex cell = index(row);
    emit dataChanged(cell, cell, {Qt::BackgroundRole, Qt::ForegroundRole});
}

bool AlarmListModel::isRowPainted(int row) const
{
    return row >= 0 && row < m_painted.size() && m_painted.at(row);
}

QColor AlarmListModel::background(int row) const
{
    const QPalette palette = QGuiApplication::palette();
    if (isRowPainted(row))
        return palette.color(QPalette::Highlight);
    switch (m_rows.at(row).kind) {
    case OrderDue: return palette.color(QPalette::ToolTipBase);
    case PastServiceDate: return LightRed;
    case ServiceDue: break;
    }
    return Qt::white;
}

QColor AlarmListModel::foreground(int row) const
{
    const QPalette palette = QGuiApplication::palette();
    if (isRowPainted(row))
        return palette.color(QPalette::HighlightedText);
    if (m_rows.at(row).kind == OrderDue)
        return palette.color(QPalette::ToolTipText);
    return Qt::black;
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
    case Qt::BackgroundRole:
        return QBrush(background(row));
    case Qt::ForegroundRole:
        return QBrush(foreground(row));
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}
