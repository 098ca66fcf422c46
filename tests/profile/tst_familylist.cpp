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
    void add_existingList_keepsPermissions();
    void timeText_locales_data();
    void timeText_locales();
    void add_unwritable_data();
    void add_unwritable();
};

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

void TestFamilyList::add_existingList_keepsPermissions()
{
    QTemporaryDir dir;
    const QString list = dir.filePath(FamilyList::kListName);
    QVERIFY(writeBytes(list, "\"pro\",\"/d/a.pro\",\"old\"\r\n"));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup;
    QVERIFY(QFile::setPermissions(list, permissions));
    ScriptedDialogs dialogs;
    QVERIFY(AddToFamilyList(dir.path(), QStringLiteral("/d/b.pro"), QStringLiteral("pro"), dialogs));
    const auto now = QFile::permissions(list);
    QVERIFY(now.testFlag(QFile::WriteGroup)); // not the default of a new file
    QVERIFY(!now.testFlag(QFile::ReadOther));
}

void TestFamilyList::timeText_locales_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected"); // empty: the locale's own text
    QTest::newRow("Latin digits: the locale's text") << "de_DE"
                                                     << "";
    QTest::newRow("Arabic digits and direction marks") << "ar_EG"
                                                       << "5/3/2024 2:07 PM";
    QTest::newRow("Persian digits") << "fa_IR"
                                    << "2024/3/5 14:07";
}

void TestFamilyList::timeText_locales()
{
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    const QLocale l(locale);
    const QDateTime t(QDate(2024, 3, 5), QTime(14, 7, 9));
    if (expected.isEmpty())
        expected = l.toString(t, QLocale::ShortFormat);
    const QString text = FamilyList::timeText(l, t);
    QCOMPARE(text, expected);
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

QTEST_GUILESS_MAIN(TestFamilyList)
#include "tst_familylist.moc"
