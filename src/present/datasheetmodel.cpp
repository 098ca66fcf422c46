// SPDX-License-Identifier: GPL-3.0-or-later
// Serving a slot's data sheet to its grid.
#include "datasheetmodel.h"

DataSheetModel::DataSheetModel(QObject *parent) : QAbstractTableModel(parent) {}

void DataSheetModel::setSheet(const DataSheet &sheet)
{
    beginResetModel();
    m_sheet = sheet;
    endResetModel();
}

int DataSheetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_sheet.rows;
}

int DataSheetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : DataSheet::kColumns;
}

QVariant DataSheetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_sheet.cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags DataSheetModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? (Qt::ItemIsEnabled | Qt::ItemIsSelectable) : Qt::NoItemFlags;
}

QVariant DataSheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == 0)
        return QStringLiteral("Atrrib");
    if (section == 1)
        return QStringLiteral("Value");
    return {};
}
