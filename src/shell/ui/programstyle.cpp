// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the extension arrows of menu and tool bars.
#include "programstyle.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

namespace
{
// A 16 by 16 picture at the screens' device pixel ratio, painted in its 16 units.
QPixmap sharpPixmap()
{
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap pixmap(QSize(16, 16) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon chevron(bool horizontal, const QColor &ink)
{
    QPixmap pixmap = sharpPixmap();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const qreal offset : {0.0, 4.5}) {
        if (horizontal) {
            p.drawLine(QPointF(4 + offset, 4), QPointF(7.5 + offset, 8));
            p.drawLine(QPointF(7.5 + offset, 8), QPointF(4 + offset, 12));
        } else {
            p.drawLine(QPointF(4, 4 + offset), QPointF(8, 7.5 + offset));
            p.drawLine(QPointF(8, 7.5 + offset), QPointF(12, 4 + offset));
        }
    }
    p.end();
    return QIcon(pixmap);
}
} // namespace

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    switch (standardIcon) {
    case SP_ToolBarHorizontalExtensionButton:
    case SP_ToolBarVerticalExtensionButton: {
        const QColor ink = widget ? widget->palette().color(QPalette::ButtonText) : QColor(Qt::black);
        return chevron(standardIcon == SP_ToolBarHorizontalExtensionButton, ink);
    }
    case SP_LineEditClearButton: {
        QPixmap pixmap = sharpPixmap();
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor ink = widget ? widget->palette().color(QPalette::PlaceholderText) : QColor(Qt::gray);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
        p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
        p.end();
        return QIcon(pixmap);
    }
    default:
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    }
}
