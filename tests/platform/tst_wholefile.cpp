// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file writes: what may be replaced, what is kept, and the in-place write of a folder the user may not write.
#include "platform/wholefile.h"

#include "files.h"
#include "smallfilesystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using TestSupport::fileBytes;
using TestSupport::writeBytes;

class TestWholeFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ::umask(022); }
    void write_targets_data();
    void write_targets();
    void inPlace_folderNotWritable_data();
    void inPlace_folderNotWritable();
};

namespace
{

mode_t modeOf(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

} // namespace

void TestWholeFile::write_targets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("systemError"); // 0: written
    QTest::newRow("new file gets the umask's permissions") << "new" << 0;
    QTest::newRow("replaced file keeps its permissions") << "file" << 0;
    QTest::newRow("link: its file replaced, the link kept") << "link" << 0;
    QTest::newRow("folder") << "folder" << EISDIR;
    QTest::newRow("pipe, refused without waiting") << "pipe" << EINVAL;
    QTest::newRow("name ending in a separator") << "separator" << EISDIR;
    QTest::newRow("missing folder") << "missing" << ENOENT;
}

void TestWholeFile::write_targets()
{
    QFETCH(QString, kind);
    QFETCH(int, systemError);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("target.pro"));
    QString path = file;
    mode_t expectedMode = 0644;
    if (kind == QLatin1String("file")) {
        QVERIFY(writeBytes(file, "old"));
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0600) == 0);
        expectedMode = 0600;
    } else if (kind == QLatin1String("link")) {
        QVERIFY(writeBytes(file, "old"));
        path = dir.filePath(QStringLiteral("link.pro"));
        QVERIFY(QFile::link(file, path));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("target.pro")));
    } else if (kind == QLatin1String("pipe")) {
        QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0644) == 0);
    } else if (kind == QLatin1String("separator")) {
        path = dir.filePath(QStringLiteral("sub/"));
    } else if (kind == QLatin1String("missing")) {
        path = dir.filePath(QStringLiteral("no/target.pro"));
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    WholeFile::Failure failure;
    const bool written = WholeFile::write(path, "new", {}, &failure);
    QCOMPARE(written, systemError == 0);
    QCOMPARE(failure.systemError, systemError);
    if (written) {
        QCOMPARE(fileBytes(file), QByteArray("new"));
        QCOMPARE(modeOf(file), expectedMode);
        QCOMPARE(QFileInfo(path).isSymLink(), kind == QLatin1String("link"));
    } else {
        QVERIFY(!failure.description.isEmpty());
    }
    QStringList expected = before;
    if (kind == QLatin1String("new"))
        expected << QStringLiteral("target.pro");
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), expected);
}

void TestWholeFile::inPlace_folderNotWritable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("fillDisk");
    QTest::addColumn<int>("systemError");
    const QByteArray longer(10000, 'n');
    QTest::newRow("longer") << longer << true << qint64(1 << 20) << false << 0;
    QTest::newRow("shorter") << QByteArray("n") << true << qint64(1 << 20) << false << 0;
    QTest::newRow("disk full: old bytes written back") << longer << true << qint64(1 << 20) << true << ENOSPC;
    QTest::newRow("too large to hold: refused") << longer << true << qint64(10) << false << EACCES;
    QTest::newRow("no fallback asked") << longer << false << qint64(1 << 20) << false << EACCES;
}

// A folder only root may write, holding a file anyone may write, written by an unprivileged child process.
void TestWholeFile::inPlace_folderNotWritable()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, fallback);
    QFETCH(qint64, limit);
    QFETCH(bool, fillDisk);
    QFETCH(int, systemError);
    SmallFileSystem disk(64 * 1024);
    if (!disk.isMounted())
        QSKIP(qPrintable(SmallFileSystem::skipReason()));
    const QString folder = disk.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkdir(folder));
    const QString file = folder + QStringLiteral("/site.pro");
    const QByteArray old = QByteArray(3000, 'o') + "\r\n";
    QVERIFY(writeBytes(file, old));
    QVERIFY(::chmod(QFile::encodeName(file).constData(), 0666) == 0);
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
    if (fillDisk)
        QVERIFY(disk.fill());

    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(255);
        WholeFile::Options options;
        options.inPlaceFallback = fallback;
        options.inPlaceLimit = limit;
        WholeFile::Failure failure;
        ::_exit(WholeFile::write(file, bytes, options, &failure) ? 0 : failure.systemError);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), systemError);
    QCOMPARE(fileBytes(file), systemError == 0 ? bytes : old);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("site.pro")});
}

QTEST_GUILESS_MAIN(TestWholeFile)
#include "tst_wholefile.moc"
