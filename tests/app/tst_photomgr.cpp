// SPDX-License-Identifier: GPL-3.0-or-later
// fenwyx-photomgr's batch form as scripts use it: its output, its messages and exit status, and one manager at a time.
#include "data/photoseries.h"
#include "platform/filelock.h"
#include "testprogram.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

class TestPhotoMgr : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void batch_data();
    void batch();

private:
    QTemporaryDir m_root;
    QString m_sample;
};

void TestPhotoMgr::initTestCase()
{
    m_sample = m_root.filePath(QStringLiteral("sample"));
    QVERIFY(TestSupport::makeSampleLibrary(m_sample, {QStringLiteral("--photos"), QStringLiteral("16")}));
}

void TestPhotoMgr::batch_data()
{
    QTest::addColumn<QString>("before"); // "", "installed" or "locked"
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // the start of standard output
    QTest::addColumn<QString>("err"); // a part of standard error
    const QString header = QStringLiteral("Book,Description,Photos,Images,Missing,Place,");
    QTest::newRow("list, nothing installed") << "" << QStringList{"--list"} << 0 << header << "";
    QTest::newRow("list, installed") << "installed" << QStringList{"--list"} << 0
                                     << header + "LocalFolder,LocalBytes,PhotoDirectoryFolder,PhotoDirectoryBytes\r\n"
                                                 "PNW-01,"
                                     << "";
    QTest::newRow("install") << "" << QStringList{"--install", "SAMPLE", "--copy-images"} << 0
                             << "BooksAdded,BooksReplaced,BooksSkipped,Photos,ImagesCopied,ImagesMissing,BytesCopied,"
                                "PhotoDirectory,Backup\r\n8,0,0,16,"
                             << "";
    QTest::newRow("install again, replacing") << "installed" << QStringList{"--install", "SAMPLE", "--replace"} << 0
                                              << "BooksAdded,BooksReplaced,BooksSkipped,Photos,ImagesCopied,"
                                                 "ImagesMissing,BytesCopied,PhotoDirectory,Backup\r\n0,8,0,16,"
                                              << "";
    QTest::newRow("install again, skipping") << "installed" << QStringList{"--install", "SAMPLE"} << 0 << ""
                                             << "fenwyx-photomgr: PNW-01 is installed already and was skipped.";
    QTest::newRow("install what is not there") << "" << QStringList{"--install", "/no/such/series"} << 1 << ""
                                               << "fenwyx-photomgr: /no/such/series: no such file or folder";
    QTest::newRow("remove what is not installed") << "installed" << QStringList{"--remove", "XX-01"} << 1 << ""
                                                  << "fenwyx-photomgr: No book labelled XX-01 is installed";
    QTest::newRow("remove") << "installed" << QStringList{"--remove", "PNW-01", "--delete-images"} << 0 << ""
                            << "";
    QTest::newRow("another manager at work") << "locked" << QStringList{"--list"} << 1 << ""
                                             << "fenwyx-photomgr: another photo manager is working on";
    QTest::newRow("an option without its command") << "" << QStringList{"--copy-images"} << 2 << ""
                                                   << "fenwyx-photomgr: give one of --list";
    QTest::newRow("both image choices") << ""
                                        << QStringList{"--install", "SAMPLE", "--copy-images", "--images-in-place"} << 2
                                        << ""
                                        << "fenwyx-photomgr: give --copy-images or --images-in-place";
    QTest::newRow("move without a place") << "installed" << QStringList{"--move", "PNW-01"} << 2 << ""
                                          << "fenwyx-photomgr: --move needs one BOOK";
    QTest::newRow("help") << "" << QStringList{"--help"} << 0 << "usage: fenwyx-photomgr"
                          << "";
}

void TestPhotoMgr::batch()
{
    QFETCH(QString, before);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(home));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FENWYX_HOME"), home); // the folder the manager works on, as Fenwyx hands it
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath(QStringLiteral("cache")));
    const auto run = [&](const QStringList &args, QByteArray *stdOut, QByteArray *stdErr) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(TestSupport::binPath(QStringLiteral("fenwyx-photomgr")), args);
        process.waitForFinished(120000);
        *stdOut = process.readAllStandardOutput();
        *stdErr = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };
    QByteArray stdOut;
    QByteArray stdErr;
    if (before == QLatin1String("installed"))
        QCOMPARE(run({QStringLiteral("--install"), m_sample}, &stdOut, &stdErr), 0);
    std::unique_ptr<FileLock> lock;
    if (before == QLatin1String("locked"))
        lock = std::make_unique<FileLock>(PhotoSeries::lockPath(home), 0);
    arguments.replaceInStrings(QStringLiteral("SAMPLE"), m_sample);

    QCOMPARE(run(arguments, &stdOut, &stdErr), status);
    QVERIFY2(stdOut.startsWith(out.toUtf8()), stdOut.constData());
    QVERIFY2(stdErr.contains(err.toUtf8()), stdErr.constData());
    // Every message is the manager's own.
    for (const QByteArray &line : stdErr.split('\n')) {
        if (!line.isEmpty() && !line.startsWith("usage") && !line.startsWith(' ') && status != 2)
            QVERIFY2(line.startsWith("fenwyx-photomgr: "), line.constData());
    }
    if (arguments.contains(QStringLiteral("--remove")) && status == 0) {
        QVERIFY(!QFileInfo::exists(home + QStringLiteral("/PhotoImages/PNW-01")));
        QCOMPARE(run({QStringLiteral("--list")}, &stdOut, &stdErr), 0);
        QCOMPARE(stdOut.count('\n'), 8); // the header and seven books
    }
}

QTEST_GUILESS_MAIN(TestPhotoMgr)
#include "tst_photomgr.moc"
