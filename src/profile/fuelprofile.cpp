// SPDX-License-Identifier: GPL-3.0-or-later
// Derived texts of the fuel profile.
#include "fuelprofile.h"

#include "data/numberformat.h"

#include <cmath>

namespace
{

const QString kNoData = QStringLiteral("no data");

// Values that each fit a double can add up, or convert to metric units, beyond the largest one: such a
// loading is unknown, not a number.
QString loadingText(double tonsPerAcre, Units units, QStringView pattern)
{
    const double shown = UnitConversion::loading(tonsPerAcre, units);
    return std::isfinite(shown) ? NumberFormat::picture(shown, pattern) : kNoData;
}

} // namespace

bool FuelProfile::operator==(const FuelProfile &o) const
{
    return ProfileName == o.ProfileName && Notes == o.Notes && Source0to3 == o.Source0to3 && Tpa1 == o.Tpa1 &&
           Tpa2 == o.Tpa2 && Tpa3 == o.Tpa3 && Source3Plus == o.Source3Plus && Load3Plus == o.Load3Plus &&
           SourceDuff == o.SourceDuff && DuffDepth == o.DuffDepth && SourceFuelBed == o.SourceFuelBed &&
           FuelBedDepth == o.FuelBedDepth;
}

QString profileCaption(const QString &profilePath)
{
    return QStringLiteral("Fenwyx Assistant[") + profilePath + QLatin1Char(']');
}

QString profileDepthText(double depth, Units units)
{
    const double converted = UnitConversion::length(depth, units);
    if (!std::isfinite(converted))
        return kNoData;
    const QString shown = NumberFormat::picture(converted, u"##0.0");
    const auto value = NumberFormat::parse(shown);
    if (value && *value < 0)
        return kNoData;
    return shown;
}

ProfileDisplay profileDisplay(const FuelProfile &profile, const QString &profilePath, Units units)
{
    ProfileDisplay d;
    d.lblPro0to3 = loadingText(profile.Tpa1 + profile.Tpa2 + profile.Tpa3, units, u"###0.0");
    d.lblPro3Plus = loadingText(profile.Load3Plus, units, u"##0.0");
    d.lblProDuff = profileDepthText(profile.DuffDepth, units);
    d.lblProFuelBed = profileDepthText(profile.FuelBedDepth, units);
    // The total adds the loadings as shown, not as stored; it is unknown when either of them is.
    const auto fine = NumberFormat::parse(d.lblPro0to3);
    const auto coarse = NumberFormat::parse(d.lblPro3Plus);
    d.lblProTotal = kNoData;
    if (fine && coarse && std::isfinite(*fine + *coarse))
        d.lblProTotal = NumberFormat::general(*fine + *coarse);
    d.lblPL0to3 = profile.Source0to3;
    d.lblPL3Plus = profile.Source3Plus;
    d.lblPLDuff = profile.SourceDuff;
    d.lblPLFuelBed = profile.SourceFuelBed;
    d.txtName = profile.ProfileName;
    d.caption = profileCaption(profilePath);
    return d;
}
