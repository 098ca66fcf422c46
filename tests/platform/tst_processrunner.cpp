// SPDX-License-Identifier: GPL-3.0-or-later
// Running the photo manager: the program waits for it with its windows still drawn and user input held back.
#include "platform/processrunner.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace
{

// Counts what reaches it, and how much of that came while the manager ran.
class Probe : public QWidget
{
public:
    bool managerRunning = false;
    int paintsWhileRunning = 0;
    int inputWhileRunning = 0;
    int keys = 0;
    int clicks = 0;

protected:
    void paintEvent(QPaintEvent *) override { paintsWhileRunning += managerRunning ? 1 : 0; }
    void keyPressEvent(QKeyEvent *) override { count(keys); }
    void mousePressEvent(QMouseEvent *) override { count(clicks); }

private:
    void count(int &kind)
    {
        ++kind;
        inputWhileRunning += managerRunning ? 1 : 0;
    }
};

} // namespace

class TestProcessRunner : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void runAndWait_repaintsButHoldsInputBack();
    void runAndWait_missingProgram_fails();
    void run_passesArgumentsAndProgramFolder_reportsTheEnd();
};

void TestProcessRunner::runAndWait_repaintsButHoldsInputBack()
{
    // A real short program that ends once it is told to: the test tells it after the window has been
    // asked to repaint and has been sent a key press and a click while it runs.
    QTemporaryDir folder;
    const QString go = folder.filePath(QStringLiteral("go"));
    QFile manager(folder.filePath(QStringLiteral("photomgr")));
    QVERIFY(manager.open(QIODevice::WriteOnly));
    // It gives up by itself after about ten seconds, so a runner that blocks fails the test, never hangs it.
    manager.write("#!/bin/sh\ni=0\nwhile [ ! -e \"$(dirname \"$0\")/go\" ] && [ $i -lt 1000 ]; do\n"
                  "    sleep 0.01; i=$((i + 1))\ndone\n");
    manager.close();
    QVERIFY(manager.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    Probe probe;
    probe.resize(200, 100);
    probe.show();
    QVERIFY(QTest::qWaitForWindowExposed(&probe));

    int ticks = 0;
    QTimer during;
    during.setInterval(10);
    QObject::connect(&during, &QTimer::timeout, &probe, [&] {
        if (!probe.managerRunning)
            return;
        ++ticks;
        if (ticks == 1) {
            QCoreApplication::postEvent(&probe, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
            QCoreApplication::postEvent(&probe, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5),
                                                                probe.mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                                                                Qt::LeftButton, Qt::NoModifier));
        }
        probe.update();
        // Ends the manager once a repaint came through after the input was sent (or, should none ever
        // come, after a few hundred ticks, so that a fault fails the test instead of hanging it).
        if ((ticks > 2 && probe.paintsWhileRunning > 1) || ticks > 500) {
            QFile file(go);
            file.open(QIODevice::WriteOnly);
        }
    });
    during.start();

    QtProcessRunner runner;
    probe.managerRunning = true;
    QVERIFY(runner.runAndWait(QStringLiteral("photomgr.exe"), folder.path()));
    probe.managerRunning = false;
    during.stop();

    QVERIFY(probe.paintsWhileRunning > 1);
    QCOMPARE(probe.inputWhileRunning, 0);
    // Held back, not lost: the input arrives once the manager has ended.
    QTRY_COMPARE(probe.keys, 1);
    QTRY_COMPARE(probe.clicks, 1);
}

void TestProcessRunner::runAndWait_missingProgram_fails()
{
    QTemporaryDir folder;
    QtProcessRunner runner;
    QVERIFY(!runner.runAndWait(QStringLiteral("no-such-manager-here.exe"), folder.path()));
}

void TestProcessRunner::run_passesArgumentsAndProgramFolder_reportsTheEnd()
{
    // The family's programs work on the folder Fenwyx uses, whatever their own rule would find.
    QTemporaryDir folder;
    const QString seen = folder.filePath(QStringLiteral("seen"));
    QFile program(folder.filePath(QStringLiteral("sibling")));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\nprintf '%s|%s|%s' \"$FENWYX_HOME\" \"$1\" \"$2\" > \"$(dirname \"$0\")/seen\"\n"
                  "echo 'sibling: went wrong' >&2\nexit 3\n");
    program.close();
    QVERIFY(program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("FENWYX_HOME", "/somewhere/else");

    QtProcessRunner runner;
    const ProcessRunner::Outcome outcome =
        runner.run(QStringLiteral("sibling"), {QStringLiteral("--install"), QStringLiteral("a b")}, folder.path());
    QVERIFY(outcome.started);
    QVERIFY(!outcome.succeeded);
    QCOMPARE(outcome.errorOutput.trimmed(), QStringLiteral("sibling: went wrong"));
    QFile result(seen);
    QVERIFY(result.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(result.readAll()), folder.path() + QStringLiteral("|--install|a b"));
}

QTEST_MAIN(TestProcessRunner)
#include "tst_processrunner.moc"
