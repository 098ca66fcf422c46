// A fuel profile as CSV for a spreadsheet: its name, file, values with their source photos, and notes.
#pragma once

#include <QByteArray>
#include <QString>

struct FuelProfile;

namespace ProfileExport
{
QByteArray csv(const FuelProfile &profile, const QString &profilePath);
} // namespace ProfileExport
