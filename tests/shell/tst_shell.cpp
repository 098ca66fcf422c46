// SPDX-License-Identifier: GPL-3.0-or-later
// The command line and the status line.
#include "shell/commandline.h"
#include "shell/statusreporter.h"

#include <QSignalSpy>
#include <QtTest>

class TestShell : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void getCommandLine_arguments_data();
    void getCommandLine_arguments();
    void showStatus_kinds_fillPanels();
    void showStatus_countStaysWhileMessagesChange();
    void showStatus_errorBeeps_unknownKindDoesNothing();
};

void TestShell::getCommandLine_arguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("none") << QStringList{} << 1 << QStringList{""};
    QTest::newRow("question mark is a blank")
        << QStringList{"/home/u/My?Profiles/a.pro"} << 1 << QStringList{"", "/home/u/My Profiles/a.pro"};
    QTest::newRow("only the first is used") << QStringList{"a.pro", "b.pro"} << 1 << QStringList{"", "a.pro"};
    QTest::newRow("real blanks stay in one argument")
        << QStringList{"/tmp/my file.pro"} << 1 << QStringList{"", "/tmp/my file.pro"};
    QTest::newRow("default maximum") << QStringList{"a", "b", "c"} << 10 << QStringList{"", "a", "b", "c"};
    QTest::newRow("empty arguments skipped") << QStringList{"", "x"} << 1 << QStringList{"", "x"};
}

void TestShell::getCommandLine_arguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, maximum);
    QFETCH(QStringList, expected);
    QCOMPARE(GetCommandLine(arguments, maximum), expected);
}

void TestShell::showStatus_kinds_fillPanels()
{
    StatusReporter status;
    status.ShowStatus(StatusInfo, QStringLiteral("Query Running..."));
    QCOMPARE(status.message(), QStringLiteral("Query Running..."));
    QCOMPARE(status.icon(), StatusReporter::Icon::InfoOK);
    status.ShowStatus(StatusError, QStringLiteral("Can't find file: x.pro"));
    QCOMPARE(status.message(), QStringLiteral("ERROR - Can't find file: x.pro"));
    QCOMPARE(status.icon(), StatusReporter::Icon::Error);
    status.ShowStatus(StatusClear, QStringLiteral(" "));
    QCOMPARE(status.message(), QString());
    QCOMPARE(status.icon(), StatusReporter::Icon::None);
}

void TestShell::showStatus_countStaysWhileMessagesChange()
{
    StatusReporter status;
    status.ShowStatus(StatusInfo, QStringLiteral("Loading Query Parameters ..."));
    status.ShowStatus(StatusCount, QStringLiteral("42 photos found"));
    QCOMPARE(status.count(), QStringLiteral("42 photos found"));
    QCOMPARE(status.message(), QString()); // a count clears the message too
    QCOMPARE(status.icon(), StatusReporter::Icon::None);
    status.ShowStatus(StatusError, QStringLiteral("Query problem: x"));
    status.ShowStatus(StatusClear, QString());
    QCOMPARE(status.count(), QStringLiteral("42 photos found"));
}

void TestShell::showStatus_errorBeeps_unknownKindDoesNothing()
{
    StatusReporter status;
    int beeps = 0;
    status.setBeep([&beeps] { ++beeps; });
    QSignalSpy changed(&status, &StatusReporter::changed);
    status.ShowStatus(StatusError, QStringLiteral("x"));
    QCOMPARE(beeps, 1);
    status.ShowStatus(7, QStringLiteral("ignored"));
    QCOMPARE(status.message(), QStringLiteral("ERROR - x"));
    QCOMPARE(changed.count(), 1);
}

QTEST_GUILESS_MAIN(TestShell)
#include "tst_shell.moc"
