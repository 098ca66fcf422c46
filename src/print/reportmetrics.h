// SPDX-License-Identifier: GPL-3.0-or-later
// Font measures of the report fonts in inches, the same on every device a page is drawn on.
#pragma once

#include "print/reportpage.h"

#include <QFont>
#include <QString>

namespace ReportMetrics
{

// The report font as a QFont: "Arial" at the point size, unhinted so that every device measures alike.
QFont font(const ReportFont &font);

// Measured as at 1200 dots per inch, where hinting no longer moves a glyph.
double ascent(const ReportFont &font);
double lineHeight(const ReportFont &font); // ascent and descent: the advance of "next line"
double textWidth(const ReportFont &font, const QString &text);

// One print column: the weighted average advance of the lowercase letters and the blank, with the
// weights of the OS/2 table's version-1 xAvgCharWidth. The font's own average (all glyphs in newer
// fonts) would be a quarter wider and put the columns of the layouts in the wrong place.
double averageCharWidth(const ReportFont &font);

// x of print column n (counted from 1).
inline double columnX(const ReportFont &font, int column)
{
    return (column - 1) * averageCharWidth(font);
}

} // namespace ReportMetrics
