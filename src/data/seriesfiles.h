// SPDX-License-Identifier: GPL-3.0-or-later
// The file work of installing photo series: image copies, folder sizes, folders swapped into place and removed.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace SeriesFiles
{

// Copies one regular file into a new file at target (which must not exist), through the kernel where it can.
// cancelled() is asked between blocks of a large file; a cancelled or failed copy leaves no target behind.
bool copyFile(const QString &source, const QString &target, const std::function<bool()> &cancelled, QString *error);

// The regular files under folder (links and special files are left out), relative to it, with their sizes.
struct Entry {
    QString relativeName;
    qint64 size = 0;
};
std::vector<Entry> regularFiles(const QString &folder);
qint64 sizeOfFolder(const QString &folder);

// The entry of folder whose name equals name without regard to case (the exact name first); empty if none.
QString findEntry(const QString &folder, const QString &name, bool wantFolder);

// A name for a new hidden entry beside path ("<folder>/.<name>.<tag>-<random>") that does not exist yet.
QString siblingName(const QString &path, const QString &tag);

// Removes a folder tree without following links out of it. False with the reason when something stayed.
bool removeTree(const QString &folder, QString *error = nullptr);

// Everything written under folder reaches the disk (one syncfs of its file system, then the folder itself).
bool syncFileSystem(const QString &folder, QString *error);
// The folder's own entries (a rename into it) reach the disk.
void syncFolder(const QString &folder);

// rename(2) with the system's reason on failure.
bool renamePath(const QString &from, const QString &to, QString *error);

// Free bytes for this user on the file system holding path (or its nearest existing parent); -1 unknown.
qint64 bytesAvailable(const QString &path);
// True when path lies on a file system mounted read-only (a disc), as the default for using images in place.
bool onReadOnlyFileSystem(const QString &path);

// The folders swapped into place by one commit, undone in reverse when a later step fails, and the old folders
// they replaced removed once everything has held.
class FolderSwaps
{
public:
    ~FolderSwaps();
    // Puts staged at target; an existing target is first moved aside. False (nothing changed) on failure.
    bool swapIn(const QString &staged, const QString &target, QString *error);
    // Moves target aside so that it is gone once the commit holds.
    bool moveAside(const QString &target, QString *error);
    // Undoes every swap, newest first. Staged folders go back to where they were staged.
    void undo();
    // The commit held: removes the old folders. Problems are reported, nothing is undone.
    QStringList finish();

private:
    struct Swap {
        QString staged; // empty for a move aside
        QString target;
        QString aside; // empty when the target did not exist
    };
    std::vector<Swap> m_swaps;
    bool m_done = false;
};

} // namespace SeriesFiles
