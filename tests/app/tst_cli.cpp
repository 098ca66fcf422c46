// SPDX-License-Identifier: GPL-3.0-or-later
// The batch interface run as a program: list, convert, datasheet, similar, summary, profile saving as an ordinary
// user, errors.
#include "databaselock.h"
#include "files.h"
#include "profile/familylist.h"
#include "profile/profilefile.h"
#include "testsupport.h"

#include <QtMath>
#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Tests (and CI) may run as root, whom no permission stops. The program then runs as "nobody", so that
// file permissions apply to it as they do to any user; run by anyone else it runs as that user.
constexpr uid_t kNobody = 65534;
const bool kAsRoot = ::geteuid() == 0;

Run runCliAsUser(const QStringList &arguments, const QString &home)
{
    // The build may lie where nobody may go (a root's home folder): nobody runs a copy from its own home.
    QString program = TestSupport::binPath("fenwyx-cli");
    if (kAsRoot) {
        const QString copy = QDir(home).filePath("fenwyx-cli");
        if (!QFile::exists(copy) && !QFile::copy(program, copy))
            return {};
        program = copy;
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    process.setProcessEnvironment(environment);
    if (kAsRoot) {
        process.setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                ::_exit(126);
        });
    }
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// Makes the file or folder the program's user's own (for root's test: nobody's).
bool giveToUser(const QString &path)
{
    return !kAsRoot || ::chown(QFile::encodeName(path).constData(), kNobody, kNobody) == 0;
}

struct FileId {
    ino_t inode = 0;
    uid_t owner = 0;
    bool operator==(const FileId &other) const { return inode == other.inode && owner == other.owner; }
};

FileId idOf(const QString &path)
{
    struct stat st = {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return {st.st_ino, st.st_uid};
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
    void commands_databaseLocked_data();
    void commands_databaseLocked();
    void convert_accessToSqlite_listsTheSame();
    void datasheet_bookLabelHoldingSlash_found();
    void profileSave_asUser_data();
    void profileSave_asUser();
    void metric_everyCommandInMetricUnits();
    void matching_similarAndSummary_data();
    void matching_similarAndSummary();
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

void TestCli::commands_databaseLocked_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<bool>("released"); // shortly after the command started, else only after it ended
    const QStringList list{"list"}, query{"query", "total", "--veg", "DF"}, params{"params"};
    const QStringList datasheet{"datasheet", "SW-01/01"};
    QTest::newRow("list waits for a writer") << list << true;
    QTest::newRow("query waits for a writer") << query << true;
    QTest::newRow("params wait for a writer") << params << true;
    QTest::newRow("datasheet waits for a writer") << datasheet << true;
    QTest::newRow("list gives up, printing nothing") << list << false;
    QTest::newRow("query gives up, printing nothing") << query << false;
}

// Another program writing an SQLite photo database: a command waits for it a few seconds, then prints
// exactly what it prints on a free file, or fails printing nothing at all (not even the CSV header).
void TestCli::commands_databaseLocked()
{
    QFETCH(QStringList, command);
    QFETCH(bool, released);
    QTemporaryDir home;
    QVERIFY(
        runCli({"convert", TestSupport::dataPath("fixtures/photo_jet4.mdb"), home.filePath("Photo.mdb")}).exitCode ==
        0);
    const QStringList arguments = QStringList{"--home", home.path()} + command;
    const Run free = runCli(arguments);
    QCOMPARE(free.exitCode, 0);
    QVERIFY(!free.out.isEmpty());

    TestSupport::DatabaseLock lock(home.filePath("Photo.mdb"));
    QVERIFY(lock.isHeld());
    if (released)
        lock.releaseAfter(700);
    const Run run = runCli(arguments);
    if (released) {
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QCOMPARE(run.out, free.out);
    } else {
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.contains(QFile::encodeName(home.filePath("Photo.mdb"))), run.err.constData());
        QVERIFY2(run.err.contains("another program kept the database locked"), run.err.constData());
    }
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

void TestCli::profileSave_asUser_data()
{
    QTest::addColumn<QString>("target");  // "locked/site.pro" in a folder the user may not write, or in home
    QTest::addColumn<bool>("targetMine"); // the user may write the existing target
    QTest::addColumn<bool>("listMine");   // the user may write the family list
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("own file in a folder the user may not write: written in place")
        << "locked/site.pro" << true << true << 0 << "";
    QTest::newRow("file the user may not write: 70")
        << "locked/site.pro" << false << true << 1 << "Error while saving file: @/locked/site.pro\nError: 70 ";
    QTest::newRow("family list the user may not write: left as it is")
        << "home/site.pro" << true << false << 3 << "@/home/site.pro: Problem saving to Brackel list\n70-";
}

void TestCli::profileSave_asUser()
{
    QFETCH(QString, target);
    QFETCH(bool, targetMine);
    QFETCH(bool, listMine);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const auto folder = [&dir](const QString &name) { return dir.filePath(name); };
    const QFileDevice::Permissions open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    const QFileDevice::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(dir.path(), open));
    QVERIFY(QDir(dir.path()).mkdir("home") && QDir(dir.path()).mkdir("locked") && giveToUser(folder("home")));
    FuelProfile profile;
    profile.ProfileName = QStringLiteral("Ridge");
    QVERIFY(ProfileFile::write(folder("in.pro"), profile));
    QVERIFY(QFile::setPermissions(folder("in.pro"), readOnly | QFile::WriteOwner));

    const QString out = folder(target);
    QVERIFY(TestSupport::writeBytes(out, "old"));
    QVERIFY(targetMine ? giveToUser(out) : QFile::setPermissions(out, readOnly));
    const QString list = folder("home/" + FamilyList::kListName);
    const QByteArray oldList = "\"pro\",\"/d/a.pro\",\"old\"\r\n";
    QVERIFY(TestSupport::writeBytes(list, oldList));
    QVERIFY(listMine ? giveToUser(list) : QFile::setPermissions(list, readOnly));
    QVERIFY(QFile::setPermissions(folder("locked"), readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));
    const auto unlock = qScopeGuard([&] { QFile::setPermissions(folder("locked"), open); });
    const FileId outBefore = idOf(out);
    const FileId listBefore = idOf(list);

    const Run run = runCliAsUser({"--home", folder("home"), "profile", "save", folder("in.pro"), out}, folder("home"));
    QCOMPARE(run.exitCode, exitCode);
    const QByteArray said = QByteArray("\n" + run.err).replace("\nfenwyx-cli: ", "\n").mid(1); // each line's prefix
    QVERIFY2(said.startsWith(message.replace("@", dir.path()).toUtf8()), run.err.constData());
    QVERIFY(!run.err.contains('\r'));
    QCOMPARE(TestSupport::fileBytes(out), exitCode == 1 ? QByteArray("old") : ProfileFile::encode(profile));
    if (target.startsWith("locked/"))
        QVERIFY(idOf(out) == outBefore); // written in place, or not at all
    if (!listMine) {
        QCOMPARE(TestSupport::fileBytes(list), oldList);
        QVERIFY(idOf(list) == listBefore);
    } else if (exitCode == 0) {
        QVERIFY(TestSupport::fileBytes(list).contains("\"" + QFile::encodeName(out) + "\""));
    }
    QVERIFY(!QFile::exists(folder("home/" + FamilyList::kTempName)));
}

void TestCli::metric_everyCommandInMetricUnits()
{
    QTemporaryDir home;
    QVERIFY(QFile::copy(TestSupport::dataPath("fixtures/photo_jet4.mdb"), home.filePath("Photo.mdb")));
    const Run imperial = runCli({"--home", home.path(), "list"});
    const Run metric = runCli({"--home", home.path(), "--metric", "list"});
    QCOMPARE(metric.exitCode, 0);
    const auto rows = parseCsv(metric.out);
    const auto stored = parseCsv(imperial.out);
    QCOMPARE(rows.size(), stored.size());
    QCOMPARE(rows.at(0).at(4), QStringLiteral("Total (Mg/ha)"));
    for (int r = 1; r < rows.size(); ++r) {
        if (stored.at(r).at(4).isEmpty())
            continue;
        const double total = stored.at(r).at(4).toDouble() * 2.241702;
        QVERIFY2(qAbs(rows.at(r).at(4).toDouble() - total) < 0.03, qPrintable(rows.at(r).at(4)));
    }
    const QString label = rows.at(1).at(0);

    const Run sheet = runCli({"--home", home.path(), "--metric", "datasheet", label});
    QCOMPARE(sheet.exitCode, 0);
    QVERIFY2(sheet.out.contains("Loading (Mg/ha)"), sheet.out.constData());

    // A query's ranges are given and compared in Mg/ha: the upper bound just under a total leaves it out.
    const double total = rows.at(1).at(4).toDouble();
    const Run upTo = runCli(
        {"--home", home.path(), "--metric", "query", "total", "--from", "0", "--to", QString::number(qCeil(total))});
    QCOMPARE(upTo.exitCode, 0);
    QVERIFY(upTo.out.contains(label.toUtf8() + ','));
    const Run below = runCli({"--home", home.path(), "--metric", "query", "total", "--from", "0", "--to",
                              QString::number(qFloor(total - 0.01))});
    QVERIFY(!below.out.contains(label.toUtf8() + ','));

    const QString profile = home.filePath("p.pro");
    QVERIFY(TestSupport::writeBytes(profile, "\"Site\"\r\n\"\"\r\n\"\"\r\n1\r\n1\r\n1\r\n\"\"\r\n10\r\n\"\"\r\n"
                                             "\"\"\r\n-1\r\n2\r\n"));
    const Run shown = runCli({"--metric", "profile", "show", profile});
    QCOMPARE(shown.exitCode, 0);
    QVERIFY2(shown.out.contains("lblPro0to3,6.7"), shown.out.constData());
    QVERIFY(shown.out.contains("lblPro3Plus,22.4"));
    QVERIFY(shown.out.contains("lblProDuff,no data"));
    QVERIFY(shown.out.contains("lblProFuelBed,5.1"));
    // The file itself is never touched by the units.
    QCOMPARE(TestSupport::fileBytes(profile).left(7), QByteArray("\"Site\"\r"));

    const QString pdf = home.filePath("p.pdf");
    const Run report = runCli({"--home", home.path(), "--metric", "report", "profile", profile, "--pdf", pdf});
    QCOMPARE(report.exitCode, 0);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QByteArray words = text.readAllStandardOutput();
    QVERIFY2(words.contains("Loading(Mg/ha):"), words.constData());
    QVERIFY(words.contains("Depths (cm):"));
}

void TestCli::matching_similarAndSummary_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("rows"); // similar: Rank,Book/Photo ID,Distance; summary: whole rows
    QTest::addColumn<QString>("errText");  // in standard error; empty: standard error is empty

    // Fine t = ln(1 + fine) over the six photos with a fine loading: ln 2 (three times), ln 3, ln 5, ln 1.5, so
    // s = 0.389130; against --fine 1, B/3 is (ln 2 - ln 1.5) / s = 0.739, A/2 1.042, B/1 2.355.
    const QStringList byFine{"1,A/1,0.000", "2,A/3,0.000", "3,B/2,0.000", "4,B/3,0.739", "5,A/2,1.042", "6,B/1,2.355"};
    QTest::newRow("similar, typed fine, every photo ranked, ties by label")
        << QStringList{"similar", "--fine", "1", "--top", "0"} << 0 << byFine
        << "similar: note: 1 photo left out, lacking the 0 to 2.9 inch loading";
    QTest::newRow("similar, the same typed in Mg/ha")
        << QStringList{"--metric", "similar", "--fine=2.241702", "--top", "0"} << 0 << byFine << "1 photo left out";
    // Duff t over A/1, A/2, B/1, B/2: ln 2, ln 3, ln 1.5, ln 2 (s = 0.246827); bed over A/1, A/2, A/3, B/2: ln 5,
    // ln 7, ln 5, ln 5 (s = (ln 7 - ln 5) sqrt(3) / 4). A/2: sqrt(((ln 3 - ln 2) / 0.246827)^2 / 2 + 16 / 6) = 2.004.
    const QStringList byDepths{"1,A/1,0.000", "2,B/2,0.000", "3,A/2,2.004"};
    QTest::newRow("similar, typed depths") << QStringList{"similar", "--duff", "1", "--bed", "4"} << 0 << byDepths
                                           << "4 photos left out, lacking one of the values matched on (duff depth, "
                                              "fuel-bed depth)";
    QTest::newRow("similar, the same typed in cm")
        << QStringList{"similar", "--duff", "2.54", "--bed", "10.16", "--metric"} << 0 << byDepths
        << "4 photos left out";
    QTest::newRow("similar to a photo, itself left out, --top")
        << QStringList{"similar", "a/1", "--top", "1"} << 0 << QStringList{"1,B/2,0.000"}
        << "4 photos left out, lacking one of the values matched on (0 to 2.9 inch loading, 3 inch and larger "
           "loading, duff depth, fuel-bed depth)";
    QTest::newRow("similar, unknown photo")
        << QStringList{"similar", "Z/9"} << 1 << QStringList{} << "similar: no photo labelled \"Z/9\"";
    QTest::newRow("similar, a photo without values") << QStringList{"similar", "C/1"} << 1 << QStringList{}
                                                     << "similar: no value to match on: the photo \"C/1\" has none";
    QTest::newRow("similar, nothing to match on")
        << QStringList{"similar", "--top", "5"} << 1 << QStringList{} << "similar: no value to match on: give a photo";
    QTest::newRow("similar, an option of another command") << QStringList{"similar", "--coarse", "2", "--book", "x"}
                                                           << 2 << QStringList{} << "similar: unknown option '--book'";
    QTest::newRow("similar, bad number") << QStringList{"similar", "--bed", "4,5"} << 1 << QStringList{}
                                         << "similar: --bed: '4,5' is not a number of 0 or more";
    QTest::newRow("similar, negative depth")
        << QStringList{"similar", "--duff", "-1"} << 1 << QStringList{} << "is not a number of 0 or more";
    QTest::newRow("similar, bad --top") << QStringList{"similar", "A/1", "--top", "ten"} << 1 << QStringList{}
                                        << "similar: --top: 'ten'";

    // Fine 1 2 1 4 1 0.5: median (1 + 1) / 2; duff 1 2 0.5 1 (A/3 not measured, B/3 null): mean 1.125 rounds up.
    const QString header = "Measure,Count,Min,Median,Mean,Max";
    QTest::newRow("summary, every photo") << QStringList{"summary", "all"} << 0
                                          << QStringList{header,
                                                         "\"0.\"\" to 2.9\"\"\",6,0.50,1.00,1.58,4.00",
                                                         "\"3+\"\"\",5,1.00,3.00,3.40,7.00",
                                                         "Total,5,1.50,4.00,4.50,8.00",
                                                         "Duff Depth,4,0.50,1.00,1.13,2.00",
                                                         "Fuel Bed Depth,4,4.00,4.00,4.50,6.00"}
                                          << "";
    QTest::newRow("summary of a query, in metric units, a row without photos")
        << QStringList{"--metric", "summary", "total", "--from", "0", "--to", "3.4"} << 0
        << QStringList{header,
                       "0 to 7.4 cm (Mg/ha),1,1.12,1.12,1.12,1.12", // 0.5 t/ac = 1.120851 Mg/ha
                       "7.6 cm+ (Mg/ha),1,2.24,2.24,2.24,2.24",
                       "Total (Mg/ha),1,3.36,3.36,3.36,3.36",
                       "Duff Depth (cm),0,,,,",
                       "Fuel Bed Depth (cm),0,,,,"}
        << "";
    QTest::newRow("summary, query problem")
        << QStringList{"summary", "total", "--to", "4x"} << 1 << QStringList{} << "Query problem: '4x' is not a number";
    QTest::newRow("summary, unknown kind")
        << QStringList{"summary", "sideways"} << 2 << QStringList{} << "summary: unknown kind 'sideways'";
}

// The two matching commands on a small library whose numbers are worked by hand.
void TestCli::matching_similarAndSummary()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, rows);
    QFETCH(QString, errText);
    QTemporaryDir home;
    QStringList sql = TestSupport::photoSchema();
    // ID, book, photo, fine, coarse (classes 1 and 4, the others 0), TotalFL, duff, fuel bed.
    const QStringList photos{"1, 'A', '1', 1, 3, 4, 1, 4",
                             "2, 'A', '2', 2, 3, 5, 2, 6",
                             "3, 'A', '3', 1, 7, 8, -1, 4",
                             "4, 'B', '1', 4, NULL, NULL, 0.5, NULL",
                             "5, 'B', '2', 1, 3, 4, 1, 4",
                             "6, 'B', '3', 0.5, 1, 1.5, NULL, -1",
                             "7, 'C', '1', NULL, NULL, NULL, NULL, NULL"};
    for (const QString &row : photos) {
        sql << "INSERT INTO Photos (ID, BookLabel, PhotoLabel, TonsPerAcreBreak1, TonsPerAcreBreak4, TotalFL, "
               "AverageDuffDepth, AverageFuelbedDepth, TonsPerAcreBreak2, TonsPerAcreBreak3, TonsPerAcreBreak5, "
               "TonsPerAcreBreak6, TonsPerAcreBreak7) VALUES (" +
                   row + ", 0, 0, 0, 0, 0)";
    }
    sql << "INSERT INTO Books (id, BookLabel, BookDescription) VALUES (1, 'A', 'One'), (2, 'B', 'Two'), (3, 'C', '')";
    QVERIFY(TestSupport::makeSqlite(home.filePath("Photo.mdb"), sql));

    const Run run = runCli(QStringList{"--home", home.path()} + arguments);
    QVERIFY2(run.exitCode == exitCode, run.err.constData());
    if (errText.isEmpty())
        QVERIFY2(run.err.isEmpty(), run.err.constData());
    else
        QVERIFY2(run.err.contains(errText.toUtf8()), run.err.constData());
    if (exitCode != 0) {
        QVERIFY(run.out.isEmpty());
        return;
    }
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.last(), QByteArray()); // every line ends in CR LF
    QStringList printed;
    if (arguments.contains("summary")) {
        for (int i = 0; i + 1 < lines.size(); ++i)
            printed << QString::fromUtf8(lines.at(i).chopped(1));
        QCOMPARE(printed, rows);
        return;
    }
    // After the rank, the label and the distance, the list's other columns as list prints them, in its units.
    const QList<QStringList> csv = parseCsv(run.out);
    QStringList list{"--home", home.path(), "list"};
    if (arguments.contains("--metric"))
        list.prepend("--metric");
    QMap<QString, QStringList> listed;
    for (const QStringList &row : parseCsv(runCli(list).out))
        listed[row.first()] = row.mid(1);
    QCOMPARE(csv.first(), QStringList({"Rank", "Book/Photo ID", "Distance"}) + listed.value("Book/Photo ID"));
    for (int r = 1; r < csv.size(); ++r) {
        printed << csv.at(r).mid(0, 3).join(',');
        QCOMPARE(csv.at(r).mid(3), listed.value(csv.at(r).at(1)));
    }
    QCOMPARE(printed, rows);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
