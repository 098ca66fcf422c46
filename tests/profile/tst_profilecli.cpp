// SPDX-License-Identifier: GPL-3.0-or-later
// The batch commands "profile show" and "profile save".
#include "profile/familylist.h"
#include "profile/profilecli.h"
#include "profile/profilefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

class TestProfileCli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void show_savedProfile_printsRowsInOrder();
    void save_addsExtensionAndListEntry();
    void commands_relativePaths_madeAbsolute();
    void commands_failures_data();
    void commands_failures();
};

namespace
{

struct Run {
    int code = 0;
    QString out;
    QString err;
};

Run run(const QStringList &args, const QString &programFolder)
{
    Run r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = runProfileCommand(args, programFolder, out, err);
    return r;
}

} // namespace

void TestProfileCli::show_savedProfile_printsRowsInOrder()
{
    QTemporaryDir dir;
    FuelProfile p;
    p.ProfileName = QStringLiteral("Ridge, north");
    p.Notes = QStringLiteral("a b\nc");
    p.Tpa1 = 1.04;
    p.Tpa2 = 2.03;
    p.Tpa3 = 0.02;
    p.Source0to3 = QStringLiteral("B1/3");
    p.Load3Plus = 12.3;
    p.DuffDepth = -1;
    const QString path = dir.filePath(QStringLiteral("r.pro"));
    QVERIFY(ProfileFile::write(path, p));
    const Run r = run({QStringLiteral("show"), path}, dir.path());
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out,
             QStringLiteral("txtName,\"Ridge, north\"\r\nlblPro0to3,3.1\r\nlblPro3Plus,12.3\r\nlblProTotal,15.4\r\n"
                            "lblProDuff,no data\r\nlblProFuelBed,0.0\r\nlblPL0to3,B1/3\r\nlblPL3Plus,\r\n"
                            "lblPLDuff,\r\nlblPLFuelBed,\r\nNotes,\"a b\nc\"\r\ncaption,Fenwyx Assistant[") +
                 path + QStringLiteral("]\r\n"));
    QVERIFY(r.err.isEmpty());
}

void TestProfileCli::save_addsExtensionAndListEntry()
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.pro"));
    QVERIFY(ProfileFile::write(in, FuelProfile()));
    const Run r = run({QStringLiteral("save"), in, dir.filePath(QStringLiteral("out"))}, dir.path());
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out.trimmed(), dir.filePath(QStringLiteral("out.pro")));
    QFile out(dir.filePath(QStringLiteral("out.pro")));
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(out.readAll(), ProfileFile::encode(FuelProfile()));
    QFile list(dir.filePath(FamilyList::kListName));
    QVERIFY(list.open(QIODevice::ReadOnly));
    QVERIFY(list.readAll().contains(QFile::encodeName(out.fileName())));
}

void TestProfileCli::commands_relativePaths_madeAbsolute()
{
    // The family list is read by other programs, which cannot resolve a path against our folder.
    QTemporaryDir dir;
    QVERIFY(ProfileFile::write(dir.filePath(QStringLiteral("in.pro")), FuelProfile()));
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const Run shown = run({QStringLiteral("show"), QStringLiteral("in.pro")}, dir.path());
    const Run saved = run({QStringLiteral("save"), QStringLiteral("in.pro"), QStringLiteral("out")}, dir.path());
    QDir::setCurrent(before);
    const QString out = QDir(dir.path()).absoluteFilePath(QStringLiteral("out.pro"));
    QCOMPARE(shown.code, 0);
    QVERIFY2(shown.out.endsWith("caption,Fenwyx Assistant[" + QDir(dir.path()).absoluteFilePath("in.pro") + "]\r\n"),
             qPrintable(shown.out));
    QCOMPARE(saved.code, 0);
    QCOMPARE(saved.out.trimmed(), out);
    QFile list(dir.filePath(FamilyList::kListName));
    QVERIFY(list.open(QIODevice::ReadOnly));
    QVERIFY(list.readAll().startsWith("\"pro\",\"" + QFile::encodeName(out) + "\","));
}

void TestProfileCli::commands_failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    // Every message names the profile file and holds no carriage return.
    QTest::newRow("show missing") << QStringList{"show", "@/none.pro"} << 1
                                  << "@/none.pro: Error while opening file: \nError: 53 ";
    QTest::newRow("save, input missing") << QStringList{"save", "@/none.pro", "@/out"} << 1
                                         << "@/none.pro: Error while opening file: \nError: 53 ";
    QTest::newRow("save to folder that is a file") << QStringList{"save", "@/in.pro", "@/plain/out"} << 1
                                                   << "Error while saving file: @/plain/out.pro\nError: 76 ";
    QTest::newRow("save into a missing folder")
        << QStringList{"save", "@/in.pro", "@/none/out"} << 1 << "Error while saving file: @/none/out.pro\nError: 76 ";
    // A folder's name would have made the hidden file ".pro" inside it.
    QTest::newRow("save to a folder's name ending in a separator")
        << QStringList{"save", "@/in.pro", "@/sub/"} << 1 << "Error while saving file: @/sub/\nError: 52 ";
    QTest::newRow("save to a relative name ending in a separator")
        << QStringList{"save", "@/in.pro", "sub/"} << 1 << "Error while saving file: @/sub/\nError: 52 ";
    QTest::newRow("save to a missing folder's name ending in a separator")
        << QStringList{"save", "@/in.pro", "@/none/"} << 1 << "Error while saving file: @/none/\nError: 52 ";
    QTest::newRow("save to a folder's name")
        << QStringList{"save", "@/in.pro", "@/sub"} << 1 << "Error while saving file: @/sub\nError: 52 ";
    QTest::newRow("list is a folder") << QStringList{"save", "@/in.pro", "@/ok"} << 3
                                      << "@/ok.pro: Problem saving to Brackel list\n75-";
    QTest::newRow("save to an empty name")
        << QStringList{"save", "@/in.pro", ""} << 2 << "profile save: a file name is empty";
    QTest::newRow("show an empty name") << QStringList{"show", ""} << 2 << "profile show: a file name is empty";
    QTest::newRow("wrong arguments") << QStringList{"show"} << 2 << "profile show: FILE is missing";
}

void TestProfileCli::commands_failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(ProfileFile::write(dir.filePath(QStringLiteral("in.pro")), FuelProfile()));
    QFile plain(dir.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    QVERIFY(QDir(dir.path()).mkdir(FamilyList::kListName));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    args.replaceInStrings(QStringLiteral("@"), dir.path());
    // Relative names are taken from the current folder: nothing may appear there, hidden files included.
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const QStringList files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    const Run r = run(args, dir.path());
    QDir::setCurrent(before);
    QCOMPARE(r.code, code);
    QVERIFY2(r.err.startsWith(message.replace(QStringLiteral("@"), dir.path())), qPrintable(r.err));
    QVERIFY(!r.err.contains(QLatin1Char('\r')));
    if (code != 3)
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), files);
    QCOMPARE(
        QDir(dir.filePath(QStringLiteral("sub"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList());
}

QTEST_GUILESS_MAIN(TestProfileCli)
#include "tst_profilecli.moc"
