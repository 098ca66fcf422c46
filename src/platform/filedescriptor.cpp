// SPDX-License-Identifier: GPL-3.0-or-later
// Closing and writing plain file descriptors.
#include "filedescriptor.h"

#include <cerrno>
#include <unistd.h>

FileDescriptor::~FileDescriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileDescriptor::close(int *systemError)
{
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        *systemError = errno;
        return false;
    }
    return true;
}

bool writeAll(int fd, const char *data, qint64 size, qint64 offset, int *systemError)
{
    while (size > 0) {
        const ssize_t n = offset < 0 ? ::write(fd, data, size_t(size)) : ::pwrite(fd, data, size_t(size), offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *systemError = errno;
            return false;
        }
        if (n == 0) { // no progress and no error: treat as the device being full
            *systemError = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
        if (offset >= 0)
            offset += n;
    }
    return true;
}
