// SPDX-License-Identifier: GPL-3.0-or-later
// The data-sheet grid's rows: serves one slot's sheet, read-only.
#pragma once

#include "present/datasheet.h"

#include <QAbstractTableModel>

class DataSheetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit DataSheetModel(QObject *parent = nullptr);

    // A new photo's sheet (one reset); the row count follows the sheet's own.
    void setSheet(const DataSheet &sheet);
    const DataSheet &sheet() const { return m_sheet; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The grid's two columns, "Atrrib" and "Value".
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    DataSheet m_sheet;
};
