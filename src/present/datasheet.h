// SPDX-License-Identifier: GPL-3.0-or-later
// A photo's data sheet (label, value) with the size classes of its book, and the loading graph's series.
#pragma once

#include "data/photorecord.h"
#include "data/units.h"

#include <QColor>
#include <QString>
#include <array>
#include <optional>
#include <vector>

struct DataSheet {
    static constexpr int kMaxRows = 15;
    static constexpr int kColumns = 2;

    // Column 0 the label, column 1 the value; an empty database value is an empty (null) text.
    std::array<std::array<QString, kColumns>, kMaxRows> cells;
    int rows = 0;                  // 12, 13, 14 or 15 once built; 0 while empty
    Units units = Units::Imperial; // of its values and class bounds

    // The cell as the grid serves it: empty outside the rows in use.
    QString cell(int row, int column) const;
    // Grid write: stored only within the rows in use and the two columns.
    bool setCell(int row, int column, const QString &text);
};

// Builds the rows of photo with the class bounds of book; a missing book or bound counts as 0 (12 rows).
DataSheet BuildDataSheet(const PhotoRecord &photo, const std::optional<BookRecord> &book,
                         Units units = Units::Imperial);

struct GraphSeries {
    QString legend;
    double value = 0;
};

// One series per size class in use (k + 3 of them), read back from the sheet's texts; none for an empty sheet.
std::vector<GraphSeries> loadingGraphSeries(const DataSheet &sheet);

// The tick values of the graph's value axis: from 0 to a round number at or above top.
std::vector<double> loadingGraphTicks(double top);
// The colour of the graph's series number i, the same on screen and on paper.
QColor loadingGraphColour(size_t i);

namespace GraphTexts
{
inline constexpr char16_t kTitle[] = u"Tons per Acre(TPA) by Size Class";
inline constexpr char16_t kValueAxisTitle[] = u"Tons Per Acre";
inline constexpr char16_t kMetricTitle[] = u"Megagrams per Hectare(Mg/ha) by Size Class";
inline constexpr char16_t kMetricValueAxisTitle[] = u"Megagrams Per Hectare";
inline QString title(Units units)
{
    return QString::fromUtf16(units == Units::Metric ? kMetricTitle : kTitle);
}
inline QString valueAxisTitle(Units units)
{
    return QString::fromUtf16(units == Units::Metric ? kMetricValueAxisTitle : kValueAxisTitle);
}
} // namespace GraphTexts
