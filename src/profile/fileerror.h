// SPDX-License-Identifier: GPL-3.0-or-later
// The error number and description shown when a profile or list file cannot be read or written.
#pragma once

#include <QString>

class QFileDevice;
namespace WholeFile
{
struct Failure;
}

struct FileError {
    int number = 0;
    QString description;
};

namespace FileErrors
{

// The numbers users of the family's programs know from their messages.
constexpr int OutOfMemory = 7;
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int PermissionDenied = 70;
constexpr int AccessError = 75; // every other failure to read or write
constexpr int PathNotFound = 76;

// Classifies a failed operation on path by the system's error number (errno right after the failure; 0
// when unknown) and keeps the system's own description.
FileError fromSystemError(int systemError, const QString &path);
// The same for a failed open, read or write of the file; without a system error number the file's own
// error kind decides, and its description is kept.
FileError fromFile(const QFileDevice &file, const QString &path, int systemError);
// A failed write of a whole file: numbered by its system error, described by the writer.
FileError fromWriteFailure(const WholeFile::Failure &failure, const QString &path);

} // namespace FileErrors
