// SPDX-License-Identifier: GPL-3.0-or-later
// Thumbnails of the photos' pictures: made on worker threads and kept in the user's cache folder.
#pragma once

#include <QHash>
#include <QImage>
#include <QMutex>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <map>
#include <optional>

class PhotoDirectory;
struct PhotoRecord;

// One picture to make a thumbnail of. The id names it without touching a file, so the window thread can make
// it; locate runs on a worker thread and gives the picture file (empty text: there is none).
struct ThumbnailSource {
    QString id;
    std::function<QString()> locate;
};

// A photo's picture where the photo display looks for it: the photo directory unless "Search Local Only" was
// answered, then the local copy. The source holds copies of the setting, so a worker never reads what the window
// thread may be changing; the id changes with the setting, so a new setting asks again. nullopt when the photo
// names no picture that could be followed (an empty or unsafe name).
std::optional<ThumbnailSource> photoThumbnailSource(const PhotoDirectory &directory, const QString &programFolder,
                                                    const PhotoRecord &photo);

class ThumbnailCache : public QObject
{
    Q_OBJECT
public:
    struct Options {
        QString folder;                     // where the thumbnail files go; created when first needed
        QSize size{96, 72};                 // in pixels; a picture is scaled to fit, keeping its proportions
        qint64 maxBytes = qint64(96) << 20; // the folder never holds more; the least recently used go first
        int threads = 0;                    // 0: half the processors, at least one
    };

    explicit ThumbnailCache(Options options, QObject *parent = nullptr);
    // Waits for the thumbnails being made (a few milliseconds each); those not started are dropped.
    ~ThumbnailCache() override;

    // The user's cache folder + "/thumbnails" (see FileCache::folder for where it is when that cannot be made).
    static QString defaultFolder();
    // The name a picture's thumbnail is kept under: another file, size, modification time or thumbnail size
    // gives another name, so a changed picture is never answered with the thumbnail of its old content.
    static QString keyFor(const QString &path, qint64 bytes, qint64 modifiedMs, const QSize &size);

    // Makes the thumbnail on a worker and answers with thumbnailReady on this object's thread.
    void request(const ThumbnailSource &source);
    // Drops the requests no worker has started yet (their items went out of sight).
    void cancelPending();

    // One request's whole work on the calling thread: the kept thumbnail when the folder holds one for this
    // path, size and modification time, else the picture decoded at thumbnail size and kept. nullopt when
    // there is no such file or it is no picture that can be decoded.
    std::optional<QImage> thumbnailOf(const QString &picturePath);

    QSize thumbnailSize() const { return m_options.size; }
    QString folder() const { return m_options.folder; }
    // What the folder holds (it is read first if no request has read it yet).
    qint64 storedBytes();
    int storedCount();

Q_SIGNALS:
    // image is null when the photo has no picture or it cannot be decoded.
    void thumbnailReady(const QString &id, const QImage &image);

private:
    struct Entry {
        qint64 bytes = 0;
        quint64 lastUse = 0;
    };

    QString pathOf(const QString &key) const;
    // Reads the folder once: what earlier runs kept, the least recently used (oldest file) first.
    void loadIndexLocked();
    std::optional<QImage> readStored(const QString &key);
    void store(const QString &key, const QImage &image);
    void useLocked(const QString &key, qint64 bytes);
    void forgetLocked(const QString &key);
    void evictLocked();

    const Options m_options;
    QMutex m_mutex; // guards the index below; files are read and written outside it
    bool m_indexed = false;
    QHash<QString, Entry> m_entries;
    std::map<quint64, QString> m_byUse; // lastUse -> key, oldest first
    quint64 m_clock = 0;
    qint64 m_bytes = 0;
    QThreadPool m_pool;
};
