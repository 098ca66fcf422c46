// SPDX-License-Identifier: GPL-3.0-or-later
// The programs' command lines as a Unix user meets them: help, version, unknown words, lost output, no display,
// and folders never made by a mistyped name.
#include "files.h"
#include "testsupport.h"

#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace
{
enum Output {
    Captured,
    Full,             // /dev/full
    ClosedPipe,       // a pipe nobody reads, SIGPIPE as the shell leaves it
    ClosedPipeIgnored // the same with SIGPIPE ignored, as some parents start their children
};
constexpr int kKilledByPipe = -1;

struct Run {
    int exitCode = -2;
    QByteArray out;
    QByteArray err;
};
} // namespace

class TestCommandLines : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void rules_data();
    void rules();

private:
    Run run(const QString &program, const QStringList &arguments, const QStringList &environment, Output output) const;
    QStringList expanded(QStringList words) const;

    QTemporaryDir m_dir;
    QString m_home;
};

void TestCommandLines::initTestCase()
{
    m_home = m_dir.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(m_home));
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("scratch"))));
    QProcess convert;
    convert.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")),
                  {QStringLiteral("convert"), TestSupport::dataPath(QStringLiteral("fixtures/photo_jet4.mdb")),
                   m_home + QStringLiteral("/Photo.mdb")});
    QVERIFY(convert.waitForFinished(60000) && convert.exitCode() == 0);
    QVERIFY(TestSupport::writeBytes(m_dir.filePath(QStringLiteral("p.pro")),
                                    "\"Site\"\r\n\"\"\r\n\"SW-01/01\"\r\n1\r\n1\r\n1\r\n\"\"\r\n10\r\n\"\"\r\n"
                                    "\"\"\r\n-1\r\n2\r\n"));
}

QStringList TestCommandLines::expanded(QStringList words) const
{
    words.replaceInStrings(QStringLiteral("@home"), m_home);
    words.replaceInStrings(QStringLiteral("@missing"), m_dir.filePath(QStringLiteral("mistyped/home")));
    words.replaceInStrings(QStringLiteral("@scratch"), m_dir.filePath(QStringLiteral("scratch")));
    words.replaceInStrings(QStringLiteral("@profile"), m_dir.filePath(QStringLiteral("p.pro")));
    return words;
}

Run TestCommandLines::run(const QString &program, const QStringList &arguments, const QStringList &environment,
                          Output output) const
{
    QProcess process;
    // Nothing of the user's: settings, caches and runtime files in the test's folder.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("user")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("user/config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), m_dir.filePath(QStringLiteral("user/cache")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
    env.remove(QStringLiteral("FENWYX_HOME"));
    for (const QString &change : expanded(environment)) {
        if (change.startsWith(QLatin1Char('-')))
            env.remove(change.mid(1));
        else
            env.insert(change.section(QLatin1Char('='), 0, 0), change.section(QLatin1Char('='), 1));
    }
    process.setProcessEnvironment(env);

    int pipe[2] = {-1, -1};
    if (output == ClosedPipe || output == ClosedPipeIgnored) {
        if (::pipe2(pipe, O_CLOEXEC) != 0)
            return {};
        ::close(pipe[0]); // nobody will ever read: the first write finds the pipe closed
    } else if (output == Full) {
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
    }
    const int writeEnd = pipe[1];
    const bool ignorePipe = output == ClosedPipeIgnored;
    process.setChildProcessModifier([writeEnd, ignorePipe] {
        std::signal(SIGPIPE, ignorePipe ? SIG_IGN : SIG_DFL);
        if (writeEnd >= 0)
            ::dup2(writeEnd, STDOUT_FILENO);
    });
    process.start(TestSupport::binPath(program), expanded(arguments));
    const bool finished = process.waitForFinished(60000);
    if (writeEnd >= 0)
        ::close(writeEnd);
    if (!finished)
        return {};
    Run r;
    if (process.exitStatus() == QProcess::CrashExit)
        r.exitCode = process.exitCode() == SIGPIPE ? kKilledByPipe : -3;
    else
        r.exitCode = process.exitCode();
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    return r;
}

void TestCommandLines::rules_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment"); // NAME=value, or -NAME to remove it
    QTest::addColumn<int>("output");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("outStart");
    QTest::addColumn<QByteArray>("errText"); // in standard error; empty: standard error is empty

    const QString gui = QStringLiteral("fenwyx"), cli = QStringLiteral("fenwyx-cli");
    const QStringList noDisplay{"-DISPLAY", "-WAYLAND_DISPLAY", "-QT_QPA_PLATFORM"};
    const QByteArray version = QByteArray(FENWYX_VERSION) + '\n';
    const QByteArray noDesktop = "fenwyx: Fenwyx needs a graphical desktop";
    const QByteArray lost = "fenwyx-cli: cannot write the output: ";
    const QByteArray csv = "Book/Photo ID,";

    QTest::newRow("fenwyx --help, no display") << gui << QStringList{"--help"} << noDisplay << int(Captured) << 0
                                               << QByteArray("usage: fenwyx ") << QByteArray();
    QTest::newRow("fenwyx --version, no display")
        << gui << QStringList{"--version"} << noDisplay << int(Captured) << 0 << "fenwyx " + version << QByteArray();
    QTest::newRow("fenwyx unknown option, never a file")
        << gui << QStringList{"--frobnicate.pro"} << noDisplay << int(Captured) << 2 << QByteArray()
        << QByteArray("fenwyx: unknown option '--frobnicate.pro'\nusage: fenwyx ");
    QTest::newRow("fenwyx --help onto a full disk") << gui << QStringList{"--help"} << noDisplay << int(Full) << 1
                                                    << QByteArray() << QByteArray("fenwyx: cannot write the output: ");
    QTest::newRow("fenwyx without a display")
        << gui << QStringList{} << noDisplay << int(Captured) << 1 << QByteArray() << noDesktop;
    QTest::newRow("fenwyx with a display that does not answer")
        << gui << QStringList{"#NEW#"} << QStringList{"-WAYLAND_DISPLAY", "QT_QPA_PLATFORM=xcb", "DISPLAY=:987"}
        << int(Captured) << 1 << QByteArray() << noDesktop;

    QTest::newRow("--version") << cli << QStringList{"--version"} << QStringList{} << int(Captured) << 0
                               << "fenwyx-cli " + version << QByteArray();
    QTest::newRow("--help") << cli << QStringList{"--help"} << QStringList{} << int(Captured) << 0
                            << QByteArray("usage: fenwyx-cli ") << QByteArray();
    QTest::newRow("a command's --help") << cli << QStringList{"report", "photo", "--help"} << QStringList{}
                                        << int(Captured) << 0
                                        << QByteArray("usage: fenwyx-cli [--home DIR] [--metric] report photo")
                                        << QByteArray();
    QTest::newRow("unknown command") << cli << QStringList{"frobnicate"} << QStringList{} << int(Captured) << 2
                                     << QByteArray()
                                     << QByteArray("fenwyx-cli: unknown command 'frobnicate'\nusage: fenwyx-cli ");
    QTest::newRow("unknown option before the command")
        << cli << QStringList{"--frobnicate", "list"} << QStringList{} << int(Captured) << 2 << QByteArray()
        << QByteArray("fenwyx-cli: unknown option '--frobnicate'\nusage: fenwyx-cli ");
    QTest::newRow("unknown option of a command")
        << cli << QStringList{"--home", "@home", "list", "--frobnicate"} << QStringList{} << int(Captured) << 2
        << QByteArray()
        << QByteArray(
               "fenwyx-cli: list: unknown option '--frobnicate'\nusage: fenwyx-cli [--home DIR] [--metric] list\n");
    QTest::newRow("unknown query option")
        << cli << QStringList{"--home", "@home", "query", "total", "--color", "red"} << QStringList{} << int(Captured)
        << 2 << QByteArray() << QByteArray("fenwyx-cli: query: unknown option '--color'\nusage: ");
    QTest::newRow("unknown report option")
        << cli << QStringList{"--home", "@home", "report", "photo", "SW-01/01", "--pdf", "@scratch/r.pdf", "--png"}
        << QStringList{} << int(Captured) << 2 << QByteArray()
        << QByteArray("fenwyx-cli: report: unknown option '--png'\nusage: ");
    QTest::newRow("word left over") << cli << QStringList{"--home", "@home", "datasheet", "SW-01/01", "SW-01/02"}
                                    << QStringList{} << int(Captured) << 2 << QByteArray()
                                    << QByteArray("fenwyx-cli: datasheet: unexpected argument 'SW-01/02'\nusage: ");
    QTest::newRow("--home without its folder")
        << cli << QStringList{"list", "--home"} << QStringList{} << int(Captured) << 2 << QByteArray()
        << QByteArray("fenwyx-cli: --home needs a folder\nusage: ");

    // Every command that writes to standard output, onto a full disk: a failure, said once.
    const QList<QPair<const char *, QStringList>> writers = {
        {"list", {"--home", "@home", "list"}},
        {"query", {"--home", "@home", "query", "all"}},
        {"params", {"--home", "@home", "params"}},
        {"datasheet", {"--home", "@home", "datasheet", "SW-01/01"}},
        {"profile show", {"--home", "@home", "profile", "show", "@profile"}},
        {"profile save", {"--home", "@scratch", "profile", "save", "@profile", "@scratch/saved"}},
        {"report to standard output", {"--home", "@home", "report", "photo", "SW-01/01", "--pdf", "-"}},
        {"similar", {"--home", "@home", "similar", "SW-01/01"}},
        {"summary", {"--home", "@home", "summary", "total", "--to", "40"}},
        {"--help", {"--help"}},
        {"--version", {"--version"}},
    };
    for (const auto &[name, arguments] : writers) {
        QTest::addRow("%s onto a full disk", name)
            << cli << arguments << QStringList{} << int(Full) << 1 << QByteArray() << lost + "No space left on device";
    }
    for (const auto &[name, arguments] : {writers.at(0), writers.at(4), writers.at(6)}) {
        QTest::addRow("%s into a closed pipe", name)
            << cli << arguments << QStringList{} << int(ClosedPipe) << kKilledByPipe << QByteArray() << QByteArray();
        QTest::addRow("%s into a closed pipe, SIGPIPE ignored", name)
            << cli << arguments << QStringList{} << int(ClosedPipeIgnored) << 1 << QByteArray() << lost + "Broken pipe";
    }
    QTest::newRow("report to standard output")
        << cli << writers.at(6).second << QStringList{} << int(Captured) << 0 << QByteArray("%PDF-") << QByteArray();
    QTest::newRow("list reads the folder as it is")
        << cli << writers.at(0).second << QStringList{} << int(Captured) << 0 << csv << QByteArray();

    // A mistyped program folder is named, and never made.
    const QList<QPair<const char *, QStringList>> readers = {
        {"list", {"list"}},
        {"query", {"query", "total"}},
        {"params", {"params"}},
        {"datasheet", {"datasheet", "SW-01/01"}},
        {"profile show", {"profile", "show", "@profile"}},
        {"profile save", {"profile", "save", "@profile", "@scratch/other"}},
        {"report", {"report", "photo", "SW-01/01", "--pdf", "@scratch/r.pdf"}},
        {"similar", {"similar", "--fine", "3"}},
        {"summary", {"summary", "all"}},
    };
    for (const auto &[name, arguments] : readers) {
        QTest::addRow("%s in a mistyped --home", name)
            << cli << QStringList{"--home", "@missing"} + arguments << QStringList{} << int(Captured) << 1
            << QByteArray() << "fenwyx-cli: " + QFile::encodeName(m_dir.filePath("mistyped/home")) + ": no such folder";
    }
    QTest::newRow("list in a mistyped FENWYX_HOME")
        << cli << QStringList{"list"} << QStringList{"FENWYX_HOME=@missing"} << int(Captured) << 1 << QByteArray()
        << QByteArray("fenwyx-cli: ") + QFile::encodeName(m_dir.filePath("mistyped/home"));
}

void TestCommandLines::rules()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, output);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, outStart);
    QFETCH(QByteArray, errText);

    const QStringList homeBefore = QDir(m_home).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    const Run r = run(program, arguments, environment, Output(output));
    QVERIFY2(r.exitCode == exitCode, qPrintable(QStringLiteral("exit %1: %2").arg(r.exitCode).arg(r.err)));
    QVERIFY2(r.out.startsWith(outStart), r.out.left(200).constData());
    if (errText.isEmpty())
        QVERIFY2(r.err.isEmpty(), r.err.constData());
    else
        QVERIFY2(r.err.contains(errText), r.err.constData());
    // Each message names the program; the usage lines follow the message.
    for (const QByteArray &line : r.err.split('\n')) {
        if (line.startsWith("usage: ") || line.isEmpty())
            break;
        QVERIFY2(line.startsWith(QFile::encodeName(program) + ": ") || line.startsWith("qt.qpa."), line.constData());
    }
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("mistyped"))));
    QCOMPARE(QDir(m_home).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), homeBefore);
}

QTEST_GUILESS_MAIN(TestCommandLines)
#include "tst_commandlines.moc"
