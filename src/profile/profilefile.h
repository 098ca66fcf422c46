// SPDX-License-Identifier: GPL-3.0-or-later
// The .pro file: twelve values, one per line, texts in double quotes, Windows-1252, CR LF.
#pragma once

#include "fileerror.h"
#include "fuelprofile.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace ProfileFile
{

// The most bytes a profile file may have. A real profile is a few kilobytes; a megabyte holds a name and
// notes of hundreds of pages, and every command on a profile of that size (the windows, the report, the batch
// program) still ends in a moment. Larger files are refused unread, and a profile that would be written
// larger is refused both at load and at save, so that whatever loads can be saved and loaded again.
constexpr qint64 kMaxFileSize = 1024 * 1024;

// Whether the profile's file stays within kMaxFileSize.
bool fitsInFile(const FuelProfile &profile);
// The error of a profile beyond kMaxFileSize.
FileError tooLarge();

// The name with ".pro" appended unless the file name (not its folders) already holds ".pro" in any case.
QString withProfileExtension(const QString &path);
// The error of a name that ends in a separator or names a folder: it is no file's name, and ".pro" appended
// to it would make a hidden file inside the folder.
std::optional<FileError> folderName(const QString &path);

// What the format can hold: double quotes become single quotes, characters outside the code page
// become "?". The flags tell which of the two happened.
struct Cleaned {
    FuelProfile profile;
    bool quotesReplaced = false;
    bool charactersReplaced = false;
};
Cleaned clean(const FuelProfile &profile);

// The file's bytes; line breaks inside texts are written as CR LF whatever form they had.
QByteArray encode(const FuelProfile &profile);

// Reads the twelve values; a line break inside a text comes back as "\n".
std::optional<FuelProfile> decode(const QByteArray &bytes, FileError *error = nullptr);

// Replaces the file only once the new content is completely written (a full disk leaves the old file as it
// was, DiskFull); where no new file can be made in the folder, a file the user may write is written in place,
// its old bytes written back should that fail. A folder, pipe or device is refused.
bool write(const QString &path, const FuelProfile &profile, FileError *error = nullptr);

// A folder, pipe or device is refused unread.
std::optional<FuelProfile> read(const QString &path, FileError *error = nullptr);

} // namespace ProfileFile
