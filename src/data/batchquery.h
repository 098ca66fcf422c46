// The batch interface's query commands: query (run a query of any kind) and params (the pane's lists).
#pragma once

#include "data/units.h"

#include <QString>
#include <QStringList>
#include <cstdio>

namespace BatchQuery
{
// args: KIND [options] as after "query"; prints the result as the list's CSV. Exit 0, 1 on a query
// problem or no database, 2 on bad usage (one line on err naming the word not understood).
// In metric units the ranges are given and compared in Mg/ha and the list is printed in metric units.
int query(const QString &programFolder, const QStringList &args, std::FILE *out, std::FILE *err,
          Units units = Units::Imperial);
// Each list under a line naming its control, one entry per line.
int params(const QString &programFolder, std::FILE *out, std::FILE *err);
} // namespace BatchQuery
