// SPDX-License-Identifier: GPL-3.0-or-later
// Installing, listing, removing and moving photo series in a program folder.
#include "photoseries.h"

#include "data/csvwriter.h"
#include "data/photodatabase.h"
#include "data/photolibrary.h"
#include "data/seriesdatabase.h"
#include "data/seriesfiles.h"
#include "data/seriessource.h"
#include "data/sqlitestatement.h"
#include "platform/failtext.h"
#include "platform/settingsstore.h"
#include "shell/photodirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <sqlite3.h>

#include <cmath>

namespace PhotoSeries
{
namespace
{

QString key(const QString &label)
{
    return label.toLower();
}

QString quoted(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// A label that can name a folder of its own (no separator, not "." or "..").
bool folderLabel(const QString &label)
{
    return !label.trimmed().isEmpty() && !label.contains(QLatin1Char('/')) && label != QLatin1String(".") &&
           label != QLatin1String("..");
}

// The image names a book's photos give, as a set of lower-case names, and how many there are.
struct BookImages {
    int photos = 0;
    QStringList names;
};

QHash<QString, BookImages> imagesByBook(sqlite3 *db, QHash<QString, QString> *spelling, QString *error)
{
    QHash<QString, BookImages> books;
    SqliteStatement st(db, QStringLiteral("SELECT BookLabel, PhotoPic, DataPic FROM Photos"));
    while (st.step()) {
        const QString label = st.text(0);
        BookImages &book = books[key(label)];
        if (spelling && !spelling->contains(key(label)))
            spelling->insert(key(label), label);
        ++book.photos;
        for (int c : {1, 2}) {
            const QString name = st.text(c);
            if (!name.trimmed().isEmpty())
                book.names << name;
        }
    }
    if (!st.error().isEmpty())
        fail(error, st.error());
    return books;
}

QSet<QString> lowerNames(const std::vector<SeriesFiles::Entry> &files)
{
    QSet<QString> names;
    for (const SeriesFiles::Entry &file : files)
        names.insert(file.relativeName.toLower());
    return names;
}

int countFound(const QStringList &names, const QSet<QString> &present)
{
    int found = 0;
    for (const QString &name : names) {
        QString normal = name;
        normal.replace(QLatin1Char('\\'), QLatin1Char('/'));
        found += present.contains(normal.toLower()) ? 1 : 0;
    }
    return found;
}

// Rows of table whose BookLabel is label, compared without regard to case (also beyond ASCII).
bool deleteBookRows(sqlite3 *db, const QString &table, const QString &label, int *deleted, QString *error)
{
    std::vector<qint64> rows;
    {
        SqliteStatement st(db, QStringLiteral("SELECT rowid, BookLabel FROM %1").arg(quoted(table)));
        while (st.step()) {
            if (st.text(1).compare(label, Qt::CaseInsensitive) == 0)
                rows.push_back(st.integer(0));
        }
        if (!st.error().isEmpty())
            return fail(error, st.error());
    }
    for (qint64 row : rows) {
        SqliteStatement del(db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(quoted(table)));
        if (!del.bind({row}))
            return fail(error, del.error());
        del.step();
        if (!del.error().isEmpty())
            return fail(error, del.error());
    }
    if (deleted)
        *deleted += int(rows.size());
    return true;
}

bool exec(sqlite3 *db, const char *sql, QString *error)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        fail(error, QString::fromUtf8(message ? message : sqlite3_errmsg(db)));
        sqlite3_free(message);
        return false;
    }
    return true;
}

// The whole-number value of a row identity, when it is one.
std::optional<qint64> wholeNumber(sqlite3_stmt *st, int column)
{
    switch (sqlite3_column_type(st, column)) {
    case SQLITE_INTEGER:
        return sqlite3_column_int64(st, column);
    case SQLITE_FLOAT: {
        const double value = sqlite3_column_double(st, column);
        if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 9e15)
            return qint64(value);
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// Copies the rows of one source table into the same table of the new database, giving each row an identity
// that no other row holds. wanted(label) says whether the row's book is installed.
class RowCopier
{
public:
    RowCopier(sqlite3 *source, sqlite3 *target, QString table, QString idColumn)
        : m_source(source), m_target(target), m_table(std::move(table)), m_idColumn(std::move(idColumn))
    {
    }
    ~RowCopier()
    {
        sqlite3_finalize(m_read);
        sqlite3_finalize(m_insert);
    }
    RowCopier(const RowCopier &) = delete;
    RowCopier &operator=(const RowCopier &) = delete;

    bool prepare(QString *error)
    {
        // Identities in use: every whole number the table holds.
        {
            SqliteStatement ids(m_target, QStringLiteral("SELECT %1 FROM %2").arg(quoted(m_idColumn), quoted(m_table)));
            while (ids.step()) {
                const QVariant v = ids.value(0);
                if (v.typeId() == QMetaType::LongLong) {
                    m_used.insert(v.toLongLong());
                    m_next = std::max(m_next, v.toLongLong() + 1);
                }
            }
            if (!ids.error().isEmpty())
                return fail(error, ids.error());
        }
        const QByteArray read = QStringLiteral("SELECT * FROM %1").arg(quoted(m_table)).toUtf8();
        if (sqlite3_prepare_v2(m_source, read.constData(), -1, &m_read, nullptr) != SQLITE_OK)
            return fail(error, QString::fromUtf8(sqlite3_errmsg(m_source)));
        QStringList names;
        QStringList places;
        for (int c = 0; c < sqlite3_column_count(m_read); ++c) {
            const QString name = QString::fromUtf8(sqlite3_column_name(m_read, c));
            if (name.compare(m_idColumn, Qt::CaseInsensitive) == 0)
                m_idIndex = c;
            else if (name.compare(QLatin1String("BookLabel"), Qt::CaseInsensitive) == 0)
                m_labelIndex = c;
            names << quoted(name);
            places << QStringLiteral("?%1").arg(c + 1);
        }
        const QByteArray insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(quoted(m_table), names.join(QLatin1Char(',')), places.join(QLatin1Char(',')))
                                      .toUtf8();
        if (sqlite3_prepare_v2(m_target, insert.constData(), -1, &m_insert, nullptr) != SQLITE_OK)
            return fail(error, QString::fromUtf8(sqlite3_errmsg(m_target)));
        return true;
    }

    // The next source row: false at the end or on an error (then *error is set).
    bool next(QString *label, QString *error)
    {
        const int rc = sqlite3_step(m_read);
        if (rc == SQLITE_ROW) {
            *label = m_labelIndex < 0
                         ? QString()
                         : QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_read, m_labelIndex)),
                                             sqlite3_column_bytes(m_read, m_labelIndex));
            return true;
        }
        if (rc != SQLITE_DONE)
            fail(error, QString::fromUtf8(sqlite3_errmsg(m_source)));
        return false;
    }

    // Inserts the current source row; renumbered tells whether it got a new identity.
    bool insert(bool *renumbered, QString *error)
    {
        const std::optional<qint64> own = m_idIndex < 0 ? std::nullopt : wholeNumber(m_read, m_idIndex);
        qint64 id = 0;
        if (own && !m_used.contains(*own)) {
            id = *own;
        } else {
            while (m_used.contains(m_next))
                ++m_next;
            id = m_next;
        }
        *renumbered = !own || id != *own;
        m_used.insert(id);
        m_next = std::max(m_next, id + 1);
        for (int c = 0; c < sqlite3_column_count(m_read); ++c) {
            const int rc = c == m_idIndex ? sqlite3_bind_int64(m_insert, c + 1, id)
                                          : sqlite3_bind_value(m_insert, c + 1, sqlite3_column_value(m_read, c));
            if (rc != SQLITE_OK)
                return fail(error, QString::fromUtf8(sqlite3_errmsg(m_target)));
        }
        const int rc = sqlite3_step(m_insert);
        sqlite3_reset(m_insert);
        if (rc != SQLITE_DONE)
            return fail(error, QString::fromUtf8(sqlite3_errmsg(m_target)));
        return true;
    }

private:
    sqlite3 *m_source;
    sqlite3 *m_target;
    QString m_table;
    QString m_idColumn;
    sqlite3_stmt *m_read = nullptr;
    sqlite3_stmt *m_insert = nullptr;
    int m_idIndex = -1;
    int m_labelIndex = -1;
    QSet<qint64> m_used;
    qint64 m_next = 1;
};

// Removes a created folder again unless the work holds.
class CreatedFolder
{
public:
    explicit CreatedFolder(const QString &path) : m_path(path), m_created(!QFileInfo::exists(path))
    {
        if (m_created)
            QDir().mkpath(path);
    }
    ~CreatedFolder()
    {
        if (m_created && !m_kept)
            QDir().rmdir(m_path); // only when still empty
    }
    void keep() { m_kept = true; }

private:
    QString m_path;
    bool m_created;
    bool m_kept = false;
};

} // namespace

QString Place::imagesFolder() const
{
    return QDir(programFolder).filePath(QStringLiteral("PhotoImages"));
}

Place Place::current(const QString &programFolder, SettingsStore *settings, const DriveInfo *drives)
{
    PhotoDirectory directory;
    directory.ReadPhotoDirectory(settings, drives, programFolder);
    Place place;
    place.programFolder = programFolder;
    place.photoDirectory = directory.folder();
    place.photoDirectoryReadable = directory.isReadable();
    place.settings = settings;
    return place;
}

QString lockPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral(".fenwyx-photomgr.lock"));
}

QString sizeText(qint64 bytes)
{
    if (bytes < 1024)
        return QStringLiteral("%1 bytes").arg(bytes);
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 KB").arg(QString::number(bytes / 1024.0, 'f', 1));
    if (bytes < 1024LL * 1024 * 1024)
        return QStringLiteral("%1 MB").arg(QString::number(bytes / (1024.0 * 1024), 'f', 1));
    return QStringLiteral("%1 GB").arg(QString::number(bytes / (1024.0 * 1024 * 1024), 'f', 2));
}

QString InstalledBook::place() const
{
    const bool there = inPhotoDirectory > 0;
    const bool here = local > 0;
    if (there && here)
        return QStringLiteral("photo directory and local");
    if (there)
        return QStringLiteral("photo directory");
    if (here)
        return QStringLiteral("local");
    if (!photoDirectoryReadable)
        return QStringLiteral("photo directory not readable");
    return QStringLiteral("missing");
}

int InstalledBook::missing() const
{
    return std::max(0, images - std::max(local, inPhotoDirectory));
}

std::optional<std::vector<InstalledBook>> listBooks(const Place &place, QString *error)
{
    std::vector<InstalledBook> list;
    const QString path = PhotoLibrary::databasePath(place.programFolder);
    if (PhotoDatabase::detect(path) == PhotoDatabase::FileKind::Missing && !QFileInfo::exists(path))
        return list;
    PhotoDatabase database;
    if (!database.open(path, error))
        return std::nullopt;
    const PhotoDatabase::ReadTransaction read(database);
    const auto books = database.books(error);
    if (!books)
        return std::nullopt;
    QString problem;
    QHash<QString, QString> spelling;
    const QHash<QString, BookImages> images = imagesByBook(database.handle(), &spelling, &problem);
    if (!problem.isEmpty()) {
        fail(error, problem);
        return std::nullopt;
    }
    QSet<QString> seen;
    const auto add = [&](const QString &label, const QString &description, bool listed) {
        InstalledBook book;
        book.label = label;
        book.description = description;
        book.listedInBooks = listed;
        const BookImages named = images.value(key(label));
        book.photos = named.photos;
        book.images = int(named.names.size());
        book.photoDirectoryReadable = place.photoDirectoryReadable;
        if (folderLabel(label)) {
            book.localFolder = SeriesFiles::findEntry(place.imagesFolder(), label, true);
            if (!book.localFolder.isEmpty()) {
                const auto files = SeriesFiles::regularFiles(book.localFolder);
                book.local = countFound(named.names, lowerNames(files));
                for (const auto &file : files)
                    book.localBytes += file.size;
            }
            if (place.photoDirectoryReadable && !place.photoDirectory.isEmpty()) {
                const QString there = SeriesFiles::findEntry(place.photoDirectory, label, true);
                // The local folder seen through a relative photo directory is not a second place.
                if (!there.isEmpty() &&
                    QFileInfo(there).canonicalFilePath() != QFileInfo(book.localFolder).canonicalFilePath()) {
                    book.photoDirectoryFolder = there;
                    const auto files = SeriesFiles::regularFiles(there);
                    book.inPhotoDirectory = countFound(named.names, lowerNames(files));
                    for (const auto &file : files)
                        book.photoDirectoryBytes += file.size;
                }
            }
        }
        list.push_back(book);
    };
    for (const BookRecord &book : *books) {
        if (seen.contains(key(book.bookLabel)))
            continue;
        seen.insert(key(book.bookLabel));
        add(book.bookLabel, book.bookDescription, true);
    }
    QStringList unlisted;
    for (auto it = spelling.cbegin(); it != spelling.cend(); ++it) {
        if (!seen.contains(it.key()))
            unlisted << it.value();
    }
    unlisted.sort(Qt::CaseInsensitive);
    for (const QString &label : unlisted)
        add(label, QString(), false);
    return list;
}

QByteArray listCsv(const std::vector<InstalledBook> &books)
{
    QByteArray out;
    Csv::appendRow(out, {QStringLiteral("Book"), QStringLiteral("Description"), QStringLiteral("Photos"),
                         QStringLiteral("Images"), QStringLiteral("Missing"), QStringLiteral("Place"),
                         QStringLiteral("LocalFolder"), QStringLiteral("LocalBytes"),
                         QStringLiteral("PhotoDirectoryFolder"), QStringLiteral("PhotoDirectoryBytes")});
    for (const InstalledBook &b : books) {
        Csv::appendRow(out, {b.label, b.description, QString::number(b.photos), QString::number(b.images),
                             QString::number(b.missing()), b.place(), b.localFolder, QString::number(b.localBytes),
                             b.photoDirectoryFolder, QString::number(b.photoDirectoryBytes)});
    }
    return out;
}

QString Summary::text() const
{
    QStringList lines;
    QString books = QStringLiteral("%1 book%2 installed")
                        .arg(booksAdded + booksReplaced)
                        .arg(booksAdded + booksReplaced == 1 ? QString() : QStringLiteral("s"));
    if (booksReplaced > 0)
        books += QStringLiteral(" (%1 replaced)").arg(booksReplaced);
    if (booksSkipped > 0)
        books += QStringLiteral(", %1 skipped").arg(booksSkipped);
    lines << books + QStringLiteral(", with %1 photos.").arg(photos);
    if (!photoDirectory.isEmpty())
        lines << QStringLiteral("The pictures stay where they are: the photo directory is now %1.").arg(photoDirectory);
    else
        lines << QStringLiteral("%1 images copied (%2).").arg(imagesCopied).arg(sizeText(bytesCopied));
    if (imagesMissing > 0)
        lines << QStringLiteral("%1 images that the photos name are missing from the series.").arg(imagesMissing);
    if (!backup.isEmpty())
        lines << QStringLiteral("The Access database was converted; the original is kept as %1.").arg(backup);
    lines << notes;
    return lines.join(QLatin1Char('\n'));
}

Installation::~Installation() = default;

std::unique_ptr<Installation> Installation::prepare(const Place &place, const QString &source,
                                                    const QString &workFolder, QString *error)
{
    std::unique_ptr<Installation> plan(new Installation);
    plan->m_place = place;
    plan->m_workFolder = workFolder;
    plan->m_source = SeriesSource::open(source, error);
    if (!plan->m_source)
        return nullptr;
    if (!plan->m_source->database(workFolder, &plan->m_sourceDatabase, error))
        return nullptr;
    plan->m_database = std::make_unique<SeriesDatabase>();
    if (!plan->m_database->open(plan->m_sourceDatabase, workFolder, error))
        return nullptr;
    sqlite3 *db = plan->m_database->handle();

    // What is installed already.
    QString problem;
    const auto installed = listBooks(place, &problem);
    if (!installed) {
        fail(error, QStringLiteral("The installed photo database cannot be read: %1").arg(problem));
        return nullptr;
    }
    QSet<QString> installedLabels;
    for (const InstalledBook &book : *installed) {
        installedLabels.insert(key(book.label));
        if (book.inPhotoDirectory > 0 && book.local < book.images)
            plan->m_leftBehind << book.label;
    }

    const QHash<QString, BookImages> images = imagesByBook(db, nullptr, &problem);
    if (!problem.isEmpty()) {
        fail(error, QStringLiteral("%1: %2").arg(source, problem));
        return nullptr;
    }
    SqliteStatement books(db, QStringLiteral("SELECT BookLabel, BookDescription FROM Books"));
    QSet<QString> listed;
    while (books.step()) {
        const QString label = books.text(0);
        if (label.trimmed().isEmpty()) {
            plan->m_skipped << QStringLiteral("a book without a label");
            continue;
        }
        if (listed.contains(key(label))) {
            plan->m_skipped << QStringLiteral("a second book labelled %1").arg(label);
            continue;
        }
        listed.insert(key(label));
        PlannedBook book;
        book.label = label;
        book.description = books.text(1);
        const BookImages named = images.value(key(label));
        book.photos = named.photos;
        book.images = int(named.names.size());
        std::vector<SeriesFiles::Entry> files;
        for (const SeriesSource::File &file : plan->m_source->bookFiles(label, &book.folderFound)) {
            files.push_back({file.relativeName, file.size});
            book.folderBytes += file.size;
        }
        book.imagesFound = countFound(named.names, lowerNames(files));
        book.installed = installedLabels.contains(key(label));
        book.localFolderExists = !SeriesFiles::findEntry(place.imagesFolder(), label, true).isEmpty();
        book.action = book.installed ? PlannedBook::Action::Skip : PlannedBook::Action::Add;
        plan->m_books.push_back(book);
    }
    if (!books.error().isEmpty()) {
        fail(error, QStringLiteral("%1: %2").arg(source, books.error()));
        return nullptr;
    }
    for (auto it = images.cbegin(); it != images.cend(); ++it) {
        if (!listed.contains(it.key()))
            plan->m_skipped << QStringLiteral("%1 photos of a book the Books table does not list (\"%2\")")
                                   .arg(it.value().photos)
                                   .arg(it.key());
    }
    for (const QString &entry : plan->m_source->refusedEntries())
        plan->m_skipped << QStringLiteral("the unsafe entry %1").arg(entry);
    if (plan->m_books.empty()) {
        fail(error, QStringLiteral("%1: the series holds no book to install").arg(source));
        return nullptr;
    }
    plan->copyImages = !(plan->canUseInPlace() && plan->readOnlyMedium());
    return plan;
}

bool Installation::canUseInPlace() const
{
    return !m_source->imageRoot().isEmpty();
}

QString Installation::imageRoot() const
{
    return m_source->imageRoot();
}

bool Installation::readOnlyMedium() const
{
    return m_source->readOnlyMedium();
}

qint64 Installation::bytesToCopy() const
{
    if (!copyImages)
        return 0;
    qint64 total = 0;
    for (const PlannedBook &book : m_books) {
        if (book.action != PlannedBook::Action::Skip && (!book.localFolderExists || book.replaceLocalImages))
            total += book.folderBytes;
    }
    return total;
}

qint64 Installation::bytesAvailable() const
{
    return SeriesFiles::bytesAvailable(m_place.imagesFolder());
}

QStringList Installation::booksLeftBehind() const
{
    if (copyImages || !canUseInPlace() ||
        PhotoDirectory::normalize(QDir::cleanPath(imageRoot())) == PhotoDirectory::normalize(m_place.photoDirectory))
        return {};
    QStringList left;
    for (const QString &label : m_leftBehind) {
        const auto replaced = std::find_if(m_books.begin(), m_books.end(), [&label](const PlannedBook &b) {
            return key(b.label) == key(label) && b.action != PlannedBook::Action::Skip;
        });
        if (replaced == m_books.end())
            left << label;
    }
    return left;
}

bool Installation::run(const ProgressFunction &progressFunction, Summary *summaryOut, QString *error)
{
    Summary summary;
    Progress progress;
    bool cancelled = false;
    const auto report = [&]() {
        if (!cancelled && progressFunction && !progressFunction(progress))
            cancelled = true;
        return !cancelled;
    };
    const auto cancel = [&]() { return fail(error, QStringLiteral("Cancelled: nothing was installed.")); };

    QHash<QString, const PlannedBook *> active;
    for (const PlannedBook &book : m_books) {
        if (book.action == PlannedBook::Action::Skip) {
            ++summary.booksSkipped;
            summary.notes << QStringLiteral("%1 is installed already and was skipped.").arg(book.label);
            continue;
        }
        active.insert(key(book.label), &book);
        progress.photosTotal += book.photos;
        ++progress.booksTotal;
    }
    for (const QString &skipped : m_skipped)
        summary.notes << QStringLiteral("Not installed: %1.").arg(skipped);
    if (active.isEmpty()) {
        if (summaryOut)
            *summaryOut = summary;
        return true;
    }

    // The pictures to copy, book by book.
    struct Copy {
        const PlannedBook *book;
        std::vector<SeriesSource::File> files;
        QString target;
        QString staged;
    };
    std::vector<Copy> copies;
    const bool useInPlace = !copyImages && canUseInPlace();
    for (const PlannedBook &book : m_books) {
        if (book.action == PlannedBook::Action::Skip)
            continue;
        summary.imagesMissing += (useInPlace || book.folderFound) ? book.images - book.imagesFound : book.images;
        if (!book.folderFound && book.images > 0)
            summary.notes << QStringLiteral("The series has no image folder for %1: its photos are installed "
                                            "without their pictures.")
                                 .arg(book.label);
        else if (book.imagesFound < book.images)
            summary.notes << QStringLiteral("%1 of the %2 images of %3 are missing from the series.")
                                 .arg(book.images - book.imagesFound)
                                 .arg(book.images)
                                 .arg(book.label);
        if (useInPlace || !book.folderFound)
            continue;
        if (!folderLabel(book.label)) {
            summary.notes
                << QStringLiteral("The images of %1 were not copied: its label cannot name a folder.").arg(book.label);
            continue;
        }
        if (book.localFolderExists && !book.replaceLocalImages) {
            summary.notes << QStringLiteral("PhotoImages/%1 was there already and was kept as it was.").arg(book.label);
            continue;
        }
        bool found = false;
        Copy copy{&book, m_source->bookFiles(book.label, &found), {}, {}};
        const QString existing = SeriesFiles::findEntry(m_place.imagesFolder(), book.label, true);
        copy.target = existing.isEmpty() ? QDir(m_place.imagesFolder()).filePath(book.label) : existing;
        for (const auto &file : copy.files)
            progress.bytesTotal += file.size;
        progress.imagesTotal += int(copy.files.size());
        copies.push_back(std::move(copy));
    }
    const qint64 available = bytesAvailable();
    if (available >= 0 && progress.bytesTotal > available)
        return fail(error, QStringLiteral("The images need %1, but only %2 are free in %3; nothing was installed.")
                               .arg(sizeText(progress.bytesTotal), sizeText(available), m_place.programFolder));

    progress.stage = Progress::Stage::Reading;
    if (!report())
        return cancel();
    DatabaseUpdate update(m_place.programFolder);
    if (!update.begin(error))
        return false;
    sqlite3 *target = update.handle();
    sqlite3 *source = m_database->handle();
    if (!exec(target, "BEGIN", error))
        return false;
    for (const PlannedBook *book : std::as_const(active)) {
        if (book->action == PlannedBook::Action::Replace &&
            (!deleteBookRows(target, QStringLiteral("Photos"), book->label, nullptr, error) ||
             !deleteBookRows(target, QStringLiteral("Books"), book->label, nullptr, error)))
            return false;
    }
    for (const QString &table : {QStringLiteral("Books"), QStringLiteral("Photos")}) {
        if (!DatabaseUpdate::addMissingColumns(target, table, DatabaseUpdate::columnsOf(source, table), error))
            return false;
    }

    progress.stage = Progress::Stage::Photos;
    int renumbered = 0;
    {
        RowCopier books(source, target, QStringLiteral("Books"), QStringLiteral("id"));
        if (!books.prepare(error))
            return false;
        QSet<QString> done;
        QString label;
        QString problem;
        while (books.next(&label, &problem)) {
            if (!active.contains(key(label)) || done.contains(key(label)))
                continue;
            done.insert(key(label));
            bool changed = false;
            if (!books.insert(&changed, error))
                return false;
            ++progress.books;
        }
        if (!problem.isEmpty())
            return fail(error, QStringLiteral("%1: %2").arg(m_source->path(), problem));
    }
    {
        RowCopier photos(source, target, QStringLiteral("Photos"), QStringLiteral("ID"));
        if (!photos.prepare(error))
            return false;
        QString label;
        QString problem;
        while (photos.next(&label, &problem)) {
            if (!active.contains(key(label)))
                continue;
            bool changed = false;
            if (!photos.insert(&changed, error))
                return false;
            renumbered += changed ? 1 : 0;
            ++progress.photos;
            if (progress.photos % 500 == 0 && !report())
                return cancel();
        }
        if (!problem.isEmpty())
            return fail(error, QStringLiteral("%1: %2").arg(m_source->path(), problem));
    }
    if (!exec(target, "COMMIT", error))
        return false;
    if (renumbered > 0)
        summary.notes << QStringLiteral("%1 photos were given new IDs, as theirs were taken.").arg(renumbered);
    if (!report())
        return cancel();

    // The pictures go into hidden folders beside their places first.
    progress.stage = Progress::Stage::Images;
    std::optional<CreatedFolder> images;
    if (!copies.empty())
        images.emplace(m_place.imagesFolder());
    struct StagedRemover {
        std::vector<Copy> &copies;
        ~StagedRemover()
        {
            for (const Copy &copy : copies) {
                if (!copy.staged.isEmpty() && QFileInfo::exists(copy.staged))
                    SeriesFiles::removeTree(copy.staged);
            }
        }
    } removeStaged{copies};
    const auto stillWanted = [&]() { return !report(); };
    for (Copy &copy : copies) {
        copy.staged = SeriesFiles::siblingName(copy.target, QStringLiteral("new"));
        if (!QDir().mkpath(copy.staged))
            return fail(error, copy.staged + QStringLiteral(": cannot be created; nothing was installed."));
        for (const SeriesSource::File &file : copy.files) {
            const QString to = QDir(copy.staged).filePath(file.relativeName);
            if (file.relativeName.contains(QLatin1Char('/')) && !QDir().mkpath(QFileInfo(to).path()))
                return fail(error,
                            QFileInfo(to).path() + QStringLiteral(": cannot be created; nothing was installed."));
            QString problem;
            if (!m_source->copy(file, to, stillWanted, &problem)) {
                if (cancelled)
                    return cancel();
                return fail(error, problem + QStringLiteral("; nothing was installed."));
            }
            ++progress.images;
            progress.bytes += file.size;
            if (!report())
                return cancel();
        }
    }
    summary.imagesCopied = progress.images;
    summary.bytesCopied = progress.bytes;

    progress.stage = Progress::Stage::Finishing;
    if (!report())
        return cancel();
    if (!copies.empty() && !SeriesFiles::syncFileSystem(m_place.imagesFolder(), error))
        return false;
    if (!update.finish(error))
        return false;

    // From here on nothing is slow and nothing asks: the steps that change what the user sees.
    QString oldPhotoDirectory;
    bool settingWritten = false;
    if (useInPlace) {
        if (!m_place.settings)
            return fail(error,
                        QStringLiteral("No settings store: the photo directory cannot be set; nothing was installed."));
        oldPhotoDirectory = m_place.settings->readText(QStringLiteral("Brackel"), QStringLiteral("General"),
                                                       QStringLiteral("PhotoDir"), QString());
        if (!PhotoDirectory::WritePhotoDirectory(m_place.settings, imageRoot()))
            return fail(error, QStringLiteral("The photo directory setting cannot be written; nothing was installed."));
        settingWritten = true;
        summary.photoDirectory = PhotoDirectory::normalize(QDir::cleanPath(imageRoot()));
    }
    const auto restoreSetting = [&]() {
        if (settingWritten)
            m_place.settings->writeText(QStringLiteral("Brackel"), QStringLiteral("General"),
                                        QStringLiteral("PhotoDir"), oldPhotoDirectory);
    };
    SeriesFiles::FolderSwaps swaps;
    for (Copy &copy : copies) {
        if (!swaps.swapIn(copy.staged, copy.target, error)) {
            swaps.undo();
            restoreSetting();
            return false;
        }
        copy.staged.clear();
    }
    if (!update.replace(error)) {
        swaps.undo();
        restoreSetting();
        return false;
    }
    if (images)
        images->keep();
    summary.notes << swaps.finish();
    summary.backup = update.backupName();
    for (const PlannedBook *book : std::as_const(active)) {
        if (book->action == PlannedBook::Action::Replace)
            ++summary.booksReplaced;
        else
            ++summary.booksAdded;
    }
    summary.photos = progress.photos;
    if (summaryOut)
        *summaryOut = summary;
    return true;
}

bool removeBooks(const Place &place, const QStringList &labels, bool deleteImages, QStringList *notes, QString *error)
{
    if (labels.isEmpty())
        return fail(error, QStringLiteral("No book was named."));
    DatabaseUpdate update(place.programFolder);
    if (!update.begin(error))
        return false;
    sqlite3 *db = update.handle();
    if (!exec(db, "BEGIN", error))
        return false;
    for (const QString &label : labels) {
        int deleted = 0;
        if (!deleteBookRows(db, QStringLiteral("Photos"), label, &deleted, error) ||
            !deleteBookRows(db, QStringLiteral("Books"), label, &deleted, error))
            return false;
        if (deleted == 0)
            return fail(error, QStringLiteral("No book labelled %1 is installed; nothing was removed.").arg(label));
    }
    if (!exec(db, "COMMIT", error) || !update.finish(error))
        return false;
    SeriesFiles::FolderSwaps swaps;
    if (deleteImages) {
        for (const QString &label : labels) {
            const QString folder =
                folderLabel(label) ? SeriesFiles::findEntry(place.imagesFolder(), label, true) : QString();
            if (!folder.isEmpty() && !swaps.moveAside(folder, error)) {
                swaps.undo();
                return false;
            }
        }
    }
    if (!update.replace(error)) {
        swaps.undo();
        return false;
    }
    const QStringList problems = swaps.finish();
    if (notes) {
        *notes << problems;
        if (!update.backupName().isEmpty())
            *notes << QStringLiteral("The Access database was converted; the original is kept as %1.")
                          .arg(update.backupName());
    }
    return true;
}

bool moveImages(const Place &place, const QString &label, MoveTarget target, const ProgressFunction &progressFunction,
                QStringList *notes, QString *error)
{
    if (!folderLabel(label))
        return fail(error, QStringLiteral("The label %1 cannot name a folder.").arg(label));
    const bool toLocal = target == MoveTarget::Local;
    if (!toLocal && place.photoDirectory.isEmpty())
        return fail(error, QStringLiteral("No photo directory is set."));
    if (!place.photoDirectoryReadable)
        return fail(error, QStringLiteral("The photo directory %1 cannot be read.").arg(place.photoDirectory));
    const QString fromRoot = toLocal ? place.photoDirectory : place.imagesFolder();
    const QString toRoot = toLocal ? place.imagesFolder() : place.photoDirectory;
    const QString from = SeriesFiles::findEntry(fromRoot, label, true);
    if (from.isEmpty())
        return fail(error, QStringLiteral("%1 has no folder %2.").arg(fromRoot, label));
    if (!SeriesFiles::findEntry(toRoot, label, true).isEmpty())
        return fail(error, QStringLiteral("%1 has a folder %2 already; nothing was moved.").arg(toRoot, label));
    if (QFileInfo(QDir(toRoot).filePath(label)).canonicalFilePath() == QFileInfo(from).canonicalFilePath())
        return fail(error, QStringLiteral("The photo directory is the local folder; nothing was moved."));
    if (SeriesFiles::onReadOnlyFileSystem(QFileInfo(toRoot).exists() ? toRoot : QFileInfo(toRoot).path()))
        return fail(error, QStringLiteral("%1 cannot be written.").arg(toRoot));

    Progress progress;
    progress.stage = Progress::Stage::Images;
    const std::vector<SeriesFiles::Entry> files = SeriesFiles::regularFiles(from);
    progress.imagesTotal = int(files.size());
    for (const auto &file : files)
        progress.bytesTotal += file.size;
    const qint64 available = SeriesFiles::bytesAvailable(toRoot);
    if (available >= 0 && progress.bytesTotal > available)
        return fail(error, QStringLiteral("The images need %1, but only %2 are free in %3; nothing was moved.")
                               .arg(sizeText(progress.bytesTotal), sizeText(available), toRoot));
    bool cancelled = false;
    const auto report = [&]() {
        if (!cancelled && progressFunction && !progressFunction(progress))
            cancelled = true;
        return !cancelled;
    };
    CreatedFolder root(toRoot);
    const QString destination = QDir(toRoot).filePath(QFileInfo(from).fileName());
    const QString staged = SeriesFiles::siblingName(destination, QStringLiteral("new"));
    struct Remover {
        QString path;
        ~Remover()
        {
            if (!path.isEmpty())
                SeriesFiles::removeTree(path);
        }
    } removeStaged{staged};
    if (!QDir().mkpath(staged))
        return fail(error, staged + QStringLiteral(": cannot be created; nothing was moved."));
    for (const auto &file : files) {
        const QString to = QDir(staged).filePath(file.relativeName);
        if (!QDir().mkpath(QFileInfo(to).path()))
            return fail(error, QFileInfo(to).path() + QStringLiteral(": cannot be created; nothing was moved."));
        QString problem;
        if (!SeriesFiles::copyFile(
                QDir(from).filePath(file.relativeName), to, [&] { return !report(); }, &problem))
            return fail(error,
                        (cancelled ? QStringLiteral("Cancelled") : problem) + QStringLiteral("; nothing was moved."));
        ++progress.images;
        progress.bytes += file.size;
        if (!report())
            return fail(error, QStringLiteral("Cancelled; nothing was moved."));
    }
    if (!SeriesFiles::syncFileSystem(staged, error) || !SeriesFiles::renamePath(staged, destination, error))
        return false;
    removeStaged.path.clear();
    root.keep();
    SeriesFiles::syncFolder(toRoot);
    // The copy holds: the old folder goes, unless its medium cannot be written (a disc).
    QString problem;
    if (SeriesFiles::onReadOnlyFileSystem(from)) {
        if (notes)
            *notes << QStringLiteral("%1 lies on a medium that cannot be written and stays there.").arg(from);
    } else if (!SeriesFiles::removeTree(from, &problem) && notes) {
        *notes << problem;
    }
    return true;
}

} // namespace PhotoSeries
