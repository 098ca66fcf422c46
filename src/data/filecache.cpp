// SPDX-License-Identifier: GPL-3.0-or-later
// Cache entries named by a file's path and version.
#include "filecache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

namespace
{

QString hashOf(const QByteArray &data)
{
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex().left(24));
}

} // namespace

namespace FileCache
{

Stamp stampOf(const QString &path)
{
    QFileInfo info(path);
    info.setCaching(false);
    return {info.absoluteFilePath(), info.size(), info.lastModified().toMSecsSinceEpoch()};
}

QString folder(const QString &kind)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (!base.isEmpty() && QDir().mkpath(base + QLatin1Char('/') + kind))
        return base + QLatin1Char('/') + kind;
    // Never a folder of a name another user could make first: the user's own runtime folder, which only the
    // user may enter, else a folder of this run's own that goes when the program ends.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QFileInfo runtimeInfo(runtime);
    if (!runtime.isEmpty() && runtimeInfo.isDir() && runtimeInfo.ownerId() == ::getuid() &&
        runtimeInfo.permissions() == (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                                      QFile::WriteUser | QFile::ExeUser) &&
        QDir().mkpath(runtime + QStringLiteral("/fenwyx-cache/") + kind))
        return runtime + QStringLiteral("/fenwyx-cache/") + kind;
    static const QTemporaryDir ownFolder(QDir::temp().filePath(QStringLiteral("fenwyx-cache-XXXXXX")));
    const QString path = ownFolder.path() + QLatin1Char('/') + kind;
    QDir().mkpath(path);
    return path;
}

QString prefixOf(const Stamp &stamp)
{
    return hashOf(stamp.absolutePath.toUtf8()) + QLatin1Char('-');
}

QString entryName(const Stamp &stamp, int format)
{
    return prefixOf(stamp) + hashOf(QByteArray::number(stamp.size) + '|' + QByteArray::number(stamp.modified) + '|' +
                                    QByteArray::number(format));
}

void removeOlderEntries(const QString &folder, const Stamp &stamp, const QString &keep)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList({prefixOf(stamp) + QLatin1Char('*')}, QDir::Files);
    for (const QString &name : names) {
        if (name != keep)
            QFile::remove(dir.filePath(name));
    }
}

} // namespace FileCache
