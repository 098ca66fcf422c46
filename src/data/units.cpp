// SPDX-License-Identifier: GPL-3.0-or-later
// Unit texts.
#include "units.h"

namespace UnitConversion
{

QString centimetres(double inches)
{
    QString text = QString::number(inches * kCentimetresPerInch, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString loadingAbbreviation(Units units)
{
    return units == Units::Metric ? QStringLiteral("Mg/ha") : QStringLiteral("TPA");
}

} // namespace UnitConversion
