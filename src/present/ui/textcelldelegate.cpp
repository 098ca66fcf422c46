// SPDX-License-Identifier: GPL-3.0-or-later
// Table cells of plain one-line text.
#include "textcelldelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>

TextAdvances &TextCellDelegate::advances(const QFont &font) const
{
    if (!m_advances || m_font != font) {
        m_font = font;
        m_advances.emplace(font);
    }
    return *m_advances;
}

void TextCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    // A picture is taken only on the left of a left-aligned text, where its room does not depend on the text.
    const bool decorated = opt.features & QStyleOptionViewItem::HasDecoration;
    const bool plain =
        !(opt.features & (QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::WrapText)) &&
        !opt.text.contains(QLatin1Char('\n')) && !opt.text.contains(QChar::LineSeparator) &&
        (!decorated || (opt.decorationPosition == QStyleOptionViewItem::Left && opt.direction == Qt::LeftToRight &&
                        !(opt.displayAlignment & (Qt::AlignRight | Qt::AlignHCenter | Qt::AlignJustify))));
    if (!plain) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget *widget = opt.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const QString text = opt.text;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget); // panel, selection, picture and focus
    if (text.isEmpty())
        return;

    // The text where and how the style would put it: after the picture and its margins, inside the focus
    // margin, in the colour of the state.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int picture = decorated ? opt.decorationSize.width() + 2 * margin : 0;
    const QRect rect = opt.rect.adjusted(picture + margin, 0, -margin, 0);
    QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const QColor color =
        opt.palette.color(group, opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);

    // Placed as a text layout places it: at fractional positions, the line's height centred.
    const QFontMetricsF metrics(opt.font);
    const Qt::Alignment align = QStyle::visualAlignment(opt.direction, opt.displayAlignment);
    QString shown = text;
    qreal width = 0;
    // A text on the left that surely fits needs no measuring: the sum of its characters' advances is enough.
    const bool onLeft = !(align & (Qt::AlignRight | Qt::AlignHCenter));
    if (!onLeft || advances(opt.font).width(text) > rect.width()) {
        width = metrics.horizontalAdvance(shown);
        if (width > rect.width()) {
            shown = metrics.elidedText(text, opt.textElideMode, rect.width());
            width = metrics.horizontalAdvance(shown);
        }
    }
    qreal x = rect.left();
    if (align & Qt::AlignRight)
        x = rect.right() + 1 - width;
    else if (align & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - width) / 2;
    const int lineHeight = qCeil(metrics.height());
    int top = rect.top();
    if (align & Qt::AlignBottom)
        top = rect.bottom() + 1 - lineHeight;
    else if (align & Qt::AlignVCenter)
        top = rect.top() + (rect.height() - lineHeight) / 2;
    const QPointF baseline(x, top + metrics.ascent());

    painter->save();
    painter->setClipRect(opt.rect, Qt::IntersectClip);
    painter->setFont(opt.font);
    painter->setPen(color);
    painter->drawText(baseline, shown);
    painter->restore();
}
