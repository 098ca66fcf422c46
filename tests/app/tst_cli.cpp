// The batch interface run as a program: list, convert and its errors.
#include "testsupport.h"

#include <QtTest>

namespace
{
struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(TestSupport::binPath("fenwyx-cli"), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// Splits RFC 4180 CSV into rows of fields.
QList<QStringList> parseCsv(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text.at(i + 1) == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row << field;
            field.clear();
        } else if (c == '\r') {
        } else if (c == '\n') {
            row << field;
            rows << row;
            row.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    return rows;
}
} // namespace

class TestCli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void list_accessLibrary_printsListTexts();
    void list_noDatabase_failsWithReason();
    void convert_accessToSqlite_listsTheSame();
    void datasheet_bookLabelHoldingSlash_found();
    void usage_unknownCommand_failsNonZero();
};

void TestCli::list_accessLibrary_printsListTexts()
{
    QTemporaryDir home;
    QVERIFY(QFile::copy(TestSupport::dataPath("fixtures/photo_jet4.mdb"), home.filePath("Photo.mdb")));
    const Run run = runCli({"--home", home.path(), "list"});
    QCOMPARE(run.exitCode, 0);
    const auto rows = parseCsv(run.out);
    QCOMPARE(rows.size(), 41);
    QCOMPARE(rows.at(0).size(), 19);
    QCOMPARE(rows.at(0).at(2), QStringLiteral("0.\" to 2.9\""));
    QCOMPARE(rows.at(1).at(0), QStringLiteral("SW-01/01"));
    QCOMPARE(rows.at(1).at(1), QStringLiteral("DF stand, plot 1"));
    QCOMPARE(rows.at(4).at(5), QStringLiteral("n/a"));
    QVERIFY(run.out.contains("\r\n"));
}

void TestCli::list_noDatabase_failsWithReason()
{
    QTemporaryDir home;
    const Run run = runCli({"--home", home.path(), "list"});
    QVERIFY(run.exitCode != 0);
    QVERIFY(run.err.contains("Photo.mdb"));
    QVERIFY(run.out.isEmpty());
}

void TestCli::convert_accessToSqlite_listsTheSame()
{
    QTemporaryDir dir;
    const QString access = TestSupport::dataPath("fixtures/photo_jet4.mdb");
    QVERIFY(QDir().mkpath(dir.filePath("a")) && QDir().mkpath(dir.filePath("b")));
    QVERIFY(QFile::copy(access, dir.filePath("a/Photo.mdb")));
    QCOMPARE(runCli({"convert", access, dir.filePath("b/Photo.mdb")}).exitCode, 0);
    const Run a = runCli({"--home", dir.filePath("a"), "list"});
    const Run b = runCli({"--home", dir.filePath("b"), "list"});
    QCOMPARE(a.exitCode, 0);
    QCOMPARE(a.out, b.out);
    QVERIFY(runCli({"convert", dir.filePath("nothing.mdb"), dir.filePath("c.mdb")}).exitCode != 0);
    QVERIFY(!QFile::exists(dir.filePath("c.mdb")));
}

void TestCli::datasheet_bookLabelHoldingSlash_found()
{
    QTemporaryDir home;
    QStringList sql = TestSupport::photoSchema();
    sql << "INSERT INTO Books (id, BookLabel, BookDescription, BreakInches4) VALUES (1, 'A/B', 'Slashed', 6)"
        << "INSERT INTO Photos (ID, BookLabel, PhotoLabel, AverageDuffDepth) VALUES (1, 'A/B', 'X', 1.25)";
    QVERIFY(TestSupport::makeSqlite(home.filePath("Photo.mdb"), sql));
    const Run run = runCli({"--home", home.path(), "datasheet", "a/b/x"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith("Average Duff Depth (In.),1.25\r\n"), run.out.constData());
    QVERIFY(run.err.isEmpty());
}

void TestCli::usage_unknownCommand_failsNonZero()
{
    const Run run = runCli({"frobnicate"});
    QVERIFY(run.exitCode != 0);
    QVERIFY(run.err.contains("usage"));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
