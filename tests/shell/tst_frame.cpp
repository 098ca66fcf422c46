// The real frame started headless: start-up, the results list, the exit question, a second copy.
#include "data/resultsmodel.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/frmfenwyx.h"
#include "mainwindow/ui/resultslistview.h"
#include "platform/dialogs.h"
#include "platform/driveinfo.h"
#include "platform/processrunner.h"
#include "platform/settingsstore.h"
#include "platformdoubles.h"
#include "shell/ui/frmsplash.h"
#include "shell/ui/mdimain.h"
#include "shell/ui/startup.h"
#include "testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

namespace
{
const char kEmptyProfile[] = "\"Untitled\"\r\n\"\"\r\n\"\"\r\n0\r\n0\r\n0\r\n\"\"\r\n0\r\n\"\"\r\n\"\"\r\n0\r\n0\r\n";

// One run of the program against a program folder, with scripted dialogs.
struct Run {
    explicit Run(const QString &folder)
        : state(folder, Services{&dialogs, &settings, &processes, &drives}), startup(state)
    {
    }
    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    RecordingProcessRunner processes;
    FixedDriveInfo drives;
    ProgramState state;
    Startup startup;
};
} // namespace

class TestFrame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void startup_library_listsEveryPhotoAndSelectsFirst();
    void startup_noDatabase_saysWhyListIsEmpty();
    void startup_commandLine_data();
    void startup_commandLine();
    void startup_splashClosedEarly_programKeepsRunning();
    void startup_secondCopy_refusedWithMessage();
    void exit_answers_data();
    void exit_answers();
    void resultsView_iconAndList_checkMarksFollow();
    void statusBar_showsPanels();

private:
    QString lock() const { return m_dir.filePath("fenwyx.lock"); }
    QTemporaryDir m_dir;
    QString m_library;
};

void TestFrame::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_library = m_dir.filePath("library");
    QProcess sample;
    sample.start(TestSupport::binPath("fenwyx-sample"), {m_library, "--no-images", "--photos", "60"});
    QVERIFY(sample.waitForFinished(60000));
    QCOMPARE(sample.exitCode(), 0);
}

void TestFrame::cleanup()
{
    // never leave a modal window behind
    if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
}

void TestFrame::startup_library_listsEveryPhotoAndSelectsFirst()
{
    Run run(m_library);
    QVERIFY(run.startup.run({}, lock()));
    MDIMain *frame = run.startup.frame();
    QVERIFY(frame && frame->isVisible());
    QCOMPARE(frame->objectName(), QStringLiteral("MDIMain"));
    frmFenwyx *main = run.startup.mainWindow();
    QVERIFY(main->isVisible());
    QCOMPARE(main->windowTitle(), QStringLiteral(" Browsing Photos"));
    QCOMPARE(main->resultsModel()->rowCount(), 60);
    QCOMPARE(run.state.status.count(), QStringLiteral("60 photos found"));
    QCOMPARE(run.state.status.message(), QString());
    QCOMPARE(main->resultsList()->currentRow(), 0);
    QVERIFY(!main->LastItemKey.isEmpty());
    QVERIFY(!run.startup.splashOpen());
    QVERIFY(run.startup.failedSteps().isEmpty());
    QVERIFY(QFileInfo(QDir(m_library).filePath("data")).isDir());
    QVERIFY(frame->findChild<QWidget *>("lstPhotos"));
    QVERIFY(frame->findChild<QObject *>("mnuPrintComparsion"));
    frame->closeWithoutAsking();
}

void TestFrame::startup_noDatabase_saysWhyListIsEmpty()
{
    QTemporaryDir empty;
    Run run(empty.path());
    QVERIFY(run.startup.run({}, lock()));
    QVERIFY(run.startup.frame()->isVisible());
    QCOMPARE(run.startup.mainWindow()->resultsModel()->rowCount(), 0);
    QCOMPARE(run.state.status.icon(), StatusReporter::Icon::Error);
    QVERIFY2(run.state.status.message().contains("Photo.mdb"), qPrintable(run.state.status.message()));
    QCOMPARE(run.state.status.count(), QStringLiteral("0 photos found"));
    run.startup.frame()->closeWithoutAsking();
}

void TestFrame::startup_commandLine_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("profilePath"); // relative to the current folder, empty: "Untitled"
    QTest::newRow("missing file") << "gone.pro"
                                  << "ERROR - Can't find file: gone.pro"
                                  << "";
    QTest::newRow("relative path made absolute") << "a.pro"
                                                 << ""
                                                 << "a.pro";
    QTest::newRow("question mark for a blank") << "My?Dir/b.pro"
                                               << ""
                                               << "My Dir/b.pro";
    QTest::newRow("new profile") << "#NEW#"
                                 << ""
                                 << "";
}

void TestFrame::startup_commandLine()
{
    QFETCH(QString, argument);
    QFETCH(QString, status);
    QFETCH(QString, profilePath);
    QTemporaryDir cwd;
    QVERIFY(QDir(cwd.path()).mkpath("My Dir"));
    for (const QString name : {"a.pro", "My Dir/b.pro"}) {
        QFile f(cwd.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(kEmptyProfile);
    }
    const QString previous = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    Run run(m_library);
    int opened = 0;
    run.startup.openBuilderAssistant = [&opened] { ++opened; };
    QVERIFY(run.startup.run({argument}, lock()));
    QDir::setCurrent(previous);
    QCOMPARE(run.state.status.message(), status);
    const QString expected = profilePath.isEmpty() ? QStringLiteral("Untitled") : cwd.filePath(profilePath);
    QCOMPARE(run.state.profile.profilePath(), expected);
    QCOMPARE(opened, status.isEmpty() ? 1 : 0);
    run.startup.frame()->closeWithoutAsking();
}

void TestFrame::startup_splashClosedEarly_programKeepsRunning()
{
    Run run(m_library);
    // a click on the splash as soon as it lets events run
    QTimer::singleShot(0, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *splash = qobject_cast<frmSplash *>(w))
                QTest::mouseClick(splash, Qt::LeftButton);
    });
    QVERIFY(run.startup.run({}, lock()));
    QVERIFY(run.startup.frame()->isVisible());
    QCOMPARE(run.startup.mainWindow()->resultsModel()->rowCount(), 60);
    bool stillRunning = false;
    QTimer::singleShot(20, [&stillRunning] {
        stillRunning = true;
        QCoreApplication::exit(0);
    });
    QApplication::exec(); // a quit left over from the splash would end this at once
    QVERIFY(stillRunning);
    run.startup.frame()->closeWithoutAsking();
}

void TestFrame::startup_secondCopy_refusedWithMessage()
{
    Run first(m_library);
    QVERIFY(first.startup.run({}, lock()));
    Run second(m_library);
    QVERIFY(!second.startup.run({}, lock()));
    QVERIFY(!second.startup.frame());
    QCOMPARE(int(second.dialogs.messages.size()), 1);
    QCOMPARE(second.dialogs.messages[0].text, QStringLiteral("Error: you already have Fenwyx Running"));
    QCOMPARE(second.dialogs.messages[0].caption, QStringLiteral("Fenwyx"));
    QCOMPARE(second.dialogs.messages[0].icon, MessageIcon::Critical);
    first.startup.frame()->closeWithoutAsking();
}

void TestFrame::exit_answers_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QList<int>>("answers"); // MessageAnswer values
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("closed");
    const int yes = int(MessageAnswer::Yes), no = int(MessageAnswer::No);
    QTest::newRow("no keeps running") << false << QList<int>{no} << 1 << false;
    QTest::newRow("yes unchanged ends without second question") << false << QList<int>{yes} << 1 << true;
    QTest::newRow("changed, do not save") << true << QList<int>{yes, no} << 2 << true;
    QTest::newRow("changed, save dialog cancelled keeps running") << true << QList<int>{yes, yes} << 2 << false;
}

void TestFrame::exit_answers()
{
    QFETCH(bool, changed);
    QFETCH(QList<int>, answers);
    QFETCH(int, questions);
    QFETCH(bool, closed);
    Run run(m_library);
    QVERIFY(run.startup.run({}, lock()));
    run.state.profile.setProfileChanged(changed);
    for (int a : answers)
        run.dialogs.answers.push_back(MessageAnswer(a));
    run.startup.frame()->close();
    QCOMPARE(int(run.dialogs.messages.size()), questions);
    QCOMPARE(run.dialogs.messages[0].text, QStringLiteral("Exit Fenwyx?"));
    QCOMPARE(run.dialogs.messages[0].caption, QString());
    QCOMPARE(run.dialogs.messages[0].icon, MessageIcon::Question);
    if (questions > 1)
        QCOMPARE(run.dialogs.messages[1].text, QStringLiteral("Save Changes to Fuel Profile?"));
    QCOMPARE(run.startup.frame()->isVisible(), !closed);
    QCOMPARE(run.state.profile.profileChanged(), changed);
    if (!closed)
        run.startup.frame()->closeWithoutAsking();
}

void TestFrame::resultsView_iconAndList_checkMarksFollow()
{
    Run run(m_library);
    QVERIFY(run.startup.run({}, lock()));
    frmFenwyx *main = run.startup.mainWindow();
    main->action("mnuIconView")->trigger();
    QVERIFY(main->action("mnuIconView")->isChecked());
    QVERIFY(!main->action("mnuListView")->isChecked());
    QCOMPARE(main->resultsList()->view(), 2);
    main->toolButton("List")->trigger();
    QVERIFY(main->action("mnuListView")->isChecked());
    QVERIFY(!main->action("mnuIconView")->isChecked());
    QCOMPARE(main->resultsList()->view(), 3);
    run.startup.frame()->closeWithoutAsking();
}

void TestFrame::statusBar_showsPanels()
{
    Run run(m_library);
    QVERIFY(run.startup.run({}, lock()));
    MDIMain *frame = run.startup.frame();
    run.state.status.ShowStatus(StatusError, QStringLiteral("Can't view, no photo selected"));
    QCOMPARE(frame->findChild<QLabel *>("StatusBar1_Panel2")->text(),
             QStringLiteral("ERROR - Can't view, no photo selected"));
    QCOMPARE(frame->findChild<QLabel *>("StatusBar1_Panel1")->toolTip(), QStringLiteral("Error"));
    QCOMPARE(frame->findChild<QLabel *>("StatusBar1_Panel4")->text(), QStringLiteral("60 photos found"));
    QCOMPARE(frmSplash::releaseText(), QStringLiteral("Release 1.0.27"));
    frame->closeWithoutAsking();
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
