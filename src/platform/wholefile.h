// SPDX-License-Identifier: GPL-3.0-or-later
// The one way files a user keeps are written: the new content whole, or the old file as it was.
#pragma once

#include <QByteArray>
#include <QString>

namespace WholeFile
{

struct Failure {
    int systemError = 0; // errno of the step that failed
    QString description; // that step in the system's words, with what the program made of it
};

struct Options {
    // Where the folder lets no new file be made beside the target (the user may not write it), a target the
    // user may write is overwritten in place. Its old bytes are held while that happens and written back if the
    // new ones cannot be written whole; a target larger than inPlaceLimit is refused instead of overwritten.
    bool inPlaceFallback = false;
    qint64 inPlaceLimit = 16 * 1024 * 1024;
    // A fixed name (in the target's folder) for the new file while it is written, for programs that expect
    // one; empty: a hidden name of its own. Whatever has the fixed name is removed first, never written into.
    QString temporaryName;
    // The new file reaches the disk before it replaces the old one; a cache may do without.
    bool durable = true;
};

// Replaces path by a file holding exactly bytes. Every write, the flush to the disk and the close are checked
// before the new file is renamed over the old one, so a full disk or a failing device leaves the old file
// byte for byte as it was. A target that is a symbolic link stands for the file it names: that file is
// replaced and the link kept. A replaced file keeps its permissions and, where the user may give them, its
// owner and group; a new one gets the permissions the user's umask gives. A target that exists but is no
// regular file (a folder, a pipe, a device) is refused unopened.
bool write(const QString &path, const QByteArray &bytes, const Options &options = {}, Failure *failure = nullptr);

// The file a path stands for once its symbolic links (up to a depth of 40) are followed; the path itself when
// it is no link. Empty with ELOOP in *systemError for a deeper chain.
QString linkTarget(const QString &path, int *systemError = nullptr);

} // namespace WholeFile
