// SPDX-License-Identifier: GPL-3.0-or-later
// Error numbers of file failures.
#include "fileerror.h"

#include "platform/wholefile.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace
{

// A missing file is told from a missing folder by the folder; when the file is there after all, something
// else was not found (a temporary file the folder cannot hold).
int notFound(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return FileErrors::AccessError;
    return info.dir().exists() ? FileErrors::FileNotFound : FileErrors::PathNotFound;
}

} // namespace

namespace FileErrors
{

FileError fromSystemError(int systemError, const QString &path)
{
    const QString description = QString::fromLocal8Bit(std::strerror(systemError));
    switch (systemError) {
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return {PermissionDenied, description};
    case ENOSPC:
    case EDQUOT:
        return {DiskFull, description};
    case ENOENT:
        return {notFound(path), description};
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
        return {PathNotFound, description};
    default:
        return {AccessError, description};
    }
}

FileError fromFile(const QFileDevice &file, const QString &path, int systemError)
{
    if (systemError != 0)
        return fromSystemError(systemError, path);
    const QString description = file.errorString();
    switch (file.error()) {
    case QFileDevice::OpenError:
        return {notFound(path), description};
    case QFileDevice::PermissionsError:
        return {PermissionDenied, description};
    default:
        return {AccessError, description};
    }
}

FileError fromWriteFailure(const WholeFile::Failure &failure, const QString &path)
{
    FileError error = fromSystemError(failure.systemError, path);
    if (!failure.description.isEmpty())
        error.description = failure.description;
    return error;
}

} // namespace FileErrors
