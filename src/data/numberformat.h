// SPDX-License-Identifier: GPL-3.0-or-later
// Number formats of the program: picture formats ("####0.00", "00000.0"), general format, and reading back.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace NumberFormat
{

// Formats with a picture of '#' (optional digit), '0' (required digit) and '.'; rounds half away from
// zero on the value's shortest decimal form, so 2.675 gives 2.68 whatever binary noise it carries.
QString picture(double value, QStringView pattern);
// Null gives an empty text.
QString picture(const std::optional<double> &value, QStringView pattern);

// General number format: up to 15 significant digits, no trailing zeros, "0." kept (0.5, 12.3, 12).
QString general(double value);

// The general conversion with a sign position: a blank for non-negative values, then the digits,
// without the zero before the point (" 5.9", " .4", "-.25").
QString withSignPosition(double value);

// Plain decimal form without the zero before the point and without a sign position (".5", "-.25", "12").
// The text of a finite value always reads back as a number: where rounding to 15 significant digits would
// carry it past the largest double, it keeps the digits it needs (1.7976931348623157E+308).
QString plainDecimal(double value);

// The leading numeric part of a text, 0 when there is none (blanks skipped; "n/a" and "" give 0).
double leadingValue(QStringView text);

// The whole text as a number (surrounding blanks allowed, "." as decimal point, ".5" and "-.25" accepted).
std::optional<double> parse(QStringView text);

// Rounds half away from zero on the shortest decimal form to the given number of decimals.
double round(double value, int decimals);

} // namespace NumberFormat
