// SPDX-License-Identifier: GPL-3.0-or-later
// Optical drives are the mounted volumes on /dev/sr* or with a disc file system.
#include "driveinfo.h"

#include <QStorageInfo>

QString SystemDriveInfo::firstOpticalDriveRoot() const
{
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QByteArray device = volume.device();
        const QByteArray type = volume.fileSystemType().toLower();
        if (device.startsWith("/dev/sr") || device.startsWith("/dev/cdrom") || type == "iso9660" || type == "udf") {
            QString root = volume.rootPath();
            if (!root.endsWith(QLatin1Char('/')))
                root += QLatin1Char('/');
            return root;
        }
    }
    return {};
}
