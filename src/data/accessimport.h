// SPDX-License-Identifier: GPL-3.0-or-later
// SQLite copies of Access photo databases, made by fenwyx-mdbread in a child process and kept in a cache.
#pragma once

#include <QString>
#include <optional>

namespace AccessImport
{

// Path of an SQLite copy of the Access file; the cached copy is reused while the file keeps its path, size and
// modification time. Converting runs in a child process, so a damaged file cannot take the program down.
// On failure the error names the file and the reason.
std::optional<QString> sqliteCopyOf(const QString &mdbPath, QString *error = nullptr);

// Runs fenwyx-mdbread ($FENWYX_MDBREAD, else the installed helper, else the one beside this program) on the file
// with a time limit.
bool convertInChildProcess(const QString &mdbPath, const QString &sqlitePath, QString *error = nullptr);

// The folder that holds the copies: <cache location>/access, or a folder in the temporary directory.
QString cacheFolder();

} // namespace AccessImport
