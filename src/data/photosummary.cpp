// SPDX-License-Identifier: GPL-3.0-or-later
// Summaries of the listed photos' values.
#include "photosummary.h"

#include "data/resultsmodel.h"

#include <algorithm>
#include <cmath>

namespace PhotoSummary
{

QString name(Measure measure, Units units)
{
    static const int columns[MeasureCount] = {ResultsModel::Fine, ResultsModel::Coarse, ResultsModel::Total,
                                              ResultsModel::DuffDepth, ResultsModel::FuelBedDepth};
    return measure >= 0 && measure < MeasureCount ? ResultsModel::headerText(columns[measure], units) : QString();
}

QStringView picture(Measure measure)
{
    return measure == Duff || measure == Bed ? QStringView(u"###0.0") : QStringView(u"####0.00");
}

Table summarize(const std::vector<const PhotoRecord *> &photos, Units units)
{
    std::array<std::vector<double>, MeasureCount> values;
    for (auto &column : values)
        column.reserve(photos.size());
    const auto add = [&values](Measure m, const OptionalNumber &v) {
        if (v && std::isfinite(*v))
            values[m].push_back(*v);
    };
    const auto depth = [](const OptionalNumber &v) { return v && *v >= 0 ? v : std::nullopt; };
    for (const PhotoRecord *p : photos) {
        add(Fine, UnitConversion::loading(p->fineLoad(), units));
        add(Coarse, UnitConversion::loading(p->coarseLoad(), units));
        add(Total, UnitConversion::loading(p->totalLoad(), units));
        add(Duff, UnitConversion::length(depth(p->averageDuffDepth), units));
        add(Bed, UnitConversion::length(depth(p->averageFuelbedDepth), units));
    }
    Table table;
    for (size_t m = 0; m < MeasureCount; ++m) {
        std::vector<double> &v = values[m];
        Row &row = table[m];
        row.count = int(v.size());
        if (v.empty())
            continue;
        const auto [least, most] = std::minmax_element(v.begin(), v.end());
        row.min = *least;
        row.max = *most;
        double sum = 0;
        for (double x : v)
            sum += x;
        row.mean = sum / double(v.size());
        // The middle by selection rather than a full sort: a hundred thousand photos take a millisecond.
        const size_t half = v.size() / 2;
        std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(half), v.end());
        row.median = v[half];
        if (v.size() % 2 == 0)
            row.median = (row.median + *std::max_element(v.begin(), v.begin() + std::ptrdiff_t(half))) / 2;
    }
    return table;
}

} // namespace PhotoSummary
