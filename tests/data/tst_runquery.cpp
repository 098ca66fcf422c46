// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the query: each kind against the Access fixture and crafted SQLite tables, bad input, the CLI.
#include "data/photolibrary.h"
#include "data/querybuilder.h"
#include "data/queryparameters.h"
#include "querylibrary.h"
#include "testsupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace
{

QList<qint64> ids(const PhotoSet &photos)
{
    QList<qint64> result;
    for (const PhotoRecord &p : photos)
        result << p.id;
    return result;
}

QueryCriteria fullRanges()
{
    QueryCriteria c;
    c.totalFrom = c.fineFrom = c.coarseFrom = QStringLiteral("0");
    c.totalTo = c.fineTo = c.coarseTo = QStringLiteral(" 100");
    return c;
}

// The crafted table: books with a comma in a label, codes differing in case, holding "-" or blanks, nulls.
const QStringList kCraftedPhotos{
    "3, 'B,12', 1, 1, 2, 'AB', 'X', '1', 'T'", "1, 'B,12', 2, 3, 5, 'ab', 'x', NULL, 'T'",
    "2, 'C7', 4, 4, 8, 'A-1', 'Y', '1', NULL", "4, 'C7', NULL, 1, NULL, 'AB ', NULL, '2', 'U'",
    "5, 'c7', 0, 0, 0, NULL, 'X', NULL, NULL", "6, 'C7', 1, 1, 2, 'x'' OR ''1''=''1', NULL, NULL, NULL",
};
const QStringList kCraftedBooks{"10, 'B,12', 'Book with a comma'", "11, 'C7', 'Plain book'"};

} // namespace

class TestRunQuery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void select_fixture_data();
    void select_fixture();
    void select_crafted_data();
    void select_crafted();
    void select_bookIdsNotUnique_data();
    void select_bookIdsNotUnique();
    void build_everyValueBound();
    void runQuery_badRange_keepsCurrentSet_data();
    void runQuery_badRange_keepsCurrentSet();
    void runQuery_noDatabase_failsAndKeepsEmptySet();
    void runQuery_otherKind_leavesSetUnchanged();
    void cli_query_data();
    void cli_query();
    void cli_params_printsEachListUnderItsControl();
    void cli_params_unusableCodeFile_data();
    void cli_params_unusableCodeFile();

private:
    PhotoDatabase m_fixture;
    QTemporaryDir m_crafted;
    PhotoDatabase m_craftedDb;
};

void TestRunQuery::initTestCase()
{
    QString error;
    QVERIFY2(m_fixture.open(TestSupport::dataPath(QStringLiteral("fixtures/photo_jet4.mdb")), &error),
             qPrintable(error));
    QVERIFY(QueryLibrary::write(m_crafted.path(), kCraftedPhotos, kCraftedBooks));
    QVERIFY2(m_craftedDb.open(m_crafted.filePath(QStringLiteral("Photo.mdb")), &error), qPrintable(error));
}

void TestRunQuery::select_fixture_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QueryCriteria>("criteria");
    QTest::addColumn<int>("count");
    QueryCriteria c = fullRanges();
    QTest::newRow("all photos") << 4 << c << 40;
    QTest::newRow("book: All Books") << 0 << c << 40;
    c.bookText = QStringLiteral("RM-03, Rocky Mountain ponderosa pine");
    c.bookId = 3;
    QTest::newRow("book entry") << 0 << c << 8;
    c = fullRanges();
    c.totalTo = QStringLiteral(" 10");
    QTest::newRow("total 0 to 10") << 1 << c << 2;
    c.totalFrom = QStringLiteral(" 40");
    QTest::newRow("total from above to") << 1 << c << 0;
    c = fullRanges();
    c.vegTypes = QStringList{"PP"};
    QTest::newRow("total, one vegetation type") << 1 << c << 6;
    QTest::newRow("size reads the same vegetation") << 2 << c << 6;
    c.activities = QStringList{"QQ"};
    QTest::newRow("vegetation and activity") << 1 << c << 2;
    c = fullRanges();
    QTest::newRow("size, full ranges") << 2 << c << 40;
    c.dangerRatings = QStringList{"T"};
    QTest::newRow("models, danger rating only") << 3 << c << 5;
    c.vegTypes = QStringList{"none"};
    QTest::newRow("models ignore vegetation") << 3 << c << 5;
    QTest::newRow("models, none chosen") << 3 << fullRanges() << 40;
}

void TestRunQuery::select_fixture()
{
    QFETCH(int, kind);
    QFETCH(QueryCriteria, criteria);
    QFETCH(int, count);
    QString error;
    const auto photos = QueryBuilder::select(m_fixture, kind, criteria, &error);
    QVERIFY2(photos, qPrintable(error));
    QCOMPARE(int(photos->size()), count);
    for (const PhotoRecord &p : *photos) {
        if (kind == 0 && criteria.bookId)
            QCOMPARE(p.bookLabel, QStringLiteral("RM-03"));
        if (kind == 1)
            QVERIFY(*p.totalFL >= criteria.totalFrom.toDouble() && *p.totalFL <= criteria.totalTo.toDouble());
        if (kind == 3 && !criteria.dangerRatings.isEmpty())
            QCOMPARE(p.dangerRatingFM, QStringLiteral("T"));
    }
}

void TestRunQuery::select_crafted_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QueryCriteria>("criteria");
    QTest::addColumn<QList<qint64>>("expected");
    QueryCriteria c = fullRanges();
    QTest::newRow("database order, nulls dropped by ranges") << 1 << c << QList<qint64>{3, 1, 2, 5, 6};
    c.bookText = QStringLiteral("B,12, Book with a comma");
    c.bookId = 10;
    QTest::newRow("book label holding a comma") << 0 << c << QList<qint64>{3, 1};
    c.bookText = QStringLiteral("C7, Plain book");
    c.bookId = 11;
    QTest::newRow("book label in other case") << 0 << c << QList<qint64>{2, 4, 5, 6};
    c.bookId.reset();
    c.bookLabel = QStringLiteral("B,12");
    QTest::newRow("book by its label alone") << 0 << c << QList<qint64>{3, 1};
    c = fullRanges();
    c.vegTypes = QStringList{"AB"};
    QTest::newRow("code in any case, not its blank twin") << 1 << c << QList<qint64>{3, 1};
    c.vegTypes = QStringList{"AB "};
    QTest::newRow("code with trailing blank") << 4 << c << QList<qint64>{3, 1, 2, 4, 5, 6};
    QTest::newRow("code with trailing blank, kind 2") << 2 << c << QList<qint64>{};
    c.vegTypes = QStringList{"A-1"};
    QTest::newRow("code holding a hyphen") << 1 << c << QList<qint64>{2};
    c.vegTypes = QStringList{"x' OR '1'='1"};
    QTest::newRow("quote in a code is data") << 1 << c << QList<qint64>{6};
    c.vegTypes = QStringList{"AB", "A-1"};
    c.activities = QStringList{"X"};
    QTest::newRow("alternatives within, both lists must hold") << 1 << c << QList<qint64>{3, 1};
    // A chain of thousands of alternatives grew too deep for the engine ("Expression tree is too large").
    QStringList many;
    for (int i = 0; i < 5000; ++i)
        many << QStringLiteral("Z%1").arg(i);
    c.vegTypes = many + QStringList{"ab"};
    c.activities = many + QStringList{"x"};
    QTest::newRow("thousands of codes") << 1 << c << QList<qint64>{3, 1};
    c.vegTypes = many + QStringList{" ab "};
    c.activities = many;
    c.dangerRatings = many + QStringList{"U "};
    c.codesAsShown = true;
    QTest::newRow("thousands of codes as shown") << 4 << c << QList<qint64>{3, 1, 2, 4, 5, 6};
    QTest::newRow("thousands of codes as shown, kind 1") << 1 << c << QList<qint64>{};
    QTest::newRow("thousands of codes as shown, models") << 3 << c << QList<qint64>{4};
    c = fullRanges();
    c.activities = QStringList{"X"};
    QTest::newRow("null vegetation never matters without vegetation") << 1 << c << QList<qint64>{3, 1, 5};
    c = fullRanges();
    c.fireBehaves = QStringList{"1"};
    QTest::newRow("fire behaviour only") << 3 << c << QList<qint64>{3, 2};
    c.dangerRatings = QStringList{"t"};
    QTest::newRow("both model lists") << 3 << c << QList<qint64>{3};
    c = fullRanges();
    c.vegTypes = QStringList{" ab "};
    QTest::newRow("raw value with blanks matches nothing else") << 1 << c << QList<qint64>{};
    c.codesAsShown = true;
    QTest::newRow("code as shown matches blank and case twins") << 4 << c << QList<qint64>{3, 1, 2, 4, 5, 6};
    QTest::newRow("code as shown, kind 1") << 1 << c << QList<qint64>{3, 1};
    c.vegTypes.clear();
    c.dangerRatings = QStringList{"u"};
    QTest::newRow("code as shown, models") << 3 << c << QList<qint64>{4};
    c = fullRanges();
    c.fineFrom = QStringLiteral("1");
    c.fineTo = QStringLiteral("2");
    c.coarseFrom = QStringLiteral("1");
    c.coarseTo = QStringLiteral("3");
    QTest::newRow("both size ranges must hold, inclusive") << 2 << c << QList<qint64>{3, 1, 6};
    c.coarseTo = QStringLiteral("2.5");
    QTest::newRow("coarse range excludes") << 2 << c << QList<qint64>{3, 6};
}

void TestRunQuery::select_crafted()
{
    QFETCH(int, kind);
    QFETCH(QueryCriteria, criteria);
    QFETCH(QList<qint64>, expected);
    QString error;
    const auto photos = QueryBuilder::select(m_craftedDb, kind, criteria, &error);
    QVERIFY2(photos, qPrintable(error));
    QCOMPARE(ids(*photos), expected);
}

void TestRunQuery::select_bookIdsNotUnique_data()
{
    QTest::addColumn<QStringList>("books");
    QTest::addColumn<QString>("change"); // SQL run on the library after it is written
    const QString second = QStringLiteral("'O''Neil \"2\", B', 'Second, with commas'");
    QTest::newRow("id repeated") << QStringList{"1, 'A', 'First'", "1, " + second, "2, 'C', 'Third'"} << "";
    QTest::newRow("id null") << QStringList{"NULL, 'A', 'First'", "NULL, " + second, "2, 'C', 'Third'"} << "";
    QTest::newRow("no id column") << QStringList{"1, 'A', 'First'", "2, " + second, "3, 'C', 'Third'"}
                                  << "ALTER TABLE Books DROP COLUMN id";
}

// Hand-made and converted databases have books without an id, or with one id twice: each entry of the book
// list must still give its own book's photos, never another's and never an error.
void TestRunQuery::select_bookIdsNotUnique()
{
    QFETCH(QStringList, books);
    QFETCH(QString, change);
    QTemporaryDir dir;
    QVERIFY(QueryLibrary::write(dir.path(),
                                {"1, 'A', 1, 1, 2, NULL, NULL, NULL, NULL",
                                 "2, 'O''Neil \"2\", B', 1, 1, 2, NULL, NULL, NULL, NULL",
                                 "3, 'C', 1, 1, 2, NULL, NULL, NULL, NULL", "4, 'A', 1, 1, 2, NULL, NULL, NULL, NULL"},
                                books));
    if (!change.isEmpty())
        QVERIFY(TestSupport::makeSqlite(dir.filePath(QStringLiteral("Photo.mdb")), {change}));
    PhotoDatabase db;
    QString error;
    QVERIFY2(db.open(dir.filePath(QStringLiteral("Photo.mdb")), &error), qPrintable(error));
    const QueryParameters p = QueryParameters::load(db, dir.path(), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(p.books.size(), size_t(4));
    QVERIFY(!p.books[1].id && !p.books[2].id); // an id that names no single book is not offered
    const QList<QList<qint64>> expected{{1, 4}, {2}, {3}};
    for (size_t i = 1; i < p.books.size(); ++i) {
        // As the query pane hands the entry over today (text and id), and by the entry's label.
        QueryCriteria byEntry = fullRanges();
        byEntry.bookText = p.books[i].text;
        byEntry.bookId = p.books[i].id;
        QueryCriteria byLabel = fullRanges();
        byLabel.bookText = p.books[i].text;
        byLabel.bookLabel = p.books[i].label;
        for (const QueryCriteria &c : {byEntry, byLabel}) {
            const auto photos = QueryBuilder::select(db, QueryCriteria::Book, c, &error);
            QVERIFY2(photos, qPrintable(error));
            QCOMPARE(ids(*photos), expected.at(int(i - 1)));
        }
    }
}

void TestRunQuery::build_everyValueBound()
{
    QueryCriteria c = fullRanges();
    c.vegTypes = QStringList{"x' OR '1'='1"};
    c.activities = QStringList{"Q"};
    const auto st = QueryBuilder::build(m_craftedDb, 1, c);
    QVERIFY(st);
    QVERIFY(!st->where.contains(QLatin1Char('\'')));
    QVERIFY(!st->where.contains(QLatin1String("100")));
    QCOMPARE(st->where.count(QLatin1Char('?')), 4);
    QCOMPARE(st->binds.size(), 4);
}

void TestRunQuery::runQuery_badRange_keepsCurrentSet_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("letters after digits") << 1 << "4x";
    QTest::newRow("letters") << 2 << "abc";
    QTest::newRow("empty") << 1 << "";
    QTest::newRow("SQL") << 2 << "0) OR (1=1";
}

void TestRunQuery::runQuery_badRange_keepsCurrentSet()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    PhotoLibrary library;
    QVERIFY(library.OpenPhotoDatabase(m_crafted.path()));
    QueryCriteria c = fullRanges();
    c.totalTo = QStringLiteral("2");
    QVERIFY(RunQuery(library, 1, c));
    const PhotoSetPtr before = library.currentPhotoSet();
    QCOMPARE(before->size(), size_t(3));

    (kind == 1 ? c.totalTo : c.coarseFrom) = text;
    QString error;
    QVERIFY(!RunQuery(library, kind, c, &error));
    QCOMPARE(error, QStringLiteral("'%1' is not a number").arg(text));
    QCOMPARE(library.currentPhotoSet(), before);
}

void TestRunQuery::runQuery_noDatabase_failsAndKeepsEmptySet()
{
    PhotoLibrary library;
    QTemporaryDir empty;
    QVERIFY(!library.OpenPhotoDatabase(empty.path()));
    QString error;
    for (int kind = 0; kind <= 4; ++kind) {
        QVERIFY(!RunQuery(library, kind, fullRanges(), &error));
        QVERIFY(!error.isEmpty());
    }
    QCOMPARE(library.currentPhotoSet()->size(), size_t(0));
}

void TestRunQuery::runQuery_otherKind_leavesSetUnchanged()
{
    PhotoLibrary library;
    QVERIFY(library.OpenPhotoDatabase(m_crafted.path()));
    const PhotoSetPtr before = library.currentPhotoSet();
    QVERIFY(RunQuery(library, 7, fullRanges()));
    QCOMPARE(library.currentPhotoSet(), before);
}

void TestRunQuery::cli_query_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("stderrText");
    QTest::newRow("all") << QStringList{"all"} << 0 << 6 << "";
    QTest::newRow("book with a comma, any case") << QStringList{"book", "--book", "b,12"} << 0 << 2 << "";
    QTest::newRow("total defaults") << QStringList{"total"} << 0 << 5 << "";
    QTest::newRow("total, code in other case") << QStringList{"total", "--veg", "ab"} << 0 << 2 << "";
    QTest::newRow("total from above to") << QStringList{"total", "--from", "6", "--to", "2"} << 0 << 0 << "";
    QTest::newRow("models") << QStringList{"models", "--danger", "T", "--behave", "1"} << 0 << 1 << "";
    QTest::newRow("size, repeated codes") << QStringList{"size", "--veg", "AB", "--veg", "A-1"} << 0 << 3 << "";
    QStringList thousands{"total"};
    for (int i = 0; i < 5000; ++i)
        thousands << "--veg" << QStringLiteral("Z%1").arg(i);
    QTest::newRow("thousands of codes") << thousands + QStringList{"--veg", "ab "} << 0 << 2 << "";
    QTest::newRow("not a number") << QStringList{"total", "--to", "4x"} << 1 << -1
                                  << "Query problem: '4x' is not a number";
    QTest::newRow("unknown book") << QStringList{"book", "--book", "ZZ"} << 1 << -1 << "Query problem: ";
    QTest::newRow("unknown kind") << QStringList{"sideways"} << 2 << -1 << "query: unknown kind 'sideways'";
}

void TestRunQuery::cli_query()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(int, rows);
    QFETCH(QString, stderrText);
    QProcess cli;
    cli.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")),
              QStringList{"--home", m_crafted.path(), "query"} + args);
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), exitCode);
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    QVERIFY2(err.contains(stderrText), qPrintable(err));
    if (rows >= 0) {
        const QList<QByteArray> lines = cli.readAllStandardOutput().split('\n');
        QCOMPARE(int(lines.size()) - 2, rows); // header, rows, empty rest after the last line end
    }
}

void TestRunQuery::cli_params_printsEachListUnderItsControl()
{
    QTemporaryDir dir;
    QVERIFY(QueryLibrary::write(dir.path(), {"1, 'B', 1, 1, 37.3, 'ab', NULL, NULL, NULL"}, {"1, 'B', 'One, two'"}));
    QVERIFY(QueryLibrary::writeFile(dir.path(), QStringLiteral("VegCodes.txt"), "AB,Aspen\r\n"));
    QProcess cli;
    cli.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")), QStringList{"--home", dir.path(), "params"});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'));
    QCOMPARE(lines.mid(0, 4), (QStringList{"cboBook", "All Books", "B, One, two", "cboTotalLoad"}));
    QCOMPARE(lines.at(4 + 21), QStringLiteral(" 40"));
    QCOMPARE(lines.at(4 + 22), QStringLiteral("cbo0to3"));
    const qsizetype veg = lines.indexOf(QStringLiteral("lstVegType"));
    QVERIFY(veg > 0);
    QCOMPARE(lines.mid(veg, 4), (QStringList{"lstVegType", "AB-Aspen", "lstActType", "lstDangerRating"}));
    QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"lstFireBehave", ""}));
}

void TestRunQuery::cli_params_unusableCodeFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("pipe, which would wait for a writer for ever") << "fifo"
                                                                  << "not a regular file";
    QTest::newRow("link to an endless device") << "zero"
                                               << "not a regular file";
    QTest::newRow("folder") << "folder"
                            << "not a regular file";
    QTest::newRow("far too large") << "large"
                                   << "larger than 4 MB";
}

// Every code of the list is still offered, without its description, and the file is named with the reason.
void TestRunQuery::cli_params_unusableCodeFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QueryLibrary::write(dir.path(), {"1, 'B', 1, 1, 3, 'ab', NULL, NULL, NULL"}, {"1, 'B', 'One'"}));
    const QString codes = dir.filePath(QStringLiteral("VegCodes.txt"));
    const QByteArray name = QFile::encodeName(codes);
    if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    else if (kind == QLatin1String("zero"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), codes));
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(codes));
    else
        QVERIFY(QueryLibrary::writeFile(dir.path(), QStringLiteral("VegCodes.txt"),
                                        "AB,Aspen\r\n" + QByteArray(5 << 20, ' ')));
    QProcess cli;
    cli.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")), QStringList{"--home", dir.path(), "params"});
    const bool finished = cli.waitForFinished(30000);
    if (!finished) {
        cli.kill();
        cli.waitForFinished();
    }
    QVERIFY2(finished, "params did not end");
    QCOMPARE(cli.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'));
    const qsizetype veg = lines.indexOf(QStringLiteral("lstVegType"));
    QVERIFY(veg > 0);
    QCOMPARE(lines.mid(veg, 3), (QStringList{"lstVegType", "ab- ", "lstActType"}));
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    QVERIFY2(err.contains(codes + QStringLiteral(": ") + reason), qPrintable(err));
}

QTEST_GUILESS_MAIN(TestRunQuery)
#include "tst_runquery.moc"
