// The error number and description shown when a profile or list file cannot be read or written.
#pragma once

#include <QString>

class QFileDevice;

struct FileError {
    int number = 0;
    QString description;
};

namespace FileErrors
{

// The numbers users of the family's programs know from their messages.
constexpr int OutOfMemory = 7;
constexpr int TypeMismatch = 13;
constexpr int FileNotFound = 53;
constexpr int DeviceIo = 57;
constexpr int InputPastEnd = 62;
constexpr int AccessError = 75;
constexpr int PathNotFound = 76;
constexpr int BadFileName = 52;

// Classifies a failed open, read or write of the file and keeps the system's own description.
FileError fromFile(const QFileDevice &file, const QString &path);

} // namespace FileErrors
