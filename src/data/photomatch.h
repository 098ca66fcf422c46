// SPDX-License-Identifier: GPL-3.0-or-later
// Ranking photos by likeness to a photo or to values typed for a stand.
#pragma once

#include "data/photorecord.h"
#include "data/units.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace PhotoMatch
{

// The four values a stand is matched on, as the results list shows them: the 0 to 2.9 inch loading, the 3 inch and
// larger loading (tons per acre), the duff and the fuel-bed depth (inches).
enum Measure { Fine, Coarse, Duff, Bed, MeasureCount };
using Values = std::array<OptionalNumber, MeasureCount>;

// A photo's values as stored; missing where the list shows no number (a null class or depth) or a depth is
// negative (not measured).
Values valuesOf(const PhotoRecord &photo);
// Values typed in the units shown, in the stored units; a negative or non-finite value is left out.
Values storedValues(const Values &typed, Units units);
// Stored values in the units shown, for a form to start from.
Values shownValues(const Values &stored, Units units);

// How far apart two photos are per value: the population standard deviation of ln(1 + v) over every photo that
// has the value. A value whose spread is nothing (or that no photo has) cannot tell photos apart: nullopt.
using Spread = std::array<std::optional<double>, MeasureCount>;
Spread spreadOf(const std::vector<PhotoRecord> &photos);

struct Ranked {
    int index = 0;       // into the candidates
    double distance = 0; // the root of the mean of the squared scaled differences
};
struct Ranking {
    std::vector<Ranked> photos;            // nearest first; equal distances in the results list's label order
    int leftOut = 0;                       // candidates lacking a value the query uses
    std::array<bool, MeasureCount> used{}; // the values the distance was made of
    bool usable() const { return used[Fine] || used[Coarse] || used[Duff] || used[Bed]; }
};

// Ranks the candidates against the query's values (those it has and the spread can use). A candidate with the
// id excludeId (the query photo itself) is not ranked, nor one that keep (when given) turns down.
Ranking rank(const std::vector<PhotoRecord> &candidates, const Values &query, const Spread &spread,
             std::optional<qint64> excludeId = std::nullopt, const std::function<bool(const PhotoRecord &)> &keep = {});

// The nearest count photos of a ranking (0: every one ranked), copied out of the candidates in rank order, with
// their distances: what the list shows as a query's result.
struct Nearest {
    std::shared_ptr<std::vector<PhotoRecord>> photos;
    std::vector<double> distances;
};
Nearest nearest(const std::vector<PhotoRecord> &candidates, const Ranking &ranking, int count);

} // namespace PhotoMatch
