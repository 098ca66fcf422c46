// SPDX-License-Identifier: GPL-3.0-or-later
// The photo manager's batch form: --list, --install, --remove and --move for scripts and tests.
#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace PhotoSeriesCli
{

struct Options {
    QString home;        // --home DIR; empty: the program folder rule (FENWYX_HOME first)
    QStringList command; // what is left after --home
    bool usageError = false;
};
Options readOptions(const QStringList &arguments);

// True when the arguments ask for a batch command rather than the manager's window.
bool isBatch(const Options &options);

extern const char kUsage[];

// Runs a batch command on the program folder. Output goes to out (CSV), messages to err, each line beginning
// with "fenwyx-photomgr: ". Returns 0 on success, 1 on failure, 2 on wrong arguments.
int run(const Options &options, QTextStream &out, QTextStream &err);

} // namespace PhotoSeriesCli
