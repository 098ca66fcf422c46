// SPDX-License-Identifier: GPL-3.0-or-later
// Thumbnail files named by a hash of picture path, size, modification time and thumbnail size, with an index
// in memory that keeps the folder under its byte limit.
#include "thumbnailcache.h"

#include "data/filecache.h"
#include "data/photorecord.h"
#include "platform/wholefile.h"
#include "present/imageloader.h"
#include "present/imageresolver.h"
#include "shell/photodirectory.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QPainter>
#include <QRegularExpression>
#include <QThread>

namespace
{

const QLatin1String kSuffix(".jpg");
constexpr int kJpegQuality = 85;

bool isKeyName(const QString &fileName)
{
    static const QRegularExpression name(QStringLiteral("^[0-9a-f]{40}\\.jpg$"));
    return name.match(fileName).hasMatch();
}

// What an interrupted write left behind (".<key>.jpg.<random>", or "<key>.jpg.XXXXXX" of older releases).
bool isLeftover(const QString &fileName)
{
    static const QRegularExpression name(QStringLiteral("^\\.?[0-9a-f]{40}\\.jpg\\..+$"));
    return name.match(fileName).hasMatch();
}

// JPEG has no transparency: a transparent picture is shown over white, as the views' background.
QImage opaque(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

} // namespace

std::optional<ThumbnailSource> photoThumbnailSource(const PhotoDirectory &directory, const QString &programFolder,
                                                    const PhotoRecord &photo)
{
    const auto places = ImageResolver(directory, programFolder).places(photo, ImageResolver::Photo);
    const bool localOnly = directory.DriveChoice == PhotoDirectory::SearchLocalOnly;
    const QString directoryPath = localOnly ? QString() : places.first;
    const QString localPath = places.second;
    if (directoryPath.isEmpty() && localPath.isEmpty())
        return std::nullopt;
    ThumbnailSource source;
    source.id = directoryPath + QLatin1Char('\n') + localPath;
    source.locate = [directory, programFolder, directoryPath, localPath] {
        return ImageResolver(directory, programFolder).resolve(directoryPath, localPath, directoryPath.isEmpty()).path;
    };
    return source;
}

ThumbnailCache::ThumbnailCache(Options options, QObject *parent) : QObject(parent), m_options(std::move(options))
{
    m_pool.setMaxThreadCount(m_options.threads > 0 ? m_options.threads : qMax(1, QThread::idealThreadCount() / 2));
    // The window thread paints while thumbnails are made; it comes first.
    m_pool.setThreadPriority(QThread::LowPriority);
    ImageLoader::raiseAllocationLimit(); // before any worker decodes
}

ThumbnailCache::~ThumbnailCache()
{
    m_pool.clear();
    m_pool.waitForDone();
}

QString ThumbnailCache::defaultFolder()
{
    return FileCache::folder(QStringLiteral("thumbnails"));
}

QString ThumbnailCache::keyFor(const QString &path, qint64 bytes, qint64 modifiedMs, const QSize &size)
{
    // Joined, not put through arg(): a "%2" in a path would be filled in by the numbers after it.
    const QString stamp = path + QLatin1Char('\n') + QString::number(bytes) + QLatin1Char('\n') +
                          QString::number(modifiedMs) + QLatin1Char('\n') + QString::number(size.width()) +
                          QLatin1Char('x') + QString::number(size.height());
    return QString::fromLatin1(QCryptographicHash::hash(stamp.toUtf8(), QCryptographicHash::Sha1).toHex());
}

void ThumbnailCache::request(const ThumbnailSource &source)
{
    // The destructor waits for every started job, so this stays valid inside one.
    m_pool.start([this, source] {
        const QString path = source.locate ? source.locate() : QString();
        const QImage image = path.isEmpty() ? QImage() : thumbnailOf(path).value_or(QImage());
        QMetaObject::invokeMethod(
            this, [this, id = source.id, image] { Q_EMIT thumbnailReady(id, image); }, Qt::QueuedConnection);
    });
}

void ThumbnailCache::cancelPending()
{
    m_pool.clear();
}

std::optional<QImage> ThumbnailCache::thumbnailOf(const QString &picturePath)
{
    if (picturePath.isEmpty())
        return std::nullopt;
    const QFileInfo info(picturePath);
    if (!info.isFile())
        return std::nullopt;
    const QString key =
        keyFor(info.absoluteFilePath(), info.size(), info.lastModified().toMSecsSinceEpoch(), m_options.size);
    if (std::optional<QImage> kept = readStored(key))
        return kept;
    const std::optional<QImage> decoded = ImageLoader::load(picturePath, m_options.size, true);
    if (!decoded)
        return std::nullopt;
    QImage thumbnail = opaque(*decoded);
    if (thumbnail.width() > m_options.size.width() || thumbnail.height() > m_options.size.height())
        thumbnail = thumbnail.scaled(m_options.size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    store(key, thumbnail);
    return thumbnail;
}

qint64 ThumbnailCache::storedBytes()
{
    QMutexLocker lock(&m_mutex);
    loadIndexLocked();
    return m_bytes;
}

int ThumbnailCache::storedCount()
{
    QMutexLocker lock(&m_mutex);
    loadIndexLocked();
    return int(m_entries.size());
}

QString ThumbnailCache::pathOf(const QString &key) const
{
    return m_options.folder + QLatin1Char('/') + key + kSuffix;
}

void ThumbnailCache::loadIndexLocked()
{
    if (m_indexed)
        return;
    m_indexed = true;
    const QDir folder(m_options.folder);
    if (!folder.exists())
        return;
    const QFileInfoList files = folder.entryInfoList(QDir::Files | QDir::Hidden, QDir::Time | QDir::Reversed);
    for (const QFileInfo &file : files) {
        const QString name = file.fileName();
        if (isLeftover(name)) {
            QFile::remove(file.absoluteFilePath());
            continue;
        }
        if (!isKeyName(name))
            continue;
        useLocked(name.chopped(kSuffix.size()), file.size());
    }
    evictLocked();
}

std::optional<QImage> ThumbnailCache::readStored(const QString &key)
{
    {
        QMutexLocker lock(&m_mutex);
        loadIndexLocked();
        if (!m_entries.contains(key))
            return std::nullopt;
    }
    QFile file(pathOf(key));
    QImage image;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        image.loadFromData(bytes, "JPG");
        // The file's time is its last use, so the next run drops the same thumbnails first.
        if (!image.isNull())
            file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
    }
    QMutexLocker lock(&m_mutex);
    if (image.isNull()) {
        forgetLocked(key); // unreadable or damaged: made again
        return std::nullopt;
    }
    if (m_entries.contains(key))
        useLocked(key, m_entries.value(key).bytes);
    return image;
}

void ThumbnailCache::store(const QString &key, const QImage &image)
{
    if (!QDir().mkpath(m_options.folder))
        return;
    // Written whole or not at all, so a reader never sees half a file. Not synced to the disk: a thumbnail lost
    // in a crash is made again, and a sync per thumbnail would cost more than making it.
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    if (!image.save(&jpeg, "JPG", kJpegQuality))
        return;
    WholeFile::Options options;
    options.durable = false;
    if (!WholeFile::write(pathOf(key), jpeg.data(), options))
        return;
    QMutexLocker lock(&m_mutex);
    useLocked(key, jpeg.data().size());
    evictLocked();
}

void ThumbnailCache::useLocked(const QString &key, qint64 bytes)
{
    const auto found = m_entries.constFind(key);
    if (found != m_entries.constEnd()) {
        m_byUse.erase(found->lastUse);
        m_bytes -= found->bytes;
    }
    const Entry entry{bytes, ++m_clock};
    m_entries.insert(key, entry);
    m_byUse.emplace(entry.lastUse, key);
    m_bytes += bytes;
}

void ThumbnailCache::forgetLocked(const QString &key)
{
    const auto found = m_entries.constFind(key);
    if (found == m_entries.constEnd())
        return;
    QFile::remove(pathOf(key));
    m_byUse.erase(found->lastUse);
    m_bytes -= found->bytes;
    m_entries.erase(found);
}

void ThumbnailCache::evictLocked()
{
    while (m_bytes > m_options.maxBytes && !m_byUse.empty())
        forgetLocked(m_byUse.begin()->second);
}
