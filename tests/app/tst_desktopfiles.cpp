// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop integration as the desktop tools see it: the fuel-profile MIME type and the desktop entry,
// installed into a temporary data folder, and the AppStream data software centres read.
#include "shell/programinfo.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
const char kProfileType[] = "application/x-fenwyx-profile";

QString resource(const QString &name)
{
    return QDir::cleanPath(TestSupport::dataPath(QStringLiteral("../../resources/") + name));
}

struct Result {
    int code = -1;
    QString out;
    QString err;
};

Result run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment = {})
{
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Result r;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return r;
    r.code = process.exitCode();
    r.out = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    r.err = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return r;
}

bool available(const char *program)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}
} // namespace

class TestDesktopFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void mimeType_nameAndContent_data();
    void mimeType_nameAndContent();
    void xdgMime_nameAndContent_data() { mimeType_nameAndContent_data(); }
    void xdgMime_nameAndContent();
    void desktopEntry_validAndPassesOneFile();
    void desktopEntry_defaultForFuelProfiles();
    void metainfo_valid_data();
    void metainfo_valid();

private:
    QString writeFile(const QString &name, const QByteArray &content) const;
    QProcessEnvironment desktopEnvironment() const;

    QTemporaryDir m_dir;
    QString m_data;  // the temporary XDG data folder: mime/ and applications/
    QString m_files; // the files to classify
};

void TestDesktopFiles::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    if (!available("update-mime-database"))
        QSKIP("update-mime-database (shared-mime-info) is not installed");
    m_data = m_dir.filePath(QStringLiteral("share"));
    m_files = m_dir.filePath(QStringLiteral("files"));
    QVERIFY(QDir().mkpath(m_data + QStringLiteral("/mime/packages")));
    QVERIFY(QDir().mkpath(m_files));
    QVERIFY(QFile::copy(resource(QStringLiteral("org.fenwyx.Fenwyx.xml")),
                        m_data + QStringLiteral("/mime/packages/org.fenwyx.Fenwyx.xml")));

    // update-mime-database reports a malformed package on standard error but still ends well.
    const Result update =
        run(QStringLiteral("update-mime-database"), {m_data + QStringLiteral("/mime")}, desktopEnvironment());
    QCOMPARE(update.code, 0);
    QVERIFY2(update.err.isEmpty(), qPrintable(update.err));
    QVERIFY(QFile::exists(m_data + QStringLiteral("/mime/mime.cache")));

    // Qt reads the MIME databases of the data folders once, at its first question: ours goes first.
    const QString system = qEnvironmentVariable("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(m_data + QLatin1Char(':') + system));
}

QString TestDesktopFiles::writeFile(const QString &name, const QByteArray &content) const
{
    const QString folder = QDir(m_files).filePath(QString::number(QDir(m_files).count()));
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return {};
    return file.fileName();
}

QProcessEnvironment TestDesktopFiles::desktopEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_data);
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/usr/local/share:/usr/share"));
    environment.insert(QStringLiteral("HOME"), m_dir.path());
    return environment;
}

void TestDesktopFiles::mimeType_nameAndContent_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("profile");

    const QByteArray profile =
        "\"North ridge, unit 4\"\r\n\"Thinned 2023\"\r\n\"PNW-02/04\"\r\n1.04\r\n2.03\r\n0.02\r\n"
        "\"PNW-01/07\"\r\n12.3\r\n\"PNW-01/03\"\r\n\"PNW-02/04\"\r\n0.5\r\n6.6\r\n";
    QTest::newRow("fuel profile") << "north-ridge.pro" << profile << true;
    QTest::newRow("fuel profile, extension in capitals") << "NORTHRDG.PRO" << profile << true;
    QTest::newRow("new profile with empty fields")
        << "untitled.pro"
        << QByteArray("\"Untitled\"\r\n\"\"\r\n\"\"\r\n0\r\n0\r\n0\r\n\"\"\r\n0\r\n\"\"\r\n\"\"\r\n0\r\n0\r\n") << true;
    QTest::newRow("fuel profile with line feeds only") << "lf.pro" << QByteArray("\"Ridge\"\n\"\"\n\"\"\n1\n") << true;
    QTest::newRow("qmake project") << "fenwyx.pro" << QByteArray("TEMPLATE = app\nQT += widgets\nSOURCES += main.cpp\n")
                                   << false;
    QTest::newRow("qmake project opening with a comment")
        << "lib.pro" << QByteArray("# \"quoted\" in a comment\nTEMPLATE = lib\n") << false;
    QTest::newRow("qmake project opening with a blank line") << "sub.pro" << QByteArray("\nSUBDIRS = a b\n") << false;
    QTest::newRow("empty .pro file") << "empty.pro" << QByteArray() << false;
    QTest::newRow("quoted CSV keeps its own type") << "photos.csv" << QByteArray("\"PNW-01\",\"03\"\r\n") << false;
}

void TestDesktopFiles::mimeType_nameAndContent()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, profile);
    const QString path = writeFile(name, content);
    QVERIFY(!path.isEmpty());

    const QMimeDatabase mime;
    const QMimeType type = mime.mimeTypeForFile(path);
    QVERIFY2(mime.mimeTypeForName(QString::fromLatin1(kProfileType)).isValid(), "the fuel-profile type is not known");
    QVERIFY2((type.name() == QLatin1String(kProfileType)) == profile, qPrintable(type.name()));
    // What is not ours stays openable as text.
    if (!profile && !content.isEmpty())
        QVERIFY2(type.inherits(QStringLiteral("text/plain")), qPrintable(type.name()));
}

void TestDesktopFiles::xdgMime_nameAndContent()
{
    // xdg-mime answers by the desktop's own tool; on GNOME that is gio, which follows the shared MIME database.
    if (!available("xdg-mime") || !available("gio"))
        QSKIP("xdg-mime (xdg-utils) or gio (libglib2.0-bin) is not installed");
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, profile);
    const QString path = writeFile(name, content);
    QVERIFY(!path.isEmpty());

    QProcessEnvironment environment = desktopEnvironment();
    environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
    const Result query =
        run(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("filetype"), path}, environment);
    QCOMPARE(query.code, 0);
    QVERIFY2((query.out == QLatin1String(kProfileType)) == profile, qPrintable(query.out));
}

void TestDesktopFiles::desktopEntry_validAndPassesOneFile()
{
    const QString entry = resource(QStringLiteral("org.fenwyx.Fenwyx.desktop"));
    QSettings desktop(entry, QSettings::IniFormat);
    desktop.beginGroup(QStringLiteral("Desktop Entry"));
    // The program takes one argument: the profile. %f hands it one local file, never a list or a URL.
    const QStringList exec = desktop.value(QStringLiteral("Exec")).toString().split(QLatin1Char(' '));
    QCOMPARE(exec, (QStringList{QStringLiteral("fenwyx"), QStringLiteral("%f")}));
    const QString mimeTypes = desktop.value(QStringLiteral("MimeType")).toString();
    QVERIFY2(mimeTypes.split(QLatin1Char(';'), Qt::SkipEmptyParts).contains(QLatin1String(kProfileType)),
             qPrintable(mimeTypes));
    // The window's X11 class is the application's name: it ties the window to this entry and its icon.
    QCOMPARE(desktop.value(QStringLiteral("StartupWMClass")).toString(), ProgramInfo::title());
    QVERIFY(!desktop.value(QStringLiteral("Keywords")).toString().isEmpty());
    desktop.endGroup();
    QFile text(entry);
    QVERIFY(text.open(QIODevice::ReadOnly));
    const QByteArray lines = text.readAll();
    // "#" must be quoted in an Exec line; the program receives #NEW# as its one argument.
    QVERIFY(lines.contains("\n[Desktop Action new-profile]\nName=New Fuel Profile\nExec=fenwyx \"#NEW#\"\n"));

    if (!available("desktop-file-validate"))
        QSKIP("desktop-file-validate (desktop-file-utils) is not installed");
    const Result validate = run(QStringLiteral("desktop-file-validate"), {entry});
    QCOMPARE(validate.code, 0);
    QVERIFY2(validate.out.isEmpty() && validate.err.isEmpty(), qPrintable(validate.out + validate.err));
}

void TestDesktopFiles::desktopEntry_defaultForFuelProfiles()
{
    if (!available("xdg-mime") || !available("update-desktop-database"))
        QSKIP("xdg-mime (xdg-utils) or update-desktop-database (desktop-file-utils) is not installed");
    const QString applications = m_data + QStringLiteral("/applications");
    QVERIFY(QDir().mkpath(applications));
    QVERIFY(QFile::copy(resource(QStringLiteral("org.fenwyx.Fenwyx.desktop")),
                        applications + QStringLiteral("/org.fenwyx.Fenwyx.desktop")));
    QCOMPARE(run(QStringLiteral("update-desktop-database"), {applications}).code, 0);

    const Result query = run(QStringLiteral("xdg-mime"),
                             {QStringLiteral("query"), QStringLiteral("default"), QString::fromLatin1(kProfileType)},
                             desktopEnvironment());
    QCOMPARE(query.code, 0);
    QCOMPARE(query.out, QStringLiteral("org.fenwyx.Fenwyx.desktop"));
}

void TestDesktopFiles::metainfo_valid_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("as installed") << QStringLiteral(FENWYX_PACKAGE_FILES "/org.fenwyx.Fenwyx.metainfo.xml");
    QTest::newRow("with screenshots at a web address")
        << QStringLiteral(FENWYX_PACKAGE_FILES "/with-screenshots/org.fenwyx.Fenwyx.metainfo.xml");
}

void TestDesktopFiles::metainfo_valid()
{
    QFETCH(QString, file);
    if (!available("appstreamcli"))
        QSKIP("appstreamcli (appstream) is not installed");
    const Result validate = run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                                 QStringLiteral("--explain"), file});
    QVERIFY2(validate.code == 0, qPrintable(validate.out + validate.err));
    QFile read(file);
    QVERIFY(read.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(read.readAll());
    QVERIFY(xml.contains(QStringLiteral("<release version=\"" FENWYX_VERSION "\" date=\"")));
    QVERIFY(xml.contains(QStringLiteral("<launchable type=\"desktop-id\">org.fenwyx.Fenwyx.desktop</launchable>")));
    QVERIFY(xml.contains(QStringLiteral("<mediatype>") + QLatin1String(kProfileType)));
    // Each screenshot listed is one the package ships.
    static const QRegularExpression image(QStringLiteral("<image type=\"source\">[^<]*/([^/<]+)</image>"));
    for (auto it = image.globalMatch(xml); it.hasNext();) {
        const QString name = it.next().captured(1);
        QVERIFY2(QFileInfo::exists(resource(QStringLiteral("screenshots/") + name)), qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TestDesktopFiles)
#include "tst_desktopfiles.moc"
