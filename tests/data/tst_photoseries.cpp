// SPDX-License-Identifier: GPL-3.0-or-later
// The photo manager's core: installing from folders, zips and Access files, merging, replacing, removing and
// moving books, and leaving everything as it was after a Cancel, a failure or a damaged source.
#include "data/photodatabase.h"
#include "data/photoseries.h"
#include "files.h"
#include "platformdoubles.h"
#include "seriessupport.h"
#include "testprogram.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace PhotoSeries;

namespace
{
// Each photo as label and the values the program shows, in label order.
QStringList photoRows(const QString &programFolder, QList<qint64> *ids = nullptr)
{
    PhotoDatabase db;
    if (!db.open(QDir(programFolder).filePath(QStringLiteral("Photo.mdb"))))
        return {QStringLiteral("<no database>")};
    QStringList rows;
    const auto photos = db.selectPhotos();
    for (const PhotoRecord &p : *photos) {
        rows << QStringList{p.label(), p.groupLabel, QString::number(p.totalFL.value_or(-1)), p.photoPic, p.dataPic}
                    .join(QLatin1Char('|'));
        if (ids)
            ids->append(p.id);
    }
    rows.sort();
    return rows;
}

QStringList bookLabels(const QString &programFolder)
{
    Place place;
    place.programFolder = programFolder;
    QStringList labels;
    const auto books = listBooks(place, nullptr);
    for (const InstalledBook &book : *books)
        labels << book.label;
    return labels;
}
} // namespace

class TestPhotoSeries : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void install_eachKindOfSource_addsItsBooksAndImages_data();
    void install_eachKindOfSource_addsItsBooksAndImages();
    void install_intoAccessDatabase_convertsKeepsOriginalAndRenumbers();
    void install_installedBook_skippedOrReplaced_data();
    void install_installedBook_skippedOrReplaced();
    void install_cancelOrFailureMidway_leavesEverythingAsItWas_data();
    void install_cancelOrFailureMidway_leavesEverythingAsItWas();
    void prepare_damagedSource_refusedOrReported_data();
    void prepare_damagedSource_refusedOrReported();
    void install_imagesInPlace_setsThePhotoDirectory();
    void removeAndMove_changeOnlyWhatTheySay();

private:
    Place place() const;
    std::unique_ptr<Installation> prepare(const QString &source, QString *error = nullptr);
    bool install(const QString &source, Summary *summary = nullptr, const ProgressFunction &progress = {});

    QTemporaryDir m_root;
    QString m_sample;  // a 24-photo sample series, made once
    QString m_series;  // this test's copy of it
    QString m_program; // this test's program folder
    QString m_work;
    std::unique_ptr<QTemporaryDir> m_dir;
    MemorySettingsStore m_settings;
};

void TestPhotoSeries::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_sample = m_root.filePath(QStringLiteral("sample"));
    QVERIFY(TestSupport::makeSampleLibrary(m_sample, {QStringLiteral("--photos"), QStringLiteral("24")}));
}

void TestPhotoSeries::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_series = m_dir->filePath(QStringLiteral("series"));
    m_program = m_dir->filePath(QStringLiteral("program"));
    m_work = m_dir->filePath(QStringLiteral("work"));
    QVERIFY(TestSupport::copyTree(m_sample, m_series));
    QVERIFY(QDir().mkpath(m_program) && QDir().mkpath(m_work));
    m_settings = MemorySettingsStore();
}

Place TestPhotoSeries::place() const
{
    Place p;
    p.programFolder = m_program;
    p.photoDirectory = m_dir->filePath(QStringLiteral("cdrom/photoimages/"));
    p.settings = const_cast<MemorySettingsStore *>(&m_settings);
    return p;
}

std::unique_ptr<Installation> TestPhotoSeries::prepare(const QString &source, QString *error)
{
    return Installation::prepare(place(), source, m_work, error);
}

bool TestPhotoSeries::install(const QString &source, Summary *summary, const ProgressFunction &progress)
{
    QString error;
    auto plan = prepare(source, &error);
    if (!plan) {
        qWarning("prepare: %s", qPrintable(error));
        return false;
    }
    if (!plan->run(progress, summary, &error)) {
        qWarning("run: %s", qPrintable(error));
        return false;
    }
    return true;
}

void TestPhotoSeries::install_eachKindOfSource_addsItsBooksAndImages_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder, images in PhotoImages") << "folder";
    QTest::newRow("folder, book folders beside Photo.mdb") << "beside";
    QTest::newRow("the Photo.mdb file itself") << "file";
    QTest::newRow("folder with the series one level down") << "nested";
    QTest::newRow("zip, series at its top") << "zip";
    QTest::newRow("zip, series in one folder, names in other case") << "zip nested";
}

void TestPhotoSeries::install_eachKindOfSource_addsItsBooksAndImages()
{
    QFETCH(QString, kind);
    QString source = m_series;
    if (kind == QLatin1String("beside")) {
        for (const QString &book :
             QDir(m_series + QStringLiteral("/PhotoImages")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QVERIFY(
                QDir().rename(m_series + QStringLiteral("/PhotoImages/") + book, m_series + QLatin1Char('/') + book));
        QVERIFY(QDir().rmdir(m_series + QStringLiteral("/PhotoImages")));
    } else if (kind == QLatin1String("file")) {
        source = m_series + QStringLiteral("/Photo.mdb");
    } else if (kind == QLatin1String("nested")) {
        source = m_dir->filePath(QStringLiteral("download"));
        QVERIFY(QDir().mkpath(source));
        QVERIFY(QDir().rename(m_series, source + QStringLiteral("/Series 1")));
    } else if (kind.startsWith(QLatin1String("zip"))) {
        source = m_dir->filePath(QStringLiteral("series.zip"));
        const bool nested = kind == QLatin1String("zip nested");
        auto entries = TestSupport::folderEntries(m_series, nested ? QStringLiteral("Series/") : QString());
        if (nested) {
            for (TestSupport::ZipEntry &entry : entries)
                entry.name = entry.name.replace(QStringLiteral("PhotoImages"), QStringLiteral("PHOTOIMAGES"))
                                 .replace(QStringLiteral("Photo.mdb"), QStringLiteral("PHOTO.MDB"));
        }
        QVERIFY(TestSupport::writeZip(source, entries));
    }
    const QStringList expected = photoRows(m_sample);
    Summary summary;
    QVERIFY(install(source, &summary));
    QCOMPARE(photoRows(m_program), expected);
    QCOMPARE(summary.booksAdded, 8);
    QCOMPARE(summary.photos, 24);
    QCOMPARE(summary.imagesMissing, 0);
    const auto images = TestSupport::treeSnapshot(m_sample + QStringLiteral("/PhotoImages"));
    QCOMPARE(TestSupport::treeSnapshot(m_program + QStringLiteral("/PhotoImages")), images);
    QCOMPARE(summary.imagesCopied,
             int(images.size() - std::count(images.cbegin(), images.cend(), QByteArray("<dir>"))));
    QCOMPARE(PhotoDatabase::detect(m_program + QStringLiteral("/Photo.mdb")), PhotoDatabase::FileKind::Sqlite);
    // Nothing of the work is left behind.
    QCOMPARE(QDir(m_program).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("Photo.mdb"), QStringLiteral("PhotoImages")}));
}

void TestPhotoSeries::install_intoAccessDatabase_convertsKeepsOriginalAndRenumbers()
{
    // The Access fixture's IDs start at 1, as the sample's do: every sample photo collides.
    const QString fixture = TestSupport::dataPath(QStringLiteral("fixtures/photo_jet4.mdb"));
    QVERIFY(QFile::copy(fixture, m_program + QStringLiteral("/Photo.mdb")));
    const QStringList before = photoRows(m_program);
    QVERIFY(TestSupport::writeBytes(m_program + QStringLiteral("/Photo.mdb.bak"), "an older backup"));

    Summary summary;
    QVERIFY(install(m_series, &summary));
    QVERIFY(!summary.backup.isEmpty());
    QVERIFY(summary.backup != m_program + QStringLiteral("/Photo.mdb.bak")); // the older backup is kept too
    QCOMPARE(TestSupport::fileBytes(summary.backup), TestSupport::fileBytes(fixture));
    QCOMPARE(TestSupport::fileBytes(m_program + QStringLiteral("/Photo.mdb.bak")), QByteArray("an older backup"));
    QCOMPARE(PhotoDatabase::detect(m_program + QStringLiteral("/Photo.mdb")), PhotoDatabase::FileKind::Sqlite);

    QList<qint64> ids;
    const QStringList after = photoRows(m_program, &ids);
    QStringList expected = before + photoRows(m_sample);
    expected.sort();
    // SW-01 is in both: the installed one stays, the series' is skipped.
    QStringList withoutSampleSw = expected;
    withoutSampleSw.erase(std::remove_if(withoutSampleSw.begin(), withoutSampleSw.end(),
                                         [&](const QString &row) {
                                             return row.startsWith(QLatin1String("SW-01/")) && !before.contains(row);
                                         }),
                          withoutSampleSw.end());
    QCOMPARE(after, withoutSampleSw);
    QCOMPARE(QSet<qint64>(ids.cbegin(), ids.cend()).size(), ids.size());
    QCOMPARE(summary.booksSkipped, 1);
    QVERIFY(summary.notes.join(QLatin1Char(' ')).contains(QLatin1String("new IDs")));

    // Books keep distinct ids as well.
    PhotoDatabase db;
    QVERIFY(db.open(m_program + QStringLiteral("/Photo.mdb")));
    const auto bookIds = db.column(QStringLiteral("SELECT id FROM Books"));
    QSet<qint64> distinct;
    for (const QVariant &id : *bookIds)
        distinct.insert(id.toLongLong());
    QCOMPARE(distinct.size(), bookIds->size());
}

void TestPhotoSeries::install_installedBook_skippedOrReplaced_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("replaceImages");
    QTest::newRow("skip") << false << false;
    QTest::newRow("replace the rows, keep the images") << true << false;
    QTest::newRow("replace the rows and the images") << true << true;
}

void TestPhotoSeries::install_installedBook_skippedOrReplaced()
{
    QFETCH(bool, replace);
    QFETCH(bool, replaceImages);
    QVERIFY(install(m_series));
    const QByteArray database = TestSupport::fileBytes(m_program + QStringLiteral("/Photo.mdb"));
    const auto images = TestSupport::treeSnapshot(m_program + QStringLiteral("/PhotoImages"));

    // A new edition of the series: PNW-01 lost a photo, one of its pictures changed.
    QVERIFY(TestSupport::makeSqlite(
        m_series + QStringLiteral("/Photo.mdb"),
        {QStringLiteral("DELETE FROM Photos WHERE ID = (SELECT max(ID) FROM Photos WHERE "
                        "BookLabel = 'PNW-01')"),
         QStringLiteral("UPDATE Photos SET GroupLabel = 'revised' WHERE BookLabel = 'PNW-01'")}));
    const QString picture = m_series + QStringLiteral("/PhotoImages/PNW-01/pnw-01_01.jpg");
    QVERIFY(TestSupport::writeBytes(picture, "new picture"));

    auto plan = prepare(m_series);
    QVERIFY(plan);
    for (PlannedBook &book : plan->books()) {
        QVERIFY(book.installed);
        QCOMPARE(book.action, PlannedBook::Action::Skip);
        QVERIFY(book.localFolderExists);
        if (book.label == QLatin1String("PNW-01") && replace) {
            book.action = PlannedBook::Action::Replace;
            book.replaceLocalImages = replaceImages;
        }
    }
    Summary summary;
    QString error;
    QVERIFY2(plan->run({}, &summary, &error), qPrintable(error));
    QCOMPARE(summary.booksReplaced, replace ? 1 : 0);
    QCOMPARE(summary.booksSkipped, replace ? 7 : 8);
    if (!replace) {
        QCOMPARE(TestSupport::fileBytes(m_program + QStringLiteral("/Photo.mdb")), database);
    } else {
        QCOMPARE(photoRows(m_program), photoRows(m_series));
    }
    QCOMPARE(TestSupport::fileBytes(m_program + QStringLiteral("/PhotoImages/PNW-01/pnw-01_01.jpg")),
             replaceImages ? QByteArray("new picture") : images.value(QStringLiteral("PNW-01/pnw-01_01.jpg")));
    QCOMPARE(TestSupport::treeSnapshot(m_program + QStringLiteral("/PhotoImages")).size(), images.size());
}

void TestPhotoSeries::install_cancelOrFailureMidway_leavesEverythingAsItWas_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("cancel while reading") << "cancel reading";
    QTest::newRow("cancel among the photos") << "cancel photos";
    QTest::newRow("cancel among the images") << "cancel images";
    QTest::newRow("cancel at the end") << "cancel finishing";
    QTest::newRow("a damaged zip entry in the middle") << "damaged zip";
    QTest::newRow("a picture gone while copying") << "file gone";
}

void TestPhotoSeries::install_cancelOrFailureMidway_leavesEverythingAsItWas()
{
    QFETCH(QString, how);
    // Installed already: an Access database (so a conversion is under way too) and images of its own.
    QVERIFY(QFile::copy(TestSupport::dataPath(QStringLiteral("fixtures/photo_jet4.mdb")),
                        m_program + QStringLiteral("/Photo.mdb")));
    QVERIFY(QDir().mkpath(m_program + QStringLiteral("/PhotoImages/PNW-02")));
    QVERIFY(TestSupport::writeBytes(m_program + QStringLiteral("/PhotoImages/PNW-02/old.jpg"), "old"));
    const auto before = TestSupport::treeSnapshot(m_program);
    m_settings.writeText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"),
                         QStringLiteral("/media/cdrom/"));

    QString source = m_series;
    ProgressFunction progress;
    if (how.startsWith(QLatin1String("cancel"))) {
        const Progress::Stage stage = how.endsWith(QLatin1String("reading"))  ? Progress::Stage::Reading
                                      : how.endsWith(QLatin1String("photos")) ? Progress::Stage::Photos
                                      : how.endsWith(QLatin1String("images")) ? Progress::Stage::Images
                                                                              : Progress::Stage::Finishing;
        progress = [stage](const Progress &p) {
            return !(p.stage == stage && (stage != Progress::Stage::Images || p.images >= 5));
        };
    } else if (how == QLatin1String("damaged zip")) {
        source = m_dir->filePath(QStringLiteral("series.zip"));
        QVERIFY(TestSupport::writeZip(source, TestSupport::folderEntries(m_series)));
        // A byte in the middle of a picture of a later book: the checksum fails there.
        QByteArray zip = TestSupport::fileBytes(source);
        const QByteArray picture = TestSupport::fileBytes(m_series + QStringLiteral("/PhotoImages/LS-01/ls-01_01.jpg"));
        const qsizetype at = zip.indexOf(picture.mid(picture.size() / 2, 64));
        QVERIFY(at > 0);
        zip[at] = char(zip[at] ^ 0x55);
        QVERIFY(TestSupport::writeBytes(source, zip));
    } else {
        const QString gone = m_series + QStringLiteral("/PhotoImages/LS-01/ls-01_01.jpg");
        progress = [gone](const Progress &p) {
            if (p.stage == Progress::Stage::Images && p.images == 3)
                QFile::remove(gone);
            return true;
        };
    }
    QString error;
    auto plan = prepare(source, &error);
    QVERIFY2(plan, qPrintable(error));
    plan->copyImages = true;
    for (PlannedBook &book : plan->books())
        book.replaceLocalImages = true;
    Summary summary;
    QVERIFY(!plan->run(progress, &summary, &error));
    QVERIFY2(how.startsWith(QLatin1String("cancel")) == error.startsWith(QLatin1String("Cancelled")),
             qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("nothing was")), qPrintable(error));
    QCOMPARE(TestSupport::treeSnapshot(m_program), before); // byte for byte, and no work files left
    QCOMPARE(m_settings.readText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"), {}),
             QStringLiteral("/media/cdrom/"));
}

void TestPhotoSeries::prepare_damagedSource_refusedOrReported_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("refusal"); // empty: installed, with what was left out reported
    QTest::addColumn<QString>("reported");
    QTest::newRow("no Books table") << "DROP TABLE Books"
                                    << "no Books table"
                                    << "";
    QTest::newRow("a column missing") << "ALTER TABLE Photos DROP COLUMN TotalFL"
                                      << "no column TotalFL"
                                      << "";
    QTest::newRow("not a database") << "garbage"
                                    << "not a photo database"
                                    << "";
    QTest::newRow("cut short") << "truncate"
                               << "Photo.mdb"
                               << "";
    QTest::newRow("no Photo.mdb") << "no database"
                                  << "holds no Photo.mdb"
                                  << "";
    QTest::newRow("photos of an unlisted book") << "DELETE FROM Books WHERE BookLabel = 'SW-01'"
                                                << ""
                                                << "Books table does not list";
    QTest::newRow("images missing") << "remove images"
                                    << ""
                                    << "missing from the series";
    QTest::newRow("zip: paths out, absolute paths and links") << "hostile zip"
                                                              << ""
                                                              << "unsafe entry";
}

void TestPhotoSeries::prepare_damagedSource_refusedOrReported()
{
    QFETCH(QString, damage);
    QFETCH(QString, refusal);
    QFETCH(QString, reported);
    const QString database = m_series + QStringLiteral("/Photo.mdb");
    QString source = m_series;
    if (damage == QLatin1String("garbage")) {
        QVERIFY(TestSupport::writeBytes(database, QByteArray(4096, 'x')));
    } else if (damage == QLatin1String("truncate")) {
        QVERIFY(QFile::resize(database, 3000));
    } else if (damage == QLatin1String("no database")) {
        QVERIFY(QFile::remove(database));
    } else if (damage == QLatin1String("remove images")) {
        QVERIFY(QFile::remove(m_series + QStringLiteral("/PhotoImages/PNW-01/pnw-01_01.jpg")));
        QVERIFY(QDir(m_series + QStringLiteral("/PhotoImages/LS-01")).removeRecursively());
    } else if (damage == QLatin1String("hostile zip")) {
        source = m_dir->filePath(QStringLiteral("hostile.zip"));
        auto entries = TestSupport::folderEntries(m_series);
        entries.push_back({QStringLiteral("PhotoImages/PNW-01/../../../escaped.txt"), "out", false});
        entries.push_back({QStringLiteral("/tmp/absolute-from-zip.txt"), "out", false});
        entries.push_back({QStringLiteral("PhotoImages/PNW-01\\..\\..\\back.txt"), "out", false});
        entries.push_back({QStringLiteral("PhotoImages/PNW-01/link.jpg"), "/etc/passwd", true});
        QVERIFY(TestSupport::writeZip(source, entries));
    } else {
        QVERIFY(TestSupport::makeSqlite(database, {damage}));
    }
    const auto before = TestSupport::treeSnapshot(m_dir->path());
    QString error;
    auto plan = prepare(source, &error);
    if (!refusal.isEmpty()) {
        QVERIFY(!plan);
        QVERIFY2(error.contains(refusal), qPrintable(error));
        QCOMPARE(TestSupport::treeSnapshot(m_dir->path()), before);
        return;
    }
    QVERIFY2(plan, qPrintable(error));
    Summary summary;
    QVERIFY2(plan->run({}, &summary, &error), qPrintable(error));
    const QString notes = summary.notes.join(QLatin1Char('\n'));
    QVERIFY2(notes.contains(reported), qPrintable(notes));
    // Nothing reached a place outside the program folder's PhotoImages.
    QVERIFY(!QFileInfo::exists(m_program + QStringLiteral("/escaped.txt")));
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("escaped.txt"))));
    QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/absolute-from-zip.txt")));
    QVERIFY(!QFileInfo::exists(m_program + QStringLiteral("/PhotoImages/PNW-01/link.jpg")));
    QDirIterator links(m_program, QDir::System | QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (links.hasNext())
        QVERIFY2(!QFileInfo(links.next()).isSymLink(), qPrintable(links.filePath()));
}

void TestPhotoSeries::install_imagesInPlace_setsThePhotoDirectory()
{
    // Installed first from a disc elsewhere: those pictures are found only there.
    QVERIFY(install(m_series));
    const QString disc = m_dir->filePath(QStringLiteral("cdrom/photoimages"));
    QVERIFY(QDir().mkpath(QFileInfo(disc).path()));
    QVERIFY(QDir().rename(m_program + QStringLiteral("/PhotoImages"), disc));
    QVERIFY(TestSupport::makeSqlite(m_series + QStringLiteral("/Photo.mdb"),
                                    {QStringLiteral("UPDATE Books SET BookLabel = BookLabel || 'B'"),
                                     QStringLiteral("UPDATE Photos SET BookLabel = BookLabel || 'B'")}));
    for (const QString &book :
         QDir(m_series + QStringLiteral("/PhotoImages")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        QVERIFY(QDir().rename(m_series + QStringLiteral("/PhotoImages/") + book,
                              m_series + QStringLiteral("/PhotoImages/") + book + QLatin1Char('B')));

    QString error;
    auto plan = prepare(m_series, &error);
    QVERIFY2(plan, qPrintable(error));
    QVERIFY(plan->copyImages); // a writable folder: copied unless told otherwise
    plan->copyImages = false;
    QCOMPARE(plan->booksLeftBehind().size(), 8);
    QCOMPARE(plan->bytesToCopy(), qint64(0));
    Summary summary;
    QVERIFY2(plan->run({}, &summary, &error), qPrintable(error));
    const QString expected = m_series + QStringLiteral("/PhotoImages/");
    QCOMPARE(m_settings.readText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"), {}),
             expected);
    QCOMPARE(summary.photoDirectory, expected);
    QVERIFY(!QFileInfo::exists(m_program + QStringLiteral("/PhotoImages")));
    Place now = Place::current(m_program, &m_settings, nullptr);
    const auto books = listBooks(now, &error);
    QCOMPARE(int(books->size()), 16);
    QCOMPARE(books->back().place(), QStringLiteral("photo directory"));
    QCOMPARE(books->back().missing(), 0);
    QCOMPARE(books->front().place(), QStringLiteral("missing")); // left behind on the old disc
}

void TestPhotoSeries::removeAndMove_changeOnlyWhatTheySay()
{
    QVERIFY(install(m_series));
    const auto images = TestSupport::treeSnapshot(m_program + QStringLiteral("/PhotoImages"));
    const QByteArray database = TestSupport::fileBytes(m_program + QStringLiteral("/Photo.mdb"));
    QString error;
    QStringList notes;

    // An unknown label among known ones removes nothing at all.
    QVERIFY(!removeBooks(place(), {QStringLiteral("PNW-01"), QStringLiteral("XX-99")}, true, &notes, &error));
    QVERIFY(error.contains(QLatin1String("XX-99")));
    QCOMPARE(TestSupport::fileBytes(m_program + QStringLiteral("/Photo.mdb")), database);
    QCOMPARE(TestSupport::treeSnapshot(m_program + QStringLiteral("/PhotoImages")), images);

    // Labels compare without regard to case; the images go only when asked.
    QVERIFY2(removeBooks(place(), {QStringLiteral("pnw-01")}, false, &notes, &error), qPrintable(error));
    QVERIFY2(removeBooks(place(), {QStringLiteral("SW-01")}, true, &notes, &error), qPrintable(error));
    QCOMPARE(bookLabels(m_program).size(), 6);
    QVERIFY(!bookLabels(m_program).contains(QStringLiteral("PNW-01")));
    QVERIFY(QFileInfo::exists(m_program + QStringLiteral("/PhotoImages/PNW-01")));
    QVERIFY(!QFileInfo::exists(m_program + QStringLiteral("/PhotoImages/SW-01")));

    // To the photo directory and back: the same files, and the place the list shows follows.
    const QString there = place().photoDirectory + QStringLiteral("AK-01");
    const auto ak = TestSupport::treeSnapshot(m_program + QStringLiteral("/PhotoImages/AK-01"));
    QVERIFY2(moveImages(place(), QStringLiteral("AK-01"), MoveTarget::PhotoDirectory, {}, &notes, &error),
             qPrintable(error));
    QCOMPARE(TestSupport::treeSnapshot(there), ak);
    QVERIFY(!QFileInfo::exists(m_program + QStringLiteral("/PhotoImages/AK-01")));
    const auto listed = *listBooks(place(), &error);
    const auto book = std::find_if(listed.begin(), listed.end(),
                                   [](const InstalledBook &b) { return b.label == QLatin1String("AK-01"); });
    QCOMPARE(book->place(), QStringLiteral("photo directory"));
    // A cancelled move leaves both places as they were.
    QVERIFY(!moveImages(
        place(), QStringLiteral("AK-01"), MoveTarget::Local, [](const Progress &p) { return p.images < 2; }, &notes,
        &error));
    QCOMPARE(TestSupport::treeSnapshot(there), ak);
    QVERIFY(!QFileInfo::exists(m_program + QStringLiteral("/PhotoImages/AK-01")));
    QVERIFY2(moveImages(place(), QStringLiteral("AK-01"), MoveTarget::Local, {}, &notes, &error), qPrintable(error));
    QCOMPARE(TestSupport::treeSnapshot(m_program + QStringLiteral("/PhotoImages/AK-01")), ak);
    QVERIFY(!QFileInfo::exists(there));
    // A folder of that name where the images would go: nothing is moved.
    QVERIFY(QDir().mkpath(place().photoDirectory + QStringLiteral("ca-01")));
    QVERIFY(!moveImages(place(), QStringLiteral("CA-01"), MoveTarget::PhotoDirectory, {}, &notes, &error));
    QVERIFY(QFileInfo::exists(m_program + QStringLiteral("/PhotoImages/CA-01")));
}

QTEST_GUILESS_MAIN(TestPhotoSeries)
#include "tst_photoseries.moc"
