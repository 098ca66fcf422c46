// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the large test picture: sky, ground and many thin strokes.
#include "largephoto.h"

#include <QLinearGradient>
#include <QPainter>

namespace TestSupport
{

QImage drawLargePhoto(int seed, const QSize &size)
{
    const int w = size.width();
    const int h = size.height();
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(120, 160, 220));
    sky.setColorAt(0.5, QColor(60, 110, 50));
    sky.setColorAt(1, QColor(90, 70, 40));
    painter.fillRect(image.rect(), sky);
    quint32 state = quint32(seed) * 2654435761u + 1;
    auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
    for (int i = 0; i < 4000; ++i) {
        painter.setPen(QColor(int(next() % 256), int(next() % 256), int(next() % 256)));
        painter.drawLine(int(next() % w), int(next() % h), int(next() % w), int(next() % h));
    }
    return image;
}

} // namespace TestSupport
