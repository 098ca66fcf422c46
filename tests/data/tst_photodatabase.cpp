// Opening photo databases of both formats, and refusing bad files without harm.
#include "data/photodatabase.h"
#include "data/photolibrary.h"
#include "testsupport.h"

#include <QtTest>

class TestPhotoDatabase : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void open_accessFixture_readsEveryRowInOrder();
    void open_sqliteFile_keepsNullsAndEmptyTexts();
    void open_fieldNamesInAnyCase_areRead();
    void bookByLabel_anyLetterCase_findsBook();
    void open_badFile_failsWithReason_data();
    void open_badFile_failsWithReason();
    void open_readOnlyFile_works();
    void library_openWithoutDatabase_createsDataFolderAndEmptySet();
    void convert_accessToSqlite_keepsRows();

private:
    QTemporaryDir m_dir;
};

void TestPhotoDatabase::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void TestPhotoDatabase::open_accessFixture_readsEveryRowInOrder()
{
    PhotoDatabase db;
    QString error;
    QVERIFY2(db.open(TestSupport::dataPath("fixtures/photo_jet4.mdb"), &error), qPrintable(error));
    const auto photos = db.selectPhotos();
    QVERIFY(photos);
    QCOMPARE(int(photos->size()), 40);
    QCOMPARE(photos->front().id, 1);
    QCOMPARE(photos->front().label(), QStringLiteral("SW-01/01"));
    QCOMPARE(photos->front().groupLabel, QStringLiteral("DF stand, plot 1"));
    QCOMPARE(*photos->front().tonsPerAcreBreak[0], 1.09);
    for (size_t i = 1; i < photos->size(); ++i)
        QVERIFY((*photos)[i - 1].id < (*photos)[i].id);
    const auto books = db.books();
    QVERIFY(books);
    QCOMPARE(int(books->size()), 5);
    QCOMPARE(books->at(3).bookLabel, QStringLiteral("SE-04"));
    QCOMPARE(*books->at(3).breakInches6, 35.0);
}

void TestPhotoDatabase::open_sqliteFile_keepsNullsAndEmptyTexts()
{
    const QString path = m_dir.filePath("nulls.mdb");
    QStringList sql = TestSupport::photoSchema();
    sql << "INSERT INTO Photos (ID, BookLabel, PhotoLabel, GroupLabel, TonsPerAcreBreak1, AverageDuffDepth, VegType) "
           "VALUES (7, 'B1', '01', NULL, NULL, -1, '')";
    QVERIFY(TestSupport::makeSqlite(path, sql));
    PhotoDatabase db;
    QVERIFY(db.open(path));
    const auto photo = db.photoById(7);
    QVERIFY(photo);
    QVERIFY(photo->groupLabel.isNull());
    QVERIFY(!photo->tonsPerAcreBreak[0]);
    QCOMPARE(*photo->averageDuffDepth, -1.0);
    QVERIFY(!photo->vegType.isNull());
    QVERIFY(photo->vegType.isEmpty());
    QVERIFY(photo->activity.isNull());
    QVERIFY(!photo->totalLoad());
}

void TestPhotoDatabase::open_fieldNamesInAnyCase_areRead()
{
    const QString path = m_dir.filePath("lower.mdb");
    QVERIFY(TestSupport::makeSqlite(path, {"CREATE TABLE photos (id INTEGER, booklabel TEXT, PHOTOLABEL TEXT, "
                                           "tonsperacrebreak4 REAL)",
                                           "INSERT INTO photos VALUES (3, 'BK', '02', 4.5)"}));
    PhotoDatabase db;
    QVERIFY(db.open(path));
    const auto photos = db.selectPhotos();
    QVERIFY(photos);
    QCOMPARE(photos->front().id, 3);
    QCOMPARE(photos->front().label(), QStringLiteral("BK/02"));
    QCOMPARE(*photos->front().tonsPerAcreBreak[3], 4.5);
}

void TestPhotoDatabase::bookByLabel_anyLetterCase_findsBook()
{
    PhotoDatabase db;
    QVERIFY(db.open(TestSupport::dataPath("fixtures/photo_jet4.mdb")));
    const auto book = db.bookByLabel(QStringLiteral("pn-02"));
    QVERIFY(book);
    QCOMPARE(book->bookLabel, QStringLiteral("PN-02"));
    QCOMPARE(*book->breakInches5, 20.0);
    QVERIFY(!db.bookByLabel(QStringLiteral("\" OR 1=1 --")));
}

void TestPhotoDatabase::open_badFile_failsWithReason_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reasonPart");

    const QString random = m_dir.filePath("random.mdb");
    QFile r(random);
    QVERIFY(r.open(QIODevice::WriteOnly));
    QRandomGenerator generator(42);
    for (int i = 0; i < 64 * 1024; ++i)
        r.putChar(char(generator.bounded(256)));
    r.close();

    QFile fixture(TestSupport::dataPath("fixtures/photo_jet4.mdb"));
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    const QByteArray bytes = fixture.readAll();
    const QString truncated = m_dir.filePath("truncated.mdb");
    QFile t(truncated);
    QVERIFY(t.open(QIODevice::WriteOnly));
    t.write(bytes.left(bytes.size() / 2));
    t.close();

    const QString noPhotos = m_dir.filePath("nophotos.mdb");
    QVERIFY(TestSupport::makeSqlite(noPhotos, {"CREATE TABLE Books (id INTEGER)"}));

    const QString empty = m_dir.filePath("empty.mdb");
    QFile e(empty);
    QVERIFY(e.open(QIODevice::WriteOnly));
    e.close();

    QTest::newRow("missing") << m_dir.filePath("missing.mdb") << "not found";
    QTest::newRow("random bytes") << random << "not a photo database";
    QTest::newRow("truncated Access file") << truncated << "truncated.mdb";
    QTest::newRow("SQLite without Photos") << noPhotos << "no Photos table";
    QTest::newRow("empty file") << empty << "not a photo database";
}

void TestPhotoDatabase::open_badFile_failsWithReason()
{
    QFETCH(QString, path);
    QFETCH(QString, reasonPart);
    PhotoDatabase db;
    QString error;
    QVERIFY(!db.open(path, &error));
    QVERIFY(!db.isOpen());
    QVERIFY2(error.contains(reasonPart), qPrintable(error));
    QVERIFY(!db.selectPhotos());
    QVERIFY(!db.books());
}

void TestPhotoDatabase::open_readOnlyFile_works()
{
    const QString path = m_dir.filePath("readonly.mdb");
    QStringList sql = TestSupport::photoSchema();
    sql << "INSERT INTO Photos (ID, BookLabel, PhotoLabel) VALUES (1, 'B', '1')";
    QVERIFY(TestSupport::makeSqlite(path, sql));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    PhotoDatabase db;
    QVERIFY(db.open(path));
    QCOMPARE(int(db.selectPhotos()->size()), 1);
}

void TestPhotoDatabase::library_openWithoutDatabase_createsDataFolderAndEmptySet()
{
    QTemporaryDir home;
    PhotoLibrary library;
    QString error;
    QVERIFY(!library.OpenPhotoDatabase(home.path(), &error));
    QVERIFY(QFileInfo(QDir(home.path()).filePath("data")).isDir());
    QVERIFY(error.contains("Photo.mdb"));
    QVERIFY(library.currentPhotoSet());
    QCOMPARE(int(library.currentPhotoSet()->size()), 0);
    QVERIFY(!library.ReopenPhotoDatabase());
}

void TestPhotoDatabase::convert_accessToSqlite_keepsRows()
{
    PhotoDatabase source;
    QVERIFY(source.open(TestSupport::dataPath("fixtures/photo_jet4.mdb")));
    const QString target = m_dir.filePath("converted.sqlite");
    QString error;
    QVERIFY2(writeSqliteCopy(source, target, &error), qPrintable(error));
    QCOMPARE(PhotoDatabase::detect(target), PhotoDatabase::FileKind::Sqlite);
    PhotoDatabase copy;
    QVERIFY(copy.open(target));
    const auto a = source.selectPhotos();
    const auto b = copy.selectPhotos();
    QCOMPARE(a->size(), b->size());
    for (size_t i = 0; i < a->size(); ++i) {
        QCOMPARE((*a)[i].label(), (*b)[i].label());
        QCOMPARE((*a)[i].totalFL, (*b)[i].totalFL);
        QCOMPARE((*a)[i].vegType, (*b)[i].vegType);
    }
}

QTEST_GUILESS_MAIN(TestPhotoDatabase)
#include "tst_photodatabase.moc"
