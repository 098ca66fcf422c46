// SPDX-License-Identifier: GPL-3.0-or-later
// The photo manager's work on a program folder: installing photo series, listing, removing and moving books.
// Every change is made beside what it replaces and put in place only when complete, so a failure or a Cancel
// leaves the database, the image folders and the photo directory setting as they were.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class DriveInfo;
class SettingsStore;
class SeriesDatabase;
class SeriesSource;

namespace PhotoSeries
{

// Where the manager works: the program folder, the photo directory as Fenwyx reads it (a folder ending in
// "/") and the settings store that holds it.
struct Place {
    QString programFolder;
    QString photoDirectory;
    bool photoDirectoryReadable = true;
    SettingsStore *settings = nullptr;

    QString imagesFolder() const; // <program folder>/PhotoImages

    // The photo directory read from the settings now, as Fenwyx reads it.
    static Place current(const QString &programFolder, SettingsStore *settings, const DriveInfo *drives);
};

// The lock file that lets one manager at a time work on a program folder.
QString lockPath(const QString &programFolder);

struct Progress {
    enum class Stage { Reading, Photos, Images, Finishing };
    Stage stage = Stage::Reading;
    int books = 0;
    int booksTotal = 0;
    int photos = 0;
    int photosTotal = 0;
    int images = 0;
    int imagesTotal = 0;
    qint64 bytes = 0;
    qint64 bytesTotal = 0;
};
// Called as the work goes on; returning false cancels it (the work is then undone, as after a failure).
using ProgressFunction = std::function<bool(const Progress &)>;

struct InstalledBook {
    QString label;
    QString description;
    bool listedInBooks = true; // false: photos name the book, but Books has no row for it
    int photos = 0;
    int images = 0;           // the image files its photos name
    int local = 0;            // of them, found in PhotoImages/<book>
    int inPhotoDirectory = 0; // of them, found in <photo directory>/<book>
    QString localFolder;      // empty when there is none
    QString photoDirectoryFolder;
    qint64 localBytes = 0;
    qint64 photoDirectoryBytes = 0;
    bool photoDirectoryReadable = true;

    // Where the program finds the pictures: "photo directory", "local", "photo directory and local",
    // "photo directory not readable" or "missing".
    QString place() const;
    int missing() const;
};

// The installed books in the database's order, then books named only by photos. No database: an empty list.
std::optional<std::vector<InstalledBook>> listBooks(const Place &place, QString *error);
// Book,Description,Photos,Images,Missing,Place,LocalFolder,LocalBytes,PhotoDirectoryFolder,PhotoDirectoryBytes
QByteArray listCsv(const std::vector<InstalledBook> &books);

struct PlannedBook {
    enum class Action { Add, Replace, Skip };
    QString label;
    QString description;
    int photos = 0;
    int images = 0;      // image files named by its photos
    int imagesFound = 0; // of them, in the source's folder for the book
    qint64 folderBytes = 0;
    bool folderFound = false; // the source has an image folder for it
    bool installed = false;   // a book of this label is installed already
    bool localFolderExists = false;
    Action action = Action::Add;
    // When images are copied and PhotoImages/<book> exists: replace it (else it is kept and nothing copied).
    bool replaceLocalImages = false;
};

struct Summary {
    int booksAdded = 0;
    int booksReplaced = 0;
    int booksSkipped = 0;
    int photos = 0;
    int imagesCopied = 0;
    int imagesMissing = 0;
    qint64 bytesCopied = 0;
    QString photoDirectory; // set to this when the pictures stay where they are
    QString backup;         // the Access original kept
    QStringList notes;      // what was skipped or kept, and why

    QString text() const;
};

class Installation
{
public:
    // Reads the source and plans its installation: every book not installed is added, every installed one
    // skipped (until told otherwise), pictures copied unless the source is a read-only medium.
    static std::unique_ptr<Installation> prepare(const Place &place, const QString &source, const QString &workFolder,
                                                 QString *error);
    ~Installation();

    std::vector<PlannedBook> &books() { return m_books; }
    const std::vector<PlannedBook> &books() const { return m_books; }
    // What the source holds that cannot be installed (photos of no book, unsafe zip entries), and why.
    QStringList skipped() const { return m_skipped; }

    bool copyImages = true;
    // Only a folder's pictures can stay where they are; this is the folder the photo directory would name.
    bool canUseInPlace() const;
    QString imageRoot() const;
    bool readOnlyMedium() const;
    // Space the copy takes, and the space free where it goes.
    qint64 bytesToCopy() const;
    qint64 bytesAvailable() const;
    // Installed books whose pictures are found only in the current photo directory: using this series in place
    // points the photo directory elsewhere, and their pictures are then no longer found.
    QStringList booksLeftBehind() const;

    bool run(const ProgressFunction &progress, Summary *summary, QString *error);

private:
    Installation() = default;
    struct Work;

    Place m_place;
    QString m_workFolder;
    std::unique_ptr<SeriesSource> m_source;
    QString m_sourceDatabase;
    std::vector<PlannedBook> m_books;
    QStringList m_skipped;
    QStringList m_leftBehind;
    std::unique_ptr<SeriesDatabase> m_database;
};

// Removes the books' rows and, with deleteImages, their local image folders. A label that is not installed
// fails the whole removal.
bool removeBooks(const Place &place, const QStringList &labels, bool deleteImages, QStringList *notes, QString *error);

enum class MoveTarget { Local, PhotoDirectory };
// Moves a book's image folder between the photo directory and PhotoImages. A folder on a medium that cannot be
// written stays there after its copy (said in notes).
bool moveImages(const Place &place, const QString &label, MoveTarget target, const ProgressFunction &progress,
                QStringList *notes, QString *error);

// "12.3 MB" and the like.
QString sizeText(qint64 bytes);

} // namespace PhotoSeries
