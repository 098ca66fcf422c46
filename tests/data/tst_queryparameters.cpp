// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the query lists: code files, range lists, sorting, and loading from real and crafted databases.
#include "data/codefile.h"
#include "data/photodatabase.h"
#include "data/queryparameters.h"
#include "files.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

// A Photo.mdb in SQLite form with the given Photos rows (SQL VALUES tuples of the listed columns).
bool writeDatabase(const QString &folder, const QStringList &photoRows, const QStringList &bookRows = {})
{
    // Tables without keys, so that rows stay in the order they were inserted.
    QStringList sql{
        QStringLiteral("CREATE TABLE Books (id INTEGER, BookLabel TEXT, BookDescription TEXT, BreakInches4 REAL,"
                       " BreakInches5 REAL, BreakInches6 REAL)"),
        QStringLiteral(
            "CREATE TABLE Photos (ID INTEGER, BookLabel TEXT, PhotoLabel TEXT, GroupLabel TEXT,"
            " TonsPerAcreBreak1 REAL, TonsPerAcreBreak2 REAL, TonsPerAcreBreak3 REAL, TonsPerAcreBreak4 REAL,"
            " TonsPerAcreBreak5 REAL, TonsPerAcreBreak6 REAL, TonsPerAcreBreak7 REAL, Oto3FL REAL,"
            " TotalFL REAL, AverageDuffDepth REAL, AverageFuelbedDepth REAL, VegType TEXT, Activity TEXT,"
            " FireBehaveFM TEXT, DangerRatingFM TEXT, PhotoPic TEXT, DataPic TEXT)")};
    for (const QString &row : bookRows)
        sql << QStringLiteral("INSERT INTO Books VALUES (%1)").arg(row);
    for (const QString &row : photoRows)
        sql << QStringLiteral("INSERT INTO Photos (ID, BookLabel, PhotoLabel, TonsPerAcreBreak1, TonsPerAcreBreak4,"
                              " TotalFL, VegType, Activity, FireBehaveFM, DangerRatingFM) VALUES (%1)")
                   .arg(row);
    return TestSupport::makeSqlite(QDir(folder).filePath(QStringLiteral("Photo.mdb")), sql);
}

QStringList texts(const std::vector<CodeEntry> &entries)
{
    QStringList result;
    for (const CodeEntry &e : entries)
        result << e.text;
    return result;
}

QStringList raws(const std::vector<CodeEntry> &entries)
{
    QStringList result;
    for (const CodeEntry &e : entries)
        result << e.rawValue;
    return result;
}

} // namespace

class TestQueryParameters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fields_sequentialInput_data();
    void fields_sequentialInput();
    void lookupCode_fileContents_data();
    void lookupCode_fileContents();
    void lookupCode_missingFile_givesCodeAndHyphenBlank();
    void rangeEntries_maximum_data();
    void rangeEntries_maximum();
    void rangeEntries_absurdMaximum_capsLengthAndCoversIt();
    void sortListBox_caseInsensitiveAndStable();
    void codeFromListText_entries_data();
    void codeFromListText_entries();
    void load_accessFixture_fillsEveryList();
    void load_noDatabase_givesEmptyLists();
    void load_crafted_data();
    void load_crafted();
};

void TestQueryParameters::fields_sequentialInput_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("plain") << "AB,Aspen stand" << QStringList{"AB", "Aspen stand"};
    QTest::newRow("unquoted fields trimmed") << "  AB  ,  Aspen stand  " << QStringList{"AB", "Aspen stand"};
    QTest::newRow("quoted comma") << R"(AB,"Aspen, mixed")" << QStringList{"AB", "Aspen, mixed"};
    QTest::newRow("quoted keeps blanks") << R"(" AB ",x)" << QStringList{" AB ", "x"};
    QTest::newRow("text after closing quote ignored") << R"("AB"zz,x)" << QStringList{"AB", "x"};
    QTest::newRow("unbalanced quote runs to line end") << R"(AB,"Aspen, open)" << QStringList{"AB", "Aspen, open"};
    QTest::newRow("one field") << "AB" << QStringList{"AB"};
    QTest::newRow("trailing comma") << "AB," << QStringList{"AB", ""};
    QTest::newRow("three fields") << "AB,x,y" << QStringList{"AB", "x", "y"};
}

void TestQueryParameters::fields_sequentialInput()
{
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    QCOMPARE(CodeFile::fields(line), expected);
}

void TestQueryParameters::lookupCode_fileContents_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");
    QTest::newRow("found") << QByteArray("AB,Aspen stand\r\nDF,Douglas-fir\r\n") << "DF"
                           << "DF-Douglas-fir";
    QTest::newRow("not listed") << QByteArray("AB,Aspen stand\r\n") << "QQ"
                                << "QQ- ";
    QTest::newRow("case differs: file's spelling") << QByteArray("AB,Aspen\n") << "ab"
                                                   << "AB-Aspen";
    QTest::newRow("database blanks trimmed") << QByteArray("AB,Aspen\n") << " AB  "
                                             << "AB-Aspen";
    QTest::newRow("quoted code's leading blank ignored") << QByteArray("\" AB\",Aspen\n") << "AB"
                                                         << " AB-Aspen";
    QTest::newRow("tab in a quoted code is no blank") << QByteArray("\"\tAB\",Tabbed\nAB,Aspen\n") << "AB"
                                                      << "AB-Aspen";
    QTest::newRow("tab around a database code is no blank") << QByteArray("AB,Aspen\n") << "AB\t"
                                                            << "AB\t- ";
    QTest::newRow("first match wins") << QByteArray("ab,first\nAB,second\n") << "AB"
                                      << "ab-first";
    QTest::newRow("blank lines skipped") << QByteArray("\n\r\n   \nAB,Aspen\n\n") << "AB"
                                         << "AB-Aspen";
    QTest::newRow("blank lines never match empty code") << QByteArray("\n\n") << ""
                                                        << "- ";
    QTest::newRow("one-field line") << QByteArray("AB\n") << "AB"
                                    << "AB-";
    QTest::newRow("unbalanced quote") << QByteArray("AB,\"Aspen, stand\nDF,Fir\n") << "DF"
                                      << "DF-Fir";
    QTest::newRow("Windows-1252 bytes") << QByteArray("EP,\xc9pic\xe9\x61 \x96 \x80\n") << "ep"
                                        << QString::fromUtf8("EP-\u00c9pic\u00e9a \u2013 \u20ac");
    QTest::newRow("invalid UTF-8 before the match") << QByteArray("\xff\xfe\xc3,x\nAB,Aspen\n") << "AB"
                                                    << "AB-Aspen";
    QTest::newRow("very long line") << (QByteArray(200000, 'z') + "\nAB,Aspen\n") << "AB"
                                    << "AB-Aspen";
    QTest::newRow("old Mac line ends") << QByteArray("XX,one\rAB,Aspen\r") << "AB"
                                       << "AB-Aspen";
    QTest::newRow("code holding a hyphen") << QByteArray("A-1,Alpha one\n") << "a-1"
                                           << "A-1-Alpha one";
}

void TestQueryParameters::lookupCode_fileContents()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, code);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VegCodes.txt"));
    QVERIFY(TestSupport::writeBytes(path, file));
    QCOMPARE(LookupCode(path, code), expected);
    QCOMPARE(CodeFile::fromBytes(file).LookupCode(code), expected);
}

void TestQueryParameters::lookupCode_missingFile_givesCodeAndHyphenBlank()
{
    QTemporaryDir dir;
    QCOMPARE(LookupCode(dir.filePath(QStringLiteral("none.txt")), QStringLiteral("AB")), QStringLiteral("AB- "));
    // A folder in place of the file cannot be read either.
    QCOMPARE(LookupCode(dir.path(), QStringLiteral("AB")), QStringLiteral("AB- "));
}

void TestQueryParameters::rangeEntries_maximum_data()
{
    QTest::addColumn<QVariant>("maximum");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("37.3") << QVariant(37.3)
                          << QStringList{"0",   " 0",  " 2",  " 4",  " 6",  " 8",  " 10", " 12", " 14", " 16", " 18",
                                         " 20", " 22", " 24", " 26", " 28", " 30", " 32", " 34", " 36", " 38", " 40"};
    QTest::newRow("null (empty table)") << QVariant() << QStringList{"0", " 0", " 2", " 4"};
    QTest::newRow("zero") << QVariant(0.0) << QStringList{"0", " 0", " 2", " 4"};
    QTest::newRow("odd limit") << QVariant(1.0) << QStringList{"0", " 0", " 2", " 4"};
    QTest::newRow("negative") << QVariant(-10.0) << QStringList{"0"};
    QTest::newRow("text that is no number") << QVariant(QStringLiteral("n/a")) << QStringList{"0", " 0", " 2", " 4"};
}

void TestQueryParameters::rangeEntries_maximum()
{
    QFETCH(QVariant, maximum);
    QFETCH(QStringList, expected);
    QCOMPARE(QueryParameters::rangeEntries(maximum), expected);
}

void TestQueryParameters::rangeEntries_absurdMaximum_capsLengthAndCoversIt()
{
    // Up to 998 the steps stay 2.
    QCOMPARE(QueryParameters::rangeEntries(994.5).size(), 1 + 500);
    QCOMPARE(QueryParameters::rangeEntries(994.5).last(), QStringLiteral(" 998"));
    for (const double max : {995.0, 1e4, 1e9, 1e300, qInf()}) {
        const QStringList entries = QueryParameters::rangeEntries(max);
        QVERIFY2(entries.size() <= 1 + QueryParameters::MaxRangeEntries, qPrintable(QString::number(max)));
        QCOMPARE(entries.at(1), QStringLiteral(" 0"));
        QVERIFY(entries.last().trimmed().toDouble() > std::min(max, 9e14));
        const double step = entries.at(2).trimmed().toDouble();
        QVERIFY(step >= 2 && int(step) % 2 == 0);
    }
}

void TestQueryParameters::sortListBox_caseInsensitiveAndStable()
{
    std::vector<CodeEntry> entries{{"pp-Pine", "pp"},  {"AB-Aspen", "AB"}, {"PP-Pine", "PP"},
                                   {"ab-aspen", "ab"}, {"Zz- ", "Zz"},     {"m- ", "m"}};
    QueryParameters::SortListBox(entries);
    QCOMPARE(raws(entries), (QStringList{"AB", "ab", "m", "pp", "PP", "Zz"}));
}

void TestQueryParameters::codeFromListText_entries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("code");
    QTest::newRow("described") << "AB-Aspen stand"
                               << "AB";
    QTest::newRow("not described") << "AB- "
                                   << "AB";
    QTest::newRow("leading blanks") << "  AB-x"
                                    << "AB";
    QTest::newRow("no hyphen") << "AB"
                               << "AB";
    QTest::newRow("empty") << ""
                           << "";
}

void TestQueryParameters::codeFromListText_entries()
{
    QFETCH(QString, text);
    QFETCH(QString, code);
    QCOMPARE(CodeFromListText(text), code);
}

void TestQueryParameters::load_accessFixture_fillsEveryList()
{
    PhotoDatabase db;
    QString error;
    QVERIFY2(db.open(TestSupport::dataPath(QStringLiteral("fixtures/photo_jet4.mdb")), &error), qPrintable(error));
    QTemporaryDir dir;
    QVERIFY(TestSupport::writeBytes(dir.filePath(QStringLiteral("VegCodes.txt")),
                                    "PP,Ponderosa pine\r\nWH,\"Western hemlock, old\"\r\n"));
    const QueryParameters p = QueryParameters::load(db, dir.path(), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    QCOMPARE(p.books.size(), size_t(6));
    QCOMPARE(p.books[0].text, QStringLiteral("All Books"));
    QVERIFY(!p.books[0].id);
    QCOMPARE(p.books[1].text, QStringLiteral("SW-01, Southwest pinyon-juniper woodlands"));
    QCOMPARE(p.books[1].id, std::optional<qint64>(1));
    // Largest TotalFL 63.86: the last entry is 66.
    QCOMPARE(p.ranges[QueryParameters::TotalLoad].first(), QStringLiteral("0"));
    QCOMPARE(p.ranges[QueryParameters::TotalLoad].last(), QStringLiteral(" 66"));
    QCOMPARE(texts(p.codes[QueryParameters::VegType]),
             (QStringList{"DF- ", "LL- ", "OK- ", "PJ- ", "PP-Ponderosa pine", "WH-Western hemlock, old", "XX- "}));
    QCOMPARE(p.codes[QueryParameters::VegType][5].rawValue, QStringLiteral("wh"));
    QCOMPARE(p.codes[QueryParameters::DangerRating].size(), size_t(8));
    for (const CodeEntry &entry : p.codes[QueryParameters::FireBehave])
        QVERIFY(!entry.rawValue.isNull());
}

void TestQueryParameters::load_noDatabase_givesEmptyLists()
{
    // Nothing to choose from: neither "All Books" nor ranges that suggest a table of small loadings.
    PhotoDatabase db;
    QString error;
    const QueryParameters p = QueryParameters::load(db, QString(), &error);
    QVERIFY(!error.isEmpty());
    QVERIFY(p.books.empty());
    for (const auto &range : p.ranges)
        QVERIFY(range.isEmpty());
    for (const auto &codes : p.codes)
        QVERIFY(codes.empty());
}

void TestQueryParameters::load_crafted_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("vegTexts");
    QTest::addColumn<QStringList>("dangerTexts");
    QTest::addColumn<QString>("lastTotal");
    QTest::newRow("no photos") << QStringList() << QStringList() << QStringList() << " 4";
    QTest::newRow("all codes null") << QStringList{"1,'B','1',1,1,2,NULL,NULL,NULL,NULL",
                                                   "2,'B','2',1,1,7,NULL,NULL,NULL,NULL"}
                                    << QStringList() << QStringList() << " 10";
    QTest::newRow("null, case twins, hyphen and blanks")
        << QStringList{"1,'B','1',1,1,2,'pp',NULL,'T',NULL",   "2,'B','2',1,1,2,'pp',NULL,NULL,NULL",
                       "3,'B','3',1,1,2,NULL,NULL,NULL,'x'",   "4,'B','4',1,1,2,'A-1',NULL,NULL,NULL",
                       "5,'B','5',1,1,2,'AB ',NULL,NULL,NULL", "6,'B','6',1,1,2,'',NULL,NULL,NULL"}
        << QStringList{"- ", "A-1-Alpha one", "AB-Aspen", "pp- "} << QStringList{"x- "} << " 6";
}

void TestQueryParameters::load_crafted()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, vegTexts);
    QFETCH(QStringList, dangerTexts);
    QFETCH(QString, lastTotal);
    QTemporaryDir dir;
    QVERIFY(writeDatabase(dir.path(), rows));
    QVERIFY(TestSupport::writeBytes(dir.filePath(QStringLiteral("VegCodes.txt")), "A-1,Alpha one\nAB,Aspen\n"));
    PhotoDatabase db;
    QString error;
    QVERIFY2(db.open(dir.filePath(QStringLiteral("Photo.mdb")), &error), qPrintable(error));
    const QueryParameters p = QueryParameters::load(db, dir.path(), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(texts(p.codes[QueryParameters::VegType]), vegTexts);
    QCOMPARE(texts(p.codes[QueryParameters::DangerRating]), dangerTexts);
    QCOMPARE(p.ranges[QueryParameters::TotalLoad].last(), lastTotal);
}

QTEST_GUILESS_MAIN(TestQueryParameters)
#include "tst_queryparameters.moc"
