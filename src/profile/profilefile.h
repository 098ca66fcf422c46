// The .pro file: twelve values, one per line, texts in double quotes, Windows-1252, CR LF.
#pragma once

#include "fileerror.h"
#include "fuelprofile.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace ProfileFile
{

// Larger files are refused unread: a profile is a few kilobytes, a mistaken choice can be huge.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

// The name with ".pro" appended unless the file name (not its folders) already holds ".pro" in any case.
QString withProfileExtension(const QString &path);

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
