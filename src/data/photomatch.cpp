// SPDX-License-Identifier: GPL-3.0-or-later
// The likeness of photos: log-transformed values, each scaled by its spread over the database.
#include "photomatch.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace
{

using PhotoMatch::MeasureCount;

// ln(1 + v), or nothing where that is no number (a value of -1 or less, which no stored value should be).
std::optional<double> transformed(const OptionalNumber &value)
{
    if (!value || !std::isfinite(*value) || *value <= -1.0)
        return std::nullopt;
    return std::log1p(*value);
}

OptionalNumber depth(const OptionalNumber &value)
{
    return value && *value >= 0 ? value : std::nullopt;
}

} // namespace

namespace PhotoMatch
{

Values valuesOf(const PhotoRecord &photo)
{
    return {photo.fineLoad(), photo.coarseLoad(), depth(photo.averageDuffDepth), depth(photo.averageFuelbedDepth)};
}

Values storedValues(const Values &typed, Units units)
{
    Values stored;
    for (size_t m = 0; m < MeasureCount; ++m) {
        const OptionalNumber &v = typed[m];
        if (!v || !std::isfinite(*v) || *v < 0)
            continue;
        stored[m] =
            m == Fine || m == Coarse ? UnitConversion::tonsPerAcre(*v, units) : UnitConversion::inches(*v, units);
    }
    return stored;
}

Values shownValues(const Values &stored, Units units)
{
    return {UnitConversion::loading(stored[Fine], units), UnitConversion::loading(stored[Coarse], units),
            UnitConversion::length(stored[Duff], units), UnitConversion::length(stored[Bed], units)};
}

Spread spreadOf(const std::vector<PhotoRecord> &photos)
{
    // Welford's running mean and sum of squares: one pass, and no loss of precision on large sets.
    std::array<double, MeasureCount> mean{}, squares{};
    std::array<qint64, MeasureCount> count{};
    for (const PhotoRecord &photo : photos) {
        const Values values = valuesOf(photo);
        for (size_t m = 0; m < MeasureCount; ++m) {
            const std::optional<double> t = transformed(values[m]);
            if (!t)
                continue;
            ++count[m];
            const double delta = *t - mean[m];
            mean[m] += delta / double(count[m]);
            squares[m] += delta * (*t - mean[m]);
        }
    }
    Spread spread;
    for (size_t m = 0; m < MeasureCount; ++m) {
        const double s = count[m] > 0 ? std::sqrt(squares[m] / double(count[m])) : 0.0;
        if (s > 0 && std::isfinite(s))
            spread[m] = s;
    }
    return spread;
}

Ranking rank(const std::vector<PhotoRecord> &candidates, const Values &query, const Spread &spread,
             std::optional<qint64> excludeId, const std::function<bool(const PhotoRecord &)> &keep)
{
    Ranking ranking;
    std::array<double, MeasureCount> target{};
    for (size_t m = 0; m < MeasureCount; ++m) {
        const std::optional<double> t = transformed(query[m]);
        ranking.used[m] = t && spread[m];
        if (ranking.used[m])
            target[m] = *t;
    }
    if (!ranking.usable())
        return ranking;
    const int usedCount = int(std::count(ranking.used.begin(), ranking.used.end(), true));
    ranking.photos.reserve(candidates.size());
    for (int i = 0; i < int(candidates.size()); ++i) {
        const PhotoRecord &photo = candidates[size_t(i)];
        if ((excludeId && photo.id == *excludeId) || (keep && !keep(photo)))
            continue;
        const Values values = valuesOf(photo);
        double sum = 0;
        bool complete = true;
        for (size_t m = 0; m < MeasureCount && complete; ++m) {
            if (!ranking.used[m])
                continue;
            const std::optional<double> t = transformed(values[m]);
            complete = t.has_value();
            if (complete) {
                const double scaled = (*t - target[m]) / *spread[m];
                sum += scaled * scaled;
            }
        }
        if (!complete) {
            ++ranking.leftOut;
            continue;
        }
        ranking.photos.push_back({i, std::sqrt(sum / usedCount)});
    }
    // Ties in the list's label order (letter case ignored); photos of one label keep the candidates' order.
    std::stable_sort(ranking.photos.begin(), ranking.photos.end(), [&candidates](const Ranked &a, const Ranked &b) {
        if (a.distance != b.distance)
            return a.distance < b.distance;
        return QString::compare(candidates[size_t(a.index)].label(), candidates[size_t(b.index)].label(),
                                Qt::CaseInsensitive) < 0;
    });
    return ranking;
}

Nearest nearest(const std::vector<PhotoRecord> &candidates, const Ranking &ranking, int count)
{
    const size_t listed = count > 0 ? std::min(size_t(count), ranking.photos.size()) : ranking.photos.size();
    Nearest n;
    n.photos = std::make_shared<std::vector<PhotoRecord>>();
    n.photos->reserve(listed);
    n.distances.reserve(listed);
    for (size_t i = 0; i < listed; ++i) {
        n.photos->push_back(candidates[size_t(ranking.photos[i].index)]);
        n.distances.push_back(ranking.photos[i].distance);
    }
    return n;
}

} // namespace PhotoMatch
