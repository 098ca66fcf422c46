// SPDX-License-Identifier: GPL-3.0-or-later
// The first start: the welcome in place of the empty window, and from it to an installed, shown series.
#include "data/resultsmodel.h"
#include "mainwindow/ui/frmfenwyx.h"
#include "mainwindow/ui/maincontroller.h"
#include "testprogram.h"
#include "testsupport.h"

#include <QPushButton>
#include <QSplitter>
#include <QTemporaryDir>
#include <QtTest>

class TestWelcome : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void installSample_fromTheWelcome_listsAndShowsTheSeries();
    void installSeries_runsTheManagerAndReadsTheSeriesAfresh();

private:
    QTemporaryDir m_root;
};

void TestWelcome::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // The photo manager run for real reads its settings here, never the user's.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_root.filePath(QStringLiteral("config"))));
}

void TestWelcome::cleanup()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
}

void TestWelcome::installSample_fromTheWelcome_listsAndShowsTheSeries()
{
    const QString folder = m_root.filePath(QStringLiteral("new user"));
    QVERIFY(QDir().mkpath(folder));
    TestProgram::Options options;
    options.realProcesses = true;
    TestWindow w(folder, options);
    frmFenwyx *window = w.controller().window();
    QWidget *welcome = window->findChild<QWidget *>(QStringLiteral("vseWelcome"));
    QVERIFY(welcome && welcome->isVisible());
    QVERIFY(!window->mainRegion()->isVisible());
    QVERIFY(!window->queryRegion()->isVisible());

    // The only hint stays through a key press.
    w.state().status.ShowStatus(StatusError, QStringLiteral("No photo database: Photo.mdb"));
    QTest::keyClick(window, Qt::Key_Alt);
    QTest::keyClick(window, Qt::Key_Down);
    QCOMPARE(w.state().status.message(), QStringLiteral("ERROR - No photo database: Photo.mdb"));

    auto *sample = welcome->findChild<QPushButton *>(QStringLiteral("cmdInstallSample"));
    QVERIFY(sample && sample->isVisible());
    sample->click();
    const QString message = w.state().status.message();
    QVERIFY2(message.contains(QLatin1String("invented")) && !message.startsWith(QLatin1String("ERROR")),
             qPrintable(message));
    QVERIFY(!welcome->isVisible());
    QVERIFY(window->mainRegion()->isVisible());
    QVERIFY(window->queryRegion()->isVisible());
    QCOMPARE(w.controller().resultsModel()->rowCount(), 150);
    QCOMPARE(w.state().status.count(), QStringLiteral("150 photos found"));
    // The first photo is shown with its picture.
    QVERIFY(w.state().photoSlots.SlotHasPhoto(0));
    QVERIFY(w.state().photoSlots.states[0].ImageSource != int(ImageNowhere));
    QVERIFY(QFileInfo(folder + QStringLiteral("/PhotoImages/PNW-01")).isDir());
}

void TestWelcome::installSeries_runsTheManagerAndReadsTheSeriesAfresh()
{
    QTemporaryDir dir;
    const QString sample = dir.filePath(QStringLiteral("sample"));
    QVERIFY(TestSupport::makeSampleLibrary(sample, {QStringLiteral("--photos"), QStringLiteral("16")}));
    TestWindow w(dir.filePath(QStringLiteral("program")));
    QVERIFY(w.controller().window()->welcomeShown());
    RecordingProcessRunner &processes = w.program.processes;
    // The manager's window, as a user works it: the series lands in the program folder.
    processes.onRun = [&] {
        QVERIFY(
            QFile::copy(sample + QStringLiteral("/Photo.mdb"), w.state().programFolder + QStringLiteral("/Photo.mdb")));
    };
    w.controller().window()->findChild<QPushButton *>(QStringLiteral("cmdInstallSeries"))->click();
    QCOMPARE(processes.started, std::vector<QString>{QStringLiteral("fenwyx-photomgr")});
    QCOMPARE(processes.arguments, std::vector<QStringList>{QStringList()});
    QVERIFY(!w.controller().window()->welcomeShown());
    QCOMPARE(w.controller().resultsModel()->rowCount(), 16);
    QVERIFY(w.state().photoSlots.SlotHasPhoto(0));

    // A query that finds nothing is no reason for the welcome.
    w.controller().FilterResults(QStringLiteral("no-such-photo-anywhere"));
    w.state().library.setCurrentPhotoSet(std::make_shared<PhotoSet>());
    w.controller().FillResultsList();
    QVERIFY(!w.controller().window()->welcomeShown());
}

QTEST_MAIN(TestWelcome)
#include "tst_welcome.moc"
