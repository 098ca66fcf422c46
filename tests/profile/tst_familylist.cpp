// SPDX-License-Identifier: GPL-3.0-or-later
// The family list: one entry per path in its old place, malformed lines kept, safe replacement.
#include "platform/dialogs.h"
#include "profile/familylist.h"

#include "files.h"

#include "platformdoubles.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using TestSupport::fileBytes;
using TestSupport::writeBytes;

class TestFamilyList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void add_noList_createsOneEntry();
    void updated_entries_data();
    void updated_entries();
    void add_existingList_replacedAsNewFileWithoutTemp();
    void add_refusedPath_data();
    void add_refusedPath();
    void add_existingList_keepsPermissionsAndOwner();
    void timeText_locales_data();
    void timeText_locales();
    void add_unwritable_data();
    void add_unwritable();
    void add_listNotWritable_leftUntouched_data();
    void add_listNotWritable_leftUntouched();
    void add_symbolicLink_updatesTargetKeepsLink_data();
    void add_symbolicLink_updatesTargetKeepsLink();
    void add_notRegularFile_refusedWithoutWaiting_data();
    void add_notRegularFile_refusedWithoutWaiting();
};

namespace
{

ino_t inodeOf(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

} // namespace

void TestFamilyList::add_noList_createsOneEntry()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    QVERIFY(AddToFamilyList(dir.path(), QStringLiteral("/x/site.pro"), QStringLiteral("pro"), dialogs));
    const QByteArray list = fileBytes(dir.filePath(FamilyList::kListName));
    QVERIFY2(QRegularExpression(QStringLiteral("^\"pro\",\"/x/site.pro\",\"[^\"\r\n]+\"\r\n$"))
                 .match(QString::fromLatin1(list))
                 .hasMatch(),
             list.constData());
    QVERIFY(dialogs.messages.empty());
    QVERIFY(!QFile::exists(dir.filePath(FamilyList::kTempName)));
}

void TestFamilyList::updated_entries_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("after");
    const QByteArray a = "\"pro\",\"/d/a.pro\",\"1/1/20 10:00\"\r\n";
    const QByteArray c = "\"pro\",\"/d/c.pro\",\"1/1/20 12:00\"\r\n";
    QTest::newRow("same path keeps its place and gets the new time")
        << (a + "\"pro\",\"/d/b.pro\",\"1/1/20 11:00\"\r\n" + c) << "/d/b.pro"
        << (a + "\"pro\",\"/d/b.pro\",\"NOW\"\r\n" + c);
    QTest::newRow("another type for the path keeps its type")
        << (a + "\"fvs\",\"/d/b.pro\",\"old\"\r\n") << "/d/b.pro" << (a + "\"fvs\",\"/d/b.pro\",\"NOW\"\r\n");
    QTest::newRow("case differs: a second entry") << a << "/d/A.pro" << (a + "\"pro\",\"/d/A.pro\",\"NOW\"\r\n");
    QTest::newRow("blank lines dropped, LF and CR ends become CR LF")
        << QByteArray("\r\n\"pro\",\"/d/a.pro\",\"1/1/20 10:00\"\n  \r\n\r" + c) << "/d/z.pro"
        << (a + c + "\"pro\",\"/d/z.pro\",\"NOW\"\r\n");
    QTest::newRow("malformed lines copied through, later entry still found")
        << QByteArray("garbage\r\n\"unterminated,\"x\r\n\"a\",\"b\",\"c\",\"d\"\r\n\"only\",\"two\"\r\n" + c)
        << "/d/c.pro"
        << QByteArray("garbage\r\n\"unterminated,\"x\r\n\"a\",\"b\",\"c\",\"d\"\r\n\"only\",\"two\"\r\n"
                      "\"pro\",\"/d/c.pro\",\"NOW\"\r\n");
    QTest::newRow("unquoted sibling entry")
        << QByteArray("pro, /d/a.pro ,old\r\n") << "/d/a.pro" << QByteArray("\"pro\",\"/d/a.pro\",\"NOW\"\r\n");
    QTest::newRow("last line without line end") << QByteArray("\"pro\",\"/d/a.pro\",\"1/1/20 10:00\"") << "/d/q.pro"
                                                << (a + "\"pro\",\"/d/q.pro\",\"NOW\"\r\n");
    QTest::newRow("Windows-1252 path") << QByteArray("\"pro\",\"/d/caf\xE9.pro\",\"old\"\r\n")
                                       << QString::fromUtf8("/d/café.pro")
                                       << QByteArray("\"pro\",\"/d/caf\xE9.pro\",\"NOW\"\r\n");
}

void TestFamilyList::updated_entries()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, path);
    QFETCH(QByteArray, after);
    QCOMPARE(FamilyList::updated(before, path, QStringLiteral("pro"), QStringLiteral("NOW")), after);
}

void TestFamilyList::add_existingList_replacedAsNewFileWithoutTemp()
{
    QTemporaryDir dir;
    const QString list = dir.filePath(FamilyList::kListName);
    const QString link = dir.filePath(QStringLiteral("second-name.txt"));
    const QByteArray old = "\"pro\",\"/d/a.pro\",\"old\"\r\n";
    QVERIFY(writeBytes(list, old));
    QVERIFY(writeBytes(dir.filePath(FamilyList::kTempName), "stale"));
    QCOMPARE(::link(QFile::encodeName(list).constData(), QFile::encodeName(link).constData()), 0);
    ScriptedDialogs dialogs;
    QVERIFY(AddToFamilyList(dir.path(), QStringLiteral("/d/b.pro"), QStringLiteral("pro"), dialogs));
    QCOMPARE(fileBytes(link), old); // the old list was never rewritten in place
    QVERIFY(fileBytes(list).startsWith(old + "\"pro\",\"/d/b.pro\",\""));
    QVERIFY(!QFile::exists(dir.filePath(FamilyList::kTempName)));
}

void TestFamilyList::add_refusedPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("double quote") << "/d/the \"best\".pro";
    QTest::newRow("line break") << "/d/two\nlines.pro";
    QTest::newRow("outside the code page") << QString::fromUtf8("/d/Ωmega.pro");
}

void TestFamilyList::add_refusedPath()
{
    QFETCH(QString, path);
    QTemporaryDir dir;
    const QByteArray old = "\"pro\",\"/d/a.pro\",\"old\"\r\n";
    QVERIFY(writeBytes(dir.filePath(FamilyList::kListName), old));
    ScriptedDialogs dialogs;
    QVERIFY(!AddToFamilyList(dir.path(), path, QStringLiteral("pro"), dialogs));
    QCOMPARE(dialogs.messages.size(), size_t(1));
    QVERIFY(dialogs.messages[0].text.startsWith(QStringLiteral("Problem saving to Brackel list\r")));
    QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("cannot hold")));
    QCOMPARE(dialogs.messages[0].buttons, MessageButtons::Ok);
    QCOMPARE(fileBytes(dir.filePath(FamilyList::kListName)), old);
}

void TestFamilyList::add_existingList_keepsPermissionsAndOwner()
{
    QTemporaryDir dir;
    const QString list = dir.filePath(FamilyList::kListName);
    QVERIFY(writeBytes(list, "\"pro\",\"/d/a.pro\",\"old\"\r\n"));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup;
    QVERIFY(QFile::setPermissions(list, permissions));
    // Updated by an administrator, another user's list stays that user's.
    const bool administrator = ::geteuid() == 0;
    if (administrator)
        QCOMPARE(::chown(QFile::encodeName(list).constData(), 65534, 65534), 0);
    ScriptedDialogs dialogs;
    QVERIFY(AddToFamilyList(dir.path(), QStringLiteral("/d/b.pro"), QStringLiteral("pro"), dialogs));
    const auto now = QFile::permissions(list);
    QVERIFY(now.testFlag(QFile::WriteGroup)); // not the default of a new file
    QVERIFY(!now.testFlag(QFile::ReadOther));
    const QFileInfo info(list);
    QCOMPARE(info.ownerId(), administrator ? 65534u : ::geteuid());
    QCOMPARE(info.groupId(), administrator ? 65534u : ::getegid());
}

void TestFamilyList::timeText_locales_data()
{
    // The general form: the full year and the seconds, so two saves in one minute differ; Latin digits.
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English (US): two-digit year widened") << "en_US"
                                                          << "3/5/2024 2:07:09 PM";
    QTest::newRow("English (UK): four-digit year kept") << "en_GB"
                                                        << "05/03/2024 14:07:09";
    QTest::newRow("German") << "de_DE"
                            << "05.03.2024 14:07:09";
    QTest::newRow("Finnish: dots between hours and minutes") << "fi_FI"
                                                             << "5.3.2024 14.07.09";
    QTest::newRow("Korean: time of day first, outside the code page") << "ko_KR"
                                                                      << "2024. 3. 5. PM 2:07:09";
    QTest::newRow("Arabic digits and direction marks") << "ar_EG"
                                                       << "5/3/2024 2:07:09 PM";
    QTest::newRow("Persian digits") << "fa_IR"
                                    << "2024/3/5 14:07:09";
}

void TestFamilyList::timeText_locales()
{
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    const QDateTime t(QDate(2024, 3, 5), QTime(14, 7, 9));
    QCOMPARE(FamilyList::timeText(QLocale(locale), t), expected);
}

void TestFamilyList::add_unwritable_data()
{
    QTest::addColumn<bool>("listIsFolder");
    QTest::newRow("list is a folder") << true;
    QTest::newRow("program folder is a file") << false;
}

void TestFamilyList::add_unwritable()
{
    QFETCH(bool, listIsFolder);
    QTemporaryDir dir;
    QString folder = dir.path();
    if (listIsFolder) {
        QVERIFY(QDir(folder).mkdir(FamilyList::kListName));
    } else {
        folder = dir.filePath(QStringLiteral("plain"));
        QVERIFY(writeBytes(folder, "x"));
    }
    ScriptedDialogs dialogs;
    QVERIFY(!AddToFamilyList(folder, QStringLiteral("/d/a.pro"), QStringLiteral("pro"), dialogs));
    QCOMPARE(dialogs.messages.size(), size_t(1));
    const auto &shown = dialogs.messages[0];
    QVERIFY2(
        QRegularExpression(QStringLiteral("^Problem saving to Brackel list\r\\d+-.+")).match(shown.text).hasMatch(),
        qPrintable(shown.text));
    QCOMPARE(shown.caption, QStringLiteral("Fenwyx"));
    QVERIFY(!QFile::exists(dir.filePath(FamilyList::kTempName)));
    QCOMPARE(QFileInfo(dir.filePath(FamilyList::kListName)).isDir(), listIsFolder);
}

void TestFamilyList::add_listNotWritable_leftUntouched_data()
{
    QTest::addColumn<QString>("target"); // empty: a plain list without write permission
    QTest::newRow("list without write permission") << "";
    QTest::newRow("link to a file no one may write") << "/proc/sys/kernel/ostype";
}

// The folder would let the list be replaced, but the list itself may not be written: it stays as it is
// (content, file, owner), and the user is told why.
void TestFamilyList::add_listNotWritable_leftUntouched()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    const QString list = dir.filePath(FamilyList::kListName);
    if (target.isEmpty()) {
        if (::geteuid() == 0)
            QSKIP("root may write any file; tst_cli runs this case as an unprivileged user");
        QVERIFY(writeBytes(list, "\"pro\",\"/d/a.pro\",\"old\"\r\n"));
        QVERIFY(QFile::setPermissions(list, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        target = list;
    } else {
        if (!QFileInfo(target).isFile())
            QSKIP("no such file here");
        QVERIFY(QFile::link(target, list));
    }
    const QByteArray before = fileBytes(target);
    const ino_t inode = inodeOf(target);
    ScriptedDialogs dialogs;
    QVERIFY(!AddToFamilyList(dir.path(), QStringLiteral("/d/b.pro"), QStringLiteral("pro"), dialogs));
    QCOMPARE(dialogs.messages.size(), size_t(1));
    QVERIFY2(dialogs.messages[0].text.startsWith(QStringLiteral("Problem saving to Brackel list\r70-")),
             qPrintable(dialogs.messages[0].text));
    QCOMPARE(fileBytes(target), before);
    QCOMPARE(inodeOf(target), inode);
    QCOMPARE(QFileInfo(list).isSymLink(), target != list);
    QVERIFY(!QFile::exists(dir.filePath(FamilyList::kTempName)));
}

void TestFamilyList::add_symbolicLink_updatesTargetKeepsLink_data()
{
    QTest::addColumn<QStringList>("links"); // each links to the next; the last is the shared list
    QTest::newRow("link to the shared list") << QStringList{"shared/BrackelFileList.txt"};
    QTest::newRow("relative link") << QStringList{"../shared/BrackelFileList.txt"};
    QTest::newRow("chain of two links") << QStringList{"other/second-link.txt", "shared/list.txt"};
    QTest::newRow("link to a list not made yet") << QStringList{"shared/new-list.txt"};
}

// A list that is a symbolic link stands for a list shared with the family's other programs: that file is
// updated (replaced whole, beside itself) and the link keeps pointing at it.
void TestFamilyList::add_symbolicLink_updatesTargetKeepsLink()
{
    QFETCH(QStringList, links);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("program")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("shared")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("other")));
    const QString program = dir.filePath(QStringLiteral("program"));
    const QString shared =
        dir.filePath(links.last().startsWith(QLatin1String("../")) ? links.last().mid(3) : links.last());
    const QByteArray old = "\"pro\",\"/d/a.pro\",\"old\"\r\n";
    const bool existing = !shared.endsWith(QLatin1String("new-list.txt"));
    if (existing)
        QVERIFY(writeBytes(shared, old));
    QString link = QDir(program).filePath(FamilyList::kListName);
    for (const QString &to : links) {
        const QString pointsTo = to.startsWith(QLatin1String("../")) ? to : dir.filePath(to);
        QCOMPARE(::symlink(QFile::encodeName(pointsTo).constData(), QFile::encodeName(link).constData()), 0);
        link = dir.filePath(to);
    }
    ScriptedDialogs dialogs;
    QVERIFY(AddToFamilyList(program, QStringLiteral("/d/b.pro"), QStringLiteral("pro"), dialogs));
    QVERIFY(dialogs.messages.empty());
    const QString list = QDir(program).filePath(FamilyList::kListName);
    QVERIFY(QFileInfo(list).isSymLink());
    QCOMPARE(QFileInfo(list).canonicalFilePath(), QFileInfo(shared).canonicalFilePath());
    QVERIFY(!QFileInfo(shared).isSymLink());
    const QByteArray now = fileBytes(shared);
    QVERIFY2(now.startsWith((existing ? old : QByteArray()) + "\"pro\",\"/d/b.pro\",\""), now.constData());
    QCOMPARE(fileBytes(list), now);
    for (const QString &folder : {QStringLiteral("program"), QStringLiteral("shared"), QStringLiteral("other")})
        QVERIFY(!QFile::exists(dir.filePath(folder + QLatin1Char('/') + FamilyList::kTempName)));
}

void TestFamilyList::add_notRegularFile_refusedWithoutWaiting_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("device") << "device";
    QTest::newRow("link to a pipe") << "link to a pipe";
}

// A pipe would wait for a writer for ever; a device is no list. Refused at once, with the reason.
void TestFamilyList::add_notRegularFile_refusedWithoutWaiting()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString list = dir.filePath(FamilyList::kListName);
    const QString pipe = kind == QLatin1String("pipe") ? list : dir.filePath(QStringLiteral("pipe"));
    if (kind == QLatin1String("device")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), list));
    } else {
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        if (pipe != list)
            QVERIFY(QFile::link(pipe, list));
    }
    ScriptedDialogs dialogs;
    QVERIFY(!AddToFamilyList(dir.path(), QStringLiteral("/d/b.pro"), QStringLiteral("pro"), dialogs));
    QCOMPARE(dialogs.messages.size(), size_t(1));
    QVERIFY2(dialogs.messages[0].text.startsWith(QStringLiteral("Problem saving to Brackel list\r75-")) &&
                 dialogs.messages[0].text.contains(QStringLiteral("not a regular file")),
             qPrintable(dialogs.messages[0].text));
    QVERIFY(QFileInfo(list).exists() && !QFileInfo(list).isFile());
    QVERIFY(!QFile::exists(dir.filePath(FamilyList::kTempName)));
}

QTEST_GUILESS_MAIN(TestFamilyList)
#include "tst_familylist.moc"
