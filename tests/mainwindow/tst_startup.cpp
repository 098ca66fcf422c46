// SPDX-License-Identifier: GPL-3.0-or-later
// The real frame started headless: start-up, the results list, the exit question, a second copy.
#include "data/resultsmodel.h"
#include "databaselock.h"
#include "files.h"
#include "mainwindow/ui/frmfenwyx.h"
#include "mainwindow/ui/maincommands.h"
#include "mainwindow/ui/maincontroller.h"
#include "mainwindow/ui/querypane.h"
#include "mainwindow/ui/resultslistview.h"
#include "mainwindow/ui/startup.h"
#include "profile/ui/frmassistant.h"
#include "shell/programfolder.h"
#include "shell/ui/frmsplash.h"
#include "shell/ui/mdimain.h"
#include "testprogram.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace
{
const char kEmptyProfile[] = "\"Untitled\"\r\n\"\"\r\n\"\"\r\n0\r\n0\r\n0\r\n\"\"\r\n0\r\n\"\"\r\n\"\"\r\n0\r\n0\r\n";

// One run of the program against a program folder, with scripted dialogs.
struct Run {
    explicit Run(const QString &folder) : program(folder), startup(state) {}
    TestProgram program;
    ProgramState &state = program.state;
    ScriptedDialogs &dialogs = program.dialogs;
    Startup startup;
};
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void startup_library_listsEveryPhotoAndSelectsFirst();
    void startup_noDatabase_saysWhyListIsEmpty();
    void startup_installedWithoutDatabase_namesWhereItLooks();
    void startup_databaseLocked_triesAgainAndFillsTheWindow();
    void startup_unusableCodeFile_startsAndSaysWhich();
    void startup_commandLine_data();
    void startup_commandLine();
    void startup_splashClosedEarly_programKeepsRunning();
    void startup_secondCopy_refusedWithMessage();
    void exit_answers_data();
    void exit_answers();
    void resultsView_iconAndList_checkMarksFollow();
    void statusBar_showsPanels();
    void frame_geometryKeptBetweenRuns();
    void startup_modalBoxes_neverBehindTheSplash();
    void help_commandsReachTheHelpWindows();
    void reports_menuReachesThePrinterAndRemembersPreview();
    void window_stateKeptBetweenRuns();

private:
    QString lock() const { return m_dir.filePath("fenwyx.lock"); }
    QTemporaryDir m_dir;
    QString m_library;
};

void TestStartup::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_library = m_dir.filePath("library");
    QProcess sample;
    sample.start(TestSupport::binPath("fenwyx-sample"), {m_library, "--no-images", "--photos", "60"});
    QVERIFY(sample.waitForFinished(60000));
    QCOMPARE(sample.exitCode(), 0);
}

void TestStartup::cleanup()
{
    // never leave a modal window behind
    if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
}

void TestStartup::startup_library_listsEveryPhotoAndSelectsFirst()
{
    Run run(m_library);
    QVERIFY(run.startup.run({}, lock()));
    MDIMain *frame = run.startup.frame();
    QVERIFY(frame && frame->isVisible());
    QCOMPARE(frame->objectName(), QStringLiteral("MDIMain"));
    frmFenwyx *main = run.startup.mainWindow();
    QVERIFY(main->isVisible());
    QCOMPARE(main->windowTitle(), QStringLiteral(" Browsing Photos"));
    // The frame's title shows the caption of the window it holds.
    QCOMPARE(frame->windowTitle(), QStringLiteral("Fenwyx -  Browsing Photos"));
    QCOMPARE(main->resultsModel()->rowCount(), 60);
    QCOMPARE(run.state.status.count(), QStringLiteral("60 photos found"));
    QCOMPARE(run.state.status.message(), QString());
    QCOMPARE(main->resultsList()->currentRow(), 0);
    QVERIFY(!run.state.modes.state().LastItemKey.isEmpty());
    QVERIFY(!run.startup.splashOpen());
    QVERIFY(run.startup.failedSteps().isEmpty());
    QVERIFY(QFileInfo(QDir(m_library).filePath("data")).isDir());
    QVERIFY(frame->findChild<QWidget *>("lstPhotos"));
    QVERIFY(frame->findChild<QObject *>("mnuPrintComparsion"));
    frame->closeWithoutAsking();
}

void TestStartup::startup_noDatabase_saysWhyListIsEmpty()
{
    QTemporaryDir empty;
    {
        Run run(empty.path());
        QVERIFY(run.startup.run({}, lock()));
        QVERIFY(run.startup.frame()->isVisible());
        QCOMPARE(run.startup.mainWindow()->resultsModel()->rowCount(), 0);
        QCOMPARE(run.state.status.icon(), StatusReporter::Icon::Error);
        QVERIFY2(run.state.status.message().contains("Photo.mdb"), qPrintable(run.state.status.message()));
        QCOMPARE(run.state.status.count(), QStringLiteral("0 photos found"));
        run.startup.frame()->closeWithoutAsking();
    }

    // A profile argument that names no file is reported after the database, not instead of it.
    Run again(empty.path());
    QVERIFY(again.startup.run({QStringLiteral("gone.pro")}, lock()));
    const QString message = again.state.status.message();
    QVERIFY2(message.startsWith(QLatin1String("ERROR - No photo database: ")), qPrintable(message));
    QVERIFY2(message.endsWith(QLatin1String("; Can't find file: gone.pro")), qPrintable(message));
    again.startup.frame()->closeWithoutAsking();
}

void TestStartup::startup_installedWithoutDatabase_namesWhereItLooks()
{
    // An installed program on its first start: the user's folder has the code files but no photo series yet.
    QTemporaryDir install;
    const QString shared = install.filePath("share/fenwyx");
    QVERIFY(QDir().mkpath(shared + "/help"));
    QVERIFY(QFile::copy(QDir(m_library).filePath("VegCodes.txt"), shared + "/VegCodes.txt"));
    ProgramFolder::Places places;
    places.executableFolder = install.filePath("bin");
    places.sharedFolder = shared;
    places.userFolder = install.filePath("home/Fenwyx");
    const QString folder = ProgramFolder::resolve({}, {}, places);
    QCOMPARE(folder, places.userFolder);

    Run run(folder);
    QVERIFY(run.startup.run({}, lock()));
    const QString message = run.state.status.message();
    QVERIFY2(message.contains(QDir(folder).filePath("Photo.mdb")), qPrintable(message));
    QVERIFY(QFileInfo(QDir(folder).filePath("data")).isDir());
    run.startup.frame()->closeWithoutAsking();
}

// Another program writing the photo database at start-up: the window comes up at once, says so, and fills
// itself as soon as the file is free, without a restart.
void TestStartup::startup_databaseLocked_triesAgainAndFillsTheWindow()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("library");
    QVERIFY(TestSupport::copyTree(m_library, folder));
    TestSupport::DatabaseLock writer(QDir(folder).filePath("Photo.mdb"));
    QVERIFY(writer.isHeld());
    Run run(folder);
    run.state.library.setBusyTimeout(100);
    QVERIFY(run.startup.run({}, lock()));
    frmFenwyx *main = run.startup.mainWindow();
    QVERIFY(main->isVisible());
    QCOMPARE(main->resultsModel()->rowCount(), 0);
    const QString message = run.state.status.message();
    QVERIFY2(message.contains("another program kept the database locked") && message.contains("trying again"),
             qPrintable(message));
    QVERIFY(run.state.library.retrying());

    writer.release();
    QTRY_COMPARE_WITH_TIMEOUT(main->resultsModel()->rowCount(), 60, 10000);
    QVERIFY(!run.state.library.retrying());
    QCOMPARE(run.state.status.count(), QStringLiteral("60 photos found"));
    QCOMPARE(run.state.status.message(), QString());
    QVERIFY(main->findChild<QComboBox *>("cboBook")->count() > 1);
    QCOMPARE(main->resultsList()->currentRow(), 0);
    run.startup.frame()->closeWithoutAsking();
}

// A code file that cannot be one (here far too large; a pipe or a device is refused the same way, see tst_runquery):
// the program starts, lists the codes without descriptions and says which file it could not use.
void TestStartup::startup_unusableCodeFile_startsAndSaysWhich()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("library");
    QVERIFY(TestSupport::copyTree(m_library, folder));
    const QString codes = QDir(folder).filePath("VegCodes.txt");
    QVERIFY(QFile::resize(codes, 64 << 20));
    Run run(folder);
    QVERIFY(run.startup.run({}, lock()));
    QCOMPARE(run.startup.mainWindow()->resultsModel()->rowCount(), 60);
    const QString message = run.state.status.message();
    QVERIFY2(message.contains(codes) && message.contains("too large"), qPrintable(message));
    const auto *vegetation = run.startup.frame()->findChild<QListWidget *>("lstVegType");
    QVERIFY(vegetation && vegetation->count() > 0);
    for (int i = 0; i < vegetation->count(); ++i)
        QVERIFY2(vegetation->item(i)->text().endsWith("- "), qPrintable(vegetation->item(i)->text()));
    run.startup.frame()->closeWithoutAsking();
}

void TestStartup::startup_commandLine_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("profilePath"); // relative to the current folder, empty: "Untitled"
    QTest::addColumn<bool>("builder");
    QTest::addColumn<bool>("jumped"); // the fine fuels' source photo is the one shown
    const QString notFound = QStringLiteral("ERROR - Can't find in currently installed photos");
    QTest::newRow("missing file") << "gone.pro"
                                  << "ERROR - Can't find file: gone.pro"
                                  << "" << false << false;
    QTest::newRow("relative path made absolute, no source yet") << "a.pro" << notFound << "a.pro" << true << false;
    QTest::newRow("question mark for a blank, its source shown") << "My?Dir/b.pro"
                                                                 << ""
                                                                 << "My Dir/b.pro" << true << true;
    QTest::newRow("new profile") << "#NEW#"
                                 << ""
                                 << "" << true << false;
    QTest::newRow("new profile inside a longer text") << "x#NEW#y"
                                                      << ""
                                                      << "" << true << false;
}

void TestStartup::startup_commandLine()
{
    QFETCH(QString, argument);
    QFETCH(QString, status);
    QFETCH(QString, profilePath);
    QFETCH(bool, builder);
    QFETCH(bool, jumped);
    QString source;
    {
        TestProgram look(m_library);
        look.open();
        source = look.state.library.currentPhotoSet()->at(4).label();
    }
    QTemporaryDir cwd;
    QVERIFY(QDir(cwd.path()).mkpath("My Dir"));
    QVERIFY(TestSupport::writeBytes(cwd.filePath("a.pro"), kEmptyProfile));
    QByteArray withSource = kEmptyProfile;
    withSource.replace(QByteArray("\r\n\"\"\r\n0\r\n0\r\n0"),
                       "\r\n\"" + source.toLatin1() + "\"\r\n1.04\r\n2.03\r\n0.02");
    QVERIFY(TestSupport::writeBytes(cwd.filePath("My Dir/b.pro"), withSource));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    Run run(m_library);
    QVERIFY(run.startup.run({argument}, lock()));
    QDir::setCurrent(previous);
    QCOMPARE(run.state.status.message(), status);
    const QString expected = profilePath.isEmpty() ? QStringLiteral("Untitled") : cwd.filePath(profilePath);
    QCOMPARE(run.state.profile.profilePath(), expected);
    QCOMPARE(run.state.modes.state().builderOn, builder);
    QCOMPARE(run.startup.controller()->assistant()->isVisible(), builder);
    QCOMPARE(run.state.photoSlots.states[0].label == source, jumped);
    if (jumped)
        QCOMPARE(run.state.profile.profile().Tpa1, 1.04);
    // A profile opened from the command line can be printed at once, as after the Load button.
    QCOMPARE(run.startup.controller()->commands().mnuFuelProfilePrint->isEnabled(), !profilePath.isEmpty());
    run.startup.frame()->closeWithoutAsking();
}

void TestStartup::startup_splashClosedEarly_programKeepsRunning()
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

void TestStartup::startup_secondCopy_refusedWithMessage()
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

void TestStartup::exit_answers_data()
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

void TestStartup::exit_answers()
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

void TestStartup::resultsView_iconAndList_checkMarksFollow()
{
    Run run(m_library);
    QVERIFY(run.startup.run({}, lock()));
    MDIMain *frame = run.startup.frame();
    MainCommands &commands = run.startup.mainWindow()->commands();
    QVERIFY(TestSupport::triggerAction(frame, QStringLiteral("mnuIconView")));
    QVERIFY(commands.mnuIconView->isChecked());
    QVERIFY(!commands.mnuListView->isChecked());
    QVERIFY(frame->findChild<QToolButton *>("barMain_Icon")->isChecked());
    QCOMPARE(run.startup.mainWindow()->resultsList()->view(), 2);
    frame->findChild<QToolButton *>("barMain_List")->click();
    QVERIFY(commands.mnuListView->isChecked());
    QVERIFY(!commands.mnuIconView->isChecked());
    QCOMPARE(run.startup.mainWindow()->resultsList()->view(), 3);
    frame->closeWithoutAsking();
}

void TestStartup::statusBar_showsPanels()
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

void TestStartup::frame_geometryKeptBetweenRuns()
{
    MemorySettingsStore settings;
    StatusReporter status;
    {
        MDIMain frame(status, &settings);
        frame.setGeometry(40, 50, 700, 520);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.closeWithoutAsking();
    }
    QVERIFY(!settings.readText("Fenwyx", "Frame", "Geometry", {}).isEmpty());
    MDIMain again(status, &settings);
    QCOMPARE(again.geometry().size(), QSize(700, 520));
}

void TestStartup::startup_modalBoxes_neverBehindTheSplash()
{
    // A photo directory on a drive that cannot be read (the drive warning) and a damaged profile argument
    // (a message box): the splash, which stays above everything, is gone before either comes up.
    QTemporaryDir cwd;
    QVERIFY(TestSupport::writeBytes(cwd.filePath("short.pro"), "\"Untitled\"\r\n\"\"\r\n"));
    TestProgram program(m_library);
    program.settings().writeText("Brackel", "General", "PhotoDir", cwd.filePath("no-disc/photoimages"));
    Startup startup(program.state, WindowServices{nullptr, &program.guard, nullptr});
    QStringList seen;
    program.dialogs.onAsk = [&seen] {
        bool splash = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            splash = splash || (qobject_cast<frmSplash *>(w) && w->isVisible());
        seen << (splash ? QStringLiteral("splash") : QStringLiteral("clear"));
    };
    program.dialogs.driveAnswers = {3};
    QVERIFY(startup.run({cwd.filePath("short.pro")}, lock()));
    QCOMPARE(program.dialogs.driveAsked.size(), size_t(1));
    QCOMPARE(program.dialogs.messages.size(), size_t(1));
    QVERIFY(program.dialogs.messages[0].text.startsWith(QLatin1String("Error while opening file: ")));
    QCOMPARE(seen, (QStringList{"clear", "clear"}));
    startup.frame()->closeWithoutAsking();
}

void TestStartup::help_commandsReachTheHelpWindows()
{
    Run run(m_library);
    QVERIFY(run.startup.run({}, lock()));
    MDIMain *frame = run.startup.frame();
    QVERIFY(TestSupport::triggerAction(frame, QStringLiteral("mnuAbout")));
    QWidget *about = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmAbout"))
            about = w;
    }
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Fenwyx"));
    QVERIFY(TestSupport::triggerAction(frame, QStringLiteral("mnuWeb")));
    QCOMPARE(run.program.desktop.openedUrls.size(), size_t(1));
    QVERIFY(run.program.desktop.openedUrls[0].toString().endsWith(QLatin1String("/brackel/brackelsupport.htm")));
    // The sample library has no help folder: the box names where it looked.
    frame->findChild<QToolButton *>(QStringLiteral("barMain_Help"))->click();
    QCOMPARE(run.dialogs.messages.size(), size_t(1));
    QVERIFY2(run.dialogs.messages[0].text.contains(QDir(m_library).filePath(QStringLiteral("help"))),
             qPrintable(run.dialogs.messages[0].text));
    frame->closeWithoutAsking();
}

void TestStartup::reports_menuReachesThePrinterAndRemembersPreview()
{
    {
        Run run(m_library);
        QVERIFY(run.startup.run({}, lock()));
        MDIMain *frame = run.startup.frame();
        QVERIFY(TestSupport::triggerAction(frame, QStringLiteral("mnuPrintPhoto")));
        QCOMPARE(run.program.print.dialogs, 1);
        QCOMPARE(run.program.print.delivered.size(), size_t(1));
        QVERIFY(run.program.print.delivered[0].pdf.startsWith("%PDF"));

        // Preview on: the next report opens the preview instead of the print dialog, and the choice is kept.
        QVERIFY(TestSupport::triggerAction(frame, QStringLiteral("mnuPreviewReports")));
        QVERIFY(run.startup.mainWindow()->commands().mnuPreviewReports->isChecked());
        QCOMPARE(run.program.settings().readText("Fenwyx", "Reports", "PreviewReports", {}), QStringLiteral("1"));
        QVERIFY(TestSupport::triggerAction(frame, QStringLiteral("mnuPrintPhoto")));
        QCOMPARE(run.program.print.dialogs, 1);
        QWidget *preview = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("frmPreview") && w->isVisible())
                preview = w;
        }
        QVERIFY(preview);
        preview->close();
        frame->closeWithoutAsking();
    }

    Run again(m_library);
    again.program.settings().writeText("Fenwyx", "Reports", "PreviewReports", QStringLiteral("1"));
    QVERIFY(again.startup.run({}, lock()));
    QVERIFY(again.startup.mainWindow()->commands().mnuPreviewReports->isChecked());
    again.startup.frame()->closeWithoutAsking();
}

void TestStartup::window_stateKeptBetweenRuns()
{
    QTemporaryDir config;
    const TestProgram::Options ini{true, config.path(), false};
    QList<int> sizes;
    {
        TestProgram program(m_library, ini);
        Startup startup(program.state);
        QVERIFY(startup.run({}, lock()));
        MainController &c = *startup.controller();
        QVERIFY(TestSupport::triggerAction(startup.frame(), QStringLiteral("mnuIconView")));
        c.resultsModel()->columnClicked(ResultsModel::Total); // ascending
        c.resultsModel()->columnClicked(ResultsModel::Total); // descending
        QSplitter *splitter = c.window()->mainRegion();
        splitter->setSizes({120, 500});
        Q_EMIT splitter->splitterMoved(120, 1);
        sizes = splitter->sizes();
        c.queryPane()->tabQuery()->setCurrentIndex(2);
        startup.frame()->closeWithoutAsking();
    }
    TestProgram program(m_library, ini);
    Startup startup(program.state);
    QVERIFY(startup.run({}, lock()));
    MainController &c = *startup.controller();
    QCOMPARE(c.resultsList()->view(), 2);
    QVERIFY(c.window()->commands().mnuIconView->isChecked());
    QCOMPARE(c.resultsModel()->sortedColumn(), int(ResultsModel::Total));
    QCOMPARE(c.resultsModel()->sortOrder(), Qt::DescendingOrder);
    QCOMPARE(c.window()->mainRegion()->sizes(), sizes);
    QCOMPARE(c.queryPane()->tabQuery()->currentIndex(), 2);
    startup.frame()->closeWithoutAsking();
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
