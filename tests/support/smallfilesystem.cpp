// SPDX-License-Identifier: GPL-3.0-or-later
// Mounting, filling and unmounting the tests' tmpfs.
#include "smallfilesystem.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace
{
const QString kFiller = QStringLiteral(".filler");
}

SmallFileSystem::SmallFileSystem(qint64 bytes)
{
    if (::geteuid() != 0 || !m_folder.isValid())
        return;
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0777";
    m_mounted = ::mount("tmpfs", QFile::encodeName(m_folder.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                        options.constData()) == 0;
}

SmallFileSystem::~SmallFileSystem()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder.path()).constData(), MNT_DETACH);
}

QString SmallFileSystem::skipReason()
{
    return QStringLiteral("a full file system is met on a tmpfs the test mounts, which needs root");
}

bool SmallFileSystem::fill()
{
    const int fd = ::open(QFile::encodeName(filePath(kFiller)).constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0)
        return false;
    static const char block[4096] = {};
    bool full = false;
    for (;;) {
        const ssize_t n = ::write(fd, block, sizeof block);
        if (n < 0) {
            full = errno == ENOSPC;
            break;
        }
        // A short write took the last bytes; the next one reports the full disk.
    }
    ::close(fd);
    return full;
}

void SmallFileSystem::unfill()
{
    QFile::remove(filePath(kFiller));
}
