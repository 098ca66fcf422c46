// SPDX-License-Identifier: GPL-3.0-or-later
// The photo directory setting, its default, the drive test and running the photo manager.
#include "platform/driveinfo.h"
#include "platform/processrunner.h"
#include "platform/settingsstore.h"
#include "shell/photodirectory.h"

#include "platformdoubles.h"
#include <QtTest>
#include <unistd.h>

class TestPhotoDirectory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_usesSettingOrDefault_data();
    void read_usesSettingOrDefault();
    void readable_onlyAbsoluteFoldersCanBeNotReady();
    void readable_unreadableFolderIsNotReady();
    void lookUp_tellsFoundNotFoundAndNotReady();
    void runAndWait_runsPhotoManagerThatChangesTheSetting();
    void runAndWait_missingProgramReportsFailure();

private:
    QTemporaryDir m_dir;
};

void TestPhotoDirectory::read_usesSettingOrDefault_data()
{
    QTest::addColumn<QString>("stored"); // null: no setting
    QTest::addColumn<QString>("optical");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("underProgramFolder");

    QTest::newRow("no setting, optical drive")
        << QString() << QStringLiteral("/media/cdrom") << QStringLiteral("/media/cdrom/photoimages/") << false;
    QTest::newRow("no setting, no optical drive") << QString() << QString() << QStringLiteral("photoimages/") << true;
    QTest::newRow("setting wins over the drive")
        << QStringLiteral("/srv/photos/") << QStringLiteral("/media/cdrom/") << QStringLiteral("/srv/photos/") << false;
    QTest::newRow("missing trailing separator")
        << QStringLiteral("/srv/photos") << QString() << QStringLiteral("/srv/photos/") << false;
    QTest::newRow("backslashes") << QStringLiteral("\\srv\\photos\\") << QString() << QStringLiteral("/srv/photos/")
                                 << false;
    QTest::newRow("relative setting") << QStringLiteral("series\\images") << QString()
                                      << QStringLiteral("series/images/") << true;
    QTest::newRow("empty setting takes the default")
        << QStringLiteral("") << QString() << QStringLiteral("photoimages/") << true;
}

void TestPhotoDirectory::read_usesSettingOrDefault()
{
    QFETCH(QString, stored);
    QFETCH(QString, optical);
    QFETCH(QString, value);
    QFETCH(bool, underProgramFolder);

    MemorySettingsStore settings;
    if (!stored.isNull())
        settings.writeText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"), stored);
    const FixedDriveInfo drives(optical);
    PhotoDirectory directory;
    directory.ReadPhotoDirectory(&settings, &drives, QStringLiteral("/opt/fenwyx"));
    QCOMPARE(directory.value(), value);
    QCOMPARE(directory.folder(), underProgramFolder ? QStringLiteral("/opt/fenwyx/") + value : value);
    QCOMPARE(directory.isAbsolute(), !underProgramFolder);
}

void TestPhotoDirectory::readable_onlyAbsoluteFoldersCanBeNotReady()
{
    MemorySettingsStore settings;
    PhotoDirectory directory;
    const FixedDriveInfo noDrive;
    directory.ReadPhotoDirectory(&settings, &noDrive, m_dir.path());
    QVERIFY(directory.isReadable()); // relative and missing: never the warning

    const FixedDriveInfo emptyDrive(m_dir.filePath(QStringLiteral("cdrom")));
    directory.ReadPhotoDirectory(&settings, &emptyDrive, m_dir.path());
    QVERIFY(!directory.isReadable());
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("cdrom/photoimages"))));
    QVERIFY(directory.isReadable());
}

void TestPhotoDirectory::readable_unreadableFolderIsNotReady()
{
    if (geteuid() == 0)
        QSKIP("the superuser reads every folder");
    const QString folder = m_dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFileDevice::WriteOwner);
    MemorySettingsStore settings;
    settings.writeText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"), folder);
    PhotoDirectory directory;
    directory.ReadPhotoDirectory(&settings, nullptr, m_dir.path());
    const bool readable = directory.isReadable();
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(!readable);
}

void TestPhotoDirectory::lookUp_tellsFoundNotFoundAndNotReady()
{
    const QString root = m_dir.filePath(QStringLiteral("disc/photoimages/"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("PNW-01")));
    QFile file(root + QStringLiteral("PNW-01/Pnw-01_01.JPG"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    MemorySettingsStore settings;
    settings.writeText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"), root);
    PhotoDirectory directory;
    directory.ReadPhotoDirectory(&settings, nullptr, m_dir.path());

    QString found;
    QCOMPARE(directory.lookUp(root + QStringLiteral("PNW-01/Pnw-01_01.JPG"), &found), PhotoDirectory::Lookup::Found);
    // Names that differ only in letter case are taken, folder and file alike.
    QCOMPARE(directory.lookUp(root + QStringLiteral("pnw-01/pnw-01_01.jpg"), &found), PhotoDirectory::Lookup::Found);
    QCOMPARE(found, root + QStringLiteral("PNW-01/Pnw-01_01.JPG"));
    QCOMPARE(directory.lookUp(root + QStringLiteral("PNW-01/other.jpg"), &found), PhotoDirectory::Lookup::NotFound);
    QVERIFY(found.isEmpty());

    settings.writeText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"),
                       m_dir.filePath(QStringLiteral("nodisc")));
    directory.ReadPhotoDirectory(&settings, nullptr, m_dir.path());
    QCOMPARE(directory.lookUp(directory.folder() + QStringLiteral("PNW-01/x.jpg")),
             PhotoDirectory::Lookup::DriveNotReady);
}

void TestPhotoDirectory::runAndWait_runsPhotoManagerThatChangesTheSetting()
{
    const QString programFolder = m_dir.filePath(QStringLiteral("program"));
    const QString config = m_dir.filePath(QStringLiteral("config"));
    QVERIFY(QDir().mkpath(programFolder));
    IniSettingsStore settings(config);
    settings.writeText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"),
                       QStringLiteral("/media/cdrom/photoimages/"));

    QFile script(QDir(programFolder).filePath(QStringLiteral("photomgr")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '[General]\\nPhotoDir=/srv/series\\n' > '" +
                 settings.fileFor(QStringLiteral("Brackel")).toUtf8() + "'\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);

    QtProcessRunner runner;
    QVERIFY(RunAndWait(&runner, QStringLiteral("photomgr.exe"), programFolder));
    PhotoDirectory directory;
    directory.ReadPhotoDirectory(&settings, nullptr, programFolder);
    QCOMPARE(directory.value(), QStringLiteral("/srv/series/"));
}

void TestPhotoDirectory::runAndWait_missingProgramReportsFailure()
{
    QtProcessRunner runner;
    QVERIFY(!RunAndWait(&runner, QStringLiteral("photomgr-that-is-not-there.exe"), m_dir.path()));
    QVERIFY(!RunAndWait(nullptr, QStringLiteral("photomgr.exe"), m_dir.path()));
}

QTEST_GUILESS_MAIN(TestPhotoDirectory)
#include "tst_photodirectory.moc"
