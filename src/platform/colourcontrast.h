// SPDX-License-Identifier: GPL-3.0-or-later
// How well a text colour reads on its background, measured as the accessibility guidelines (WCAG 2) measure it.
#pragma once

#include <QColor>

namespace ColourContrast
{
// The least ratio at which text of ordinary size reads for people with weaker sight.
constexpr double kText = 4.5;

// The relative luminance of an opaque colour, 0 (black) to 1 (white).
double relativeLuminance(const QColor &colour);
// 1 (no contrast) to 21 (black on white); the order of the two colours does not matter.
double ratio(const QColor &a, const QColor &b);

// preferred where it reads on background; else black or white, whichever reads better.
QColor readableText(const QColor &background, const QColor &preferred);
// The background a fixed text colour needs: background made just lighter or darker enough for text to read on it,
// keeping its hue, so that a colour of the desktop's theme stays recognisable.
QColor readableBackground(const QColor &background, const QColor &text);
} // namespace ColourContrast
