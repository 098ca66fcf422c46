// SPDX-License-Identifier: GPL-3.0-or-later
// Reading photo series from folders and from zip files (through libzip), trusting no path a zip names.
#include "seriessource.h"

#include "data/seriesfiles.h"
#include "platform/failtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

namespace
{

const QString kDatabaseName = QStringLiteral("Photo.mdb");
const QString kImagesName = QStringLiteral("PhotoImages");

class FolderSource : public SeriesSource
{
public:
    FolderSource(const QString &given, const QString &database) : m_database(database)
    {
        m_path = given;
        const QString folder = QFileInfo(database).path();
        const QString images = SeriesFiles::findEntry(folder, kImagesName, true);
        m_root = images.isEmpty() ? folder : images;
    }

    bool database(const QString &, QString *path, QString *) override
    {
        *path = m_database;
        return true;
    }

    std::vector<File> bookFiles(const QString &bookLabel, bool *found) const override
    {
        std::vector<File> files;
        const QString folder = bookFolder(bookLabel);
        *found = !folder.isEmpty();
        if (folder.isEmpty())
            return files;
        for (const SeriesFiles::Entry &entry : SeriesFiles::regularFiles(folder))
            files.push_back({entry.relativeName, entry.size, QDir(folder).filePath(entry.relativeName), -1});
        return files;
    }

    bool copy(const File &file, const QString &target, const std::function<bool()> &cancelled, QString *error) override
    {
        return SeriesFiles::copyFile(file.path, target, cancelled, error);
    }

    QString imageRoot() const override { return m_root; }
    bool readOnlyMedium() const override { return SeriesFiles::onReadOnlyFileSystem(m_root); }

private:
    // A label that names a path (a "/" or a dot folder) is no folder of the series.
    QString bookFolder(const QString &label) const
    {
        if (label.isEmpty() || label.contains(QLatin1Char('/')) || label == QLatin1String(".") ||
            label == QLatin1String(".."))
            return {};
        return SeriesFiles::findEntry(m_root, label, true);
    }

    QString m_database;
    QString m_root;
};

struct ZipCloser {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

class ZipSource : public SeriesSource
{
public:
    struct Entry {
        QStringList parts;
        qint64 index;
        qint64 size;
    };

    static std::unique_ptr<SeriesSource> open(const QString &path, QString *error)
    {
        int code = 0;
        std::unique_ptr<zip_t, ZipCloser> archive(
            zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
        if (!archive) {
            zip_error_t reason;
            zip_error_init_with_code(&reason, code);
            const QString text = QString::fromUtf8(zip_error_strerror(&reason));
            zip_error_fini(&reason);
            fail(error, QStringLiteral("%1: not a readable zip file (%2)").arg(path, text));
            return nullptr;
        }
        auto source = std::unique_ptr<ZipSource>(new ZipSource(path, std::move(archive)));
        if (!source->readEntries(error))
            return nullptr;
        return source;
    }

    bool database(const QString &workFolder, QString *path, QString *error) override
    {
        const QString target = QDir(workFolder).filePath(QStringLiteral("source-") + kDatabaseName);
        QFile::remove(target);
        File file{kDatabaseName, m_databaseEntry.size, {}, m_databaseEntry.index};
        if (!copy(file, target, {}, error))
            return false;
        *path = target;
        return true;
    }

    std::vector<File> bookFiles(const QString &bookLabel, bool *found) const override
    {
        std::vector<File> files;
        *found = false;
        const int depth = m_root.size();
        for (const Entry &entry : m_entries) {
            if (entry.parts.size() <= depth + 1 || !startsWith(entry.parts, m_root) ||
                entry.parts.at(depth).compare(bookLabel, Qt::CaseInsensitive) != 0)
                continue;
            *found = true;
            files.push_back({entry.parts.mid(depth + 1).join(QLatin1Char('/')), entry.size, {}, entry.index});
        }
        if (!*found)
            *found = m_folders.contains((m_root + QStringList{bookLabel}).join(QLatin1Char('/')).toLower());
        return files;
    }

    bool copy(const File &file, const QString &target, const std::function<bool()> &cancelled, QString *error) override
    {
        std::unique_ptr<zip_file_t, ZipFileCloser> in(zip_fopen_index(m_archive.get(), zip_uint64_t(file.index), 0));
        if (!in)
            return fail(error, QStringLiteral("%1: %2: %3")
                                   .arg(m_path, file.relativeName, QString::fromUtf8(zip_strerror(m_archive.get()))));
        const QByteArray name = QFile::encodeName(target);
        const int out = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (out < 0)
            return fail(error, target + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)));
        QString problem;
        std::vector<char> buffer(1024 * 1024);
        qint64 total = 0;
        for (;;) {
            if (cancelled && cancelled()) {
                problem = QStringLiteral("cancelled");
                break;
            }
            // libzip checks the entry's checksum when it reaches the end: a damaged entry fails here.
            const zip_int64_t n = zip_fread(in.get(), buffer.data(), buffer.size());
            if (n < 0) {
                problem = QStringLiteral("%1: %2 is damaged (%3)")
                              .arg(m_path, file.relativeName, QString::fromUtf8(zip_file_strerror(in.get())));
                break;
            }
            if (n == 0)
                break;
            total += n;
            const char *p = buffer.data();
            zip_int64_t rest = n;
            while (rest > 0 && problem.isEmpty()) {
                const ssize_t w = ::write(out, p, size_t(rest));
                if (w < 0 && errno == EINTR)
                    continue;
                if (w <= 0)
                    problem =
                        target + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(w < 0 ? errno : ENOSPC));
                p += std::max<ssize_t>(w, 0);
                rest -= std::max<ssize_t>(w, 0);
            }
            if (!problem.isEmpty())
                break;
        }
        if (problem.isEmpty() && total != file.size)
            problem =
                QStringLiteral("%1: %2 is damaged (its length is not the one recorded)").arg(m_path, file.relativeName);
        if (::close(out) != 0 && errno != EINTR && problem.isEmpty())
            problem = target + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        if (!problem.isEmpty()) {
            ::unlink(name.constData());
            return fail(error, problem);
        }
        return true;
    }

    QString imageRoot() const override { return {}; }
    bool readOnlyMedium() const override { return false; }

private:
    ZipSource(const QString &path, std::unique_ptr<zip_t, ZipCloser> archive) : m_archive(std::move(archive))
    {
        m_path = path;
    }

    static bool startsWith(const QStringList &parts, const QStringList &prefix)
    {
        for (int i = 0; i < prefix.size(); ++i) {
            if (parts.at(i).compare(prefix.at(i), Qt::CaseInsensitive) != 0)
                return false;
        }
        return true;
    }

    // The entry's path as parts, or empty when it is unsafe: absolute, a drive, "..", "." or a link.
    static QStringList safeParts(const QString &rawName)
    {
        QString name = rawName;
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (name.startsWith(QLatin1Char('/')) || (name.size() >= 2 && name.at(1) == QLatin1Char(':')))
            return {};
        QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (const QString &part : parts) {
            if (part == QLatin1String("..") || part == QLatin1String(".") || part.contains(QChar(0)))
                return {};
        }
        return parts;
    }

    bool readEntries(QString *error)
    {
        zip_t *za = m_archive.get();
        const zip_int64_t count = zip_get_num_entries(za, 0);
        for (zip_int64_t i = 0; i < count; ++i) {
            const char *rawName = zip_get_name(za, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
            if (!rawName)
                continue;
            const QString name = QString::fromUtf8(rawName);
            const bool folder = name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\'));
            const QStringList parts = safeParts(name);
            zip_uint8_t system = 0;
            zip_uint32_t attributes = 0;
            zip_file_get_external_attributes(za, zip_uint64_t(i), 0, &system, &attributes);
            const mode_t mode = mode_t(attributes >> 16);
            const bool unixEntry = system == ZIP_OPSYS_UNIX && mode != 0;
            zip_stat_t stat;
            zip_stat_init(&stat);
            if (zip_stat_index(za, zip_uint64_t(i), 0, &stat) != 0)
                continue;
            if (parts.isEmpty()) {
                m_refused << name + QStringLiteral(" (a path outside the series)");
                continue;
            }
            if (unixEntry && S_ISLNK(mode)) {
                m_refused << name + QStringLiteral(" (a link)");
                continue;
            }
            if (folder || (unixEntry && S_ISDIR(mode))) {
                m_folders.insert(parts.join(QLatin1Char('/')).toLower());
                continue;
            }
            if (unixEntry && !S_ISREG(mode)) {
                m_refused << name + QStringLiteral(" (not a file)");
                continue;
            }
            if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
                m_refused << name + QStringLiteral(" (encrypted)");
                continue;
            }
            for (int depth = 1; depth < parts.size(); ++depth)
                m_folders.insert(parts.mid(0, depth).join(QLatin1Char('/')).toLower());
            m_entries.push_back({parts, i, qint64(stat.size)});
        }
        // Photo.mdb at the top, or else in the one folder that holds one.
        const Entry *database = nullptr;
        std::vector<const Entry *> nested;
        for (const Entry &entry : m_entries) {
            if (entry.parts.last().compare(kDatabaseName, Qt::CaseInsensitive) != 0)
                continue;
            if (entry.parts.size() == 1)
                database = &entry;
            else if (entry.parts.size() == 2)
                nested.push_back(&entry);
        }
        if (!database && nested.size() == 1)
            database = nested.front();
        if (!database) {
            return fail(error,
                        nested.empty()
                            ? QStringLiteral("%1: holds no Photo.mdb at its top or in a folder at its top").arg(m_path)
                            : QStringLiteral("%1: holds several Photo.mdb files; unpack it and install each folder")
                                  .arg(m_path));
        }
        m_databaseEntry = *database;
        m_root = database->parts.mid(0, database->parts.size() - 1);
        const QString images = (m_root + QStringList{kImagesName}).join(QLatin1Char('/')).toLower();
        if (m_folders.contains(images)) {
            // The folder's name as the zip spells it, for the prefix comparison.
            m_root << kImagesName;
        }
        return true;
    }

    std::unique_ptr<zip_t, ZipCloser> m_archive;
    std::vector<Entry> m_entries;
    QSet<QString> m_folders; // lower-case paths of every folder named or implied
    Entry m_databaseEntry;
    QStringList m_root; // the folder of the book folders
};

bool isZip(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4);
    return head == QByteArray("PK\x03\x04", 4) || head == QByteArray("PK\x05\x06", 4);
}

} // namespace

std::unique_ptr<SeriesSource> SeriesSource::open(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        fail(error, QStringLiteral("%1: no such file or folder").arg(path));
        return nullptr;
    }
    const QString absolute = info.absoluteFilePath();
    if (info.isFile()) {
        if (isZip(absolute))
            return ZipSource::open(absolute, error);
        // The series' database itself: its folder is the series.
        return std::make_unique<FolderSource>(absolute, absolute);
    }
    if (!info.isDir()) {
        fail(error, QStringLiteral("%1: neither a folder nor a file").arg(path));
        return nullptr;
    }
    QString database = SeriesFiles::findEntry(absolute, kDatabaseName, false);
    if (database.isEmpty()) {
        const QFileInfoList folders = QDir(absolute).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
        if (folders.size() == 1 && !folders.first().isSymLink())
            database = SeriesFiles::findEntry(folders.first().filePath(), kDatabaseName, false);
    }
    if (database.isEmpty()) {
        fail(error, QStringLiteral("%1: holds no Photo.mdb").arg(path));
        return nullptr;
    }
    return std::make_unique<FolderSource>(absolute, database);
}
