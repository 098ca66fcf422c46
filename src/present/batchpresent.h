// SPDX-License-Identifier: GPL-3.0-or-later
// The batch interface's presentation commands.
#pragma once

#include "data/units.h"

#include <QString>
#include <cstdio>

namespace BatchPresent
{
// The data sheet of the photo named by label ("BOOK/PHOTO") as CSV: label, value; one row per row in use.
// units: the data sheet as the grid shows it in those units.
int datasheet(const QString &programFolder, const QString &label, std::FILE *out, std::FILE *err,
              Units units = Units::Imperial);
} // namespace BatchPresent
