// Derived texts of the fuel profile.
#include "fuelprofile.h"

#include "data/numberformat.h"

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
    const QString shown = NumberFormat::picture(UnitConversion::length(depth, units), u"##0.0");
    const auto value = NumberFormat::parse(shown);
    if (value && *value < 0)
        return QStringLiteral("no data");
    return shown;
}

ProfileDisplay profileDisplay(const FuelProfile &profile, const QString &profilePath, Units units)
{
    ProfileDisplay d;
    d.lblPro0to3 =
        NumberFormat::picture(UnitConversion::loading(profile.Tpa1 + profile.Tpa2 + profile.Tpa3, units), u"###0.0");
    d.lblPro3Plus = NumberFormat::picture(UnitConversion::loading(profile.Load3Plus, units), u"##0.0");
    d.lblProDuff = profileDepthText(profile.DuffDepth, units);
    d.lblProFuelBed = profileDepthText(profile.FuelBedDepth, units);
    // The total adds the loadings as shown, not as stored.
    const double total = NumberFormat::parse(d.lblPro0to3).value_or(0) + NumberFormat::parse(d.lblPro3Plus).value_or(0);
    d.lblProTotal = NumberFormat::general(total);
    d.lblPL0to3 = profile.Source0to3;
    d.lblPL3Plus = profile.Source3Plus;
    d.lblPLDuff = profile.SourceDuff;
    d.lblPLFuelBed = profile.SourceFuelBed;
    d.txtName = profile.ProfileName;
    d.caption = profileCaption(profilePath);
    return d;
}
