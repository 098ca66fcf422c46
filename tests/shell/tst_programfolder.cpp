// SPDX-License-Identifier: GPL-3.0-or-later
// Which folder is the program folder, and what an installed program gives the user's folder on first start.
#include "shell/programfolder.h"
#include "shell/programinfo.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using ProgramFolder::Places;

namespace
{
const QStringList kCodeFiles = {"VegCodes.txt", "ActCodes.txt", "DangerRatingCodes.txt", "BehaveCodes.txt"};

bool write(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
} // namespace

class TestProgramFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void resolve_choice_data();
    void resolve_choice();
    void resolve_installed_userFolderGetsCodeFilesAndHelp();
    void resolve_runningTests_buildFolderIsNotInstalled();
    void copyInstalledDefaults_keepsTheUsersFiles();
    void copyInstalledDefaults_failedCopy_reportedAndTriedAgain();
    void copyInstalledDefaults_help_data();
    void copyInstalledDefaults_help();

private:
    // An installed tree: bin/ and share/fenwyx with the four code files and a help folder.
    Places installedPlaces(bool writable) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_shared;
};

void TestProgramFolder::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestProgramFolder::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_shared = m_dir->filePath("usr/share/fenwyx");
    for (const QString &name : kCodeFiles)
        QVERIFY(write(QDir(m_shared).filePath(name), name.toLatin1() + " installed\r\n"));
    QVERIFY(write(m_shared + "/help/FenwyxHelp.html", "<html>contents</html>"));
    QVERIFY(write(m_shared + "/help/images/main-window.png", "png"));
    QVERIFY(QDir().mkpath(m_dir->filePath("usr/bin")));
}

Places TestProgramFolder::installedPlaces(bool writable) const
{
    Places places;
    places.executableFolder = m_dir->filePath("usr/bin");
    places.executableFolderWritable = writable;
    places.sharedFolder = m_shared;
    places.userFolder = m_dir->filePath("home/.local/share/Fenwyx");
    return places;
}

void TestProgramFolder::resolve_choice_data()
{
    QTest::addColumn<QString>("explicitFolder");
    QTest::addColumn<QString>("environment"); // FENWYX_HOME
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("expected"); // "exe", "user" or a folder under the temporary folder

    QTest::newRow("writable build folder") << ""
                                           << "" << false << true << "exe";
    QTest::newRow("--home over FENWYX_HOME and the build folder") << "mine"
                                                                  << "env" << false << true << "mine";
    QTest::newRow("FENWYX_HOME over the build folder") << ""
                                                       << "env" << false << true << "env";
    QTest::newRow("FENWYX_HOME over an installed program") << ""
                                                           << "env" << true << false << "env";
    QTest::newRow("read-only installed program") << ""
                                                 << "" << true << false << "user";
    // Root may write /usr/bin; data/ and the family list still must not land there.
    QTest::newRow("installed program in a writable folder") << ""
                                                            << "" << true << true << "user";
    QTest::newRow("read-only folder, nothing installed") << ""
                                                         << "" << false << false << "user";
}

void TestProgramFolder::resolve_choice()
{
    QFETCH(QString, explicitFolder);
    QFETCH(QString, environment);
    QFETCH(bool, installed);
    QFETCH(bool, writable);
    QFETCH(QString, expected);

    Places places = installedPlaces(writable);
    if (!installed)
        places.sharedFolder = m_dir->filePath("usr/share/nothing-here");
    const auto under = [this](const QString &name) { return name.isEmpty() ? name : m_dir->filePath(name); };

    const QString folder = ProgramFolder::resolve(under(explicitFolder), under(environment), places);
    const QString wanted = expected == "exe"    ? places.executableFolder
                           : expected == "user" ? places.userFolder
                                                : m_dir->filePath(expected);
    QCOMPARE(folder, wanted);
    // Only the user's folder is made and filled; a folder the user names is the user's business.
    QCOMPARE(QFileInfo::exists(places.userFolder), expected == "user");
    QCOMPARE(QFileInfo::exists(QDir(folder).filePath("VegCodes.txt")), expected == "user" && installed);
}

void TestProgramFolder::resolve_installed_userFolderGetsCodeFilesAndHelp()
{
    const Places places = installedPlaces(false);
    QCOMPARE(ProgramFolder::resolve({}, {}, places), places.userFolder);

    const QDir user(places.userFolder);
    for (const QString &name : kCodeFiles)
        QCOMPARE(read(user.filePath(name)), read(QDir(m_shared).filePath(name)));
    QCOMPARE(read(user.filePath("help/FenwyxHelp.html")), QByteArray("<html>contents</html>"));
    QCOMPARE(read(user.filePath("help/images/main-window.png")), QByteArray("png"));
    // No photo database ships: the user installs photo series.
    QVERIFY(!QFileInfo::exists(user.filePath("Photo.mdb")));
    QVERIFY((QFile::permissions(user.filePath("VegCodes.txt")) & QFileDevice::WriteOwner) != 0);

    // A user folder that cannot be made: the installed folder is still read rather than nothing.
    Places noHome = places;
    QVERIFY(write(m_dir->filePath("a-file"), "x"));
    noHome.userFolder = m_dir->filePath("a-file/Fenwyx");
    QCOMPARE(ProgramFolder::resolve({}, {}, noHome), places.executableFolder);
}

void TestProgramFolder::resolve_runningTests_buildFolderIsNotInstalled()
{
    // The test programs lie in the build's program folder, which nothing must make look installed.
    const Places places = Places::current();
    QCOMPARE(places.executableFolder, QCoreApplication::applicationDirPath());
    QVERIFY2(!QFileInfo::exists(places.sharedFolder), qPrintable(places.sharedFolder));
    QCOMPARE(places.userFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QVERIFY(places.sharedFolder.endsWith("/share/fenwyx"));

    const QByteArray saved = qgetenv("FENWYX_HOME");
    qunsetenv("FENWYX_HOME");
    const QString folder = ProgramFolder::resolve();
    if (!saved.isNull())
        qputenv("FENWYX_HOME", saved);
    QCOMPARE(folder, QDir(QCoreApplication::applicationDirPath()).absolutePath());
}

void TestProgramFolder::copyInstalledDefaults_keepsTheUsersFiles()
{
    const QString user = m_dir->filePath("user");
    // The user edited one code file and lost another; the database came from the photo manager.
    QVERIFY(write(user + "/VegCodes.txt", "DF,Douglas-fir (mine)\r\n"));
    QVERIFY(write(user + "/Photo.mdb", "database"));
    QVERIFY(ProgramFolder::copyInstalledDefaults(m_shared, user));

    QCOMPARE(read(user + "/VegCodes.txt"), QByteArray("DF,Douglas-fir (mine)\r\n"));
    QCOMPARE(read(user + "/ActCodes.txt"), QByteArray("ActCodes.txt installed\r\n"));
    QCOMPARE(read(user + "/Photo.mdb"), QByteArray("database"));
}

void TestProgramFolder::copyInstalledDefaults_failedCopy_reportedAndTriedAgain()
{
    // Something in the way of one help file: the rest is copied, the failure named, and the copy not stamped
    // as complete, so that the next start tries again.
    const QString user = m_dir->filePath("user");
    QVERIFY(QDir().mkpath(user + "/help/images/main-window.png"));
    QVERIFY(write(user + "/help/" + ProgramFolder::helpStampName(), "0.9.1"));
    QString error;
    QVERIFY(!ProgramFolder::copyInstalledDefaults(m_shared, user, &error));
    QVERIFY2(error.contains("main-window.png"), qPrintable(error));
    QCOMPARE(read(user + "/help/FenwyxHelp.html"), QByteArray("<html>contents</html>"));
    QCOMPARE(read(user + "/VegCodes.txt"), QByteArray("VegCodes.txt installed\r\n"));

    QVERIFY(QDir(user + "/help/images/main-window.png").removeRecursively());
    QVERIFY(ProgramFolder::copyInstalledDefaults(m_shared, user, &error));
    QCOMPARE(read(user + "/help/images/main-window.png"), QByteArray("png"));
    QCOMPARE(read(user + "/help/" + ProgramFolder::helpStampName()).trimmed(), ProgramInfo::version().toUtf8());
}

void TestProgramFolder::copyInstalledDefaults_help_data()
{
    QTest::addColumn<QString>("stamp"); // the release named in the user's help folder; "-": no stamp file
    QTest::addColumn<bool>("hadHelp");  // the user's folder has a help folder already
    QTest::addColumn<bool>("replaced");

    QTest::newRow("first start: copied") << "-" << false << true;
    QTest::newRow("copy of an older release: renewed") << "0.9.1" << true << true;
    QTest::newRow("incomplete copy: tried again") << "" << true << true;
    QTest::newRow("copy of this release: left") << ProgramInfo::version() << true << false;
    QTest::newRow("help put there by hand: left") << "-" << true << false;
}

void TestProgramFolder::copyInstalledDefaults_help()
{
    QFETCH(QString, stamp);
    QFETCH(bool, hadHelp);
    QFETCH(bool, replaced);

    const QString help = m_dir->filePath("user/help");
    const QString stampFile = QDir(help).filePath(ProgramFolder::helpStampName());
    if (hadHelp)
        QVERIFY(write(help + "/FenwyxHelp.html", "<html>old</html>"));
    if (stamp != "-")
        QVERIFY(write(stampFile, stamp.toUtf8()));

    QVERIFY(ProgramFolder::copyInstalledDefaults(m_shared, m_dir->filePath("user")));
    QCOMPARE(read(help + "/FenwyxHelp.html"), replaced ? QByteArray("<html>contents</html>") : "<html>old</html>");
    QCOMPARE(QFileInfo::exists(help + "/images/main-window.png"), replaced);
    if (replaced)
        QCOMPARE(read(stampFile).trimmed(), ProgramInfo::version().toUtf8());
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
