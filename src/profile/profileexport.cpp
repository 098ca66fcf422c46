// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a fuel profile's CSV file.
#include "profileexport.h"

#include "data/csvwriter.h"
#include "profile/fuelprofile.h"

#include <QLocale>
#include <cmath>

namespace ProfileExport
{

namespace
{
// A sum beyond the largest double is unknown: left empty rather than written as "inf". A value that 15 digits
// would round past the largest double gets the digits it needs, so the text reads back as a number.
QString number(double value)
{
    if (!std::isfinite(value))
        return {};
    const QString text = QString::number(value, 'g', 15);
    return std::isfinite(text.toDouble()) ? text : QString::number(value, 'g', QLocale::FloatingPointShortest);
}
} // namespace

QByteArray csv(const FuelProfile &p, const QString &profilePath, Units units)
{
    const QString inch = QStringLiteral("\"");
    const ProfileDisplay shown = profileDisplay(p, profilePath, units);
    QByteArray out;
    Csv::appendRow(out, {QStringLiteral("Item"), QStringLiteral("Value"), QStringLiteral("Shown"),
                         QStringLiteral("Source photo")});
    Csv::appendRow(out, {QStringLiteral("Profile Name"), p.ProfileName, p.ProfileName, QString()});
    Csv::appendRow(out, {QStringLiteral("File"), profilePath, profilePath, QString()});
    Csv::appendRow(out, {QStringLiteral("0") + inch + QStringLiteral(" - 2.9") + inch + QStringLiteral(" TPA"),
                         number(p.Tpa1 + p.Tpa2 + p.Tpa3), shown.lblPro0to3, p.Source0to3});
    Csv::appendRow(out, {QStringLiteral("0") + inch + QStringLiteral("-.24") + inch + QStringLiteral(" TPA"),
                         number(p.Tpa1), QString(), p.Source0to3});
    Csv::appendRow(out, {QStringLiteral(".25") + inch + QStringLiteral("-.9") + inch + QStringLiteral(" TPA"),
                         number(p.Tpa2), QString(), p.Source0to3});
    Csv::appendRow(out, {QStringLiteral("1") + inch + QStringLiteral("-2.9") + inch + QStringLiteral(" TPA"),
                         number(p.Tpa3), QString(), p.Source0to3});
    Csv::appendRow(out, {QStringLiteral("3") + inch + QStringLiteral(" + TPA"), number(p.Load3Plus), shown.lblPro3Plus,
                         p.Source3Plus});
    Csv::appendRow(out, {QStringLiteral("Total TPA"), shown.lblProTotal, shown.lblProTotal, QString()});
    Csv::appendRow(out, {QStringLiteral("Duff Depth"), number(p.DuffDepth), shown.lblProDuff, p.SourceDuff});
    Csv::appendRow(out,
                   {QStringLiteral("Fuel Bed Depth"), number(p.FuelBedDepth), shown.lblProFuelBed, p.SourceFuelBed});
    Csv::appendRow(out, {QStringLiteral("Notes"), p.Notes, p.Notes, QString()});
    return out;
}

} // namespace ProfileExport
