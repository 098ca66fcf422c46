// SPDX-License-Identifier: GPL-3.0-or-later
// Contrast ratios of colours and the nearest colours that reach them.
#include "colourcontrast.h"

#include <algorithm>
#include <cmath>

namespace ColourContrast
{

namespace
{
double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}
} // namespace

double relativeLuminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double ratio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableText(const QColor &background, const QColor &preferred)
{
    if (ratio(background, preferred) >= kText)
        return preferred;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ratio(background, black) >= ratio(background, white) ? black : white;
}

QColor readableBackground(const QColor &background, const QColor &text)
{
    if (ratio(background, text) >= kText)
        return background;
    // Towards white or black, whichever the text reads better on; one of the two always reaches the ratio. With hue
    // and saturation kept, the luminance grows with the lightness, so the first step that reads is the nearest.
    const bool lighter = ratio(text, QColor(Qt::white)) >= ratio(text, QColor(Qt::black));
    const QColor hsl = background.toHsl();
    const float hue = hsl.hslHueF();
    const float saturation = hsl.hslSaturationF();
    float lightness = hsl.lightnessF();
    for (int step = 0; step < 100; ++step) {
        lightness = std::clamp(lightness + (lighter ? 0.01f : -0.01f), 0.0f, 1.0f);
        const QColor candidate = QColor::fromHslF(hue, saturation, lightness).toRgb();
        if (ratio(candidate, text) >= kText)
            return candidate;
    }
    return lighter ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace ColourContrast
