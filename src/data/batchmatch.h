// SPDX-License-Identifier: GPL-3.0-or-later
// The batch interface's matching commands: similar (photos ranked by likeness) and summary (how the photos vary).
#pragma once

#include "data/units.h"

#include <QString>
#include <QStringList>
#include <cstdio>

namespace BatchMatch
{
// args: [LABEL] [--fine X] [--coarse Y] [--duff D] [--bed B] [--top N] as after "similar": the photos of the
// database nearest to the photo or to the values (typed in the units given), as CSV. Exit 0; 1 for an unknown
// photo, no value to match on or a bad number; 2 for bad usage. The photos left out are told on err.
int similar(const QString &programFolder, const QStringList &args, std::FILE *out, std::FILE *err,
            Units units = Units::Imperial);
// args: KIND [options] as after "query": count, least, median, mean and most of each number column of the
// photos found, as CSV in the units given. Exit statuses as query's.
int summary(const QString &programFolder, const QStringList &args, std::FILE *out, std::FILE *err,
            Units units = Units::Imperial);
} // namespace BatchMatch
