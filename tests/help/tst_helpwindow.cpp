// SPDX-License-Identifier: GPL-3.0-or-later
// The help window over a small help folder: pages and anchors, links, back and forward, the index and the search.
#include "help/helpsearch.h"
#include "help/ui/frmhelp.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

namespace
{
bool writeFile(const QString &path, const QString &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString page(const QString &title, const QString &body)
{
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head><body>%2</body>"
                          "</html>")
        .arg(title, body);
}

QString filler(int paragraphs)
{
    QString text;
    for (int i = 0; i < paragraphs; ++i)
        text += QStringLiteral("<p>Filler paragraph %1 of a long page.</p>").arg(i);
    return text;
}
} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void showPage_anchor_scrollsToIt();
    void showPage_missing_refused();
    void link_followedThenBackAndForward();
    void link_toMissingPage_staysPut();
    void index_button_opensIndexPage();
    void search_words_data();
    void search_words();
    void search_ranksTitleMatchesFirst();
    void search_window_listsAndOpensPage();
    void search_nothingFound_saysSo();
    void search_cleared_hidesResults();

private:
    QTemporaryDir m_dir;
    QString m_help;
};

void TestHelpWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_help = m_dir.filePath("help");
    QVERIFY(writeFile(m_help + "/FenwyxHelp.html",
                      page("Contents", "<h1>Contents</h1><p><a href=\"reading.html#duff\">Duff depth</a> "
                                       "<a href=\"sub/deep.html\">Deep</a> <a href=\"gone.html\">Gone</a></p>")));
    QVERIFY(writeFile(m_help + "/reading.html",
                      page("Reading a photo", filler(150) +
                                                  "<h2 id=\"duff\">Duff depth</h2><p>The average duff depth in "
                                                  "inches; a duff depth that was not measured shows n/a.</p>" +
                                                  filler(150))));
    QVERIFY(writeFile(m_help + "/duff.html",
                      page("Duff", "<p>Duff is the layer of decomposing organic matter; see duff depth.</p>")));
    QVERIFY(writeFile(m_help + "/sub/deep.html",
                      page("Deep", "<p><a href=\"../FenwyxHelp.html\">Back to the contents</a>; files end in "
                                   ".pro and loadings are 3+ inches.</p>")));
    QVERIFY(writeFile(m_help + "/index.html", page("Index", "<p><a href=\"reading.html#duff\">duff</a></p>")));
}

void TestHelpWindow::showPage_anchor_scrollsToIt()
{
    frmHelp window(m_help);
    window.show();
    QVERIFY(window.showPage("reading.html"));
    QCOMPARE(window.browser()->verticalScrollBar()->value(), 0);
    QVERIFY(window.showPage("reading.html#duff"));
    QTRY_VERIFY(window.browser()->verticalScrollBar()->value() > 0);
    QCOMPARE(window.currentPage(), QStringLiteral("reading.html"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Fenwyx Help - Reading a photo"));
}

void TestHelpWindow::showPage_missing_refused()
{
    frmHelp window(m_help);
    window.showContents();
    QVERIFY(!window.showPage("nothing.html"));
    QCOMPARE(window.currentPage(), QStringLiteral("FenwyxHelp.html"));
}

void TestHelpWindow::link_followedThenBackAndForward()
{
    frmHelp window(m_help);
    window.show();
    window.showContents();
    auto *back = window.findChild<QAction *>("cmdBack");
    auto *forward = window.findChild<QAction *>("cmdForward");
    QVERIFY(!back->isEnabled());

    Q_EMIT window.browser()->anchorClicked(QUrl("sub/deep.html"));
    QCOMPARE(window.currentPage(), QStringLiteral("sub/deep.html"));
    Q_EMIT window.browser()->anchorClicked(QUrl("../FenwyxHelp.html")); // relative to the page shown
    QCOMPARE(window.currentPage(), QStringLiteral("FenwyxHelp.html"));
    QVERIFY(back->isEnabled());

    back->trigger();
    QCOMPARE(window.currentPage(), QStringLiteral("sub/deep.html"));
    QVERIFY(forward->isEnabled());
    forward->trigger();
    QCOMPARE(window.currentPage(), QStringLiteral("FenwyxHelp.html"));
}

void TestHelpWindow::link_toMissingPage_staysPut()
{
    frmHelp window(m_help);
    window.showContents();
    Q_EMIT window.browser()->anchorClicked(QUrl("gone.html"));
    QCOMPARE(window.currentPage(), QStringLiteral("FenwyxHelp.html"));
    QVERIFY(window.browser()->toPlainText().contains("Contents"));
}

void TestHelpWindow::index_button_opensIndexPage()
{
    frmHelp window(m_help);
    window.showContents();
    window.findChild<QAction *>("cmdIndex")->trigger();
    QCOMPARE(window.currentPage(), QStringLiteral("index.html"));
    window.findChild<QAction *>("cmdContents")->trigger();
    QCOMPARE(window.currentPage(), QStringLiteral("FenwyxHelp.html"));
}

void TestHelpWindow::search_words_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("pages"); // in any order
    QTest::newRow("one word") << "duff" << QStringList{"FenwyxHelp.html", "duff.html", "reading.html", "index.html"};
    QTest::newRow("case does not matter")
        << "DUFF" << QStringList{"FenwyxHelp.html", "duff.html", "reading.html", "index.html"};
    QTest::newRow("every word must be there") << "duff measured" << QStringList{"reading.html"};
    QTest::newRow("part of a longer word") << "decompos" << QStringList{"duff.html"};
    QTest::newRow("file extension") << ".pro" << QStringList{"sub/deep.html"};
    QTest::newRow("sign in a word, full stop dropped") << "3+." << QStringList{"sub/deep.html"};
    QTest::newRow("no such word") << "xylophone" << QStringList();
    QTest::newRow("blank") << "   " << QStringList();
}

void TestHelpWindow::search_words()
{
    QFETCH(QString, query);
    QFETCH(QStringList, pages);
    HelpSearch search;
    QVERIFY(search.load(m_help));
    QCOMPARE(search.pages().size(), size_t(5));
    QStringList found;
    for (const HelpHit &hit : search.search(query)) {
        found << hit.file;
        QVERIFY2(hit.excerpt.contains(HelpSearch::words(query).first(), Qt::CaseInsensitive), qPrintable(hit.excerpt));
    }
    found.sort();
    pages.sort();
    QCOMPARE(found, pages);
}

void TestHelpWindow::search_ranksTitleMatchesFirst()
{
    HelpSearch search;
    QVERIFY(search.load(m_help));
    const std::vector<HelpHit> hits = search.search("duff");
    QVERIFY(!hits.empty());
    QCOMPARE(hits.front().file, QStringLiteral("duff.html"));
    QCOMPARE(hits.front().title, QStringLiteral("Duff"));
}

void TestHelpWindow::search_window_listsAndOpensPage()
{
    frmHelp window(m_help);
    window.show();
    window.showContents();
    auto *text = window.findChild<QLineEdit *>("txtSearch");
    text->setText("measured");
    QTest::keyClick(text, Qt::Key_Return);

    QListWidget *results = window.results();
    QVERIFY(results->isVisible());
    QCOMPARE(results->count(), 1);
    QVERIFY(results->item(0)->text().startsWith("Reading a photo"));
    QCOMPARE(window.findChild<QLabel *>("lblResults")->text(), QString::fromUtf8("1 page contains “measured”:"));

    Q_EMIT results->itemActivated(results->item(0));
    QCOMPARE(window.currentPage(), QStringLiteral("reading.html"));
    QCOMPARE(window.browser()->textCursor().selectedText(), QStringLiteral("measured")); // the match is shown
}

void TestHelpWindow::search_nothingFound_saysSo()
{
    frmHelp window(m_help);
    window.show();
    QCOMPARE(window.search("xylophone"), 0);
    QCOMPARE(window.results()->count(), 0);
    QVERIFY(
        window.findChild<QLabel *>("lblResults")->text().startsWith(QString::fromUtf8("No page contains “xylophone”")));
}

void TestHelpWindow::search_cleared_hidesResults()
{
    frmHelp window(m_help);
    window.show();
    QVERIFY(window.search("duff") > 0);
    QVERIFY(window.results()->isVisible());
    window.findChild<QLineEdit *>("txtSearch")->clear();
    QVERIFY(!window.results()->isVisible());
    QCOMPARE(window.results()->count(), 0);
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
