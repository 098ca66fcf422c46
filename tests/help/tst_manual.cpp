// SPDX-License-Identifier: GPL-3.0-or-later
// The manual as shipped: every page and anchor a link names exists, every page is reachable from the contents,
// every picture is used and readable, the build's copy is complete, the help window opens it, and it names every
// menu command and every status-bar message of the program.
#include "desktopdoubles.h"
#include "help/helpfiles.h"
#include "help/ui/frmhelp.h"
#include "help/ui/helpservice.h"
#include "mainwindow/ui/maincommands.h"
#include "platformdoubles.h"
#include "testsupport.h"

#include <QAction>
#include <QDirIterator>
#include <QImage>
#include <QMenu>
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

QString sourceFolder()
{
    return QDir::cleanPath(TestSupport::dataPath("../../src"));
}

// What a reader sees of some HTML: no tags, entities decoded, blanks run together.
QString plain(QString html)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    html.remove(tag);
    const std::pair<const char *, const char *> entities[] = {{"&nbsp;", " "},  {"&lt;", "<"},       {"&gt;", ">"},
                                                              {"&quot;", "\""}, {"&hellip;", "..."}, {"&amp;", "&"}};
    for (const auto &[entity, character] : entities)
        html.replace(QLatin1String(entity), QLatin1String(character));
    return html.simplified();
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
    void menus_everyCommandUnderItsMenu();
    void statusMessages_everyOneInTroubleshooting();

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

namespace
{

// The rest of a statement up to its semicolon, literals holding semicolons and all.
const QString kStatement = QStringLiteral("(?:\"(?:[^\"\\\\]|\\\\.)*\"|[^;\"])*");

// A string literal's text with its escapes undone.
QString unescaped(const QString &literal)
{
    QString text;
    for (qsizetype i = 0; i < literal.size(); ++i) {
        if (literal.at(i) == QLatin1Char('\\') && i + 1 < literal.size())
            ++i;
        text += literal.at(i);
    }
    return text;
}

// The literals of a piece of code that hold a word; a message's fixed parts, without blanks and marks around.
QStringList wordyLiterals(const QString &code)
{
    static const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\""));
    static const QRegularExpression edges(QStringLiteral("^[\\s;:,.]+|[\\s;:,.]+$"));
    QStringList texts;
    for (const auto &match : literal.globalMatch(code)) {
        QString text = unescaped(match.captured(1));
        text.remove(edges);
        if (text.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2}"))))
            texts << text.simplified();
    }
    return texts;
}

// The argument list that starts after the opening parenthesis at `open`, to its closing one.
QString argumentsAt(const QString &code, qsizetype open)
{
    int depth = 0;
    bool quoted = false;
    for (qsizetype i = open; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (quoted) {
            if (c == QLatin1Char('\\'))
                ++i;
            else if (c == QLatin1Char('"'))
                quoted = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')') && --depth == 0) {
            return code.mid(open + 1, i - open - 1);
        }
    }
    return {};
}

// The texts the program gives the status bar, read from its sources: the literals of each ShowStatus call, or,
// where the call passes a name, the literals that name is given in the same file (or as a class constant),
// or, for a function's parameter, the literals its callers pass. Calls none of these explain are unexplained.
class StatusMessages
{
public:
    explicit StatusMessages(const QString &sourceRoot)
    {
        for (const QString &file : filesUnder(sourceRoot, {"*.cpp", "*.h"})) {
            QFile in(QDir(sourceRoot).filePath(file));
            if (in.open(QIODevice::ReadOnly))
                m_sources[file] = QString::fromUtf8(in.readAll());
        }
        static const QRegularExpression call(QStringLiteral("\\bShowStatus\\s*\\("));
        for (const auto &[file, code] : m_sources) {
            for (const auto &match : call.globalMatch(code)) {
                const QString arguments = argumentsAt(code, match.capturedEnd() - 1);
                const qsizetype comma = arguments.indexOf(QLatin1Char(','));
                const QString kind = arguments.left(comma).trimmed();
                if (kind.startsWith(QLatin1String("int ")))
                    continue; // the declaration
                const QString where = file + QStringLiteral(": ShowStatus(") + arguments.simplified() + ')';
                if (kind == QLatin1String("StatusClear") || kind == QLatin1String("StatusCount"))
                    continue; // no message: the panel is emptied or the count set
                if (kind != QLatin1String("StatusInfo") && kind != QLatin1String("StatusError")) {
                    unexplained << where;
                    continue;
                }
                const QStringList found = textsOf(file, arguments.mid(comma + 1), match.capturedStart(), 2);
                if (found.isEmpty())
                    unexplained << where;
                for (const QString &text : found) {
                    if (!texts.contains(text))
                        texts << text;
                }
            }
        }
    }

    bool contains(const QString &code) const
    {
        return std::any_of(m_sources.begin(), m_sources.end(),
                           [&code](const auto &source) { return source.second.contains(code); });
    }

    QStringList texts;
    QStringList unexplained;

private:
    QStringList textsOf(const QString &file, const QString &expression, qsizetype at, int depth) const
    {
        QStringList found = wordyLiterals(expression);
        if (!found.isEmpty() || depth == 0)
            return found;
        static const QRegularExpression identifier(QStringLiteral("\\b[A-Za-z_]\\w*\\b"));
        for (const auto &match : identifier.globalMatch(expression))
            found += textsOfName(file, match.captured(), at, depth);
        return found;
    }

    QStringList textsOfName(const QString &file, const QString &name, qsizetype at, int depth) const
    {
        const QString &code = m_sources.at(file);
        const QString n = QRegularExpression::escape(name);
        // Only a name that holds text: a QString, a QStringList or an array of C strings of this file.
        const QRegularExpression text(
            QStringLiteral("\\b(?:QString|QStringList|char)\\b(?:\\s|\\*|&|const\\b)*(?:\\w+::)?%1\\b").arg(n));
        if (!text.match(code).hasMatch())
            return {};
        QStringList found;
        // A parameter of the function the call is in: what its callers pass.
        static const QRegularExpression function(
            QStringLiteral("\\b(\\w+)\\s*\\(([^()]*)\\)\\s*(?:const\\s*)?(?:override\\s*)?\\{"));
        QString enclosing;
        QString parameters;
        for (const auto &match : function.globalMatch(code.left(at))) {
            static const QStringList statements{"if", "for", "while", "switch", "catch"};
            if (!statements.contains(match.captured(1))) {
                enclosing = match.captured(1);
                parameters = match.captured(2);
            }
        }
        if (QRegularExpression(QStringLiteral("\\b%1\\b").arg(n)).match(parameters).hasMatch()) {
            const QRegularExpression caller(QStringLiteral("\\b%1\\s*\\(").arg(QRegularExpression::escape(enclosing)));
            for (const auto &[other, source] : m_sources) {
                for (const auto &match : caller.globalMatch(source)) {
                    const QString arguments = argumentsAt(source, match.capturedEnd() - 1);
                    if (arguments != parameters) // not the definition or the declaration
                        found += textsOf(other, arguments, match.capturedStart(), depth - 1);
                }
            }
            return found;
        }
        // Given a value, appended to, or initialised as an array, in this file; or a class constant anywhere.
        const QRegularExpression given(
            QStringLiteral("\\b%1\\s*(?:\\[\\s*\\])?\\s*(?:=(?!=)|\\+=|<<|\\{)(%2);").arg(n, kStatement));
        for (const auto &match : given.globalMatch(code))
            found += wordyLiterals(match.captured(1));
        const QRegularExpression constant(QStringLiteral("::%1\\s*=(%2);").arg(n, kStatement));
        for (const auto &[other, source] : m_sources) {
            for (const auto &match : constant.globalMatch(source))
                found += wordyLiterals(match.captured(1));
        }
        return found;
    }

    std::map<QString, QString> m_sources;
};

} // namespace

void TestManual::menus_everyCommandUnderItsMenu()
{
    // The menus table of "Getting started": a row per menu, naming each of its commands.
    const QString &page = m_pages[QStringLiteral("gettingstarted.html")].text;
    const qsizetype start = page.indexOf(QLatin1String("id=\"menus\""));
    QVERIFY(start >= 0);
    const QString table = page.mid(start, page.indexOf(QLatin1String("</table>"), start) - start);
    std::map<QString, QString> rows;
    static const QRegularExpression row(QStringLiteral("<tr><td>(.*?)</td><td>(.*?)</td></tr>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    for (const auto &match : row.globalMatch(table))
        rows[plain(match.captured(1))] = plain(match.captured(2));

    QWidget owner;
    MainCommands commands(&owner);
    QStringList missing;
    int items = 0;
    for (QMenu *menu : commands.menus()) {
        const QString name = menu->title().remove(QLatin1Char('&'));
        QList<QAction *> pending = menu->actions();
        while (!pending.isEmpty()) {
            QAction *action = pending.takeFirst();
            if (action->menu())
                pending << action->menu()->actions();
            if (action->isSeparator() || action->menu())
                continue;
            ++items;
            const QString caption = action->text().remove(QLatin1Char('&')).simplified();
            const auto listed = rows.find(name);
            if (listed == rows.end() || !listed->second.contains(caption))
                missing << name + QStringLiteral(" > ") + caption;
        }
    }
    QVERIFY(items >= 20);
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not in the menus table: ") + missing.join(", ")));
}

void TestManual::statusMessages_everyOneInTroubleshooting()
{
    StatusMessages messages(sourceFolder());
    // Texts made where a lower layer reports a problem, which the scan cannot follow: the call, and the fixed
    // part of what it shows.
    const std::pair<const char *, const char *> madeElsewhere[] = {
        {"ShowStatus(StatusError, p.problems.join(", "its codes are listed without descriptions"},
    };
    // Shown only by the stand-ins the main window holds until the program gives it its printing and help.
    const char *const neverShown[] = {"Printing is not available yet", "Help is not available yet"};
    QStringList texts = messages.texts;
    QStringList unexplained = messages.unexplained;
    for (const auto &[call, text] : madeElsewhere) {
        QVERIFY2(messages.contains(QLatin1String(call)), call); // still the way the program reports it
        unexplained.removeIf([call](const QString &where) { return where.contains(QLatin1String(call)); });
        texts << QLatin1String(text);
    }
    for (const char *text : neverShown) {
        QVERIFY2(texts.removeAll(QLatin1String(text)) == 1, text);
    }
    QVERIFY2(unexplained.isEmpty(),
             qPrintable(QStringLiteral("status texts the scan cannot find: ") + unexplained.join(QLatin1Char('\n'))));
    QVERIFY(texts.size() >= 25);

    const QString page = plain(m_pages[QStringLiteral("troubleshooting.html")].text);
    QStringList missing;
    for (const QString &text : std::as_const(texts)) {
        if (!page.contains(text))
            missing << text;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not in troubleshooting.html: ") + missing.join(" | ")));
}

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
