// SPDX-License-Identifier: GPL-3.0-or-later
// Writing files whole: a new file beside the old one, every step checked, then one rename.
#include "wholefile.h"

#include "platform/filedescriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

using WholeFile::Failure;

bool failWith(Failure *failure, int systemError, const QString &description)
{
    if (failure)
        *failure = {systemError, description};
    return false;
}

// The system's description, with what the program made of the failure after it.
bool fail(Failure *failure, int systemError, const QString &note = {})
{
    const QString reason = QString::fromLocal8Bit(std::strerror(systemError));
    return failWith(failure, systemError, note.isEmpty() ? reason : reason + QStringLiteral("; ") + note);
}

const QString kNotRegular = QStringLiteral("Not a regular file");

bool readAll(int fd, qint64 size, QByteArray *bytes, int *systemError)
{
    bytes->resize(size);
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, bytes->data() + done, size_t(size - done), done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *systemError = errno;
            return false;
        }
        if (n == 0)
            break; // the file shrank meanwhile: what is there is what is kept
        done += n;
    }
    bytes->resize(done);
    return true;
}

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// A new file of a name no other file has, with the permissions the umask gives (the kernel applies it).
int createUnique(const QString &folder, const QString &name, QString *created)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate =
            QDir(folder).filePath(QLatin1Char('.') + name + QLatin1Char('.') +
                                  QString::number(QRandomGenerator::global()->generate64() & 0xffffffffffULL, 36));
        const int fd = ::open(encoded(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            *created = candidate;
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

int createFixed(const QString &folder, const QString &name, QString *created)
{
    *created = QDir(folder).filePath(name);
    const QByteArray path = encoded(*created);
    if (::unlink(path.constData()) != 0 && errno != ENOENT)
        return -1;
    return ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // the rename's own durability: nothing can be undone if it fails
        ::close(fd);
    }
}

// The old bytes are read first and written back if anything of the new write fails, so only a process that
// dies midway can leave a mixture.
bool writeInPlace(const QByteArray &target, const QByteArray &bytes, const WholeFile::Options &options, int folderError,
                  Failure *failure)
{
    FileDescriptor fd(::open(target.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0)
        return fail(failure, errno);
    struct stat info = {};
    if (::fstat(fd.get(), &info) != 0)
        return fail(failure, errno);
    if (!S_ISREG(info.st_mode))
        return failWith(failure, EINVAL, kNotRegular);
    if (info.st_size > options.inPlaceLimit)
        return fail(failure, folderError,
                    QStringLiteral("the folder cannot be written, and the file is too large to be overwritten "
                                   "in place safely"));
    QByteArray old;
    int error = 0;
    if (!readAll(fd.get(), info.st_size, &old, &error))
        return fail(failure, error, QStringLiteral("the old file cannot be read to be kept"));

    const auto restore = [&](int cause) {
        int ignored = 0;
        const bool restored = writeAll(fd.get(), old.constData(), old.size(), 0, &ignored) &&
                              ::ftruncate(fd.get(), old.size()) == 0 && ::fsync(fd.get()) == 0;
        return fail(failure, cause,
                    restored ? QString() : QStringLiteral("the old content could not be written back either"));
    };
    if (!writeAll(fd.get(), bytes.constData(), bytes.size(), 0, &error))
        return restore(error);
    if (::ftruncate(fd.get(), bytes.size()) != 0 || ::fsync(fd.get()) != 0)
        return restore(errno);
    if (!fd.close(&error))
        return fail(failure, error);
    return true;
}

} // namespace

namespace WholeFile
{

QString linkTarget(const QString &path, int *systemError)
{
    QFileInfo info(path);
    for (int depth = 0; info.isSymLink(); ++depth) {
        if (depth == 40) {
            if (systemError)
                *systemError = ELOOP;
            return {};
        }
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
}

bool write(const QString &path, const QByteArray &bytes, const Options &options, Failure *failure)
{
    int error = 0;
    const QString target = linkTarget(path, &error);
    if (target.isEmpty())
        return fail(failure, error ? error : ENOENT);
    const QByteArray targetName = encoded(target);
    struct stat old = {};
    const bool exists = ::stat(targetName.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return fail(failure, errno);
    if (exists && S_ISDIR(old.st_mode))
        return fail(failure, EISDIR);
    // Writing into a pipe would wait for a reader for ever; a device is nobody's file.
    if (exists && !S_ISREG(old.st_mode))
        return failWith(failure, EINVAL, kNotRegular);

    const QFileInfo info(target);
    if (info.fileName().isEmpty()) // "folder/": no file is named
        return fail(failure, EISDIR);
    const QString folder = info.absolutePath();
    QString temporary;
    FileDescriptor fd(options.temporaryName.isEmpty() ? createUnique(folder, info.fileName(), &temporary)
                                                      : createFixed(folder, options.temporaryName, &temporary));
    if (fd.get() < 0) {
        const int folderError = errno;
        if (options.inPlaceFallback && exists && (folderError == EACCES || folderError == EPERM))
            return writeInPlace(targetName, bytes, options, folderError, failure);
        return fail(failure, folderError);
    }
    const QByteArray temporaryName = encoded(temporary);
    const auto abandon = [&](int cause) {
        ::unlink(temporaryName.constData());
        return fail(failure, cause);
    };
    if (exists) {
        // A replaced file is still the same file to everyone who may read or write it.
        ::fchmod(fd.get(), old.st_mode & 07777);
        if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0)
            static_cast<void>(::fchown(fd.get(), uid_t(-1), old.st_gid));
    }
    if (!writeAll(fd.get(), bytes.constData(), bytes.size(), -1, &error))
        return abandon(error);
    if (options.durable && ::fsync(fd.get()) != 0)
        return abandon(errno);
    if (!fd.close(&error))
        return abandon(error);
    if (std::rename(temporaryName.constData(), targetName.constData()) != 0)
        return abandon(errno);
    if (options.durable)
        syncFolder(folder);
    return true;
}

} // namespace WholeFile
