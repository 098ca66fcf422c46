// SPDX-License-Identifier: GPL-3.0-or-later
// Table cells of plain one-line text, drawn without a text layout per cell.
#pragma once

#include "present/textadvances.h"

#include <QFont>
#include <QStyledItemDelegate>
#include <optional>

// Draws a cell that holds only a line of text the way the style does (panel, selection, focus, alignment,
// elision) at a fraction of the cost; any other cell is left to the style.
class TextCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TextAdvances &advances(const QFont &font) const;

    mutable QFont m_font;
    mutable std::optional<TextAdvances> m_advances; // of m_font, kept from cell to cell
};
