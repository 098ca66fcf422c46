// SPDX-License-Identifier: GPL-3.0-or-later
// Thumbnail files: their names follow the picture's path, size and time, the folder stays under its limit, the
// workers answer on the window thread and stop cleanly, and a photo's picture is found where the display looks.
#include "data/photorecord.h"
#include "present/thumbnailcache.h"
#include "shell/photodirectory.h"

#include "platformdoubles.h"
#include <QSemaphore>
#include <QtTest>
#include <atomic>

class TestThumbnailCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void changedPicture_getsNewThumbnail_data();
    void changedPicture_getsNewThumbnail();
    void keyFor_percentSignsInPaths_keepStampsApart_data();
    void keyFor_percentSignsInPaths_keepStampsApart();
    void noPicture_givesNothingAndKeepsNothing_data();
    void noPicture_givesNothingAndKeepsNothing();
    void folder_isBounded_leastRecentlyUsedGoFirst();
    void nextRun_readsTheFolder_oldestFilesGoFirst();
    void request_answersOnTheWindowThread_data();
    void request_answersOnTheWindowThread();
    void cancelAndDestroy_dropWaitingRequests_waitForTheRunningOne();
    void photoSource_looksWhereTheDisplayLooks_data();
    void photoSource_looksWhereTheDisplayLooks();

private:
    QString picture(const QString &name, const QSize &size, const QColor &colour, const char *format = "BMP");
    static void setModified(const QString &path, const QDateTime &time);
    QString keptFile(const ThumbnailCache &cache, const QString &picture) const;
    ThumbnailCache::Options options(qint64 maxBytes = qint64(1) << 30) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestThumbnailCache::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestThumbnailCache::picture(const QString &name, const QSize &size, const QColor &colour, const char *format)
{
    const QString path = m_dir->filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    if (!image.save(path, format))
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

void TestThumbnailCache::setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

QString TestThumbnailCache::keptFile(const ThumbnailCache &cache, const QString &picture) const
{
    const QFileInfo info(picture);
    return cache.folder() + QLatin1Char('/') +
           ThumbnailCache::keyFor(info.absoluteFilePath(), info.size(), info.lastModified().toMSecsSinceEpoch(),
                                  cache.thumbnailSize()) +
           QStringLiteral(".jpg");
}

ThumbnailCache::Options TestThumbnailCache::options(qint64 maxBytes) const
{
    ThumbnailCache::Options o;
    o.folder = m_dir->filePath(QStringLiteral("cache"));
    o.maxBytes = maxBytes;
    return o;
}

void TestThumbnailCache::changedPicture_getsNewThumbnail_data()
{
    // A BMP of the same dimensions has the same size whatever its colour, so only the stamp tells them apart.
    QTest::addColumn<QSize>("newSize");
    QTest::addColumn<int>("laterMs");
    QTest::addColumn<bool>("newThumbnail");
    QTest::newRow("same size and time: the kept one") << QSize(200, 150) << 0 << false;
    QTest::newRow("other size, same time") << QSize(210, 150) << 0 << true;
    QTest::newRow("same size, later time") << QSize(200, 150) << 2000 << true;
}

void TestThumbnailCache::changedPicture_getsNewThumbnail()
{
    QFETCH(QSize, newSize);
    QFETCH(int, laterMs);
    QFETCH(bool, newThumbnail);
    const QString path = picture(QStringLiteral("a.bmp"), QSize(200, 150), Qt::red);
    const QDateTime time = QDateTime::currentDateTimeUtc().addSecs(-60);
    setModified(path, time);
    QVERIFY(ThumbnailCache(options()).thumbnailOf(path));

    picture(QStringLiteral("a.bmp"), newSize, Qt::blue);
    setModified(path, time.addMSecs(laterMs));
    ThumbnailCache nextRun(options());
    const std::optional<QImage> thumbnail = nextRun.thumbnailOf(path);
    QVERIFY(thumbnail);
    const QColor centre = thumbnail->pixelColor(thumbnail->width() / 2, thumbnail->height() / 2);
    QCOMPARE(centre.blue() > centre.red(), newThumbnail);
    QCOMPARE(nextRun.storedCount(), newThumbnail ? 2 : 1);
}

void TestThumbnailCache::keyFor_percentSignsInPaths_keepStampsApart_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("otherPath");
    QTest::addColumn<QSize>("otherSize");
    // Put through arg(), the size of 5 bytes would fill the "%2" and make the first path the second.
    QTest::newRow("\"%2\" in one path") << "/p/x%2" << QSize(96, 72) << "/p/x5" << QSize(96, 72);
    // There the height would have no place left, so every height would give the same name.
    QTest::newRow("\"%1\", two heights") << "/p/a%1" << QSize(96, 72) << "/p/a%1" << QSize(96, 73);
}

void TestThumbnailCache::keyFor_percentSignsInPaths_keepStampsApart()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(QString, otherPath);
    QFETCH(QSize, otherSize);
    QVERIFY(ThumbnailCache::keyFor(path, 5, 7, size) != ThumbnailCache::keyFor(otherPath, 5, 7, otherSize));
}

void TestThumbnailCache::noPicture_givesNothingAndKeepsNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no such file") << QString() << QByteArray();
    QTest::newRow("empty file") << QStringLiteral("empty.jpg") << QByteArray();
    QTest::newRow("not a picture") << QStringLiteral("notes.jpg") << QByteArray("plain text, not a picture");
    QTest::newRow("a folder") << QStringLiteral("folder.jpg") << QByteArray("<folder>");
}

void TestThumbnailCache::noPicture_givesNothingAndKeepsNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString path = m_dir->filePath(name.isEmpty() ? QStringLiteral("missing.jpg") : name);
    if (bytes == "<folder>") {
        QVERIFY(QDir().mkpath(path));
    } else if (!name.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    ThumbnailCache cache(options());
    QVERIFY(!cache.thumbnailOf(path));
    QCOMPARE(cache.storedCount(), 0);
}

void TestThumbnailCache::folder_isBounded_leastRecentlyUsedGoFirst()
{
    QStringList paths;
    for (int i = 0; i < 4; ++i)
        paths << picture(QStringLiteral("p%1.bmp").arg(i), QSize(300, 200), Qt::darkYellow);
    qint64 one = 0;
    {
        ThumbnailCache measure(options());
        QVERIFY(measure.thumbnailOf(paths[0]));
        one = measure.storedBytes();
        QDir(measure.folder()).removeRecursively();
    }
    ThumbnailCache cache(options(3 * one + one / 2)); // room for three
    for (const int i : {0, 1, 2, 0, 3})
        QVERIFY(cache.thumbnailOf(paths[i]));
    QCOMPARE(cache.storedCount(), 3);
    QCOMPARE(QDir(cache.folder()).entryList(QDir::Files).size(), 3); // no half-written files left behind
    QVERIFY(cache.storedBytes() <= 3 * one + one / 2);
    QVERIFY2(!QFileInfo::exists(keptFile(cache, paths[1])), "p1 was used longest ago");
    for (const int i : {0, 2, 3})
        QVERIFY(QFileInfo::exists(keptFile(cache, paths[i])));
}

void TestThumbnailCache::nextRun_readsTheFolder_oldestFilesGoFirst()
{
    QStringList kept;
    qint64 one = 0;
    {
        ThumbnailCache first(options());
        for (int i = 0; i < 4; ++i) {
            const QString path = picture(QStringLiteral("p%1.bmp").arg(i), QSize(300, 200), Qt::darkCyan);
            QVERIFY(first.thumbnailOf(path));
            kept << keptFile(first, path);
        }
        one = first.storedBytes() / 4;
    }
    // p3 used longest ago, p0 most recently
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < 4; ++i)
        setModified(kept[i], now.addSecs(-3600 * (i + 1)));
    const QString folder = options().folder;
    const QString leftover = folder + QStringLiteral("/%1.jpg.Ab12Cd").arg(QString(40, QLatin1Char('a')));
    const QString foreign = folder + QStringLiteral("/readme.txt");
    for (const QString &path : {leftover, foreign}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    ThumbnailCache nextRun(options(2 * one + one / 2));
    QCOMPARE(nextRun.storedCount(), 2);
    QVERIFY(QFileInfo::exists(kept[0]) && QFileInfo::exists(kept[1]));
    QVERIFY(!QFileInfo::exists(kept[2]) && !QFileInfo::exists(kept[3]));
    QVERIFY2(!QFileInfo::exists(leftover), "an interrupted write is cleared away");
    QVERIFY2(QFileInfo::exists(foreign), "a file the cache did not write is left alone");
}

void TestThumbnailCache::request_answersOnTheWindowThread_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expectImage");
    QTest::newRow("picture") << QStringLiteral("p.jpg") << true;
    QTest::newRow("file gone") << QStringLiteral("gone.jpg") << false;
    QTest::newRow("found nowhere") << QString() << false;
}

void TestThumbnailCache::request_answersOnTheWindowThread()
{
    QFETCH(QString, name);
    QFETCH(bool, expectImage);
    const QString path = name.isEmpty() ? QString() : picture(name, QSize(120, 90), Qt::red, "JPG");
    if (name == QLatin1String("gone.jpg"))
        QFile::remove(path);
    ThumbnailCache cache(options());
    QThread *answeredOn = nullptr;
    connect(&cache, &ThumbnailCache::thumbnailReady, this, [&answeredOn] { answeredOn = QThread::currentThread(); });
    QSignalSpy ready(&cache, &ThumbnailCache::thumbnailReady);
    cache.request({QStringLiteral("photo 7"), [path] { return path; }});
    QVERIFY(ready.wait());
    QCOMPARE(ready.first().at(0).toString(), QStringLiteral("photo 7"));
    QCOMPARE(!ready.first().at(1).value<QImage>().isNull(), expectImage);
    QCOMPARE(answeredOn, thread());
}

void TestThumbnailCache::cancelAndDestroy_dropWaitingRequests_waitForTheRunningOne()
{
    const QString path = picture(QStringLiteral("p.jpg"), QSize(300, 200), Qt::red, "JPG");
    QSemaphore started;
    QSemaphore gate;
    std::atomic<int> located{0};
    {
        ThumbnailCache::Options o = options();
        o.threads = 1;
        ThumbnailCache cache(o);
        cache.request({QStringLiteral("first"), [&] {
                           started.release();
                           gate.acquire();
                           ++located;
                           return path;
                       }});
        for (int i = 0; i < 20; ++i)
            cache.request({QString::number(i), [&] {
                               ++located;
                               return path;
                           }});
        started.acquire(); // the one worker is inside the first request
        cache.cancelPending();
        gate.release();
    } // the first request finishes before the cache goes; its answer goes nowhere
    QCoreApplication::processEvents();
    QCOMPARE(located.load(), 1);
}

void TestThumbnailCache::photoSource_looksWhereTheDisplayLooks_data()
{
    QTest::addColumn<QString>("photoPic");
    QTest::addColumn<bool>("onDisc");
    QTest::addColumn<bool>("discReadable");
    QTest::addColumn<int>("driveChoice");
    QTest::addColumn<QString>("expected"); // "disc", "local", "" (none) or "no source"
    QTest::newRow("on the disc") << "a.jpg" << true << true << 0 << "disc";
    QTest::newRow("local copy only") << "a.jpg" << false << true << 0 << "local";
    QTest::newRow("Search Local Only skips the disc") << "a.jpg" << true << true << 3 << "local";
    QTest::newRow("disc not readable") << "a.jpg" << false << false << 0 << "local";
    QTest::newRow("in neither place") << "b.jpg" << false << true << 0 << "";
    QTest::newRow("name leaving its folder") << "../a.jpg" << true << true << 0 << "no source";
}

void TestThumbnailCache::photoSource_looksWhereTheDisplayLooks()
{
    QFETCH(QString, photoPic);
    QFETCH(bool, onDisc);
    QFETCH(bool, discReadable);
    QFETCH(int, driveChoice);
    QFETCH(QString, expected);
    const QString program = m_dir->filePath(QStringLiteral("program"));
    const QString disc = m_dir->filePath(discReadable ? QStringLiteral("disc") : QStringLiteral("no-disc"));
    picture(QStringLiteral("program/PhotoImages/Book 1/a.jpg"), QSize(40, 30), Qt::red, "JPG");
    if (onDisc)
        picture(QStringLiteral("disc/Book 1/a.jpg"), QSize(40, 30), Qt::red, "JPG");
    MemorySettingsStore settings;
    settings.writeText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"), disc);
    PhotoDirectory directory;
    directory.ReadPhotoDirectory(&settings, nullptr, program);
    directory.DriveChoice = driveChoice;
    PhotoRecord photo;
    photo.bookLabel = QStringLiteral("Book 1");
    photo.photoPic = photoPic;

    const std::optional<ThumbnailSource> source = photoThumbnailSource(directory, program, photo);
    QCOMPARE(!source, expected == QLatin1String("no source"));
    if (!source)
        return;
    // The source keeps what it was made from: a changed setting does not reach a waiting request, and a new
    // source for the new setting has a new id (unless the disc is not looked at).
    settings.writeText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"),
                       m_dir->filePath(QStringLiteral("elsewhere")));
    directory.ReadPhotoDirectory(&settings, nullptr, program);
    QCOMPARE(photoThumbnailSource(directory, program, photo)->id != source->id,
             driveChoice != PhotoDirectory::SearchLocalOnly);
    const QString found = source->locate();
    const QString expectedPath = expected.isEmpty() ? QString()
                                 : expected == QLatin1String("disc")
                                     ? m_dir->filePath("disc/Book 1/a.jpg")
                                     : m_dir->filePath("program/PhotoImages/Book 1/a.jpg");
    QCOMPARE(QDir::cleanPath(found), QDir::cleanPath(expectedPath));
}

QTEST_MAIN(TestThumbnailCache)
#include "tst_thumbnailcache.moc"
