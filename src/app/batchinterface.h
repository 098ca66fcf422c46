// fenwyx-cli: the batch interface over the program's core.
#pragma once

#include "data/units.h"

#include <QStringList>

namespace BatchInterface
{
// The options before the command (--home DIR, --home=DIR, --metric) and the command with its arguments.
struct Options {
    QString home;
    Units units = Units::Imperial;
    QStringList command;
    bool homeMissing = false; // --home came last, without its folder
};
Options readOptions(const QStringList &arguments);

// arguments without the program name; returns the exit status
int run(const QStringList &arguments);
} // namespace BatchInterface
