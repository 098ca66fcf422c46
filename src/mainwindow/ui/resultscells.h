// The results table's cells: plain one-line texts, measured and drawn without a text layout per cell.
#pragma once

#include <QFont>
#include <QHash>
#include <QStyledItemDelegate>

// The width of a line of text as the sum of its characters' advances, each measured once and the sum
// rounded up. Kerning only narrows a line, so the sum is never less than the text needs; texts of scripts
// that are shaped (or that hold surrogates) are measured whole.
class TextAdvances
{
public:
    explicit TextAdvances(const QFont &font);
    int width(const QString &text);

private:
    QFont m_font;
    QHash<char16_t, qreal> m_advances;
};

// Draws a cell that holds only a line of text the way the style does (panel, selection, focus, alignment,
// elision) at a fraction of the cost; any other cell is left to the style.
class ResultsCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
