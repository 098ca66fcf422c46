// SPDX-License-Identifier: GPL-3.0-or-later
// Copying, measuring and swapping the image folders of photo series.
#include "seriesfiles.h"

#include "platform/failtext.h"
#include "platform/filedescriptor.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStorageInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace SeriesFiles
{
namespace
{

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Blocks between two questions whether to go on: large pictures are still copied in one or two.
constexpr size_t kBlock = 8 * 1024 * 1024;

bool copyContents(int from, int to, qint64 size, const std::function<bool()> &cancelled, int *systemError)
{
    qint64 left = size;
    bool kernelCopy = true;
    std::vector<char> buffer;
    while (left > 0) {
        if (cancelled && cancelled()) {
            *systemError = ECANCELED;
            return false;
        }
        const size_t want = size_t(std::min<qint64>(left, kBlock));
        ssize_t n = -1;
        if (kernelCopy) {
            n = ::copy_file_range(from, nullptr, to, nullptr, want, 0);
            if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                kernelCopy = false;
                continue;
            }
        } else {
            buffer.resize(want);
            n = ::read(from, buffer.data(), want);
            if (n > 0 && !writeAll(to, buffer.data(), n, -1, systemError))
                return false;
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *systemError = errno;
            return false;
        }
        if (n == 0)
            break; // the file shrank while it was copied: what was there is what is copied
        left -= n;
    }
    return true;
}

} // namespace

bool copyFile(const QString &source, const QString &target, const std::function<bool()> &cancelled, QString *error)
{
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    // A link or a special file is no picture of the series: only regular files are opened.
    FileDescriptor in(::open(from.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0)
        return fail(error, source + QStringLiteral(": ") + systemReason(errno));
    struct stat info = {};
    if (::fstat(in.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return fail(error, source + QStringLiteral(": not a regular file"));
    FileDescriptor out(::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (out.get() < 0)
        return fail(error, target + QStringLiteral(": ") + systemReason(errno));
    int systemError = 0;
    const bool ok = copyContents(in.get(), out.get(), info.st_size, cancelled, &systemError) && out.close(&systemError);
    if (!ok) {
        ::unlink(to.constData());
        if (systemError == ECANCELED)
            return fail(error, QStringLiteral("cancelled"));
        return fail(error, target + QStringLiteral(": ") + systemReason(systemError));
    }
    return true;
}

std::vector<Entry> regularFiles(const QString &folder)
{
    std::vector<Entry> files;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (!info.isFile() || info.isSymLink())
            continue;
        files.push_back({root.relativeFilePath(info.filePath()), info.size()});
    }
    return files;
}

qint64 sizeOfFolder(const QString &folder)
{
    qint64 total = 0;
    for (const Entry &entry : regularFiles(folder))
        total += entry.size;
    return total;
}

QString findEntry(const QString &folder, const QString &name, bool wantFolder)
{
    if (folder.isEmpty() || name.isEmpty())
        return {};
    const QDir dir(folder);
    const auto fits = [wantFolder](const QFileInfo &info) {
        return !info.isSymLink() && (wantFolder ? info.isDir() : info.isFile());
    };
    const QFileInfo exact(dir.filePath(name));
    if (fits(exact))
        return exact.filePath();
    const QFileInfoList entries =
        dir.entryInfoList((wantFolder ? QDir::Dirs : QDir::Files) | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.fileName().compare(name, Qt::CaseInsensitive) == 0 && fits(entry))
            return entry.filePath();
    }
    return {};
}

QString siblingName(const QString &path, const QString &tag)
{
    const QFileInfo info(path);
    for (;;) {
        const QString candidate =
            info.dir().filePath(QLatin1Char('.') + info.fileName() + QLatin1Char('.') + tag + QLatin1Char('-') +
                                QString::number(QRandomGenerator::global()->generate64() & 0xffffffffffULL, 36));
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

bool removeTree(const QString &folder, QString *error)
{
    const QFileInfo info(folder);
    if (info.isSymLink() || info.isFile())
        return QFile::remove(folder) || fail(error, folder + QStringLiteral(": cannot be removed"));
    if (!info.exists())
        return true;
    // QDir::removeRecursively removes links without following them.
    if (!QDir(folder).removeRecursively())
        return fail(error, folder + QStringLiteral(": not everything could be removed"));
    return true;
}

bool syncFileSystem(const QString &folder, QString *error)
{
    FileDescriptor fd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0)
        return fail(error, folder + QStringLiteral(": ") + systemReason(errno));
    // One call for the thousands of pictures just written, far cheaper than a flush of each.
    if (::syncfs(fd.get()) != 0)
        return fail(error, folder + QStringLiteral(": ") + systemReason(errno));
    return true;
}

void syncFolder(const QString &folder)
{
    FileDescriptor fd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

bool renamePath(const QString &from, const QString &to, QString *error)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return fail(error, QStringLiteral("%1 cannot be renamed to %2: %3").arg(from, to, systemReason(errno)));
    return true;
}

qint64 bytesAvailable(const QString &path)
{
    QString existing = QFileInfo(path).absoluteFilePath();
    while (!existing.isEmpty() && !QFileInfo(existing).isDir()) {
        const QString parent = QFileInfo(existing).path();
        if (parent == existing)
            break;
        existing = parent;
    }
    struct statvfs info = {};
    if (::statvfs(QFile::encodeName(existing).constData(), &info) != 0)
        return -1;
    return qint64(info.f_bavail) * qint64(info.f_frsize);
}

bool onReadOnlyFileSystem(const QString &path)
{
    struct statvfs info = {};
    if (::statvfs(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return (info.f_flag & ST_RDONLY) != 0;
}

FolderSwaps::~FolderSwaps()
{
    if (!m_done)
        undo();
}

bool FolderSwaps::swapIn(const QString &staged, const QString &target, QString *error)
{
    Swap swap{staged, target, {}};
    const QFileInfo old(target);
    if (old.exists() || old.isSymLink()) {
        swap.aside = siblingName(target, QStringLiteral("old"));
        if (!renamePath(target, swap.aside, error))
            return false;
    }
    if (!renamePath(staged, target, error)) {
        if (!swap.aside.isEmpty())
            renamePath(swap.aside, target, nullptr);
        return false;
    }
    m_swaps.push_back(swap);
    return true;
}

bool FolderSwaps::moveAside(const QString &target, QString *error)
{
    const QFileInfo old(target);
    if (!old.exists() && !old.isSymLink())
        return true;
    Swap swap{{}, target, siblingName(target, QStringLiteral("old"))};
    if (!renamePath(target, swap.aside, error))
        return false;
    m_swaps.push_back(swap);
    return true;
}

void FolderSwaps::undo()
{
    for (auto it = m_swaps.rbegin(); it != m_swaps.rend(); ++it) {
        if (!it->staged.isEmpty())
            renamePath(it->target, it->staged, nullptr);
        if (!it->aside.isEmpty())
            renamePath(it->aside, it->target, nullptr);
    }
    m_swaps.clear();
    m_done = true;
}

QStringList FolderSwaps::finish()
{
    QStringList problems;
    for (const Swap &swap : m_swaps) {
        QString error;
        if (!swap.aside.isEmpty() && !removeTree(swap.aside, &error))
            problems << error;
        syncFolder(QFileInfo(swap.target).path());
    }
    m_swaps.clear();
    m_done = true;
    return problems;
}

} // namespace SeriesFiles
