// Table cells of plain one-line text.
#include "textcelldelegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

void TextCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const bool plain = !(opt.features & (QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasCheckIndicator |
                                         QStyleOptionViewItem::WrapText)) &&
                       !opt.text.contains(QLatin1Char('\n')) && !opt.text.contains(QChar::LineSeparator);
    if (!plain) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget *widget = opt.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const QString text = opt.text;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget); // panel, selection and focus
    if (text.isEmpty())
        return;

    // The text where and how the style would put it: inside the focus margin, in the colour of the state.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect rect = opt.rect.adjusted(margin, 0, -margin, 0);
    QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const QColor color =
        opt.palette.color(group, opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);

    const QFontMetrics metrics(opt.font);
    QString shown = text;
    int width = metrics.horizontalAdvance(shown);
    if (width > rect.width()) {
        shown = metrics.elidedText(text, opt.textElideMode, rect.width());
        width = metrics.horizontalAdvance(shown);
    }
    const Qt::Alignment align = QStyle::visualAlignment(opt.direction, opt.displayAlignment);
    int x = rect.left();
    if (align & Qt::AlignRight)
        x = rect.right() + 1 - width;
    else if (align & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - width) / 2;
    int y = rect.top() + metrics.ascent();
    if (align & Qt::AlignBottom)
        y = rect.bottom() + 1 - metrics.descent();
    else if (align & Qt::AlignVCenter)
        y = rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent();

    painter->save();
    painter->setClipRect(opt.rect, Qt::IntersectClip);
    painter->setFont(opt.font);
    painter->setPen(color);
    painter->drawText(QPoint(x, y), shown);
    painter->restore();
}
