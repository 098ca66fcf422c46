// The manual as shipped: every page and anchor a link names exists, every page is reachable from the contents,
// every picture is used and readable, the build's copy is complete, and the help window opens it.
#include "desktopdoubles.h"
#include "help/helpfiles.h"
#include "help/ui/frmhelp.h"
#include "help/ui/helpservice.h"
#include "platformdoubles.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QImage>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>
#include <set>

namespace
{
struct Page {
    QString text;
    QStringList links; // href and src values as written
    std::set<QString> anchors;
};

QString sourceHelp()
{
    return QDir::cleanPath(TestSupport::dataPath("../../help"));
}

QStringList filesUnder(const QString &folder, const QStringList &patterns = {})
{
    QStringList files;
    QDirIterator it(folder, patterns, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}
} // namespace

class TestManual : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void entryAndSupportPages_exist();
    void pages_haveTitles();
    void links_resolveToPagesAndAnchors();
    void pages_allReachableFromContents();
    void pictures_usedAndReadable();
    void build_copiesEveryFile();
    void helpWindow_opensContentsOfBuiltProgram();

private:
    // target page (relative to the help folder) and anchor of a link on a page; empty page when external
    static std::pair<QString, QString> resolve(const QString &fromPage, const QString &link);

    QString m_help;
    std::map<QString, Page> m_pages;
};

void TestManual::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_help = sourceHelp();
    QVERIFY2(QFileInfo(m_help).isDir(), qPrintable(m_help));
    static const QRegularExpression linkPattern(QStringLiteral("\\b(?:href|src)\\s*=\\s*\"([^\"]*)\""));
    static const QRegularExpression anchorPattern(QStringLiteral("\\b(?:id|name)\\s*=\\s*\"([^\"]*)\""));
    for (const QString &file : filesUnder(m_help, {"*.html", "*.htm"})) {
        QFile in(QDir(m_help).filePath(file));
        QVERIFY(in.open(QIODevice::ReadOnly));
        Page page;
        page.text = QString::fromUtf8(in.readAll());
        for (const auto &match : linkPattern.globalMatch(page.text))
            page.links << match.captured(1);
        for (const auto &match : anchorPattern.globalMatch(page.text))
            page.anchors.insert(match.captured(1));
        m_pages[file] = page;
    }
    QVERIFY(m_pages.size() >= 10);
}

std::pair<QString, QString> TestManual::resolve(const QString &fromPage, const QString &link)
{
    const QUrl url(link);
    if (!url.scheme().isEmpty())
        return {};
    const QString anchor = url.fragment();
    const QString path = url.path();
    if (path.isEmpty())
        return {fromPage, anchor};
    const QString folder = QFileInfo(fromPage).path();
    return {QDir::cleanPath(folder == QLatin1String(".") ? path : folder + QLatin1Char('/') + path), anchor};
}

void TestManual::entryAndSupportPages_exist()
{
    QVERIFY(m_pages.count(HelpFiles::entryPageName()));
    QVERIFY(m_pages.count(QStringLiteral("brackel/brackelsupport.htm")));
    QVERIFY(QFileInfo(QDir(m_help).filePath("fenwyx.css")).isFile());
}

void TestManual::pages_haveTitles()
{
    static const QRegularExpression title(QStringLiteral("<title>([^<]+)</title>"));
    for (const auto &[file, page] : m_pages) {
        const auto match = title.match(page.text);
        QVERIFY2(match.hasMatch() && !match.captured(1).trimmed().isEmpty(), qPrintable(file));
        QVERIFY2(page.text.contains(QLatin1String("<meta charset=\"utf-8\">")), qPrintable(file));
    }
}

void TestManual::links_resolveToPagesAndAnchors()
{
    QStringList broken;
    for (const auto &[file, page] : m_pages) {
        for (const QString &link : page.links) {
            const QUrl url(link);
            if (url.scheme() == QLatin1String("file") || link.startsWith(QLatin1Char('/'))) {
                broken << file + QStringLiteral(": absolute link ") + link;
                continue;
            }
            const auto [target, anchor] = resolve(file, link);
            if (target.isEmpty())
                continue; // a web address or mail
            if (target.startsWith(QLatin1String(".."))) {
                broken << file + QStringLiteral(": leaves the help folder: ") + link;
                continue;
            }
            if (!QFileInfo(QDir(m_help).filePath(target)).isFile()) {
                broken << file + QStringLiteral(": no file ") + link;
                continue;
            }
            if (anchor.isEmpty())
                continue;
            const auto targetPage = m_pages.find(target);
            if (targetPage == m_pages.end() || !targetPage->second.anchors.count(anchor))
                broken << file + QStringLiteral(": no anchor ") + link;
        }
    }
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char('\n'))));
}

void TestManual::pages_allReachableFromContents()
{
    std::set<QString> reached{HelpFiles::entryPageName()};
    QStringList pending{HelpFiles::entryPageName()};
    while (!pending.isEmpty()) {
        const QString file = pending.takeFirst();
        for (const QString &link : m_pages[file].links) {
            const QString target = resolve(file, link).first;
            if (m_pages.count(target) && reached.insert(target).second)
                pending << target;
        }
    }
    QStringList unreached;
    for (const auto &entry : m_pages) {
        if (!reached.count(entry.first))
            unreached << entry.first;
    }
    QVERIFY2(unreached.isEmpty(), qPrintable(unreached.join(QStringLiteral(", "))));
}

void TestManual::pictures_usedAndReadable()
{
    std::set<QString> used;
    for (const auto &[file, page] : m_pages) {
        for (const QString &link : page.links)
            used.insert(resolve(file, link).first);
    }
    const QStringList pictures = filesUnder(m_help, {"*.png", "*.jpg", "*.svg"});
    QVERIFY(!pictures.isEmpty());
    for (const QString &picture : pictures) {
        QVERIFY2(used.count(picture), qPrintable(picture + QStringLiteral(" is not used by any page")));
        const QImage image(QDir(m_help).filePath(picture));
        QVERIFY2(!image.isNull(), qPrintable(picture));
        QVERIFY2(QFileInfo(QDir(m_help).filePath(picture)).size() < 200 * 1024, qPrintable(picture + " is large"));
    }
}

void TestManual::build_copiesEveryFile()
{
    const QString copy = TestSupport::binPath("help");
    const QStringList files = filesUnder(m_help);
    QVERIFY(!files.isEmpty());
    for (const QString &file : files) {
        QFile a(QDir(m_help).filePath(file));
        QFile b(QDir(copy).filePath(file));
        QVERIFY2(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly), qPrintable(file + " is not copied"));
        QVERIFY2(a.readAll() == b.readAll(), qPrintable(file));
    }
}

void TestManual::helpWindow_opensContentsOfBuiltProgram()
{
    RecordingDesktopServices desktop;
    ScriptedDialogs dialogs;
    HelpService help(desktop, dialogs, TestSupport::binPath(QString()));
    help.helpContents();
    QVERIFY(dialogs.messages.empty());
    QVERIFY(help.helpWindow() && help.helpWindow()->isVisible());
    QCOMPARE(help.helpWindow()->currentPage(), HelpFiles::entryPageName());
    QVERIFY(help.helpWindow()->browser()->toPlainText().contains(QStringLiteral("Contents")));
    QVERIFY(help.helpWindow()->search(QStringLiteral("duff depth")) > 0);
}

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
