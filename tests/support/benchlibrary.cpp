// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a benchmark's photo library.
#include "benchlibrary.h"

#include <cstdio>

namespace TestSupport
{

void useOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

std::unique_ptr<PhotoLibrary> openBenchmarkLibrary(int argc, char *argv[], const char *usage, QString *folder)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return nullptr;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    auto library = std::make_unique<PhotoLibrary>();
    QString error;
    if (!library->OpenPhotoDatabase(path, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return nullptr;
    }
    if (folder)
        *folder = path;
    return library;
}

} // namespace TestSupport
