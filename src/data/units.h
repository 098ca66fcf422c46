// SPDX-License-Identifier: GPL-3.0-or-later
// The units values are shown in: tons per acre and inches as stored, or megagrams per hectare and centimetres.
#pragma once

#include "data/photorecord.h"

#include <QString>

// Only what is shown or printed changes; files, the database and every stored value stay in tons per acre and
// inches.
enum class Units { Imperial, Metric };

namespace UnitConversion
{
inline constexpr double kMegagramsPerHectarePerTonPerAcre = 2.241702;
inline constexpr double kCentimetresPerInch = 2.54;

// A loading in tons per acre, or a depth or size-class bound in inches, in the units shown.
inline double loading(double tonsPerAcre, Units units)
{
    return units == Units::Metric ? tonsPerAcre * kMegagramsPerHectarePerTonPerAcre : tonsPerAcre;
}
inline double length(double inches, Units units)
{
    return units == Units::Metric ? inches * kCentimetresPerInch : inches;
}
inline OptionalNumber loading(const OptionalNumber &tonsPerAcre, Units units)
{
    return tonsPerAcre ? OptionalNumber(loading(*tonsPerAcre, units)) : std::nullopt;
}
inline OptionalNumber length(const OptionalNumber &inches, Units units)
{
    return inches ? OptionalNumber(length(*inches, units)) : std::nullopt;
}
// Back from the units shown to the stored ones.
inline double tonsPerAcre(double shown, Units units)
{
    return units == Units::Metric ? shown / kMegagramsPerHectarePerTonPerAcre : shown;
}
inline double inches(double shown, Units units)
{
    return units == Units::Metric ? shown / kCentimetresPerInch : shown;
}
// The factor a stored loading is multiplied by to be shown (for queries that compare in the shown unit).
inline double loadingFactor(Units units)
{
    return units == Units::Metric ? kMegagramsPerHectarePerTonPerAcre : 1.0;
}
// A size-class bound in centimetres as a label shows it: at most two decimals, no trailing zeros ("7.62").
QString centimetres(double inches);
// "TPA" or "Mg/ha".
QString loadingAbbreviation(Units units);
} // namespace UnitConversion
