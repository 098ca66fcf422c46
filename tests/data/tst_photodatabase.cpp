// SPDX-License-Identifier: GPL-3.0-or-later
// Opening photo databases of both formats, and refusing bad files without harm.
#include "app/sample/samplelibrary.h"
#include "data/photodatabase.h"
#include "data/photolibrary.h"
#include "data/querybuilder.h"
#include "data/queryparameters.h"
#include "data/resultsmodel.h"
#include "files.h"
#include "testsupport.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace
{

// Overwrites page `page` (1-based) of an SQLite file with a copy of page `from`, as a bad sector or a
// misdirected write leaves it.
QByteArray withPageCopied(const QByteArray &bytes, int page, int from, int pageSize = 4096)
{
    QByteArray damaged = bytes;
    damaged.replace((page - 1) * pageSize, pageSize, bytes.mid((from - 1) * pageSize, pageSize));
    return damaged;
}

} // namespace

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
    void open_damagedSqlite_refusedBeforeAnyRow_data();
    void open_damagedSqlite_refusedBeforeAnyRow();
    void open_missingColumn_namesIt_data();
    void open_missingColumn_namesIt();
    void read_badNumbers_countAsNull_data();
    void read_badNumbers_countAsNull();
    void read_failureAfterOpen_namesFile();

private:
    // A sound SQLite library of 720 photos, as bytes.
    QByteArray sampleDatabase();

    QTemporaryDir m_dir;
    QByteArray m_sample;
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
    QStringList sql = TestSupport::photoSchema();
    sql.replaceInStrings("Photos", "photos");
    sql.replaceInStrings("PhotoLabel", "PHOTOLABEL");
    sql.replaceInStrings("TonsPerAcreBreak4", "tonsperacrebreak4");
    sql << "INSERT INTO photos (id, booklabel, PHOTOLABEL, tonsperacrebreak4) VALUES (3, 'BK', '02', 4.5)";
    QVERIFY(TestSupport::makeSqlite(path, sql));
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

QByteArray TestPhotoDatabase::sampleDatabase()
{
    if (m_sample.isEmpty()) {
        const QString folder = m_dir.filePath(QStringLiteral("sample"));
        QString error;
        SampleOptions options;
        options.photos = 720;
        options.images = false;
        if (writeSampleLibrary(folder, options, &error))
            m_sample = TestSupport::fileBytes(QDir(folder).filePath(QStringLiteral("Photo.mdb")));
        else
            qWarning("%s", qPrintable(error));
    }
    return m_sample;
}

void TestPhotoDatabase::open_damagedSqlite_refusedBeforeAnyRow_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("from");
    const QByteArray sound = sampleDatabase();
    QVERIFY(sound.size() > 30 * 4096);
    const int last = int(sound.size() / 4096);
    // Each of these, unchecked, lists more or fewer photos than the table holds, or fails after some rows.
    QTest::newRow("last page overwritten by the one before") << last << last - 1;
    QTest::newRow("a middle page overwritten by the next") << last / 2 << last / 2 + 1;
    QTest::newRow("a middle page overwritten by the last") << last / 2 << last;
    QTest::newRow("a page overwritten by the schema page") << last - 3 << 1;
}

void TestPhotoDatabase::open_damagedSqlite_refusedBeforeAnyRow()
{
    QFETCH(int, page);
    QFETCH(int, from);
    // A path of its own for each damaged file: a verdict is kept per path, size and modification time.
    const QString path = m_dir.filePath(QStringLiteral("damaged-%1-%2.mdb").arg(page).arg(from));
    QVERIFY(TestSupport::writeBytes(path, withPageCopied(sampleDatabase(), page, from)));
    PhotoDatabase db;
    QString error;
    QVERIFY(!db.open(path, &error));
    QVERIFY2(error.startsWith(path + QStringLiteral(": ")), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("damaged")) || error.contains(QStringLiteral("malformed")),
             qPrintable(error));

    // The batch list reports it before printing anything.
    const QString home = m_dir.filePath(QStringLiteral("home-%1-%2").arg(page).arg(from));
    QVERIFY(QDir().mkpath(home));
    QVERIFY(QFile::copy(path, QDir(home).filePath(QStringLiteral("Photo.mdb"))));
    QProcess cli;
    cli.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")),
              {QStringLiteral("--home"), home, QStringLiteral("list")});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY(cli.exitCode() != 0);
    QCOMPARE(cli.readAllStandardOutput(), QByteArray());
    QVERIFY(cli.readAllStandardError().contains(QFile::encodeName(home)));
}

void TestPhotoDatabase::open_missingColumn_namesIt_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column"); // empty: the whole table is missing
    QTest::addColumn<QString>("reason");
    QTest::newRow("photo label") << "Photos"
                                 << "PhotoLabel"
                                 << "the Photos table has no column PhotoLabel";
    QTest::newRow("a size class") << "Photos"
                                  << "TonsPerAcreBreak1"
                                  << "the Photos table has no column TonsPerAcreBreak1";
    QTest::newRow("a class bound of the books") << "Books"
                                                << "BreakInches5"
                                                << "the Books table has no column BreakInches5";
    QTest::newRow("no Books table") << "Books"
                                    << ""
                                    << "the database has no Books table";
}

// A missing column would show blanks where data belongs (every photo as "BOOK/"); refused at open instead,
// with words that every command and the status bar repeat.
void TestPhotoDatabase::open_missingColumn_namesIt()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, reason);
    const QString home = m_dir.filePath(QStringLiteral("columns-") + QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(home));
    const QString path = QDir(home).filePath(QStringLiteral("Photo.mdb"));
    QStringList sql = TestSupport::photoSchema();
    sql << "INSERT INTO Books (id, BookLabel, BookDescription) VALUES (1, 'PNW-01', 'One')"
        << "INSERT INTO Photos (ID, BookLabel, PhotoLabel, TonsPerAcreBreak1) VALUES (1, 'PNW-01', '01', 1.5)";
    sql << (column.isEmpty() ? QStringLiteral("DROP TABLE %1").arg(table)
                             : QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(table, column));
    QVERIFY(TestSupport::makeSqlite(path, sql));

    const QString expected = path + QStringLiteral(": ") + reason;
    PhotoDatabase db;
    QString error;
    QVERIFY(!db.open(path, &error));
    QCOMPARE(error, expected);
    PhotoLibrary library;
    QVERIFY(!library.OpenPhotoDatabase(home, &error));
    QCOMPARE(error, expected);
    for (const QStringList &command : {QStringList{"list"}, QStringList{"params"}, QStringList{"query", "all"},
                                       QStringList{"datasheet", "PNW-01/01"}}) {
        QProcess cli;
        cli.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")), QStringList{"--home", home} + command);
        QVERIFY(cli.waitForFinished(60000));
        QVERIFY(cli.exitCode() != 0);
        QCOMPARE(cli.readAllStandardOutput(), QByteArray());
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QVERIFY2(err.contains(expected), qPrintable(command.join(' ') + ": " + err));
    }
}

void TestPhotoDatabase::read_badNumbers_countAsNull_data()
{
    QTest::addColumn<QString>("value");   // an SQL expression stored in TonsPerAcreBreak1 and TotalFL
    QTest::addColumn<double>("expected"); // NaN: no value
    const double none = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("a number") << "2.5" << 2.5;
    QTest::newRow("a whole number") << "3" << 3.0;
    QTest::newRow("text") << "'abc'" << none;
    QTest::newRow("comma as decimal point") << "'1,5'" << none;
    QTest::newRow("binary value") << "X'0102'" << none;
    QTest::newRow("infinity") << "1e999" << none;
    QTest::newRow("negative infinity") << "-1e999" << none;
    QTest::newRow("not a number") << "(1e999 - 1e999)" << none;
    QTest::newRow("empty text") << "''" << none;
}

// A value that is not a finite number is no value: never 0, never "Inf", and the queries and range lists
// see it as the lists do.
void TestPhotoDatabase::read_badNumbers_countAsNull()
{
    QFETCH(QString, value);
    QFETCH(double, expected);
    const bool hasValue = !std::isnan(expected);
    const QString path = m_dir.filePath(QStringLiteral("numbers-") + QString::fromLatin1(QTest::currentDataTag()));
    QStringList sql = TestSupport::photoSchema();
    sql << "INSERT INTO Books (id, BookLabel, BookDescription) VALUES (1, 'B', 'One')"
        << QStringLiteral("INSERT INTO Photos (ID, BookLabel, PhotoLabel, TonsPerAcreBreak1, TonsPerAcreBreak2,"
                          " TonsPerAcreBreak3, TotalFL, AverageDuffDepth) VALUES (1, 'B', '1', %1, 0, 0, %1, %1)")
               .arg(value)
        << "INSERT INTO Photos (ID, BookLabel, PhotoLabel, TonsPerAcreBreak1, TonsPerAcreBreak2, TonsPerAcreBreak3,"
           " TotalFL) VALUES (2, 'B', '2', 1, 0, 0, 1)";
    QVERIFY(TestSupport::makeSqlite(path, sql));
    PhotoDatabase db;
    QString error;
    QVERIFY2(db.open(path, &error), qPrintable(error));
    const auto photo = db.photoById(1);
    QVERIFY(photo);
    QCOMPARE(photo->tonsPerAcreBreak[0].has_value(), hasValue);
    QCOMPARE(photo->totalFL.has_value(), hasValue);
    QCOMPARE(photo->averageDuffDepth.has_value(), hasValue);
    if (hasValue) {
        QCOMPARE(*photo->tonsPerAcreBreak[0], expected);
        QCOMPARE(*photo->fineLoad(), expected);
    }
    for (int c = 0; c < ResultsModel::ColumnCount; ++c)
        QVERIFY(!ResultsModel::cellText(*photo, c).contains(QStringLiteral("inf"), Qt::CaseInsensitive));

    // The queries compare the same values the list shows.
    QueryCriteria c;
    c.totalFrom = QStringLiteral("0");
    c.totalTo = QStringLiteral("100");
    const auto byTotal = QueryBuilder::select(db, QueryCriteria::TotalLoad, c, &error);
    QVERIFY2(byTotal, qPrintable(error));
    QCOMPARE(byTotal->size(), size_t(hasValue ? 2 : 1));
    const auto range = QueryParameters::rangeEntries(db, QueryParameters::TotalLoad, &error);
    QVERIFY2(range, qPrintable(error));
    QCOMPARE(range->last(), hasValue ? QStringLiteral(" 6") : QStringLiteral(" 4"));
}

void TestPhotoDatabase::read_failureAfterOpen_namesFile()
{
    const QString path = m_dir.filePath(QStringLiteral("later.mdb"));
    QVERIFY(TestSupport::writeBytes(path, sampleDatabase()));
    {
        PhotoDatabase checked; // the verdict on this version of the file is kept
        QVERIFY(checked.open(path));
    }
    PhotoDatabase db;
    QVERIFY(db.open(path));
    // Damaged in place while open, as a failing disc would.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const int last = int(file.size() / 4096);
    QVERIFY(file.seek(qint64(last - 2) * 4096));
    QVERIFY(file.write(QByteArray(4096, '\xff')) == 4096);
    file.close();
    QString error;
    QVERIFY(!db.selectPhotos({}, {}, &error));
    QVERIFY2(error.startsWith(path + QStringLiteral(": ")), qPrintable(error));
    error.clear();
    QueryParameters::load(db, m_dir.path(), &error);
    QVERIFY2(error.startsWith(path + QStringLiteral(": ")), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestPhotoDatabase)
#include "tst_photodatabase.moc"
