// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a complete sample photo library (database, code files, images) into a folder.
#pragma once

#include "data/photorecord.h"

#include <QString>
#include <vector>

struct SampleBook;

struct SampleOptions {
    int photos = 150;
    bool images = true;
    quint32 seed = 1971;
};

// Creates dir when needed and replaces the database, code files and images the generator owns there;
// files of others in dir are left alone. On failure returns false and says why in *error.
bool writeSampleLibrary(const QString &dir, const SampleOptions &options, QString *error);
// Only the four code files, which an installed program also ships as its defaults.
bool writeCodeFiles(const QString &dir, QString *error);

// The rows the library holds, in ID order; the same options give the same rows.
struct SampleRows {
    std::vector<BookRecord> books;
    std::vector<PhotoRecord> photos;
};
SampleRows generateSampleRows(const SampleOptions &options);
