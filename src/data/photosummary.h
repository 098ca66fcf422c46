// SPDX-License-Identifier: GPL-3.0-or-later
// How much the listed photos vary: count, least, median, mean and most of each value the results list shows.
#pragma once

#include "data/photorecord.h"
#include "data/units.h"

#include <QString>
#include <QStringView>

#include <array>
#include <vector>

namespace PhotoSummary
{

// The five number columns of the results list, in their order.
enum Measure { Fine, Coarse, Total, Duff, Bed, MeasureCount };

struct Row {
    int count = 0; // photos with a number in the column; the others are left out of the row
    double min = 0;
    double median = 0; // of an even count, the mean of the two middle values
    double mean = 0;
    double max = 0;
};
using Table = std::array<Row, MeasureCount>;

// The measure as the results list's header names it, in the units given.
QString name(Measure measure, Units units = Units::Imperial);
// The picture the list shows the measure's values in: "####0.00" for the loadings, "###0.0" for the depths.
QStringView picture(Measure measure);

// The values as the list holds them (a depth not measured shows "n/a" and is no number), in the units shown.
Table summarize(const std::vector<const PhotoRecord *> &photos, Units units = Units::Imperial);

} // namespace PhotoSummary
