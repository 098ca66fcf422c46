// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the program's small pictures.
#include "programicons.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace
{
const QColor kLeaf(0x4f, 0x8a, 0x3a);
const QColor kSky(0x8f, 0xb7, 0xd9);
// The pictures are drawn on a grid of this many units a side, at whatever size they are shown.
constexpr qreal kGrid = 24;

// The outlines take the theme's text colour and the paper its page colour, so that a picture stays visible on a
// light and on a dark tool bar.
struct Colours {
    QColor ink;
    QColor paper;
};

Colours themeColours()
{
    const QPalette palette = QGuiApplication::palette();
    return {palette.color(QPalette::WindowText), palette.color(QPalette::Base)};
}

void photo(QPainter &p, const QRectF &r, const QColor &ink)
{
    p.setPen(QPen(ink, 1.2));
    p.setBrush(kSky);
    p.drawRect(r);
    QPainterPath ground;
    ground.moveTo(r.left(), r.bottom());
    ground.lineTo(r.left() + r.width() * 0.35, r.top() + r.height() * 0.45);
    ground.lineTo(r.left() + r.width() * 0.6, r.top() + r.height() * 0.75);
    ground.lineTo(r.right(), r.top() + r.height() * 0.35);
    ground.lineTo(r.right(), r.bottom());
    ground.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kLeaf);
    p.drawPath(ground);
}

void draw(QPainter &p, const QString &name, const Colours &colours)
{
    const QColor &ink = colours.ink;
    const QColor &paper = colours.paper;
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (name == QLatin1String("Query")) {
        p.setPen(outline);
        p.setBrush(paper);
        p.drawEllipse(QRectF(3, 3, 12, 12));
        p.setPen(QPen(ink, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 14), QPointF(21, 21));
    } else if (name == QLatin1String("Compare")) {
        photo(p, QRectF(2, 6, 9, 12), ink);
        photo(p, QRectF(13, 6, 9, 12), ink);
    } else if (name == QLatin1String("Builder")) {
        p.setPen(QPen(ink, 1.2));
        p.setBrush(paper);
        p.drawRect(QRectF(4, 2, 13, 19));
        p.setPen(QPen(ink, 1));
        for (int y = 6; y <= 14; y += 4)
            p.drawLine(QPointF(6.5, y), QPointF(14.5, y));
        p.setPen(QPen(QColor(0xc0, 0x7a, 0x1c), 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 20), QPointF(21, 9));
    } else if (name == QLatin1String("Assistant")) {
        p.setPen(outline);
        p.setBrush(paper);
        p.drawRoundedRect(QRectF(2, 3, 20, 14), 3, 3);
        QPainterPath tail;
        tail.moveTo(7, 16.5);
        tail.lineTo(6, 22);
        tail.lineTo(12, 16.5);
        p.drawPath(tail);
        p.setPen(QPen(kLeaf, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 10), QPointF(18, 10));
    } else if (name == QLatin1String("IconView")) {
        for (int x = 0; x < 2; ++x)
            for (int y = 0; y < 2; ++y)
                photo(p, QRectF(3 + x * 10, 3 + y * 10, 8, 8), ink);
    } else if (name == QLatin1String("listview")) {
        p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
        for (int y = 5; y <= 19; y += 4) {
            p.drawPoint(QPointF(4, y));
            p.drawLine(QPointF(8, y), QPointF(21, y));
        }
    } else if (name == QLatin1String("Exit")) {
        p.setPen(QPen(ink, 1.5));
        p.setBrush(QColor(0x9b, 0x6a, 0x3c));
        p.drawRect(QRectF(4, 2, 11, 20));
        p.setPen(QPen(QColor(0xb2, 0x2b, 0x22), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(12, 12), QPointF(22, 12));
        p.drawLine(QPointF(18, 8), QPointF(22, 12));
        p.drawLine(QPointF(18, 16), QPointF(22, 12));
    } else if (name == QLatin1String("Help")) {
        p.setPen(outline);
        p.setBrush(QColor(0x3d, 0x6b, 0xb3));
        p.drawEllipse(QRectF(2, 2, 20, 20));
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(15);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
    } else if (name == QLatin1String("InfoOK") || name == QLatin1String("Error")) {
        const bool error = name == QLatin1String("Error");
        p.setPen(Qt::NoPen);
        p.setBrush(error ? QColor(0xc6, 0x28, 0x28) : QColor(0x3d, 0x6b, 0xb3));
        p.drawEllipse(QRectF(2, 2, 20, 20));
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
        if (error) {
            p.drawLine(QPointF(8, 8), QPointF(16, 16));
            p.drawLine(QPointF(16, 8), QPointF(8, 16));
        } else {
            p.drawPoint(QPointF(12, 7));
            p.drawLine(QPointF(12, 11), QPointF(12, 17));
        }
    }
}
// Paints a picture at the size and device pixel ratio it is asked for, so that it is sharp on any screen, in the
// colours of the theme at the time it is drawn.
class ProgramIconEngine : public QIconEngine
{
public:
    explicit ProgramIconEngine(QString name) : m_name(std::move(name)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        if (mode == QIcon::Disabled) {
            const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
            QPixmap shown = pixmap(rect.size() * ratio, mode, QIcon::Off);
            shown.setDevicePixelRatio(ratio);
            painter->drawPixmap(rect, shown);
            return;
        }
        const qreal side = std::min(rect.width(), rect.height());
        painter->save();
        painter->translate(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2);
        painter->scale(side / kGrid, side / kGrid);
        draw(*painter, m_name, themeColours());
        painter->restore();
    }

    // size is in the device's pixels: QIcon asks for the shown size times the screen's device pixel ratio.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            paint(&painter, pixmap.rect(), QIcon::Normal, QIcon::Off);
        }
        if (mode != QIcon::Normal && mode != QIcon::Active) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            if (const QStyle *style = QApplication::style())
                pixmap = style->generatedIconPixmap(mode, pixmap, &option);
        }
        return pixmap;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine *clone() const override { return new ProgramIconEngine(m_name); }
    QString key() const override { return QStringLiteral("ProgramIconEngine"); }

private:
    QString m_name;
};

} // namespace

QIcon programIcon(const QString &name)
{
    return QIcon(new ProgramIconEngine(name));
}
