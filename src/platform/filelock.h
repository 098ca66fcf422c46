// SPDX-License-Identifier: GPL-3.0-or-later
// An advisory lock on a lock file, shared by the programs that update one file together.
#pragma once

#include <QString>

class FileLock
{
public:
    // Takes the lock on lockPath (created when missing), waiting up to timeoutMs for another holder to let
    // go. The lock ends with the object, or with its process however that ends, so a killed program never
    // leaves it taken.
    FileLock(const QString &lockPath, int timeoutMs);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool isLocked() const { return m_fd >= 0; }
    // errno of the failure when not locked (EWOULDBLOCK: still held by another at the time-out).
    int systemError() const { return m_error; }

private:
    int m_fd = -1;
    int m_error = 0;
};
