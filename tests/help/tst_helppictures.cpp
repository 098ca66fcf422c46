// SPDX-License-Identifier: GPL-3.0-or-later
// The picture maker on a sample library: it runs offscreen, writes a small readable PNG for every picture the
// manual shows, and no picture the manual does not use.
#include "testsupport.h"

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

class TestHelpPictures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void shots_writeEveryPictureOfTheManual();

private:
    QTemporaryDir m_dir;
};

void TestHelpPictures::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QProcess sample;
    sample.start(TestSupport::binPath("fenwyx-sample"), {m_dir.filePath("library"), "--photos", "12"});
    QVERIFY(sample.waitForFinished(120000));
    QCOMPARE(sample.exitCode(), 0);
}

void TestHelpPictures::shots_writeEveryPictureOfTheManual()
{
    const QString out = m_dir.filePath("pictures");
    QProcess shots;
    shots.start(TestSupport::binPath("fenwyx-shots"), {"--home", m_dir.filePath("library"), "--out", out});
    QVERIFY(shots.waitForFinished(240000));
    const QString errors = QString::fromLocal8Bit(shots.readAllStandardError());
    QVERIFY2(shots.exitStatus() == QProcess::NormalExit && shots.exitCode() == 0, qPrintable(errors));

    // the pictures the manual shows
    QStringList used;
    const QRegularExpression picture(QStringLiteral("src=\"images/([^\"]+)\""));
    QDirIterator pages(QDir::cleanPath(TestSupport::dataPath("../../help")), {"*.html", "*.htm"}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (pages.hasNext()) {
        QFile page(pages.next());
        QVERIFY(page.open(QIODevice::ReadOnly));
        for (const auto &match : picture.globalMatch(QString::fromUtf8(page.readAll()))) {
            if (!used.contains(match.captured(1)))
                used << match.captured(1);
        }
    }
    used.sort();
    QStringList written = QDir(out).entryList({"*.png"}, QDir::Files, QDir::Name);
    QCOMPARE(written, used);

    // the windows that exist today are real pictures, not placeholders
    for (const char *name :
         {"main-window.png", "datasheet.png", "graph.png", "query-total.png", "view-window.png", "about.png",
          "drive-warning.png", "printing.png", "report-preview.png", "report-page.png"}) {
        const QImage image(QDir(out).filePath(name));
        QVERIFY2(!image.isNull(), name);
        QVERIFY2(image.width() >= 150 && image.width() <= 760, name);
        QVERIFY2(!errors.contains(QString::fromLatin1(name).chopped(4) + ':'), qPrintable(errors));
    }
}

QTEST_MAIN(TestHelpPictures)
#include "tst_helppictures.moc"
