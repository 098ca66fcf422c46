// Cache entries named by a file's path and version.
#include "filecache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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
    QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty() || !QDir().mkpath(base + QLatin1Char('/') + kind))
        base = QDir::temp().filePath(QStringLiteral("fenwyx-cache-%1").arg(QString::fromLocal8Bit(qgetenv("USER"))));
    const QString path = base + QLatin1Char('/') + kind;
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
