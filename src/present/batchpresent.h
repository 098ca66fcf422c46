// The batch interface's presentation commands.
#pragma once

#include <QString>
#include <cstdio>

namespace BatchPresent
{
// The data sheet of the photo named by label ("BOOK/PHOTO") as CSV: label, value; one row per row in use.
int datasheet(const QString &programFolder, const QString &label, std::FILE *out, std::FILE *err);
} // namespace BatchPresent
