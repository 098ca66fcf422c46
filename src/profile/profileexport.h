// SPDX-License-Identifier: GPL-3.0-or-later
// A fuel profile as CSV for a spreadsheet: its name, file, values with their source photos, and notes.
#pragma once

#include <QByteArray>
#include <QString>

#include "data/units.h"

struct FuelProfile;

namespace ProfileExport
{
// Values as stored (tons per acre, inches); the "Shown" column in the units shown.
QByteArray csv(const FuelProfile &profile, const QString &profilePath, Units units = Units::Imperial);
} // namespace ProfileExport
