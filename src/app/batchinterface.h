// SPDX-License-Identifier: GPL-3.0-or-later
// fenwyx-cli: the batch interface over the program's core.
#pragma once

#include "data/units.h"

#include <QStringList>
#include <cstdio>

namespace BatchInterface
{
// The program's own options, wherever they stand (--home DIR, --home=DIR, --metric, --help, -h, --version), and
// the command word with the arguments that follow it.
struct Options {
    QString home;
    Units units = Units::Imperial;
    QString command;
    QStringList arguments;
    QStringList unknown; // options before the command word that are not the program's
    bool help = false;
    bool version = false;
    bool homeMissing = false; // --home came last, without its folder
};
Options readOptions(const QStringList &arguments);

// arguments without the program name; returns the exit status: 0 done, 1 a file or folder could not be read or
// written, 2 wrong arguments (named on err, then the usage), 3 a profile was saved without its family list entry.
// Output goes to out, every message to err, the usage after a usage error to usage.
int run(const QStringList &arguments, std::FILE *out, std::FILE *err, std::FILE *usage);
} // namespace BatchInterface
