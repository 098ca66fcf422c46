// SPDX-License-Identifier: GPL-3.0-or-later
// The manual pages held against the programs: every command and option that a program's --help (and each of its
// commands' --help) names is in its page, and man formats every page without a warning.
#include "testsupport.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

namespace
{
struct Result {
    int code = -1;
    QString out;
    QString err;
};

Result run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("200"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Result r;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return r;
    r.code = process.exitCode();
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

QString pagePath(const QString &program)
{
    return QStringLiteral(FENWYX_PACKAGE_FILES "/man/") + program + QStringLiteral(".1");
}

// The options a help text names: words of one or two hyphens and a letter, not the hyphen inside a word.
QStringList optionsOf(const QString &help)
{
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[A-Za-z][A-Za-z0-9-]*)"));
    QStringList found;
    for (auto it = option.globalMatch(help); it.hasNext();) {
        const QString word = it.next().captured(1);
        if (!found.contains(word))
            found << word;
    }
    return found;
}

// The commands listed under "Commands:", one a line, up to the next empty line.
QStringList commandsOf(const QString &help)
{
    static const QRegularExpression command(QStringLiteral("^  ([a-z][a-z0-9-]*)"));
    QStringList found;
    const QStringList lines = help.split(QLatin1Char('\n'));
    const qsizetype start = lines.indexOf(QStringLiteral("Commands:"));
    for (qsizetype i = start + 1; start >= 0 && i < lines.size() && !lines.at(i).isEmpty(); ++i) {
        const QRegularExpressionMatch match = command.match(lines.at(i));
        if (match.hasMatch() && !found.contains(match.captured(1)))
            found << match.captured(1);
    }
    return found;
}
} // namespace

class TestManPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void page_namesEveryCommandAndOption_data();
    void page_namesEveryCommandAndOption();
    void page_formatsWithoutWarnings_data() { page_namesEveryCommandAndOption_data(); }
    void page_formatsWithoutWarnings();
};

void TestManPages::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("man")).isEmpty())
        QSKIP("man (man-db) is not installed");
}

void TestManPages::page_namesEveryCommandAndOption_data()
{
    QTest::addColumn<QString>("program");
    for (const QString &program : QStringLiteral(FENWYX_USER_PROGRAMS).split(QLatin1Char(',')))
        QTest::newRow(qPrintable(program)) << program;
}

void TestManPages::page_namesEveryCommandAndOption()
{
    QFETCH(QString, program);
    QVERIFY2(QFileInfo::exists(pagePath(program)), qPrintable(pagePath(program)));
    // As man shows it, formatted to plain text (the output is no terminal), lines of 200 columns, no word broken.
    const Result page = run(QStringLiteral("man"), {QStringLiteral("-l"), pagePath(program)});
    QCOMPARE(page.code, 0);
    const QString &text = page.out;

    const QString binary = TestSupport::binPath(program);
    const Result help = run(binary, {QStringLiteral("--help")});
    QCOMPARE(help.code, 0);
    QString helps = help.out;
    const QStringList commands = commandsOf(help.out);
    for (const QString &command : commands) {
        const Result commandHelp = run(binary, {command, QStringLiteral("--help")});
        QVERIFY2(commandHelp.code == 0 && commandHelp.out.startsWith(QStringLiteral("usage: ")),
                 qPrintable(command + QStringLiteral(": ") + commandHelp.err));
        helps += commandHelp.out;
        QVERIFY2(text.contains(
                     QRegularExpression(QStringLiteral("^ +%1\\b").arg(command), QRegularExpression::MultilineOption)),
                 qPrintable(QStringLiteral("%1(1) has no entry for the command %2").arg(program, command)));
    }
    for (const QString &option : optionsOf(helps)) {
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("(?<![\\w-])%1(?![\\w-])").arg(option))),
                 qPrintable(QStringLiteral("%1(1) does not name the option %2").arg(program, option)));
    }
}

void TestManPages::page_formatsWithoutWarnings()
{
    QFETCH(QString, program);
    const Result check = run(QStringLiteral("man"),
                             {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"),
                              QStringLiteral("-l"), QStringLiteral("-Tutf8"), QStringLiteral("-Z"), pagePath(program)});
    QCOMPARE(check.code, 0);
    QVERIFY2(check.err.isEmpty(), qPrintable(check.err));
}

QTEST_GUILESS_MAIN(TestManPages)
#include "tst_manpages.moc"
