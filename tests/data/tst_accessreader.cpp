// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the Access reader: exact copies of the fixture, damaged input, text decoding and the copy cache.
#include "data/accessimport.h"
#include "data/accessreader.h"
#include "files.h"
#include "testsupport.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include <cstring>
#include <memory>

namespace
{

struct SqliteCloser {
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, SqliteCloser>;

Database openDatabase(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    return Database(db);
}

// One CSV record per line; quoted fields may hold commas and doubled quotes.
QList<QStringList> readCsv(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QList<QStringList> records;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        QStringList fields;
        QString field;
        bool inQuotes = false;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line.at(i);
            if (inQuotes) {
                if (c == QLatin1Char('"') && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"'))
                    field += line.at(++i);
                else if (c == QLatin1Char('"'))
                    inQuotes = false;
                else
                    field += c;
            } else if (c == QLatin1Char('"')) {
                inQuotes = true;
            } else if (c == QLatin1Char(',')) {
                fields << field;
                field.clear();
            } else if (c != QLatin1Char('\r')) {
                field += c;
            }
        }
        fields << field;
        records << fields;
    }
    return records;
}

quint64 bitsOf(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

QString fixture()
{
    return TestSupport::dataPath(QStringLiteral("fixtures/photo_jet4.mdb"));
}

QByteArray fixtureBytes()
{
    return TestSupport::fileBytes(fixture());
}

QByteArray utf16(const char *text)
{
    const QString s = QString::fromLatin1(text);
    return QByteArray(reinterpret_cast<const char *>(s.utf16()), s.size() * 2);
}

} // namespace

class TestAccessReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        qunsetenv("FENWYX_MDBREAD");
        QVERIFY(QFile::exists(fixture()));
    }

    void copy_matchesCsvExactly_data();
    void copy_matchesCsvExactly();
    void copy_keepsMemoColumnsAndCaseInsensitiveText();
    void badInput_givesErrorAndNoCopy_data();
    void badInput_givesErrorAndNoCopy();
    void childFailure_isReportedWithFileName_data();
    void childFailure_isReportedWithFileName();
    void decodeUnicodeText_plainAndCompressed_data();
    void decodeUnicodeText_plainAndCompressed();
    void decodeCodePageText_usesDeclaredPage_data();
    void decodeCodePageText_usesDeclaredPage();
    void sqliteCopyOf_reusesCopyUntilSourceChanges();
    void sqliteCopyOf_missingFile_namesFile();
};

void TestAccessReader::copy_matchesCsvExactly_data()
{
    QTest::addColumn<bool>("inChild");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("csv");
    QTest::newRow("photos via fenwyx-mdbread") << true << "Photos"
                                               << "fixtures/photo_jet4.photos.csv";
    QTest::newRow("books via fenwyx-mdbread") << true << "Books"
                                              << "fixtures/photo_jet4.books.csv";
    QTest::newRow("photos in process") << false << "Photos"
                                       << "fixtures/photo_jet4.photos.csv";
    QTest::newRow("books in process") << false << "Books"
                                      << "fixtures/photo_jet4.books.csv";
}

// Every field of every row: numbers bit for bit, texts exactly, an empty CSV field as SQL null.
void TestAccessReader::copy_matchesCsvExactly()
{
    QFETCH(bool, inChild);
    QFETCH(QString, table);
    QFETCH(QString, csv);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("copy.sqlite"));
    QString error;
    const bool converted = inChild ? AccessImport::convertInChildProcess(fixture(), out, &error)
                                   : AccessReader::convertToSqlite(fixture(), out, &error);
    QVERIFY2(converted, qPrintable(error));

    const QList<QStringList> records = readCsv(TestSupport::dataPath(csv));
    QVERIFY(records.size() > 1);
    const QStringList header = records.first();
    QStringList columns;
    for (const QString &name : header)
        columns << QLatin1Char('"') + name + QLatin1Char('"');
    const Database db = openDatabase(out);
    sqlite3_stmt *raw = nullptr;
    const QByteArray sql = QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QLatin1Char(',')), table).toUtf8();
    QCOMPARE(sqlite3_prepare_v2(db.get(), sql.constData(), -1, &raw, nullptr), SQLITE_OK);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> statement(raw, sqlite3_finalize);

    int row = 1;
    while (sqlite3_step(raw) == SQLITE_ROW) {
        QVERIFY2(row < records.size(), "more rows in the copy than in the CSV");
        const QStringList &expected = records.at(row);
        QCOMPARE(expected.size(), header.size());
        for (int c = 0; c < header.size(); ++c) {
            const QString where = QStringLiteral("%1 row %2 column %3").arg(table).arg(row).arg(header.at(c));
            const QString text = expected.at(c);
            const int type = sqlite3_column_type(raw, c);
            if (text.isEmpty()) {
                QVERIFY2(type == SQLITE_NULL, qPrintable(where + QStringLiteral(": expected null")));
                continue;
            }
            switch (type) {
            case SQLITE_INTEGER:
                QCOMPARE(sqlite3_column_int64(raw, c), text.toLongLong());
                break;
            case SQLITE_FLOAT: {
                bool ok = false;
                const double wanted = text.toDouble(&ok);
                QVERIFY2(ok, qPrintable(where));
                QVERIFY2(
                    bitsOf(sqlite3_column_double(raw, c)) == bitsOf(wanted),
                    qPrintable(where +
                               QStringLiteral(": %1 != %2").arg(sqlite3_column_double(raw, c), 0, 'g', 17).arg(text)));
                break;
            }
            case SQLITE_TEXT:
                QCOMPARE(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(raw, c))), text);
                break;
            default:
                QFAIL(qPrintable(where + QStringLiteral(": unexpected storage class %1").arg(type)));
            }
        }
        ++row;
    }
    QCOMPARE(row, int(records.size()));
}

void TestAccessReader::copy_keepsMemoColumnsAndCaseInsensitiveText()
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("copy.sqlite"));
    QString error;
    QVERIFY2(AccessImport::convertInChildProcess(fixture(), out, &error), qPrintable(error));
    const Database db = openDatabase(out);
    const auto single = [&](const char *sql) {
        sqlite3_stmt *statement = nullptr;
        QString value;
        if (sqlite3_prepare_v2(db.get(), sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        return value;
    };
    // Memo columns are not in the CSVs.
    QCOMPARE(single("SELECT Publication FROM Books WHERE id = 4"), QStringLiteral("Synthetic test book 4"));
    QCOMPARE(single("SELECT count(*) FROM Photos WHERE SiteNotes IS NOT NULL"), QStringLiteral("0"));
    // Text compares without regard to case, as in the original engine.
    QCOMPARE(single("SELECT id FROM Books WHERE BookLabel = 'se-04'"), QStringLiteral("4"));
    QCOMPARE(single("SELECT count(*) FROM Photos WHERE VegType = 'WH'"),
             single("SELECT count(*) FROM Photos WHERE VegType = 'wh'"));
    QVERIFY(single("SELECT count(*) FROM Photos WHERE VegType = 'WH'").toInt() > 0);
}

void TestAccessReader::badInput_givesErrorAndNoCopy_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file at all
    QTest::addColumn<QString>("reason");

    const QByteArray access = fixtureBytes();
    QByteArray random(50000, Qt::Uninitialized);
    QRandomGenerator generator(4711);
    for (char &byte : random)
        byte = char(generator.bounded(256));
    random[0] = 1; // never the Access header page type
    QByteArray renamed = access;
    renamed.replace(utf16("Photos"), utf16("Photoz"));
    QByteArray twoNames = access;
    twoNames.replace(utf16("TonsPerAcreBreak2"), utf16("TonsPerAcreBreak1"));
    // The Photos definition page of the fixture (it holds the column names) starts its column blocks
    // (25 bytes each, Jet 4) at offset 63; a block written twice maps two columns onto one place in a row.
    QByteArray twoBlocks = access;
    const qsizetype definition = access.indexOf(utf16("TonsPerAcreBreak2")) / 4096 * 4096;
    twoBlocks.replace(definition + 63 + 25, 25, access.mid(definition + 63, 25));
    QByteArray sqliteHeader("SQLite format 3");
    sqliteHeader.append('\0').append(QByteArray(4080, '\0'));

    QTest::newRow("missing file") << QByteArray() << "does not exist";
    QTest::newRow("empty file") << QByteArray("") << "not an Access database";
    QTest::newRow("random bytes") << random << "not an Access database";
    QTest::newRow("SQLite file named .mdb") << sqliteHeader << "not an Access database";
    QTest::newRow("first 4096 bytes") << access.left(4096) << "damaged";
    QTest::newRow("first half") << access.left(access.size() / 2) << "damaged";
    QTest::newRow("last page missing") << access.left(access.size() - 4096) << "damaged";
    QTest::newRow("last bytes missing (interrupted copy)") << access.left(139000) << "damaged";
    QTest::newRow("last page but one missing") << access.left(access.size() - 2 * 4096) << "damaged";
    QTest::newRow("one byte missing") << access.left(access.size() - 1) << "damaged";
    QTest::newRow("column catalogue: a name twice") << twoNames << "damaged";
    QTest::newRow("column catalogue: a block twice") << twoBlocks << "damaged";
    QTest::newRow("table renamed in the catalog") << renamed << "no Photos table";
}

// Damaged files go through the child process as the program sends them; none may leave a copy behind.
void TestAccessReader::badInput_givesErrorAndNoCopy()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("Photo.mdb"));
    if (!content.isNull())
        QVERIFY(TestSupport::writeBytes(in, content));
    const QString out = dir.filePath(QStringLiteral("copy.sqlite"));
    QString error;
    QVERIFY(!AccessImport::convertInChildProcess(in, out, &error));
    QVERIFY2(error.contains(in), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(!error.contains(QLatin1Char('\n')));
    QVERIFY(!QFile::exists(out));
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("copy.sqlite*")}, QDir::Files), QStringList());
}

void TestAccessReader::childFailure_isReportedWithFileName_data()
{
    QTest::addColumn<QByteArray>("script"); // empty: a program that does not exist
    QTest::addColumn<QString>("reason");
    QTest::newRow("reader crashes") << QByteArray("#!/bin/sh\nkill -SEGV $$\n") << "crashed";
    QTest::newRow("reader fails silently") << QByteArray("#!/bin/sh\nexit 3\n") << "exit code 3";
    QTest::newRow("reader claims success without a copy") << QByteArray("#!/bin/sh\nexit 0\n") << "no copy";
    QTest::newRow("reader missing") << QByteArray() << "cannot start";
}

void TestAccessReader::childFailure_isReportedWithFileName()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("reader.sh"));
    if (!script.isEmpty()) {
        QVERIFY(TestSupport::writeBytes(program, script));
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("FENWYX_MDBREAD", QFile::encodeName(program));
    QString error;
    const QString out = dir.filePath(QStringLiteral("c.sqlite"));
    const bool converted = AccessImport::convertInChildProcess(fixture(), out, &error);
    qunsetenv("FENWYX_MDBREAD");
    QVERIFY(!converted);
    QVERIFY2(error.contains(fixture()), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
}

void TestAccessReader::decodeUnicodeText_plainAndCompressed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain UCS-2") << QByteArray("S\0W\0-\0\x30\0\x31\0", 10) << "SW-01";
    QTest::newRow("plain non-Latin") << QByteArray("\x14\x04\x30\x04", 4) << QString::fromUtf8("Да");
    QTest::newRow("compressed") << QByteArray("\xff\xfeSW-01") << "SW-01";
    QTest::newRow("compressed with a wide run") << QByteArray("\xff\xfe"
                                                              "ab\0\x14\x04\x30\x04\0cd",
                                                              12)
                                                << QString::fromUtf8("abДаcd");
    QTest::newRow("compressed Latin-1") << QByteArray("\xff\xfe"
                                                      "caf\xe9")
                                        << QString::fromUtf8("café");
    QTest::newRow("odd trailing byte dropped") << QByteArray("A\0B", 3) << "A";
    QTest::newRow("empty") << QByteArray() << "";
}

void TestAccessReader::decodeUnicodeText_plainAndCompressed()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QString decoded = AccessReader::decodeUnicodeText(bytes);
    QCOMPARE(decoded, text);
    QVERIFY(!decoded.isNull()); // an empty text is not SQL null
}

void TestAccessReader::decodeCodePageText_usesDeclaredPage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QString>("text");
    QTest::newRow("1252 accents and euro") << QByteArray("caf\xe9 \x80") << 1252 << QString::fromUtf8("café €");
    QTest::newRow("1251 Cyrillic") << QByteArray("\xc4\xe0") << 1251 << QString::fromUtf8("Да");
    QTest::newRow("1250 Central European") << QByteArray("\x9a") << 1250 << QString::fromUtf8("š");
    QTest::newRow("932 Japanese double byte") << QByteArray("\x93\xfa") << 932 << QString::fromUtf8("日");
    QTest::newRow("no page declared reads as 1252") << QByteArray("\xe9") << 0 << QString::fromUtf8("é");
    QTest::newRow("unknown page reads as 1252") << QByteArray("\x80") << 65001 << QString::fromUtf8("€");
    QTest::newRow("undefined byte replaced") << QByteArray("a\x81z") << 1252 << QString::fromUtf8("a\xef\xbf\xbdz");
}

void TestAccessReader::decodeCodePageText_usesDeclaredPage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, codePage);
    QFETCH(QString, text);
    QCOMPARE(AccessReader::decodeCodePageText(bytes, codePage), text);
}

void TestAccessReader::sqliteCopyOf_reusesCopyUntilSourceChanges()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("Photo.mdb"));
    QVERIFY(QFile::copy(fixture(), source));
    QFile::setPermissions(source, QFile::ReadOwner | QFile::WriteOwner);

    QString error;
    const std::optional<QString> first = AccessImport::sqliteCopyOf(source, &error);
    QVERIFY2(first, qPrintable(error));
    QVERIFY(first->startsWith(AccessImport::cacheFolder()));
    // A mark in the copy survives only if the next call does not convert again.
    {
        const Database db = openDatabase(*first);
        QCOMPARE(sqlite3_exec(db.get(), "CREATE TABLE Mark (x)", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    const std::optional<QString> second = AccessImport::sqliteCopyOf(source, &error);
    QVERIFY2(second, qPrintable(error));
    QCOMPARE(*second, *first);
    {
        const Database db = openDatabase(*second);
        QCOMPARE(sqlite3_exec(db.get(), "SELECT * FROM Mark", nullptr, nullptr, nullptr), SQLITE_OK);
    }

    // Changed source: a fresh copy, and the stale one is retired.
    {
        QFile file(source);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    }
    const std::optional<QString> third = AccessImport::sqliteCopyOf(source, &error);
    QVERIFY2(third, qPrintable(error));
    QVERIFY(*third != *first);
    QVERIFY(!QFile::exists(*first));
    {
        const Database db = openDatabase(*third);
        QVERIFY(sqlite3_exec(db.get(), "SELECT * FROM Mark", nullptr, nullptr, nullptr) != SQLITE_OK);
        QCOMPARE(sqlite3_exec(db.get(), "SELECT * FROM Photos", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    QFile::remove(*third);
}

void TestAccessReader::sqliteCopyOf_missingFile_namesFile()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("Photo.mdb"));
    QString error;
    QVERIFY(!AccessImport::sqliteCopyOf(missing, &error));
    QVERIFY2(error.contains(missing), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestAccessReader)
#include "tst_accessreader.moc"
