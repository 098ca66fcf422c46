// SPDX-License-Identifier: GPL-3.0-or-later
// Image paths of a photo, their look-up, and decoding of bad or large picture files.
#include "data/photorecord.h"
#include "platform/settingsstore.h"
#include "present/imageloader.h"
#include "present/imageresolver.h"
#include "shell/photodirectory.h"

#include "largephoto.h"
#include "platformdoubles.h"
#include <QtTest>

class TestImageResolver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void paths_joinFolderBookAndName();
    void unsafeNames_areNeverFollowed_data();
    void unsafeNames_areNeverFollowed();
    void resolve_triesDirectoryThenLocal();
    void resolve_eachImageOnItsOwn();
    void resolve_followsTheCurrentSetting();
    void noPictureMessage_namesBothFolders();
    void load_refusesBadFiles_data();
    void load_refusesBadFiles();
    void load_decodesAtTheShownSize();
    void load_cameraPhotoBeyondTheLibraryLimit_data();
    void load_cameraPhotoBeyondTheLibraryLimit();
    void load_nonAsciiAndBlankNames();

private:
    void write(const QString &relative, const QByteArray &bytes = {});
    void writeImage(const QString &relative, const QSize &size);
    void setPhotoDir(const QString &value);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program;
    MemorySettingsStore m_settings;
    PhotoDirectory m_directory;
};

void TestImageResolver::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_program = m_dir->filePath(QStringLiteral("program"));
    QDir().mkpath(m_program + QStringLiteral("/PhotoImages"));
    setPhotoDir(m_dir->filePath(QStringLiteral("disc")));
}

void TestImageResolver::setPhotoDir(const QString &value)
{
    m_settings.writeText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"), value);
    m_directory.ReadPhotoDirectory(&m_settings, nullptr, m_program);
}

void TestImageResolver::write(const QString &relative, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestImageResolver::writeImage(const QString &relative, const QSize &size)
{
    const QString path = m_dir->filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QVERIFY(image.save(path, "JPG"));
}

static PhotoRecord photo(const QString &book, const QString &pic, const QString &data)
{
    PhotoRecord p;
    p.bookLabel = book;
    p.photoLabel = QStringLiteral("01");
    p.photoPic = pic;
    p.dataPic = data;
    return p;
}

void TestImageResolver::paths_joinFolderBookAndName()
{
    const ImageResolver resolver(m_directory, m_program);
    const SlotPaths p =
        resolver.paths(photo(QStringLiteral("PNW-01"), QStringLiteral("a.jpg"), QStringLiteral("a_d.jpg")));
    QCOMPARE(p.PhotoPath, m_dir->filePath(QStringLiteral("disc/PNW-01/a.jpg")));
    QCOMPARE(p.DataPath, m_dir->filePath(QStringLiteral("disc/PNW-01/a_d.jpg")));
    QCOMPARE(p.LocalPhotoPath, m_program + QStringLiteral("/PhotoImages/PNW-01/a.jpg"));
    QCOMPARE(p.LocalDataPath, m_program + QStringLiteral("/PhotoImages/PNW-01/a_d.jpg"));
    // A stored name with backslashes is a name with folders on this platform too.
    QCOMPARE(resolver.paths(photo(QStringLiteral("PNW-01"), QStringLiteral("sub\\a.jpg"), {})).LocalPhotoPath,
             m_program + QStringLiteral("/PhotoImages/PNW-01/sub/a.jpg"));
}

void TestImageResolver::unsafeNames_areNeverFollowed_data()
{
    QTest::addColumn<QString>("book");
    QTest::addColumn<QString>("pic");
    QTest::newRow("null picture") << QStringLiteral("PNW-01") << QString();
    QTest::newRow("blank picture") << QStringLiteral("PNW-01") << QStringLiteral("  ");
    QTest::newRow("picture climbs out") << QStringLiteral("PNW-01") << QStringLiteral("../../secret.jpg");
    QTest::newRow("picture climbs out with backslashes")
        << QStringLiteral("PNW-01") << QStringLiteral("..\\..\\secret.jpg");
    QTest::newRow("absolute picture") << QStringLiteral("PNW-01") << QStringLiteral("/etc/secret.jpg");
    QTest::newRow("drive-letter picture") << QStringLiteral("PNW-01") << QStringLiteral("C:\\secret.jpg");
    QTest::newRow("book climbs out") << QStringLiteral("../..") << QStringLiteral("secret.jpg");
    QTest::newRow("null book") << QString() << QStringLiteral("secret.jpg");
}

void TestImageResolver::unsafeNames_areNeverFollowed()
{
    QFETCH(QString, book);
    QFETCH(QString, pic);
    // The file the name points at exists, so only the refusal keeps it from being shown.
    writeImage(QStringLiteral("secret.jpg"), QSize(8, 8));
    writeImage(QStringLiteral("program/secret.jpg"), QSize(8, 8));
    const ImageResolver resolver(m_directory, m_program);
    const PhotoRecord p = photo(book, pic, {});
    const SlotPaths paths = resolver.paths(p);
    QVERIFY(paths.PhotoPath.isEmpty());
    QVERIFY(paths.LocalPhotoPath.isEmpty());
    const ImageResolver::Result found = resolver.resolve(p, ImageResolver::Photo, false);
    QVERIFY(found.path.isEmpty());
    QCOMPARE(found.source, int(ImageNowhere));
}

void TestImageResolver::resolve_triesDirectoryThenLocal()
{
    writeImage(QStringLiteral("program/PhotoImages/PNW-01/a.jpg"), QSize(8, 8));
    const ImageResolver resolver(m_directory, m_program);
    const PhotoRecord p = photo(QStringLiteral("PNW-01"), QStringLiteral("a.jpg"), QStringLiteral("a_d.jpg"));

    // The photo directory's drive has no disc: noted, and the local copy is used.
    ImageResolver::Result found = resolver.resolve(p, ImageResolver::Photo, false);
    QVERIFY(found.driveNotReady);
    QCOMPARE(found.source, int(ImageLocal));

    writeImage(QStringLiteral("disc/pnw-01/A.JPG"), QSize(8, 8));
    found = resolver.resolve(p, ImageResolver::Photo, false);
    QCOMPARE(found.source, int(ImagePhotoDirectory));
    QCOMPARE(found.path, m_dir->filePath(QStringLiteral("disc/pnw-01/A.JPG")));
    QVERIFY(!found.driveNotReady);

    // "Search Local Only" never looks at the photo directory.
    found = resolver.resolve(p, ImageResolver::Photo, true);
    QCOMPARE(found.source, int(ImageLocal));
}

void TestImageResolver::resolve_eachImageOnItsOwn()
{
    writeImage(QStringLiteral("program/PhotoImages/PNW-01/a.jpg"), QSize(8, 8));
    writeImage(QStringLiteral("disc/PNW-01/a_d.jpg"), QSize(8, 8));
    const ImageResolver resolver(m_directory, m_program);
    const PhotoRecord p = photo(QStringLiteral("PNW-01"), QStringLiteral("a.jpg"), QStringLiteral("a_d.jpg"));
    QCOMPARE(resolver.resolve(p, ImageResolver::Photo, false).source, int(ImageLocal));
    QCOMPARE(resolver.resolve(p, ImageResolver::DataPlate, false).source, int(ImagePhotoDirectory));
}

void TestImageResolver::resolve_followsTheCurrentSetting()
{
    writeImage(QStringLiteral("other/PNW-01/a.jpg"), QSize(8, 8));
    const ImageResolver resolver(m_directory, m_program);
    const PhotoRecord p = photo(QStringLiteral("PNW-01"), QStringLiteral("a.jpg"), {});
    QCOMPARE(resolver.resolve(p, ImageResolver::Photo, false).source, int(ImageNowhere));
    setPhotoDir(m_dir->filePath(QStringLiteral("other")));
    QCOMPARE(resolver.resolve(p, ImageResolver::Photo, false).source, int(ImagePhotoDirectory));
}

void TestImageResolver::noPictureMessage_namesBothFolders()
{
    setPhotoDir(QStringLiteral("E:\\photoimages"));
    const ImageResolver resolver(m_directory, QStringLiteral("/opt/fenwyx/"));
    QCOMPARE(resolver.noPictureMessage(),
             QStringLiteral("No Picture Available in:\nE:/photoimages/ or\n/opt/fenwyx/PhotoImages"));
}

void TestImageResolver::load_refusesBadFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::newRow("zero bytes") << QByteArray() << QStringLiteral("empty.jpg");
    QTest::newRow("text, not an image") << QByteArray("this is no picture\n") << QStringLiteral("text.jpg");
    QTest::newRow("JPEG header only") << QByteArray::fromHex("ffd8ffe000104a464946") << QStringLiteral("head.jpg");
    // A PNG header claiming 60000 x 60000 pixels: refused before any memory is taken.
    QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");
    png += QByteArray::fromHex("0000ea600000ea600802000000");
    png += QByteArray(4, '\0');
    QTest::newRow("absurd size") << png << QStringLiteral("huge.png");
}

void TestImageResolver::load_refusesBadFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    write(name, bytes);
    QString error;
    QVERIFY(!ImageLoader::load(m_dir->filePath(name), QSize(300, 200), false, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!ImageLoader::load(m_dir->filePath(QStringLiteral("missing.jpg")), QSize(), false));
}

void TestImageResolver::load_decodesAtTheShownSize()
{
    writeImage(QStringLiteral("big.jpg"), QSize(2000, 1460));
    const QString path = m_dir->filePath(QStringLiteral("big.jpg"));
    QCOMPARE(ImageLoader::load(path, QSize(411, 300), false)->size(), QSize(411, 300));
    QCOMPARE(ImageLoader::load(path, QSize(400, 400), true)->size(), QSize(400, 292));
    QCOMPARE(ImageLoader::load(path, QSize(), true)->size(), QSize(2000, 1460));
    // A small picture is never blown up at decoding.
    QCOMPARE(ImageLoader::load(path, QSize(4000, 3000), false)->size(), QSize(2000, 1460));
}

void TestImageResolver::load_cameraPhotoBeyondTheLibraryLimit_data()
{
    QTest::addColumn<QSize>("target");
    QTest::addColumn<bool>("keepAspect");
    QTest::addColumn<QSize>("decoded");
    QTest::newRow("thumbnail") << QSize(96, 72) << true << QSize(96, 64);
    QTest::newRow("photo report, stretched") << QSize(1500, 1050) << false << QSize(1500, 1050);
    QTest::newRow("in full, as for a 100% view") << QSize() << true << QSize(7360, 4912);
}

void TestImageResolver::load_cameraPhotoBeyondTheLibraryLimit()
{
    QFETCH(QSize, target);
    QFETCH(bool, keepAspect);
    QFETCH(QSize, decoded);
    // 36 megapixels: 138 MiB in full, more than the image library allows unless told otherwise.
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("camera.jpg"));
    if (!QFile::exists(path))
        QVERIFY(TestSupport::drawLargePhoto(3, QSize(7360, 4912)).save(path, "JPG", 85));
    QString error;
    const std::optional<QImage> image = ImageLoader::load(path, target, keepAspect, &error);
    QVERIFY2(image, qPrintable(error));
    QCOMPARE(image->size(), decoded);
}

void TestImageResolver::load_nonAsciiAndBlankNames()
{
    writeImage(QStringLiteral("program/PhotoImages/Sö 01/plot één.jpg"), QSize(16, 12));
    const ImageResolver resolver(m_directory, m_program);
    const ImageResolver::Result found = resolver.resolve(
        photo(QStringLiteral("Sö 01"), QStringLiteral("plot één.jpg"), {}), ImageResolver::Photo, true);
    QCOMPARE(found.source, int(ImageLocal));
    QVERIFY(ImageLoader::load(found.path, QSize(8, 6), false));
}

QTEST_GUILESS_MAIN(TestImageResolver)
#include "tst_imageresolver.moc"
