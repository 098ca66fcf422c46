// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu's commands with the platform doubles: the support page, the help window, the About box and
// its System Info button.
#include "desktopdoubles.h"
#include "help/helpfiles.h"
#include "help/systeminfo.h"
#include "help/ui/frmabout.h"
#include "help/ui/frmhelp.h"
#include "help/ui/helpservice.h"
#include "help/webpage.h"
#include "platformdoubles.h"
#include "shell/programinfo.h"
#include "shell/ui/frmsplash.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

namespace
{
const QString kNoBrowser = QStringLiteral("Could not find a web browser");
const QString kNotOpened = QStringLiteral("Web Page not Opened");
const QString kNoSysInfo = QStringLiteral("System Information Is Unavailable At This Time");

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A program folder whose help holds a contents page and one more page.
bool makeHelp(const QString &programFolder)
{
    const QString help = HelpFiles::folder(programFolder);
    return writeFile(QDir(help).filePath("FenwyxHelp.html"),
                     "<html><head><title>Contents</title></head><body><h1>Contents</h1>"
                     "<a href=\"other.html#part\">Other</a> <a href=\"https://example.org/x\">Web</a></body></html>") &&
           writeFile(QDir(help).filePath("other.html"),
                     "<html><head><title>Other</title></head><body><h2 id=\"part\">Part</h2></body></html>");
}
} // namespace

Q_DECLARE_METATYPE(UrlOpened)

class TestHelpCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void openWebPage_outcomes_data();
    void openWebPage_outcomes();
    void openWebPage_writesNoTemporaryFile();
    void supportAddress_hosts_data();
    void supportAddress_hosts();
    void webSupport_handsSupportAddressToBrowser();
    void startSysInfo_tools_data();
    void startSysInfo_tools();
    void helpContents_missingHelp_namesPlaceLookedIn_data();
    void helpContents_missingHelp_namesPlaceLookedIn();
    void helpContents_opensContentsPageOnFirstUse();
    void helpContents_again_reusesWindowAtContents();
    void helpWindow_webLink_goesToBrowser();
    void about_showsTitleVersionAndNotice();
    void about_notModal_staysBesideMainWindow();
    void about_sysInfo_data();
    void about_sysInfo();
    void about_ok_closesAndNextAboutIsNew();
    void versionSource_sharedWithSplash();

private:
    QTemporaryDir m_dir;
};

void TestHelpCommands::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void TestHelpCommands::cleanup()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
}

void TestHelpCommands::openWebPage_outcomes_data()
{
    QTest::addColumn<UrlOpened>("answer");
    QTest::addColumn<QString>("message"); // empty: none shown
    QTest::newRow("browser opens it") << UrlOpened::Opened << QString();
    QTest::newRow("no browser") << UrlOpened::NoProgram << kNoBrowser;
    QTest::newRow("browser fails") << UrlOpened::Failed << kNotOpened;
}

void TestHelpCommands::openWebPage_outcomes()
{
    QFETCH(UrlOpened, answer);
    QFETCH(QString, message);
    RecordingDesktopServices desktop;
    desktop.urlAnswer = answer;
    ScriptedDialogs dialogs;
    const QUrl address(QStringLiteral("https://support.example.org/brackel/brackelsupport.htm"));

    QCOMPARE(OpenWebPage(desktop, dialogs, address), message.isEmpty());

    QCOMPARE(desktop.openedUrls.size(), size_t(1));
    QCOMPARE(desktop.openedUrls.front(), address); // the address itself, never a file standing for it
    if (message.isEmpty()) {
        QVERIFY(dialogs.messages.empty());
        return;
    }
    QCOMPARE(dialogs.messages.size(), size_t(1));
    QCOMPARE(dialogs.messages.front().text, message);
    QCOMPARE(dialogs.messages.front().buttons, MessageButtons::Ok);
    QCOMPARE(dialogs.messages.front().icon, MessageIcon::None);
}

void TestHelpCommands::openWebPage_writesNoTemporaryFile()
{
    // The browser is found by the desktop: no file is written to find it, whatever happens.
    QTemporaryDir work;
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));
    const QStringList tempBefore = QDir::temp().entryList(QDir::Files);
    for (UrlOpened answer : {UrlOpened::Opened, UrlOpened::NoProgram, UrlOpened::Failed}) {
        RecordingDesktopServices desktop;
        desktop.urlAnswer = answer;
        ScriptedDialogs dialogs;
        OpenWebPage(desktop, dialogs, QUrl(QStringLiteral("https://example.org/brackel/brackelsupport.htm")));
    }
    QDir::setCurrent(before);
    QVERIFY(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    for (const QString &name : QDir::temp().entryList(QDir::Files))
        QVERIFY2(tempBefore.contains(name) || !name.contains("temphtm", Qt::CaseInsensitive), qPrintable(name));
}

void TestHelpCommands::supportAddress_hosts_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("expected"); // empty: the shipped page in the program folder
    QTest::newRow("no host: shipped page") << QString() << QString();
    QTest::newRow("blank host: shipped page") << QStringLiteral("  ") << QString();
    QTest::newRow("https host") << QStringLiteral("https://support.example.org")
                                << QStringLiteral("https://support.example.org/brackel/brackelsupport.htm");
    QTest::newRow("http host with slash") << QStringLiteral("http://fuels.example.org/")
                                          << QStringLiteral("http://fuels.example.org/brackel/brackelsupport.htm");
    QTest::newRow("bare host name") << QStringLiteral("fuels.example.org")
                                    << QStringLiteral("https://fuels.example.org/brackel/brackelsupport.htm");
    QTest::newRow("host with a path") << QStringLiteral("https://example.org/family")
                                      << QStringLiteral("https://example.org/family/brackel/brackelsupport.htm");
}

void TestHelpCommands::supportAddress_hosts()
{
    QFETCH(QString, host);
    QFETCH(QString, expected);
    const QString programFolder = m_dir.filePath("program");
    const QUrl address = SupportPage::address(programFolder, host);
    QVERIFY(address.toString().endsWith(QStringLiteral("/brackel/brackelsupport.htm")));
    if (expected.isEmpty()) {
        QVERIFY(address.isLocalFile());
        QCOMPARE(address.toLocalFile(), programFolder + QStringLiteral("/help/brackel/brackelsupport.htm"));
    } else {
        QCOMPARE(address.toString(), expected);
    }
}

void TestHelpCommands::webSupport_handsSupportAddressToBrowser()
{
    RecordingDesktopServices desktop;
    ScriptedDialogs dialogs;
    HelpService help(desktop, dialogs, m_dir.filePath("program"));
    help.setSupportHost(QStringLiteral("https://support.example.org"));
    help.webSupport();
    QCOMPARE(desktop.openedUrls.size(), size_t(1));
    QCOMPARE(desktop.openedUrls.front().toString(),
             QStringLiteral("https://support.example.org/brackel/brackelsupport.htm"));
    QVERIFY(dialogs.messages.empty());

    desktop.urlAnswer = UrlOpened::NoProgram;
    help.webSupport();
    QCOMPARE(dialogs.messages.size(), size_t(1));
    QCOMPARE(dialogs.messages.front().text, kNoBrowser);
}

void TestHelpCommands::startSysInfo_tools_data()
{
    QTest::addColumn<QStringList>("installed"); // tools on the search path
    QTest::addColumn<QStringList>("failing");   // of those, the ones that do not start
    QTest::addColumn<QString>("started");       // empty: none, and the message is shown
    QTest::newRow("none installed") << QStringList() << QStringList() << QString();
    QTest::newRow("first of the list wins")
        << QStringList{"hardinfo", "kinfocenter"} << QStringList() << QStringLiteral("hardinfo");
    QTest::newRow("a later one when the first is missing")
        << QStringList{"gnome-control-center"} << QStringList() << QStringLiteral("gnome-control-center");
    QTest::newRow("the next when one does not start")
        << QStringList{"hardinfo", "cpu-x"} << QStringList{"hardinfo"} << QStringLiteral("cpu-x");
    QTest::newRow("installed but nothing starts")
        << QStringList{"kinfocenter"} << QStringList{"kinfocenter"} << QString();
}

void TestHelpCommands::startSysInfo_tools()
{
    QFETCH(QStringList, installed);
    QFETCH(QStringList, failing);
    QFETCH(QString, started);
    RecordingDesktopServices desktop;
    for (const QString &name : installed)
        desktop.onSearchPath.insert(name, QStringLiteral("/usr/bin/") + name);
    for (const QString &name : failing)
        desktop.failingPrograms << QStringLiteral("/usr/bin/") + name;
    ScriptedDialogs dialogs;

    QCOMPARE(StartSysInfo(desktop, dialogs), !started.isEmpty());

    if (started.isEmpty()) {
        QVERIFY(desktop.started.empty());
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QCOMPARE(dialogs.messages.front().text, kNoSysInfo);
        QCOMPARE(dialogs.messages.front().buttons, MessageButtons::Ok);
        QCOMPARE(desktop.lookedFor.size(), qsizetype(systemInfoTools().size())); // the whole list was tried
        return;
    }
    QVERIFY(dialogs.messages.empty());
    QCOMPARE(desktop.started.size(), size_t(1));
    QCOMPARE(desktop.started.front().program, QStringLiteral("/usr/bin/") + started); // the path found
    for (const SystemInfoTool &tool : systemInfoTools()) {
        if (tool.program == started)
            QCOMPARE(desktop.started.front().arguments, tool.arguments);
    }
}

void TestHelpCommands::helpContents_missingHelp_namesPlaceLookedIn_data()
{
    QTest::addColumn<bool>("folderExists");
    QTest::newRow("no help folder") << false;
    QTest::newRow("help folder without its contents page") << true;
}

void TestHelpCommands::helpContents_missingHelp_namesPlaceLookedIn()
{
    QFETCH(bool, folderExists);
    QTemporaryDir program;
    if (folderExists) {
        QVERIFY(QDir(program.path()).mkdir("help"));
        QVERIFY(writeFile(QDir(program.path()).filePath("help/other.html"), "<html></html>"));
    }
    RecordingDesktopServices desktop;
    ScriptedDialogs dialogs;
    HelpService help(desktop, dialogs, program.path());

    help.helpContents();

    QCOMPARE(dialogs.messages.size(), size_t(1));
    const QString expectedPath =
        folderExists ? HelpFiles::entryPage(program.path()) : HelpFiles::folder(program.path());
    QVERIFY2(dialogs.messages.front().text.contains(QDir::toNativeSeparators(expectedPath)),
             qPrintable(dialogs.messages.front().text));
    QCOMPARE(dialogs.messages.front().buttons, MessageButtons::Ok);
    QVERIFY(!help.helpWindow()); // the program runs on, with no help window
    QVERIFY(desktop.openedUrls.empty());
}

void TestHelpCommands::helpContents_opensContentsPageOnFirstUse()
{
    QTemporaryDir program;
    QVERIFY(makeHelp(program.path()));
    RecordingDesktopServices desktop;
    ScriptedDialogs dialogs;
    HelpService help(desktop, dialogs, program.path());
    QVERIFY(!help.helpWindow()); // nothing is made before it is asked for

    help.helpContents();

    frmHelp *window = help.helpWindow();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(dialogs.messages.empty());
    QCOMPARE(window->currentPage(), HelpFiles::entryPageName());
    QVERIFY(window->browser()->toPlainText().contains("Contents"));
    QCOMPARE(window->windowTitle(), ProgramInfo::title() + QStringLiteral(" Help - Contents"));
}

void TestHelpCommands::helpContents_again_reusesWindowAtContents()
{
    QTemporaryDir program;
    QVERIFY(makeHelp(program.path()));
    RecordingDesktopServices desktop;
    ScriptedDialogs dialogs;
    HelpService help(desktop, dialogs, program.path());
    QVERIFY(help.showHelpPage("other.html#part"));
    frmHelp *window = help.helpWindow();
    QCOMPARE(window->currentPage(), QStringLiteral("other.html"));
    window->close();

    help.helpContents();

    QCOMPARE(help.helpWindow(), window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->currentPage(), HelpFiles::entryPageName());
    QVERIFY(help.showHelpPage("gone.html")); // a page that is not there falls back to the contents
    QCOMPARE(window->currentPage(), HelpFiles::entryPageName());
}

void TestHelpCommands::helpWindow_webLink_goesToBrowser()
{
    QTemporaryDir program;
    QVERIFY(makeHelp(program.path()));
    RecordingDesktopServices desktop;
    desktop.urlAnswer = UrlOpened::Failed;
    ScriptedDialogs dialogs;
    HelpService help(desktop, dialogs, program.path());
    help.helpContents();

    Q_EMIT help.helpWindow()->browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/x")));

    QCOMPARE(desktop.openedUrls.size(), size_t(1));
    QCOMPARE(desktop.openedUrls.front(), QUrl(QStringLiteral("https://example.org/x")));
    QCOMPARE(dialogs.messages.size(), size_t(1));
    QCOMPARE(dialogs.messages.front().text, kNotOpened);
    QCOMPARE(help.helpWindow()->currentPage(), HelpFiles::entryPageName()); // the help stays where it was
}

void TestHelpCommands::about_showsTitleVersionAndNotice()
{
    RecordingDesktopServices desktop;
    ScriptedDialogs dialogs;
    HelpService help(desktop, dialogs, m_dir.path());
    QVERIFY(!help.aboutWindow());

    help.about();

    frmAbout *about = help.aboutWindow();
    QVERIFY(about);
    QVERIFY(about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Fenwyx"));
    QCOMPARE(about->findChild<QLabel *>("lblTitle")->text(), QStringLiteral("Fenwyx"));
    QCOMPARE(about->findChild<QLabel *>("lblVersion")->text(),
             QStringLiteral("Version: ") + QStringLiteral(FENWYX_VERSION));
    QVERIFY(QRegularExpression("^Version: \\d+\\.\\d+\\.\\d+$")
                .match(about->findChild<QLabel *>("lblVersion")->text())
                .hasMatch());
    QCOMPARE(about->findChild<QLabel *>("Label1")->text(), QStringLiteral("TM"));
    QVERIFY(about->findChild<QLabel *>("lblDisclaimer")->text().startsWith(ProgramInfo::legalNotice()));
    QVERIFY(ProgramInfo::legalNotice().contains("GNU General Public License, version 3 or later"));
    QVERIFY(!about->findChild<QLabel *>("Image1")->pixmap().isNull());
    QVERIFY(!about->findChild<QLabel *>("Image1")->accessibleName().isEmpty());
    QCOMPARE(about->findChild<QPushButton *>("cmdOK")->text(), QStringLiteral("OK"));
    QCOMPARE(about->findChild<QPushButton *>("cmdSysInfo")->text(), QStringLiteral("&System Info..."));
    about->close();
}

void TestHelpCommands::about_notModal_staysBesideMainWindow()
{
    QWidget main;
    main.show();
    RecordingDesktopServices desktop;
    ScriptedDialogs dialogs;
    HelpService help(desktop, dialogs, m_dir.path(), &main);
    help.about();
    QVERIFY(help.aboutWindow()->isVisible());
    QVERIFY(!help.aboutWindow()->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(main.isEnabled());
    help.about(); // a second About brings the same box forward
    QCOMPARE(main.findChildren<frmAbout *>().size(), 1);
}

void TestHelpCommands::about_sysInfo_data()
{
    QTest::addColumn<bool>("installed");
    QTest::newRow("a system-information tool is installed") << true;
    QTest::newRow("none is installed") << false;
}

void TestHelpCommands::about_sysInfo()
{
    QFETCH(bool, installed);
    RecordingDesktopServices desktop;
    if (installed)
        desktop.onSearchPath.insert("kinfocenter", "/usr/bin/kinfocenter");
    ScriptedDialogs dialogs;
    HelpService help(desktop, dialogs, m_dir.path());
    help.about();

    help.aboutWindow()->findChild<QPushButton *>("cmdSysInfo")->click();

    if (installed) {
        QCOMPARE(desktop.started.size(), size_t(1));
        QCOMPARE(desktop.started.front().program, QStringLiteral("/usr/bin/kinfocenter"));
        QVERIFY(dialogs.messages.empty());
    } else {
        QVERIFY(desktop.started.empty());
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QCOMPARE(dialogs.messages.front().text, kNoSysInfo);
    }
    QVERIFY(help.aboutWindow()->isVisible()); // the box stays open either way
}

void TestHelpCommands::about_ok_closesAndNextAboutIsNew()
{
    RecordingDesktopServices desktop;
    ScriptedDialogs dialogs;
    HelpService help(desktop, dialogs, m_dir.path());
    help.about();
    QPointer<frmAbout> first = help.aboutWindow();

    first->findChild<QPushButton *>("cmdOK")->click();

    QTRY_VERIFY(!first); // unloaded
    QVERIFY(!help.aboutWindow());
    help.about();
    QVERIFY(help.aboutWindow() && help.aboutWindow()->isVisible());
}

void TestHelpCommands::versionSource_sharedWithSplash()
{
    QCOMPARE(frmSplash::releaseText(), QStringLiteral("Release ") + ProgramInfo::version());
    frmSplash splash;
    QCOMPARE(splash.findChild<QLabel *>("lblCopyRight")->text(), ProgramInfo::legalNotice());
}

QTEST_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
