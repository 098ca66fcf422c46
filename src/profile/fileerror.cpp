// Error numbers of file failures.
#include "fileerror.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

namespace FileErrors
{

FileError fromFile(const QFileDevice &file, const QString &path)
{
    const QString description = file.errorString();
    switch (file.error()) {
    case QFileDevice::OpenError: {
        const QFileInfo info(path);
        if (!info.dir().exists())
            return {PathNotFound, description};
        if (!info.exists())
            return {FileNotFound, description};
        return {AccessError, description};
    }
    case QFileDevice::ReadError:
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return {DeviceIo, description};
    case QFileDevice::PermissionsError:
        return {AccessError, description};
    default:
        return {AccessError, description};
    }
}

} // namespace FileErrors
