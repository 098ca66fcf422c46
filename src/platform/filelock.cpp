// SPDX-License-Identifier: GPL-3.0-or-later
// File locks through flock(2), which the kernel releases when the holder's descriptor goes.
#include "filelock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::FileLock(const QString &lockPath, int timeoutMs)
{
    // Read access is enough for flock, so a lock file made by another user still serves.
    const int fd = ::open(QFile::encodeName(lockPath).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        m_error = errno;
        return;
    }
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return;
        }
        m_error = errno;
        if ((m_error != EWOULDBLOCK && m_error != EINTR) || deadline.hasExpired())
            break;
        QThread::msleep(10);
    }
    ::close(fd);
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
