// SPDX-License-Identifier: GPL-3.0-or-later
// Plain file descriptors for the code that checks every step: closed on every path out, written until all is done.
#pragma once

#include <QtGlobal>

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }
    // close(2)'s own verdict: on some file systems the last write fails only here.
    bool close(int *systemError);

private:
    int m_fd;
};

// Writes size bytes at offset (at the file position when offset is negative), going on after short writes and
// interruptions; a write that makes no progress counts as a full device (ENOSPC).
bool writeAll(int fd, const char *data, qint64 size, qint64 offset, int *systemError);
