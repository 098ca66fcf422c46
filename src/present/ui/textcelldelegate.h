// Table cells of plain one-line text, drawn without a text layout per cell.
#pragma once

#include <QStyledItemDelegate>

// Draws a cell that holds only a line of text the way the style does (panel, selection, focus, alignment,
// elision) at a fraction of the cost; any other cell is left to the style.
class TextCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
