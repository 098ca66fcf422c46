// SPDX-License-Identifier: GPL-3.0-or-later
// The batch report command run as a program: PDF files of the three reports, and its refusals.
#include "profile/profilefile.h"

#include "pdfreader.h"
#include "reportlibrary.h"
#include "testsupport.h"
#include <QtTest>

namespace
{
struct Run {
    int exitCode = -1;
    QByteArray err;
};
} // namespace

class TestReportCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void photo_writesTheReportWithItsPicture();
    void compare_leftAndRight();
    void photo_unreadablePicture_isToldAndThePagePrints();
    void profile_findsItsSourcesInTheDatabase();
    void paper_namedBySystemOrOption_data();
    void paper_namedBySystemOrOption();
    void failures_leaveNoFile_data();
    void failures_leaveNoFile();
    void failure_keepsAnExistingFile();

private:
    // environment: variables set for this run, beside those that keep the user's settings out.
    Run run(const QStringList &arguments, const QMap<QString, QString> &environment = {}) const;
    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    PdfReader::Page page(const QString &pdf) const;

    QTemporaryDir m_dir;
    QString m_home;
};

void TestReportCli::initTestCase()
{
    m_home = path(QStringLiteral("home"));
    QVERIFY(ReportLibrary::writeDatabase(m_home, {{1, "SW-01", "07", "Pine", "sw07.jpg"},
                                                  {2, "SW-01", "08", "", "sw08.jpg"},
                                                  {3, "SW-01", "09", "", "sw09.jpg"}}));
    QVERIFY(ReportLibrary::writeJpeg(m_home + QStringLiteral("/PhotoImages/SW-01/sw07.jpg"), QSize(400, 280)));
    QFile damaged(m_home + QStringLiteral("/PhotoImages/SW-01/sw09.jpg"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("\xff\xd8 not the rest of a picture");
    damaged.close();
    FuelProfile profile;
    profile.ProfileName = QStringLiteral("Thinned");
    profile.Source0to3 = QStringLiteral("SW-01/07");
    profile.Source3Plus = QStringLiteral("SW-01/08");
    profile.Tpa1 = 3.09;
    profile.Load3Plus = 12.3;
    QVERIFY(ProfileFile::write(path(QStringLiteral("thinned.pro")), profile));
    profile.Notes = QStringLiteral("Scattered slash and moss on the north side. ").repeated(40);
    QVERIFY(ProfileFile::write(path(QStringLiteral("notes.pro")), profile));
}

Run TestReportCli::run(const QStringList &arguments, const QMap<QString, QString> &variables) const
{
    QProcess process;
    // The user's own photo directory setting and paper stay out of the test.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
    environment.insert(QStringLiteral("HOME"), path(QStringLiteral("user")));
    environment.remove(QStringLiteral("PAPERSIZE"));
    environment.insert(QStringLiteral("PAPERCONF"), path(QStringLiteral("no-papersize")));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        environment.insert(it.key(), it.value());
    process.setProcessEnvironment(environment);
    process.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")),
                  QStringList{QStringLiteral("--home"), m_home} + arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardError()};
}

PdfReader::Page TestReportCli::page(const QString &pdf) const
{
    QString error;
    const std::optional<PdfReader::Page> read = PdfReader::read(pdf, &error);
    if (!read)
        qFatal("%s", qPrintable(error));
    return *read;
}

void TestReportCli::photo_writesTheReportWithItsPicture()
{
    const QString pdf = path(QStringLiteral("photo.pdf"));
    const Run r = run(
        {QStringLiteral("report"), QStringLiteral("photo"), QStringLiteral("SW-01/07"), QStringLiteral("--pdf"), pdf});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const PdfReader::Page p = page(pdf);
    QCOMPARE(p.size, QSizeF(8.5, 11.0));
    QVERIFY(p.line(QStringLiteral("07, Pine")));
    QCOMPARE(p.pictures.size(), size_t(1));
    // The layout's (1.5, 1.1) lies a quarter inch further on the page.
    QVERIFY(std::abs(p.pictures.at(0).box.x() - 1.75) < 0.015);
    QVERIFY(std::abs(p.pictures.at(0).box.y() - 1.35) < 0.015);
    const std::vector<const PdfReader::Line *> footer = p.linesStartingWith(QStringLiteral("Fenwyx - "));
    QCOMPARE(footer.size(), size_t(1));
    QVERIFY(std::abs(footer.at(0)->box.x() - 0.75) < 0.015);
    QVERIFY(std::abs(footer.at(0)->box.y() - 9.75) < 0.015);
}

void TestReportCli::compare_leftAndRight()
{
    const QString pdf = path(QStringLiteral("compare.pdf"));
    const Run r = run({QStringLiteral("report"), QStringLiteral("compare"), QStringLiteral("SW-01/07"),
                       QStringLiteral("SW-01/08"), QStringLiteral("--pdf"), pdf});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const PdfReader::Page p = page(pdf);
    const PdfReader::Word *left = p.word(QStringLiteral("SW-01/07"));
    const PdfReader::Word *right = p.word(QStringLiteral("SW-01/08"));
    QVERIFY(left && right);
    QVERIFY(left->box.x() < 1.0 && right->box.x() > 4.0);
    // The right photo has no picture file, which is nothing to warn about.
    QVERIFY2(!r.err.contains("report: "), r.err.constData());
    QCOMPARE(p.pictures.size(), size_t(1));
    const PdfReader::Line *none = p.line(QStringLiteral("No image available"));
    QVERIFY(none);
    QVERIFY(std::abs(none->box.x() - 5.35) < 0.015);
}

void TestReportCli::photo_unreadablePicture_isToldAndThePagePrints()
{
    const QString pdf = path(QStringLiteral("damaged.pdf"));
    const Run r = run(
        {QStringLiteral("report"), QStringLiteral("photo"), QStringLiteral("SW-01/09"), QStringLiteral("--pdf"), pdf});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QList<QByteArray> lines = r.err.split('\n');
    lines.removeIf(
        [](const QByteArray &line) { return !line.startsWith("fenwyx-cli: report: "); }); // not the library's own
    QCOMPARE(lines.size(), qsizetype(1));
    QVERIFY2(lines.at(0).startsWith("fenwyx-cli: report: cannot read the picture " +
                                    QFile::encodeName(m_home + QStringLiteral("/PhotoImages/SW-01/sw09.jpg")) + ": "),
             lines.at(0).constData());
    QVERIFY2(lines.at(0).endsWith("; the page says \"No image available\" in its place"), lines.at(0).constData());
    const PdfReader::Page p = page(pdf);
    QVERIFY(p.pictures.empty());
    const PdfReader::Line *none = p.line(QStringLiteral("No image available"));
    QVERIFY(none);
    QVERIFY(std::abs(none->box.x() - 1.75) < 0.015);
    QCOMPARE(p.linesStartingWith(QStringLiteral("Fenwyx - ")).size(), size_t(1));
}

void TestReportCli::profile_findsItsSourcesInTheDatabase()
{
    const QString pdf = path(QStringLiteral("profile.pdf"));
    const Run r = run({QStringLiteral("report"), QStringLiteral("profile"), path(QStringLiteral("thinned.pro")),
                       QStringLiteral("--pdf"), pdf});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const PdfReader::Page p = page(pdf);
    QVERIFY(p.line(QStringLiteral("Fuel Profile: Thinned")));
    QVERIFY(p.line(QStringLiteral("15.39")));
    QCOMPARE(p.pictures.size(), size_t(1));
    QVERIFY(p.line(QStringLiteral("No image available")));
}

void TestReportCli::paper_namedBySystemOrOption_data()
{
    QTest::addColumn<QString>("papersize"); // PAPERSIZE; empty: not set
    QTest::addColumn<QByteArray>("file");   // the papersize file PAPERCONF names; empty: none
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QSize>("points"); // empty: refused as a wrong argument

    const QSize letter(612, 792);
    const QSize a4(595, 842);
    QTest::newRow("none named: letter") << "" << QByteArray() << QStringList{} << letter;
    QTest::newRow("PAPERSIZE a4") << "a4" << QByteArray() << QStringList{} << a4;
    QTest::newRow("papersize file a4") << "" << QByteArray("# the system's paper\n\nA4\n") << QStringList{} << a4;
    QTest::newRow("PAPERSIZE before the file") << "letter" << QByteArray("a4\n") << QStringList{} << letter;
    QTest::newRow("a paper too small passed over") << "a5" << QByteArray("a4\n") << QStringList{} << a4;
    QTest::newRow("--paper a4 over PAPERSIZE") << "letter" << QByteArray() << QStringList{"--paper", "a4"} << a4;
    QTest::newRow("--paper=letter over the file")
        << "" << QByteArray("a4\n") << QStringList{"--paper=letter"} << letter;
    QTest::newRow("--paper unknown") << "" << QByteArray() << QStringList{"--paper", "a5"} << QSize();
}

void TestReportCli::paper_namedBySystemOrOption()
{
    QFETCH(QString, papersize);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, options);
    QFETCH(QSize, points);
    QMap<QString, QString> environment;
    if (!papersize.isEmpty())
        environment.insert(QStringLiteral("PAPERSIZE"), papersize);
    if (!file.isEmpty()) {
        QFile conf(path(QStringLiteral("papersize")));
        QVERIFY(conf.open(QIODevice::WriteOnly | QIODevice::Truncate));
        conf.write(file);
        conf.close();
        environment.insert(QStringLiteral("PAPERCONF"), conf.fileName());
    }
    const QString pdf = path(QStringLiteral("paper.pdf"));
    QFile::remove(pdf);
    const Run r = run(QStringList{QStringLiteral("report"), QStringLiteral("profile"),
                                  path(QStringLiteral("notes.pro")), QStringLiteral("--pdf"), pdf} +
                          options,
                      environment);
    if (points.isEmpty()) {
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("--paper letter|a4"), r.err.constData());
        QVERIFY(!QFile::exists(pdf));
        return;
    }
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const std::optional<std::vector<PdfReader::Page>> pages = PdfReader::readPages(pdf);
    QVERIFY(pages);
    // The notes go on on a second page; on either paper every item keeps its place from the top-left corner.
    QCOMPARE(pages->size(), size_t(2));
    for (const PdfReader::Page &p : *pages) {
        QCOMPARE(QSize(qRound(p.size.width() * 72), qRound(p.size.height() * 72)), points);
        const std::vector<const PdfReader::Line *> footer = p.linesStartingWith(QStringLiteral("Fenwyx - "));
        QCOMPARE(footer.size(), size_t(1));
        QVERIFY(std::abs(footer.at(0)->box.x() - 0.75) < 0.015);
        QVERIFY(std::abs(footer.at(0)->box.y() - 10.05) < 0.015);
    }
    QCOMPARE(pages->at(0).pictures.size(), size_t(1));
    QVERIFY(std::abs(pages->at(0).pictures.at(0).box.x() - 0.75) < 0.015);
    QVERIFY(std::abs(pages->at(0).pictures.at(0).box.y() - 4.25) < 0.015);
    QVERIFY(pages->at(1).line(QStringLiteral("Notes (continued)")));
}

void TestReportCli::failures_leaveNoFile_data()
{
    QTest::addColumn<QStringList>("arguments"); // "OUT" stands for the output file
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");

    QTest::newRow("unknown photo") << QStringList{"report", "photo", "SW-01/99", "--pdf", "OUT"} << "a.pdf" << 1
                                   << QByteArray("SW-01/99");
    QTest::newRow("unknown right photo") << QStringList{"report", "compare", "SW-01/07", "XX/1", "--pdf", "OUT"}
                                         << "b.pdf" << 1 << QByteArray("XX/1");
    QTest::newRow("unreadable profile") << QStringList{"report", "profile", "missing.pro", "--pdf", "OUT"} << "c.pdf"
                                        << 1 << QByteArray("missing.pro");
    QTest::newRow("unreadable profile named with a place marker")
        << QStringList{"report", "profile", "missing %3.pro", "--pdf", "OUT"} << "c.pdf" << 1
        << QByteArray("missing %3.pro: ");
    QTest::newRow("output folder missing") << QStringList{"report", "photo", "SW-01/07", "--pdf", "OUT"}
                                           << "no/such/folder/d.pdf" << 1 << QByteArray("d.pdf");
    QTest::newRow("output is a folder") << QStringList{"report", "photo", "SW-01/07", "--pdf", "OUT"} << "home" << 1
                                        << QByteArray("not a file");
    QTest::newRow("no output named") << QStringList{"report", "photo", "SW-01/07"} << "e.pdf" << 2
                                     << QByteArray("usage");
    QTest::newRow("unknown kind") << QStringList{"report", "poster", "SW-01/07", "--pdf", "OUT"} << "f.pdf" << 2
                                  << QByteArray("usage");
}

void TestReportCli::failures_leaveNoFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    const QString out = path(output);
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^OUT$")), out);
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    const Run r = run(arguments);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), r.err.constData());
    if (!QFileInfo(out).isDir())
        QVERIFY(!QFile::exists(out));
    // No temporary file is left behind either.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
}

void TestReportCli::failure_keepsAnExistingFile()
{
    const QString out = path(QStringLiteral("kept.pdf"));
    QFile file(out);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("an earlier report");
    file.close();
    const Run r = run(
        {QStringLiteral("report"), QStringLiteral("photo"), QStringLiteral("SW-01/99"), QStringLiteral("--pdf"), out});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("an earlier report"));
}

QTEST_GUILESS_MAIN(TestReportCli)
#include "tst_reportcli.moc"
