// SPDX-License-Identifier: GPL-3.0-or-later
// SQLite copies of Access photo databases, made by fenwyx-mdbread in a child process and kept in a cache.
#include "data/accessimport.h"

#include "data/filecache.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace
{

// Raised whenever the copy's layout changes or the reader refuses more damaged files, so copies an older
// reader made are not reused.
constexpr int copyFormatVersion = 2;
constexpr int childTimeoutMs = 60000;

#ifndef FENWYX_LIBEXEC_FROM_BIN
#define FENWYX_LIBEXEC_FROM_BIN "../libexec/fenwyx"
#endif

// The reader is an internal helper: installed among the package's helpers (FENWYX_LIBEXEC_FROM_BIN, relative to
// the programs' folder), and beside the program in a build folder.
QString readerProgram()
{
    const QString fromEnvironment = qEnvironmentVariable("FENWYX_MDBREAD");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QDir programs(QCoreApplication::applicationDirPath());
    const QString name = QStringLiteral("fenwyx-mdbread");
    const QString installed = QDir::cleanPath(programs.filePath(QStringLiteral(FENWYX_LIBEXEC_FROM_BIN "/") + name));
    if (QFileInfo(installed).isExecutable())
        return installed;
    return programs.filePath(name);
}

// The last line the reader wrote: its own reason, after whatever libmdb complained about.
QString lastLine(const QByteArray &output, const QString &mdbPath)
{
    const QList<QByteArray> lines = output.trimmed().split('\n');
    QString line = QString::fromLocal8Bit(lines.isEmpty() ? QByteArray() : lines.last().trimmed());
    const QString prefix = QStringLiteral("fenwyx-mdbread: %1: ").arg(mdbPath);
    if (line.startsWith(prefix))
        line = line.mid(prefix.size());
    return line.left(500);
}

} // namespace

namespace AccessImport
{

QString cacheFolder()
{
    return FileCache::folder(QStringLiteral("access"));
}

bool convertInChildProcess(const QString &mdbPath, const QString &sqlitePath, QString *error)
{
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(mdbPath), reason);
        return false;
    };
    const QString program = readerProgram();
    QProcess child;
    child.setProgram(program);
    child.setArguments({mdbPath, sqlitePath});
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setStandardInputFile(QProcess::nullDevice());
    child.start();
    if (!child.waitForStarted())
        return fail(QStringLiteral("cannot start %1 (%2)").arg(program, child.errorString()));
    if (!child.waitForFinished(childTimeoutMs)) {
        child.kill();
        child.waitForFinished();
        return fail(QStringLiteral("reading the file took longer than %1 seconds; it was abandoned")
                        .arg(childTimeoutMs / 1000));
    }
    const QString reason = lastLine(child.readAllStandardError(), mdbPath);
    if (child.exitStatus() == QProcess::CrashExit)
        return fail(QStringLiteral("the file reader crashed (the file is probably damaged)"));
    if (child.exitCode() != 0)
        return fail(reason.isEmpty() ? QStringLiteral("the file reader failed (exit code %1)").arg(child.exitCode())
                                     : reason);
    if (!QFileInfo::exists(sqlitePath))
        return fail(QStringLiteral("the file reader made no copy"));
    return true;
}

std::optional<QString> sqliteCopyOf(const QString &mdbPath, QString *error)
{
    const QFileInfo source(mdbPath);
    if (!source.isFile() || !source.isReadable()) {
        if (error)
            *error = QStringLiteral("%1: file not found or not readable").arg(QDir::toNativeSeparators(mdbPath));
        return std::nullopt;
    }
    const QString folder = cacheFolder();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const FileCache::Stamp before = FileCache::stampOf(mdbPath);
        const QString copyName = FileCache::entryName(before, copyFormatVersion) + QStringLiteral(".sqlite");
        const QString copyPath = QDir(folder).filePath(copyName);
        if (QFileInfo::exists(copyPath))
            return copyPath;

        if (!convertInChildProcess(mdbPath, copyPath, error))
            return std::nullopt;
        if (FileCache::stampOf(mdbPath) != before) {
            // Changed while it was read: the copy may mix both states.
            QFile::remove(copyPath);
            continue;
        }
        // Copies of the file's earlier states are never used again.
        FileCache::removeOlderEntries(folder, before, copyName);
        return copyPath;
    }
    if (error)
        *error = QStringLiteral("%1: the file kept changing while it was read").arg(QDir::toNativeSeparators(mdbPath));
    return std::nullopt;
}

} // namespace AccessImport
