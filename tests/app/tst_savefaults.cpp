// SPDX-License-Identifier: GPL-3.0-or-later
// Saving under real faults: a full disk for every writer, saves killed midway, two programs saving at once.
#include "data/photodatabase.h"
#include "data/photolibrary.h"
#include "data/resultsexport.h"
#include "files.h"
#include "platform/settingsstore.h"
#include "platformdoubles.h"
#include "present/thumbnailcache.h"
#include "print/reportlayouts.h"
#include "print/reportpdf.h"
#include "profile/familylist.h"
#include "profile/profilefile.h"
#include "profile/profilestate.h"
#include "smallfilesystem.h"
#include "testsupport.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <unistd.h>

using TestSupport::fileBytes;
using TestSupport::writeBytes;

class TestSaveFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fullDisk_oldFileKept_data();
    void fullDisk_oldFileKept();
    void killedSaves_leaveOldOrNewProfile();
    void concurrentSaves_everyReportedEntryListed();
};

namespace
{

FuelProfile profileWithNotes(const QString &name, int noteBytes)
{
    FuelProfile profile;
    profile.ProfileName = name;
    profile.Notes = QString(noteBytes, QLatin1Char('n'));
    profile.Tpa1 = 1.25;
    profile.Source0to3 = QStringLiteral("GB-01/01");
    return profile;
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// One writer of the program replacing target (whose old bytes the row made), false when it says it failed.
using Writer = std::function<bool(const QString &folder, const QString &target, QString *shown)>;

} // namespace

Q_DECLARE_METATYPE(Writer)

void TestSaveFaults::fullDisk_oldFileKept_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<QString>("message"); // what the user is told, where the writer tells it

    const auto saveProfile = [](int noteBytes) {
        return [noteBytes](const QString &folder, const QString &target, QString *shown) {
            ScriptedDialogs dialogs;
            ProfileState state(dialogs, nullptr, folder);
            state.setProfileName(QStringLiteral("Ridge"));
            state.setNotes(QString(noteBytes, QLatin1Char('n')));
            QString path = target;
            const bool saved = state.SaveProfile(path);
            if (!dialogs.messages.empty())
                *shown = dialogs.messages.front().text;
            // A failed save leaves the profile's path as it was.
            return saved || state.profilePath() != QLatin1String("Untitled");
        };
    };
    QTest::newRow("profile under the write buffer's size")
        << "site.pro" << Writer(saveProfile(200)) << "Error while saving file: @\rError: 61 ";
    QTest::newRow("profile of 40 KB") << "site.pro" << Writer(saveProfile(40000))
                                      << "Error while saving file: @\rError: 61 ";
    QTest::newRow("PDF") << "report.pdf" << Writer([](const QString &, const QString &target, QString *shown) {
        ReportLayouts::ProfileReportInput input;
        input.profile = profileWithNotes(QStringLiteral("Ridge"), 3000);
        return ReportPdf::write(ReportLayouts::profileReport(input), target, QPageSize(QPageSize::Letter), shown);
    }) << "cannot write @: No space left on device";
    QTest::newRow("exported list") << "photos.csv"
                                   << Writer([](const QString &, const QString &target, QString *shown) {
                                          return ResultsExport::writeWhole(target, QByteArray(9000, 'x'), shown);
                                      })
                                   << "No space left on device";
    QTest::newRow("converted database") << "copy.sqlite"
                                        << Writer([](const QString &, const QString &target, QString *shown) {
                                               QTemporaryDir dir;
                                               const QString source = dir.filePath(QStringLiteral("Photo.mdb"));
                                               PhotoDatabase database;
                                               return TestSupport::makeSqlite(source, TestSupport::photoSchema()) &&
                                                      database.open(source, shown) &&
                                                      writeSqliteCopy(database, target, shown);
                                           })
                                        << "@: database or disk is full";
    QTest::newRow("family list") << FamilyList::kListName
                                 << Writer([](const QString &folder, const QString &, QString *shown) {
                                        ScriptedDialogs dialogs;
                                        const bool added = AddToFamilyList(folder, QStringLiteral("/d/new.pro"),
                                                                           QStringLiteral("pro"), dialogs);
                                        if (!dialogs.messages.empty())
                                            *shown = dialogs.messages.front().text;
                                        return added;
                                    })
                                 << "Problem saving to Brackel list\r61-";
    QTest::newRow("settings") << "Fenwyx.ini" << Writer([](const QString &folder, const QString &, QString *) {
        return IniSettingsStore(folder).writeText(QStringLiteral("Fenwyx"), QStringLiteral("Window"),
                                                  QStringLiteral("Geometry"), QString(6000, QLatin1Char('g')));
    }) << "";
    QTest::newRow("thumbnail") << "" << Writer([](const QString &folder, const QString &, QString *) {
        ThumbnailCache::Options options;
        options.folder = folder;
        QTemporaryDir pictures;
        QImage picture(400, 300, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        const QString path = pictures.filePath(QStringLiteral("p.png"));
        if (!picture.save(path))
            return true;
        // The thumbnail is still made and shown; only keeping it fails.
        return !ThumbnailCache(options).thumbnailOf(path);
    }) << "";
}

// Every writer on a file system without a free byte: it says it failed, the old file keeps every byte, and no
// temporary file is left behind.
void TestSaveFaults::fullDisk_oldFileKept()
{
    QFETCH(QString, name);
    QFETCH(Writer, writer);
    QFETCH(QString, message);
    SmallFileSystem disk(256 * 1024);
    if (!disk.isMounted())
        QSKIP(qPrintable(SmallFileSystem::skipReason()));
    const QString target = disk.filePath(name.isEmpty() ? QStringLiteral("none") : name);
    const QByteArray old = name == QLatin1String("Fenwyx.ini") ? QByteArray("[Window]\nGeometry=old\n")
                           : name.endsWith(QLatin1String(".pro"))
                               ? ProfileFile::encode(profileWithNotes(QStringLiteral("Old"), 100))
                               : QByteArray("\"pro\",\"/d/old.pro\",\"1/2/2026 10:00:00 AM\"\r\n");
    if (!name.isEmpty())
        QVERIFY(writeBytes(target, old));
    const QString list = disk.filePath(FamilyList::kListName);
    if (!QFile::exists(list))
        QVERIFY(writeBytes(list, "\"pro\",\"/d/old.pro\",\"1/2/2026 10:00:00 AM\"\r\n"));
    const QByteArray oldList = fileBytes(list);
    QVERIFY(QFile(disk.filePath(FamilyList::kListName + FamilyList::kLockSuffix)).open(QIODevice::WriteOnly));
    QVERIFY(disk.fill());
    const QStringList before = entriesOf(disk.path());

    QString shown;
    QVERIFY(!writer(disk.path(), target, &shown));
    if (!message.isEmpty())
        QVERIFY2(shown.startsWith(QString(message).replace(QLatin1Char('@'), target)), qPrintable(shown));
    if (!name.isEmpty())
        QCOMPARE(fileBytes(target), old);
    QCOMPARE(fileBytes(list), oldList); // a failed save enters nothing
    QCOMPARE(entriesOf(disk.path()), before);
}

// Saves killed at random moments: the profile always opens, as the old one or the new one.
void TestSaveFaults::killedSaves_leaveOldOrNewProfile()
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.pro"));
    const QString out = dir.filePath(QStringLiteral("out.pro"));
    const FuelProfile newer = profileWithNotes(QStringLiteral("New"), 400000);
    const FuelProfile older = profileWithNotes(QStringLiteral("Old"), 300000);
    QVERIFY(ProfileFile::write(in, newer));
    int killed = 0;
    for (int run = 0; run < 20; ++run) {
        QVERIFY(ProfileFile::write(out, older));
        QProcess save;
        save.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")),
                   {QStringLiteral("--home"), dir.path(), QStringLiteral("profile"), QStringLiteral("save"), in, out});
        QVERIFY(save.waitForStarted());
        ::usleep(useconds_t(QRandomGenerator::global()->bounded(2000, 60000)));
        save.kill();
        save.waitForFinished();
        killed += save.exitStatus() == QProcess::CrashExit;
        FileError error;
        const std::optional<FuelProfile> read = ProfileFile::read(out, &error);
        QVERIFY2(read, qPrintable(error.description));
        QVERIFY(read->ProfileName == newer.ProfileName || read->ProfileName == older.ProfileName);
        QCOMPARE(read->Notes, read->ProfileName == newer.ProfileName ? newer.Notes : older.Notes);
    }
    QVERIFY(killed > 0);
}

// Two programs entering different profiles at the same time: every save reported as entered is in the list,
// and every one reported as not entered is not.
void TestSaveFaults::concurrentSaves_everyReportedEntryListed()
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.pro"));
    QVERIFY(ProfileFile::write(in, profileWithNotes(QStringLiteral("Ridge"), 10)));
    constexpr int kSaves = 30;
    QStringList listed, refused;
    const auto runChain = [&](const QString &prefix, QProcess &process, int &next, QEventLoop &loop, int &running) {
        QObject::connect(&process, &QProcess::finished, &loop, [&, prefix](int exitCode) {
            const QString saved = dir.filePath(prefix + QString::number(next) + QStringLiteral(".pro"));
            (exitCode == 0 ? listed : refused) << saved;
            if (++next == kSaves) {
                if (--running == 0)
                    loop.quit();
                return;
            }
            process.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")),
                          {QStringLiteral("--home"), dir.path(), QStringLiteral("profile"), QStringLiteral("save"), in,
                           dir.filePath(prefix + QString::number(next) + QStringLiteral(".pro"))});
        });
        process.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")),
                      {QStringLiteral("--home"), dir.path(), QStringLiteral("profile"), QStringLiteral("save"), in,
                       dir.filePath(prefix + QStringLiteral("0.pro"))});
    };
    QEventLoop loop;
    QProcess first, second;
    int nextFirst = 0, nextSecond = 0, running = 2;
    runChain(QStringLiteral("a"), first, nextFirst, loop, running);
    runChain(QStringLiteral("b"), second, nextSecond, loop, running);
    loop.exec();

    const QByteArray list = fileBytes(dir.filePath(FamilyList::kListName));
    for (const QString &path : std::as_const(listed))
        QVERIFY2(list.contains('"' + QFile::encodeName(path) + '"'), qPrintable(path));
    for (const QString &path : std::as_const(refused))
        QVERIFY2(!list.contains('"' + QFile::encodeName(path) + '"'), qPrintable(path));
    QCOMPARE(listed.size() + refused.size(), 2 * kSaves);
    QCOMPARE(list.count("\r\n"), listed.size());
}

QTEST_MAIN(TestSaveFaults)
#include "tst_savefaults.moc"
