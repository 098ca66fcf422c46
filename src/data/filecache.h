// SPDX-License-Identifier: GPL-3.0-or-later
// What the program derives from a database file (a converted copy, a check's verdict), kept in the cache
// while the file keeps its path, size and modification time.
#pragma once

#include <QString>

namespace FileCache
{

// A file's version as the cache tells one from another.
struct Stamp {
    QString absolutePath;
    qint64 size = -1;
    qint64 modified = 0;

    bool operator==(const Stamp &other) const
    {
        return absolutePath == other.absolutePath && size == other.size && modified == other.modified;
    }
    bool operator!=(const Stamp &other) const { return !(*this == other); }
};

// Read afresh from the file system, never from a cached file information.
Stamp stampOf(const QString &path);

// <cache location>/<kind>; when that cannot be made, a folder only this user may enter (in the runtime
// folder, else one of this run's own in the temporary directory); created.
QString folder(const QString &kind);

// The name of an entry for this version of the file: the prefix that every version of one path shares
// (so a new entry can retire the old ones), then the version's own part. format changes with the
// layout of what is kept, so entries of an older layout are not reused.
QString prefixOf(const Stamp &stamp);
QString entryName(const Stamp &stamp, int format);

// Removes the entries of folder that share the stamp's prefix, except keep.
void removeOlderEntries(const QString &folder, const Stamp &stamp, const QString &keep);

} // namespace FileCache
