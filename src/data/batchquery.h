// SPDX-License-Identifier: GPL-3.0-or-later
// The batch interface's query commands: query (run a query of any kind) and params (the pane's lists).
#pragma once

#include "data/photorecord.h"
#include "data/units.h"

#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>

namespace BatchQuery
{
// args: KIND [options] as after "query"; prints the result as the list's CSV. Exit 0, 1 on a query
// problem or no database, 2 on bad usage (one line on err naming the word not understood).
// In metric units the ranges are given and compared in Mg/ha and the list is printed in metric units.
int query(const QString &programFolder, const QStringList &args, std::FILE *out, std::FILE *err,
          Units units = Units::Imperial);
// Reads KIND [options] as query does, runs the query and hands each photo found to visit, in the database's
// order. Returns 0, else the exit status with the reason on err (a usage problem begins with command + ": ").
int visitQuery(const QString &programFolder, const QStringList &args, std::FILE *err, Units units,
               const std::function<void(const PhotoRecord &)> &visit, const QString &command = QStringLiteral("query"));
// Each list under a line naming its control, one entry per line.
int params(const QString &programFolder, std::FILE *out, std::FILE *err);
} // namespace BatchQuery
