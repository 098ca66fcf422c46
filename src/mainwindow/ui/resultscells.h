// The results table's cells: plain one-line texts drawn without a text layout per cell.
#pragma once

#include <QStyledItemDelegate>

// Draws a cell that holds only a line of text the way the style does (panel, selection, focus, alignment,
// elision) at a fraction of the cost; any other cell is left to the style.
class ResultsCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
