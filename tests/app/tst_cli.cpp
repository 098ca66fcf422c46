// The batch interface run as a program: list, convert, datasheet, profile saving as an ordinary user, errors.
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

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
