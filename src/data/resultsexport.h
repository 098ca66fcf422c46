// SPDX-License-Identifier: GPL-3.0-or-later
// CSV files for a spreadsheet: the listed photos as the batch list writes them, and a fuel profile's values.
#pragma once

#include "data/photorecord.h"
#include "data/units.h"

#include <QByteArray>
#include <QString>

class ResultsModel;

namespace ResultsExport
{
// The header of the results list's columns and one photo's row, as `fenwyx-cli list` writes them.
void appendHeader(QByteArray &out, Units units = Units::Imperial);
void appendPhoto(QByteArray &out, const PhotoRecord &photo, Units units = Units::Imperial);
// The rows the list shows, in their order and after its filter, in its units.
QByteArray csv(const ResultsModel &model);
// Writes the file whole or not at all; false with the reason.
bool writeWhole(const QString &path, const QByteArray &bytes, QString *error = nullptr);
} // namespace ResultsExport
