// SPDX-License-Identifier: GPL-3.0-or-later
// The .pro format: exact bytes, reading rules, malformed files and safe replacement.
#include "profile/profileexport.h"
#include "profile/profilefile.h"

#include "files.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cmath>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

using TestSupport::fileBytes;
using TestSupport::writeBytes;

namespace
{

// A profile as files in use hold it: CR LF, no zero before the point, Windows-1252 text.
const QByteArray kFieldFile = QByteArrayLiteral("\"Ridge \xE9 site\"\r\n"
                                                "\"Line one\r\nLine two \x80\"\r\n"
                                                "\"B1/3\"\r\n"
                                                "1.04\r\n2.03\r\n.02\r\n"
                                                "\"B2/7\"\r\n"
                                                "12.3\r\n"
                                                "\"B1/1\"\r\n\"\"\r\n"
                                                "-1\r\n.5\r\n");

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decode_fieldFile_readsEveryValue();
    void encode_decodedFieldFile_reproducesBytes();
    void encode_newProfile_twelveLines();
    void decode_readingRules_data();
    void decode_readingRules();
    void decode_malformed_data();
    void decode_malformed();
    void encode_lineBreakForms_writeCrLf_data();
    void encode_lineBreakForms_writeCrLf();
    void clean_quotesAndForeignCharacters_stillLoads();
    void withProfileExtension_fileNameOnly_data();
    void withProfileExtension_fileNameOnly();
    void writeRead_extremeNumbers_fileLoadsWithValueKept_data();
    void writeRead_extremeNumbers_fileLoadsWithValueKept();
    void read_sizeBound_data();
    void read_sizeBound();
    void write_replacesWithNewFile_oldContentNeverTruncated();
    void write_folderIsAFile_failsWithoutFile();
    void read_missingAndFolder_fail();
    void read_device_refusedUnread();
    void read_errorNumbers_data();
    void read_errorNumbers();
    void write_errorNumbers_data();
    void write_errorNumbers();
    void errorNumber_fullDisk();
    void write_folderNotWritable_writesFileInPlace();
};

void TestProfileFile::decode_fieldFile_readsEveryValue()
{
    FileError error;
    const auto p = ProfileFile::decode(kFieldFile, &error);
    QVERIFY2(p, qPrintable(error.description));
    QCOMPARE(p->ProfileName, QString::fromUtf8("Ridge é site"));
    QCOMPARE(p->Notes, QString::fromUtf8("Line one\nLine two €"));
    QCOMPARE(p->Source0to3, QStringLiteral("B1/3"));
    QCOMPARE(p->Tpa1, 1.04);
    QCOMPARE(p->Tpa2, 2.03);
    QCOMPARE(p->Tpa3, 0.02);
    QCOMPARE(p->Source3Plus, QStringLiteral("B2/7"));
    QCOMPARE(p->Load3Plus, 12.3);
    QCOMPARE(p->SourceDuff, QStringLiteral("B1/1"));
    QCOMPARE(p->SourceFuelBed, QString());
    QCOMPARE(p->DuffDepth, -1.0);
    QCOMPARE(p->FuelBedDepth, 0.5);
}

void TestProfileFile::encode_decodedFieldFile_reproducesBytes()
{
    const auto p = ProfileFile::decode(kFieldFile);
    QVERIFY(p);
    QCOMPARE(ProfileFile::encode(*p), kFieldFile);
}

void TestProfileFile::encode_newProfile_twelveLines()
{
    QCOMPARE(ProfileFile::encode(FuelProfile()),
             QByteArray("\"Untitled\"\r\n\"\"\r\n\"\"\r\n0\r\n0\r\n0\r\n\"\"\r\n0\r\n\"\"\r\n\"\"\r\n0\r\n0\r\n"));
}

void TestProfileFile::decode_readingRules_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<double>("tpa1");
    QTest::addColumn<double>("fuelBed");
    const QByteArray tail = "\"s\"\r\n1\r\n\"\"\r\n\"\"\r\n2\r\n";
    QTest::newRow("with zero") << QByteArray("\"n\"\r\n\"x\"\r\n\"\"\r\n0.5\r\n0\r\n0\r\n" + tail + "-0.25\r\n") << "x"
                               << 0.5 << -0.25;
    QTest::newRow("without zero") << QByteArray("\"n\"\r\n\"x\"\r\n\"\"\r\n.5\r\n0\r\n0\r\n" + tail + "-.25\r\n") << "x"
                                  << 0.5 << -0.25;
    QTest::newRow("empty number is 0") << QByteArray("\"n\"\r\n\"x\"\r\n\"\"\r\n\r\n0\r\n0\r\n" + tail + "\r\n") << "x"
                                       << 0.0 << 0.0;
    QTest::newRow("blanks before values")
        << QByteArray("  \"n\"\r\n \"x\"\r\n\"\"\r\n   7\r\n0\r\n0\r\n" + tail + " 3 \r\n") << "x" << 7.0 << 3.0;
    QTest::newRow("notes over three lines")
        << QByteArray("\"n\"\r\n\"a\r\n\r\nc\"\r\n\"\"\r\n1\r\n0\r\n0\r\n" + tail + "0\r\n") << "a\n\nc" << 1.0 << 0.0;
    QTest::newRow("text after closing quote skipped")
        << QByteArray("\"n\" junk\r\n\"x\"tail\r\n\"\"\r\n1\r\n0\r\n0\r\n" + tail + "0\r\n") << "x" << 1.0 << 0.0;
    QTest::newRow("values separated by commas")
        << QByteArray("\"n\",\"x\",\"\",4,0,0,\"s\",1,\"\",\"\",2,9\r\n") << "x" << 4.0 << 9.0;
    QTest::newRow("unquoted text and LF line ends")
        << QByteArray("n\nx  \n\n1\n0\n0\ns\n1\n\n\n2\n5") << "x" << 1.0 << 5.0;
}

void TestProfileFile::decode_readingRules()
{
    QFETCH(QByteArray, bytes);
    FileError error;
    const auto p = ProfileFile::decode(bytes, &error);
    QVERIFY2(p, qPrintable(error.description));
    QCOMPARE(p->ProfileName, QStringLiteral("n"));
    QFETCH(QString, notes);
    QCOMPARE(p->Notes, notes);
    QFETCH(double, tpa1);
    QCOMPARE(p->Tpa1, tpa1);
    QFETCH(double, fuelBed);
    QCOMPARE(p->FuelBedDepth, fuelBed);
}

void TestProfileFile::decode_malformed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("number");
    QTest::newRow("empty file") << QByteArray() << FileErrors::InputPastEnd;
    QTest::newRow("ends after the 8th line")
        << kFieldFile.left(kFieldFile.indexOf("\"B1/1\"")) << FileErrors::InputPastEnd;
    QTest::newRow("ends after the 11th line")
        << kFieldFile.left(kFieldFile.lastIndexOf(".5")) << FileErrors::InputPastEnd;
    QByteArray notNumber = kFieldFile;
    notNumber.replace("2.03", "2,0x");
    QTest::newRow("number not a number") << notNumber << FileErrors::TypeMismatch;
    QTest::newRow("word for a number") << QByteArray(kFieldFile).replace("12.3", "twelve") << FileErrors::TypeMismatch;
    QTest::newRow("unterminated quote") << QByteArray("\"Name\r\n\"notes\r\n\"open") << FileErrors::InputPastEnd;
    QByteArray binary(4096, '\0');
    QRandomGenerator rng(1234);
    for (char &c : binary)
        c = char(rng.bounded(256));
    binary.replace('"', '\x01');
    QTest::newRow("binary") << binary << FileErrors::TypeMismatch;
}

void TestProfileFile::decode_malformed()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, number);
    FileError error;
    QVERIFY(!ProfileFile::decode(bytes, &error));
    QCOMPARE(error.number, number);
    QVERIFY(!error.description.isEmpty());
}

void TestProfileFile::encode_lineBreakForms_writeCrLf_data()
{
    QTest::addColumn<QString>("notes");
    QTest::newRow("LF") << QStringLiteral("a\nb");
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb");
    QTest::newRow("CR") << QStringLiteral("a\rb");
}

void TestProfileFile::encode_lineBreakForms_writeCrLf()
{
    QFETCH(QString, notes);
    FuelProfile p;
    p.Notes = notes;
    const QByteArray bytes = ProfileFile::encode(p);
    QVERIFY(bytes.startsWith("\"Untitled\"\r\n\"a\r\nb\"\r\n"));
    QCOMPARE(ProfileFile::decode(bytes)->Notes, QStringLiteral("a\nb"));
}

void TestProfileFile::clean_quotesAndForeignCharacters_stillLoads()
{
    FuelProfile p;
    p.ProfileName = QStringLiteral("The \"big\" burn");
    p.Notes = QString::fromUtf8("Ωmega plot é");
    const ProfileFile::Cleaned c = ProfileFile::clean(p);
    QVERIFY(c.quotesReplaced);
    QVERIFY(c.charactersReplaced);
    const auto back = ProfileFile::decode(ProfileFile::encode(p));
    QVERIFY(back);
    QCOMPARE(back->ProfileName, QStringLiteral("The 'big' burn"));
    QCOMPARE(back->Notes, QString::fromUtf8("?mega plot é"));
    QCOMPARE(*back, c.profile);
}

void TestProfileFile::withProfileExtension_fileNameOnly_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "/x/site"
                           << "/x/site.pro";
    QTest::newRow("inside the name") << "/x/old.profile.txt"
                                     << "/x/old.profile.txt";
    QTest::newRow("upper case") << "/x/OLD.PRO"
                                << "/x/OLD.PRO";
    QTest::newRow("only a folder holds it") << "/x/my.pro.files/site"
                                            << "/x/my.pro.files/site.pro";
}

void TestProfileFile::withProfileExtension_fileNameOnly()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(ProfileFile::withProfileExtension(path), expected);
}

void TestProfileFile::writeRead_extremeNumbers_fileLoadsWithValueKept_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("loaded"); // the value, or its rounding to 15 significant digits
    QTest::addColumn<QByteArray>("written");
    const double max = std::numeric_limits<double>::max();
    const double denormalMin = std::numeric_limits<double>::denorm_min();
    // Rounded to 15 digits these would lie beyond the largest double: written with the digits they need.
    QTest::newRow("largest double") << max << max << QByteArray("1.7976931348623157E+308");
    QTest::newRow("largest negative") << -max << -max << QByteArray("-1.7976931348623157E+308");
    QTest::newRow("below the largest, rounds past it")
        << std::nextafter(max, 0.0) << std::nextafter(max, 0.0) << QByteArray("1.7976931348623155E+308");
    QTest::newRow("rounds to the largest 15-digit double")
        << 1.79769313486231e308 << 1.79769313486231e308 << QByteArray("1.79769313486231E+308");
    QTest::newRow("smallest denormal") << denormalMin << denormalMin << QByteArray("5E-324");
    QTest::newRow("denormal") << 1e-320 << 1e-320 << QByteArray("1E-320");
    QTest::newRow("one tenth") << 0.1 << 0.1 << QByteArray(".1");
    QTest::newRow("1e15") << 1e15 << 1e15 << QByteArray("1E+15");
    QTest::newRow("18 digits, rounded to 15")
        << 123456789012345678.0 << 123456789012346000.0 << QByteArray("1.23456789012346E+17");
    QTest::newRow("negative zero") << -0.0 << 0.0 << QByteArray("0");
    QTest::newRow("15 digits exactly") << 123456789012345.0 << 123456789012345.0 << QByteArray("123456789012345");
    QTest::newRow("15 digits after the point")
        << 0.123456789012345 << 0.123456789012345 << QByteArray(".123456789012345");
    QTest::newRow("one third, rounded") << 1.0 / 3 << 0.333333333333333 << QByteArray(".333333333333333");
}

void TestProfileFile::writeRead_extremeNumbers_fileLoadsWithValueKept()
{
    QFETCH(double, value);
    QFETCH(double, loaded);
    QFETCH(QByteArray, written);
    QTemporaryDir dir;
    FuelProfile p;
    for (double *number : {&p.Tpa1, &p.Tpa2, &p.Tpa3, &p.Load3Plus, &p.DuffDepth, &p.FuelBedDepth})
        *number = value;
    const QString path = dir.filePath(QStringLiteral("extreme.pro"));
    FileError error;
    QVERIFY2(ProfileFile::write(path, p, &error), qPrintable(error.description));
    const QByteArray bytes = fileBytes(path);
    QVERIFY2(bytes.contains("\r\n" + written + "\r\n"), bytes.constData());
    const auto back = ProfileFile::read(path, &error);
    QVERIFY2(back, qPrintable(error.description));
    for (const double number :
         {back->Tpa1, back->Tpa2, back->Tpa3, back->Load3Plus, back->DuffDepth, back->FuelBedDepth})
        QCOMPARE(number, loaded);
    // Saved again, the file is the same: nothing drifts with each save.
    QVERIFY(ProfileFile::write(path, *back));
    QCOMPARE(fileBytes(path), bytes);
    // The exported values read back as numbers too.
    for (const QByteArray &line : ProfileExport::csv(p, path).split('\n')) {
        for (const QByteArray &field : line.trimmed().split(',')) {
            char *end = nullptr;
            const double number = std::strtod(field.constData(), &end);
            if (!field.isEmpty() && end == field.constData() + field.size())
                QVERIFY2(std::isfinite(number), field.constData());
        }
    }
}

void TestProfileFile::read_sizeBound_data()
{
    const auto file = [](const QByteArray &notes) {
        return "\"\"\r\n\"" + notes + "\"\r\n\"\"\r\n0\r\n0\r\n0\r\n\"\"\r\n0\r\n\"\"\r\n\"\"\r\n0\r\n0\r\n";
    };
    const int largest = int(ProfileFile::kMaxFileSize - file(QByteArray()).size());
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("loads");
    QTest::newRow("largest file") << file(QByteArray(largest, 'n')) << true;
    QTest::newRow("one byte more") << file(QByteArray(largest + 1, 'n')) << false;
    // Written again each LF would become CR LF, and the file too large to load.
    QTest::newRow("LF line breaks outgrow the bound when saved")
        << file(QByteArray(largest - 1000, 'n') + QByteArray(1000, '\n')) << false;
}

void TestProfileFile::read_sizeBound()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loads);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.pro"));
    QVERIFY(writeBytes(path, bytes));
    FileError error;
    const auto p = ProfileFile::read(path, &error);
    QCOMPARE(p.has_value(), loads);
    if (loads) {
        QVERIFY(ProfileFile::fitsInFile(*p));
        QCOMPARE(ProfileFile::encode(*p), bytes);
    } else {
        QCOMPARE(error.number, FileErrors::OutOfMemory);
        QCOMPARE(error.description,
                 QStringLiteral("A fuel profile file may hold at most 1 MB, names and notes included"));
    }
}

void TestProfileFile::write_replacesWithNewFile_oldContentNeverTruncated()
{
    // A file replaced in place would change under a second name of the same file.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.pro"));
    const QString link = dir.filePath(QStringLiteral("link.pro"));
    QVERIFY(writeBytes(path, kFieldFile));
    QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
    QVERIFY(ProfileFile::write(path, FuelProfile()));
    QCOMPARE(fileBytes(link), kFieldFile);
    QCOMPARE(fileBytes(path), ProfileFile::encode(FuelProfile()));
}

void TestProfileFile::write_folderIsAFile_failsWithoutFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plain"));
    QVERIFY(writeBytes(file, "x"));
    FileError error;
    QVERIFY(!ProfileFile::write(file + QStringLiteral("/site.pro"), FuelProfile(), &error));
    QVERIFY(error.number != 0);
    QCOMPARE(fileBytes(file), QByteArray("x"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{QStringLiteral("plain")});
}

void TestProfileFile::read_missingAndFolder_fail()
{
    QTemporaryDir dir;
    FileError error;
    QVERIFY(!ProfileFile::read(dir.filePath(QStringLiteral("none.pro")), &error));
    QCOMPARE(error.number, FileErrors::FileNotFound);
    QVERIFY(!ProfileFile::read(dir.path(), &error));
    QVERIFY(error.number != 0);
}

void TestProfileFile::read_device_refusedUnread()
{
    // Reading an endless device would never return.
    if (!QFileInfo::exists(QStringLiteral("/dev/zero")))
        QSKIP("no /dev/zero");
    FileError error;
    QVERIFY(!ProfileFile::read(QStringLiteral("/dev/zero"), &error));
    QCOMPARE(error.number, FileErrors::AccessError);
}

void TestProfileFile::read_errorNumbers_data()
{
    // Each through the file system condition itself: a permission failure is 70, a missing file 53, a missing
    // folder 76, whatever else 75. Paths starting with "@" lie in a fresh folder holding the file "plain".
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("number");
    QTest::newRow("missing file") << "@/none.pro" << FileErrors::FileNotFound;
    QTest::newRow("missing folder") << "@/none/x.pro" << FileErrors::PathNotFound;
    QTest::newRow("path through a regular file") << "@/plain/x.pro" << FileErrors::PathNotFound;
    QTest::newRow("no one may read it") << "/proc/sys/vm/drop_caches" << FileErrors::PermissionDenied;
    QTest::newRow("folder") << "@" << FileErrors::AccessError;
}

void TestProfileFile::read_errorNumbers()
{
    QFETCH(QString, path);
    QFETCH(int, number);
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("plain")), kFieldFile));
    path.replace(QLatin1Char('@'), dir.path());
    if (!path.startsWith(dir.path()) && !QFileInfo(path).isFile())
        QSKIP("no such file here");
    FileError error;
    QVERIFY(!ProfileFile::read(path, &error));
    QCOMPARE(error.number, number);
    QVERIFY(!error.description.isEmpty());
}

void TestProfileFile::write_errorNumbers_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("number");
    QTest::newRow("missing folder") << "@/none/x.pro" << FileErrors::PathNotFound;
    QTest::newRow("path through a regular file") << "@/plain/x.pro" << FileErrors::PathNotFound;
    QTest::newRow("folder the user may not write") << "@/locked/x.pro" << FileErrors::PermissionDenied;
    QTest::newRow("a pipe: refused, never waited on") << "@/pipe.pro" << FileErrors::AccessError;
    QTest::newRow("a folder") << "@/locked" << FileErrors::AccessError;
}

void TestProfileFile::write_errorNumbers()
{
    QFETCH(QString, path);
    QFETCH(int, number);
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("plain")), kFieldFile));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.pro"))).constData(), 0600), 0);
    const QString locked = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("locked")));
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    const auto unlock = qScopeGuard(
        [&locked] { QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    if (path.contains(QLatin1String("locked/")) && ::geteuid() == 0)
        QSKIP("root may write any folder; tst_cli runs this case as an unprivileged user");
    path.replace(QLatin1Char('@'), dir.path());
    FileError error;
    QVERIFY(!ProfileFile::write(path, FuelProfile(), &error));
    QCOMPARE(error.number, number);
    QVERIFY(!error.description.isEmpty());
    QCOMPARE(QDir(locked).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

void TestProfileFile::errorNumber_fullDisk()
{
    // The device that is always full stands for a full disk.
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        QSKIP("no /dev/full");
    errno = 0;
    QCOMPARE(full.write(ProfileFile::encode(FuelProfile())), qint64(-1));
    const FileError error = FileErrors::fromFile(full, full.fileName(), errno);
    QCOMPARE(error.number, FileErrors::DiskFull);
    QCOMPARE(error.description, QString::fromLocal8Bit(std::strerror(ENOSPC)));
}

void TestProfileFile::write_folderNotWritable_writesFileInPlace()
{
    // The family's other programs write a profile in place: a file the user may write is saved even where
    // no new file can be made beside it.
    if (::geteuid() == 0)
        QSKIP("root may write any folder; tst_cli runs this case as an unprivileged user");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.pro"));
    QVERIFY(writeBytes(path, kFieldFile));
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const auto unlock = qScopeGuard(
        [&dir] { QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    FileError error;
    QVERIFY2(ProfileFile::write(path, FuelProfile(), &error), qPrintable(error.description));
    QCOMPARE(fileBytes(path), ProfileFile::encode(FuelProfile()));
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
