// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command-line arguments as start-up reads them.
#pragma once

#include <QStringList>

// Element 0 is unused (empty), element 1 the first argument; at most maximumCount arguments are kept.
// A "?" in an argument stands for a blank, so a path with blanks can be passed as one word.
QStringList GetCommandLine(const QStringList &arguments, int maximumCount = 10);
