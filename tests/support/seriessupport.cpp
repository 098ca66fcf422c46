// SPDX-License-Identifier: GPL-3.0-or-later
// Zip files and folder snapshots for the photo manager's tests.
#include "seriessupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <zip.h>

namespace TestSupport
{

bool writeZip(const QString &path, const std::vector<ZipEntry> &entries)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    // The buffers must live until the archive is closed.
    std::vector<QByteArray> kept;
    kept.reserve(entries.size());
    for (const ZipEntry &entry : entries) {
        kept.push_back(entry.bytes);
        zip_source_t *source = zip_source_buffer(archive, kept.back().constData(), zip_uint64_t(kept.back().size()), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
        if (entry.link)
            zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(S_IFLNK | 0777) << 16);
    }
    return zip_close(archive) == 0;
}

std::vector<ZipEntry> folderEntries(const QString &folder, const QString &prefix)
{
    std::vector<ZipEntry> entries;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile in(file);
        if (in.open(QIODevice::ReadOnly))
            entries.push_back({prefix + root.relativeFilePath(file), in.readAll(), false});
    }
    return entries;
}

QMap<QString, QByteArray> treeSnapshot(const QString &folder)
{
    QMap<QString, QByteArray> tree;
    const QDir root(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        const QString name = root.relativeFilePath(path);
        if (info.isSymLink()) {
            tree.insert(name, "-> " + QFile::encodeName(info.symLinkTarget()));
        } else if (info.isDir()) {
            tree.insert(name, "<dir>");
        } else {
            QFile file(path);
            tree.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
        }
    }
    return tree;
}

} // namespace TestSupport
