// SPDX-License-Identifier: GPL-3.0-or-later
// The photo library a benchmark runs on, named by its first argument.
#pragma once

#include "data/photolibrary.h"

#include <QString>
#include <memory>

namespace TestSupport
{
// Benchmarks draw offscreen unless told otherwise; call before the application is made.
void useOffscreenPlatform();
// Opens the program folder named by argv[1]; prints the usage line or the reason and returns null when it cannot.
std::unique_ptr<PhotoLibrary> openBenchmarkLibrary(int argc, char *argv[], const char *usage,
                                                   QString *folder = nullptr);
} // namespace TestSupport
