// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the sample library generator: layouts, awkward rows, sums, reproducibility, images and code files.
#include "app/sample/samplelibrary.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include <cmath>
#include <map>
#include <set>

namespace
{

using Row = QVariantList;

// Reads every row of a query; a null column comes back as an invalid QVariant.
std::vector<Row> query(const QString &databasePath, const char *sql)
{
    std::vector<Row> rows;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(databasePath).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            Row row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                switch (sqlite3_column_type(statement, c)) {
                case SQLITE_NULL:
                    row << QVariant();
                    break;
                case SQLITE_INTEGER:
                    row << QVariant(qint64(sqlite3_column_int64(statement, c)));
                    break;
                case SQLITE_FLOAT:
                    row << QVariant(sqlite3_column_double(statement, c));
                    break;
                default:
                    row << QVariant(
                        QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, c))));
                }
            }
            rows.push_back(row);
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

qint64 count(const QString &databasePath, const char *sql)
{
    const std::vector<Row> rows = query(databasePath, sql);
    return rows.empty() ? -1 : rows.front().value(0).toLongLong();
}

// Fields of one code-file line: a quoted field may hold commas, unquoted fields are trimmed.
QStringList parseCodeLine(const QString &line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    for (const QChar ch : line) {
        if (ch == QLatin1Char('"')) {
            quoted = !quoted;
            wasQuoted = true;
        } else if (ch == QLatin1Char(',') && !quoted) {
            fields << (wasQuoted ? field : field.trimmed());
            field.clear();
            wasQuoted = false;
        } else {
            field += ch;
        }
    }
    fields << (wasQuoted ? field : field.trimmed());
    return fields;
}

std::set<QString> codesOf(const QString &path)
{
    std::set<QString> codes;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : file.readAll().split('\n'))
            codes.insert(parseCodeLine(QString::fromLatin1(line).trimmed()).value(0));
    }
    codes.erase(QString());
    return codes;
}

} // namespace

class TestSampleLibrary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void layouts_defaultLibrary_coverEveryClassCount();
    void awkwardCases_defaultLibrary_present_data();
    void awkwardCases_defaultLibrary_present();
    void codes_defaultLibrary_includeCaseMismatchesAndUnlistedCodes();
    void loadings_everyPhoto_consistentAndRealistic();
    void photoCount_option_setsTotalWithUniqueLabels_data();
    void photoCount_option_setsTotalWithUniqueLabels();
    void seed_same_givesIdenticalContentsAndOtherDiffers();
    void images_smallRun_existForEveryPictureWithRatio();
    void codeFiles_written_parseIntoTwoFieldsWithCrLf_data();
    void codeFiles_written_parseIntoTwoFieldsWithCrLf();
    void rerun_existingFolder_replacesDatabase();
    void program_commandLine_writesLibraryOrFails_data();
    void program_commandLine_writesLibraryOrFails();
    void program_codesOnly_writesTheLibrarysCodeFilesAlone();

private:
    QString writeLibrary(const QString &name, const SampleOptions &options);
    QString m_default; // the default library without images, shared by the read-only tests
    QTemporaryDir m_temp;
};

QString TestSampleLibrary::writeLibrary(const QString &name, const SampleOptions &options)
{
    const QString dir = m_temp.filePath(name);
    QString error;
    if (!writeSampleLibrary(dir, options, &error))
        qWarning("writeSampleLibrary failed: %s", qPrintable(error));
    return dir;
}

void TestSampleLibrary::initTestCase()
{
    QVERIFY(m_temp.isValid());
    SampleOptions options;
    options.images = false;
    m_default = writeLibrary(QStringLiteral("default"), options) + QStringLiteral("/Photo.mdb");
    QVERIFY(QFile::exists(m_default));
    QVERIFY(QDir(m_temp.filePath(QStringLiteral("default/data"))).exists());
    QCOMPARE(count(m_default, "SELECT COUNT(*) FROM Photos"), 150);
}

void TestSampleLibrary::layouts_defaultLibrary_coverEveryClassCount()
{
    QVERIFY(count(m_default, "SELECT COUNT(*) FROM Books") >= 6);
    QCOMPARE(count(m_default, "SELECT COUNT(*) FROM Books WHERE BookLabel LIKE '%,%'"), 0);
    std::set<int> layouts;
    for (const Row &book : query(m_default, "SELECT BookLabel, BreakInches4, BreakInches5, BreakInches6 FROM Books")) {
        const int used = book[1].toDouble() <= 0 ? 1 : book[2].toDouble() <= 0 ? 2 : book[3].toDouble() <= 0 ? 3 : 4;
        layouts.insert(used);
        // Classes past the last bound carry nothing.
        const QByteArray sql = "SELECT COUNT(*) FROM Photos WHERE BookLabel = '" + book[0].toString().toUtf8() +
                               "' AND (" + (used < 2 ? "TonsPerAcreBreak5 <> 0 OR " : "") +
                               (used < 3 ? "TonsPerAcreBreak6 <> 0 OR " : "") +
                               (used < 4 ? "TonsPerAcreBreak7 <> 0 OR " : "") + "0)";
        QCOMPARE(count(m_default, sql.constData()), 0);
        QVERIFY2(
            count(m_default,
                  ("SELECT COUNT(*) FROM Photos WHERE BookLabel = '" + book[0].toString().toUtf8() + "'").constData()) >
                0,
            qPrintable(book[0].toString()));
    }
    QCOMPARE(layouts, (std::set<int>{1, 2, 3, 4}));
}

void TestSampleLibrary::awkwardCases_defaultLibrary_present_data()
{
    QTest::addColumn<QByteArray>("condition");
    QTest::newRow("null group label") << QByteArray("GroupLabel IS NULL");
    QTest::newRow("group label with comma") << QByteArray("GroupLabel LIKE '%,%'");
    QTest::newRow("group label without comma") << QByteArray("GroupLabel NOT LIKE '%,%'");
    QTest::newRow("null duff depth") << QByteArray("AverageDuffDepth IS NULL");
    QTest::newRow("duff depth -1") << QByteArray("AverageDuffDepth = -1");
    QTest::newRow("null fuel bed depth") << QByteArray("AverageFuelbedDepth IS NULL");
    QTest::newRow("fuel bed depth -1") << QByteArray("AverageFuelbedDepth = -1");
    QTest::newRow("null vegetation type") << QByteArray("VegType IS NULL");
    QTest::newRow("null activity") << QByteArray("Activity IS NULL");
    QTest::newRow("null behave model") << QByteArray("FireBehaveFM IS NULL");
    QTest::newRow("null danger model") << QByteArray("DangerRatingFM IS NULL");
    QTest::newRow("null data sheet") << QByteArray("DataPic IS NULL");
}

void TestSampleLibrary::awkwardCases_defaultLibrary_present()
{
    QFETCH(QByteArray, condition);
    QVERIFY(count(m_default, ("SELECT COUNT(*) FROM Photos WHERE " + condition).constData()) > 0);
}

void TestSampleLibrary::codes_defaultLibrary_includeCaseMismatchesAndUnlistedCodes()
{
    const QDir dir = QFileInfo(m_default).dir();
    const std::pair<const char *, const char *> fields[] = {{"VegType", "VegCodes.txt"},
                                                            {"Activity", "ActCodes.txt"},
                                                            {"FireBehaveFM", "BehaveCodes.txt"},
                                                            {"DangerRatingFM", "DangerRatingCodes.txt"}};
    int caseMismatches = 0;
    for (const auto &[field, file] : fields) {
        const std::set<QString> listed = codesOf(dir.filePath(QString::fromLatin1(file)));
        QVERIFY2(!listed.empty(), file);
        int unlisted = 0;
        const QByteArray sql = QByteArray("SELECT DISTINCT ") + field + " FROM Photos WHERE " + field + " IS NOT NULL";
        for (const Row &row : query(m_default, sql.constData())) {
            const QString code = row[0].toString();
            if (listed.count(code))
                continue;
            if (listed.count(code.toUpper()))
                ++caseMismatches;
            else
                ++unlisted;
        }
        QVERIFY2(unlisted > 0, field);
    }
    QVERIFY(caseMismatches >= 2);
}

void TestSampleLibrary::loadings_everyPhoto_consistentAndRealistic()
{
    const auto rows =
        query(m_default, "SELECT PhotoLabel, TonsPerAcreBreak1, TonsPerAcreBreak2, TonsPerAcreBreak3, "
                         "TonsPerAcreBreak4, TonsPerAcreBreak5, TonsPerAcreBreak6, TonsPerAcreBreak7, Oto3FL, "
                         "TotalFL, AverageDuffDepth, AverageFuelbedDepth FROM Photos");
    QCOMPARE(rows.size(), size_t(150));
    for (const Row &row : rows) {
        double fine = 0;
        double total = 0;
        for (int c = 1; c <= 7; ++c) {
            const double value = row[c].toDouble();
            QVERIFY(row[c].isValid());
            QVERIFY2(value >= 0 && value <= (c <= 3 ? 8.0 : 60.0), qPrintable(row[0].toString()));
            QVERIFY(std::abs(value * 100 - std::round(value * 100)) < 1e-6);
            total += value;
            if (c <= 3)
                fine += value;
        }
        QVERIFY(fine > 0);
        QVERIFY2(std::abs(row[8].toDouble() - fine) <= 0.02, qPrintable(row[0].toString()));
        QVERIFY2(std::abs(row[9].toDouble() - total) <= 0.05, qPrintable(row[0].toString()));
        if (row[10].isValid() && row[10].toDouble() >= 0)
            QVERIFY(row[10].toDouble() <= 4);
        if (row[11].isValid() && row[11].toDouble() >= 0)
            QVERIFY(row[11].toDouble() >= 0.5 && row[11].toDouble() <= 30);
    }
}

void TestSampleLibrary::photoCount_option_setsTotalWithUniqueLabels_data()
{
    QTest::addColumn<int>("photos");
    QTest::newRow("none") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("fewer than books") << 5;
    QTest::newRow("uneven split") << 151;
    QTest::newRow("three-digit labels") << 900;
}

void TestSampleLibrary::photoCount_option_setsTotalWithUniqueLabels()
{
    QFETCH(int, photos);
    SampleOptions options;
    options.photos = photos;
    options.images = false;
    const QString db = writeLibrary(QStringLiteral("count%1").arg(photos), options) + QStringLiteral("/Photo.mdb");
    QCOMPARE(count(db, "SELECT COUNT(*) FROM Photos"), photos);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM (SELECT DISTINCT BookLabel, PhotoLabel FROM Photos)"), photos);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM Photos WHERE BookLabel NOT IN (SELECT BookLabel FROM Books)"), 0);
    if (photos > 0) {
        const QString first = query(db, "SELECT PhotoLabel FROM Photos ORDER BY ID LIMIT 1").front()[0].toString();
        QCOMPARE(first, photos > 8 * 99 ? QStringLiteral("001") : QStringLiteral("01"));
    }
}

void TestSampleLibrary::seed_same_givesIdenticalContentsAndOtherDiffers()
{
    SampleOptions options;
    options.images = false;
    const QString again = writeLibrary(QStringLiteral("again"), options) + QStringLiteral("/Photo.mdb");
    options.seed = 7;
    const QString other = writeLibrary(QStringLiteral("other"), options) + QStringLiteral("/Photo.mdb");
    const char *dump = "SELECT * FROM Photos ORDER BY ID";
    QVERIFY(query(again, dump) == query(m_default, dump));
    QVERIFY(query(again, "SELECT * FROM Books") == query(m_default, "SELECT * FROM Books"));
    QVERIFY(query(other, dump) != query(m_default, dump));
    // The awkward rows stay whatever the seed.
    QVERIFY(count(other, "SELECT COUNT(*) FROM Photos WHERE DataPic IS NULL") == 1);
}

void TestSampleLibrary::images_smallRun_existForEveryPictureWithRatio()
{
    SampleOptions options;
    options.photos = 20;
    const QString dir = writeLibrary(QStringLiteral("images"), options);
    const auto rows = query(dir + QStringLiteral("/Photo.mdb"), "SELECT BookLabel, PhotoPic, DataPic FROM Photos");
    QCOMPARE(rows.size(), size_t(20));
    int sheets = 0;
    for (const Row &row : rows) {
        const QDir folder(dir + QStringLiteral("/PhotoImages/") + row[0].toString());
        QImageReader photo(folder.filePath(row[1].toString()));
        QVERIFY2(photo.canRead(), qPrintable(photo.fileName()));
        const QSize size = photo.size();
        QVERIFY(std::abs(double(size.width()) / size.height() - 1.37) < 0.01);
        QVERIFY(!photo.read().isNull());
        if (!row[2].isValid())
            continue;
        QImageReader sheet(folder.filePath(row[2].toString()));
        QVERIFY2(sheet.canRead(), qPrintable(sheet.fileName()));
        QVERIFY(sheet.size().height() > sheet.size().width());
        ++sheets;
    }
    QCOMPARE(sheets, 19);
}

void TestSampleLibrary::codeFiles_written_parseIntoTwoFieldsWithCrLf_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("minimumEntries");
    QTest::addColumn<QString>("probe"); // code that must be listed, then its description
    QTest::newRow("fire behaviour") << QStringLiteral("BehaveCodes.txt") << 13
                                    << QStringLiteral("6=Dormant brush, hardwood slash");
    QTest::newRow("danger rating") << QStringLiteral("DangerRatingCodes.txt") << 20
                                   << QStringLiteral("U=Western long-needle pine");
    QTest::newRow("vegetation") << QStringLiteral("VegCodes.txt") << 18 << QStringLiteral("WH=Western hemlock");
    QTest::newRow("activity") << QStringLiteral("ActCodes.txt") << 8 << QStringLiteral("CC=Clearcut");
}

void TestSampleLibrary::codeFiles_written_parseIntoTwoFieldsWithCrLf()
{
    QFETCH(QString, file);
    QFETCH(int, minimumEntries);
    QFETCH(QString, probe);
    QFile codes(QFileInfo(m_default).dir().filePath(file));
    QVERIFY(codes.open(QIODevice::ReadOnly));
    const QByteArray text = codes.readAll();
    QVERIFY(text.endsWith("\r\n"));
    QCOMPARE(text.count('\n'), text.count("\r\n"));
    std::map<QString, QString> entries;
    for (const QByteArray &line : text.split('\n')) {
        if (line.isEmpty())
            continue;
        const QStringList fields = parseCodeLine(QString::fromLatin1(line.chopped(1)));
        QCOMPARE(fields.size(), 2);
        QVERIFY(!fields[0].isEmpty() && !fields[1].isEmpty());
        QVERIFY2(entries.emplace(fields[0], fields[1]).second, qPrintable(fields[0]));
    }
    QVERIFY(int(entries.size()) >= minimumEntries);
    QCOMPARE(entries[probe.section(QLatin1Char('='), 0, 0)], probe.section(QLatin1Char('='), 1));
}

void TestSampleLibrary::rerun_existingFolder_replacesDatabase()
{
    SampleOptions options;
    options.images = false;
    options.photos = 40;
    const QString dir = writeLibrary(QStringLiteral("rerun"), options);
    options.photos = 12;
    QString error;
    QVERIFY2(writeSampleLibrary(dir, options, &error), qPrintable(error));
    QCOMPARE(count(dir + QStringLiteral("/Photo.mdb"), "SELECT COUNT(*) FROM Photos"), 12);
    QCOMPARE(count(dir + QStringLiteral("/Photo.mdb"), "SELECT COUNT(*) FROM Books"), 8);
    QVERIFY(!QFile::exists(dir + QStringLiteral("/Photo.mdb.part")));
}

void TestSampleLibrary::program_commandLine_writesLibraryOrFails_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<int>("photos");
    QTest::newRow("count and seed") << QStringList{QStringLiteral("--photos"), QStringLiteral("9"),
                                                   QStringLiteral("--seed"), QStringLiteral("3")}
                                    << true << 9;
    QTest::newRow("count not a number") << QStringList{QStringLiteral("--photos"), QStringLiteral("many")} << false
                                        << 0;
    QTest::newRow("negative count") << QStringList{QStringLiteral("--photos"), QStringLiteral("-4")} << false << 0;
}

void TestSampleLibrary::program_commandLine_writesLibraryOrFails()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, succeeds);
    QFETCH(int, photos);
    const QString dir = m_temp.filePath(QStringLiteral("cli_") + QString::fromLatin1(QTest::currentDataTag()));
    QProcess process;
    process.start(TestSupport::binPath(QStringLiteral("fenwyx-sample")),
                  QStringList{dir, QStringLiteral("--no-images")} + arguments);
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode() == 0, succeeds);
    if (succeeds)
        QCOMPARE(count(dir + QStringLiteral("/Photo.mdb"), "SELECT COUNT(*) FROM Photos"), photos);
    else
        QVERIFY(!process.readAllStandardError().isEmpty());
}

void TestSampleLibrary::program_codesOnly_writesTheLibrarysCodeFilesAlone()
{
    // The installed program's default code files: the same as the library's, with nothing else beside them.
    const QString dir = m_temp.filePath(QStringLiteral("codes"));
    QProcess process;
    process.start(TestSupport::binPath(QStringLiteral("fenwyx-sample")), {dir, QStringLiteral("--codes-only")});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitCode(), 0);
    const QStringList names{QStringLiteral("ActCodes.txt"), QStringLiteral("BehaveCodes.txt"),
                            QStringLiteral("DangerRatingCodes.txt"), QStringLiteral("VegCodes.txt")};
    QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name), names);
    const QDir library = QFileInfo(m_default).dir();
    for (const QString &name : names) {
        QFile written(QDir(dir).filePath(name));
        QFile expected(library.filePath(name));
        QVERIFY(written.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), expected.readAll());
    }
}

QTEST_MAIN(TestSampleLibrary)
#include "tst_samplelibrary.moc"
