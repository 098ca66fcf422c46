// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the program folder, and giving an installed program's user folder its defaults.
#include "programfolder.h"

#include "platform/wholefile.h"
#include "shell/programinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef FENWYX_SHARED_FROM_BIN
#define FENWYX_SHARED_FROM_BIN "../share/fenwyx"
#endif

namespace ProgramFolder
{
namespace
{

// The installed defaults are code files, pages and pictures of the manual: none comes near this.
constexpr qint64 kMaxDefaultFile = 64 * 1024 * 1024;

// The copy is the user's to change, whatever the installed file's permissions; it appears whole or not at all.
bool copyFile(const QString &from, const QString &to, QStringList &problems)
{
    QFile source(from);
    if (!QFileInfo(from).isFile() || source.size() > kMaxDefaultFile || !source.open(QIODevice::ReadOnly)) {
        problems << from + QStringLiteral(": cannot be read");
        return false;
    }
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        problems << from + QStringLiteral(": ") + source.errorString();
        return false;
    }
    if (QFileInfo(to).isSymLink() && !QFile::remove(to)) { // a copy replaces a link, not what it names
        problems << to + QStringLiteral(": cannot be replaced");
        return false;
    }
    WholeFile::Failure failure;
    if (!WholeFile::write(to, bytes, {}, &failure)) {
        problems << to + QStringLiteral(": ") + failure.description;
        return false;
    }
    return true;
}

void copyTree(const QString &from, const QString &to, QStringList &problems)
{
    const QDir source(from);
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString target = QDir(to).filePath(source.relativeFilePath(file));
        if (!QDir().mkpath(QFileInfo(target).path())) {
            problems << QStringLiteral("%1: cannot be created").arg(QFileInfo(target).path());
            continue;
        }
        copyFile(file, target, problems);
    }
}

QString readStamp(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

void copyHelp(const QString &sharedHelp, const QString &help, QStringList &problems)
{
    const QString stamp = QDir(help).filePath(helpStampName());
    const bool missing = !QFileInfo::exists(help);
    // A help folder without the stamp was put there by someone else and is left alone.
    const bool stale = QFileInfo::exists(stamp) && readStamp(stamp) != ProgramInfo::version();
    if (!missing && !stale)
        return;
    const int before = problems.size();
    copyTree(sharedHelp, help, problems);
    // An incomplete copy gets an empty stamp, so the next start tries again.
    WholeFile::write(stamp, problems.size() == before ? ProgramInfo::version().toUtf8() + '\n' : QByteArray());
}

} // namespace

Places Places::current()
{
    Places places;
    places.executableFolder = QCoreApplication::applicationDirPath();
    places.executableFolderWritable = QFileInfo(places.executableFolder).isWritable();
    places.sharedFolder =
        QDir::cleanPath(QDir(places.executableFolder).filePath(QStringLiteral(FENWYX_SHARED_FROM_BIN)));
    places.userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return places;
}

QString resolve(const QString &explicitFolder)
{
    return resolve(explicitFolder, qEnvironmentVariable("FENWYX_HOME"), Places::current());
}

QString resolve(const QString &explicitFolder, const QString &environmentFolder, const Places &places)
{
    QString folder = explicitFolder.isEmpty() ? environmentFolder : explicitFolder;
    if (folder.isEmpty()) {
        const bool installed = !places.sharedFolder.isEmpty() && QFileInfo(places.sharedFolder).isDir();
        if (places.executableFolderWritable && !installed) {
            folder = places.executableFolder;
        } else if (!places.userFolder.isEmpty() && QDir().mkpath(places.userFolder)) {
            folder = places.userFolder;
            QString error;
            if (installed && !copyInstalledDefaults(places.sharedFolder, folder, &error))
                qWarning("Fenwyx: copying the installed defaults: %s", qPrintable(error));
        } else {
            // Without a user folder the installed files can still be read.
            folder = places.executableFolder;
        }
    }
    return QDir::cleanPath(QDir(folder).absolutePath());
}

bool copyInstalledDefaults(const QString &sharedFolder, const QString &folder, QString *error)
{
    QStringList problems;
    if (!QDir().mkpath(folder)) {
        problems << QStringLiteral("%1: cannot be created").arg(folder);
    } else {
        const QDir shared(sharedFolder);
        const QDir target(folder);
        for (const QFileInfo &file : shared.entryInfoList(QDir::Files)) {
            const QString to = target.filePath(file.fileName());
            if (!QFileInfo::exists(to))
                copyFile(file.filePath(), to, problems);
        }
        const QString sharedHelp = shared.filePath(QStringLiteral("help"));
        if (QFileInfo(sharedHelp).isDir())
            copyHelp(sharedHelp, target.filePath(QStringLiteral("help")), problems);
    }
    if (error)
        *error = problems.join(QStringLiteral("; "));
    return problems.isEmpty();
}

QString helpStampName()
{
    return QStringLiteral(".fenwyx-release");
}

} // namespace ProgramFolder
