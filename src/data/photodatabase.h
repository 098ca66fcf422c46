// SPDX-License-Identifier: GPL-3.0-or-later
// The photo database: Photo.mdb as an SQLite file or an Access file (read through a converted copy).
#pragma once

#include "data/photorecord.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;
class SqliteStatement;

using PhotoSet = std::vector<PhotoRecord>;
using PhotoSetPtr = std::shared_ptr<const PhotoSet>;

// The photo a label names among photos: the one whose label is the text exactly (blanks around it aside), else the
// first the text names with letter case ignored; null when none.
const PhotoRecord *photoNamed(const PhotoSet &photos, const QString &label);

class PhotoDatabase
{
public:
    enum class FileKind { Missing, Sqlite, Access, Unknown };
    // Tells the format from the file's first bytes, never from its name.
    static FileKind detect(const QString &path);

    // How long a read waits while another program writes the file, before it fails as locked.
    static constexpr int DefaultBusyTimeoutMs = 5000;

    PhotoDatabase();
    ~PhotoDatabase();
    PhotoDatabase(const PhotoDatabase &) = delete;
    PhotoDatabase &operator=(const PhotoDatabase &) = delete;

    // Opens read-only. An Access file is read into an SQLite copy first (in a child process); an SQLite file
    // is checked for damage first. Fails (with a reason that names the file) when the file is missing,
    // unreadable or damaged, or when Photos or Books lacks a column the program reads.
    bool open(const QString &path, QString *error = nullptr);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    // Applies to the open connection and to later opens.
    void setBusyTimeout(int milliseconds);
    int busyTimeout() const { return m_busyTimeoutMs; }
    // The last open or read failed because another program kept the file locked past the busy timeout: the
    // same read may well succeed later.
    bool lockedOut() const { return m_lockedOut; }
    QString fileName() const { return m_fileName; }
    sqlite3 *handle() const { return m_db; }

    // A numeric column in SQL as the program reads it: a finite number or null, never text or an infinity
    // (see SqliteStatement::finiteNumber). Conditions and sums on loadings use it.
    static QString number(const QString &column);
    // The sum of TonsPerAcreBreak<first> to <last> in SQL, null as soon as one class is (as
    // PhotoRecord::sumOfClasses).
    static QString classSum(int first, int last);
    // The columns of Photos and Books without which a database is refused at open.
    static QStringList requiredPhotoColumns();
    static QStringList requiredBookColumns();

    // "SELECT * FROM Photos" [+ " WHERE " + where], values bound to the ?s in order; the database's own order.
    // Every failure of these reads names the file.
    std::optional<PhotoSet> selectPhotos(const QString &where = {}, const QVariantList &binds = {},
                                         QString *error = nullptr) const;
    // The same rows, one at a time, without holding them all.
    bool visitPhotos(const QString &where, const QVariantList &binds,
                     const std::function<void(const PhotoRecord &)> &visit, QString *error = nullptr) const;
    std::optional<PhotoRecord> photoById(qint64 id, QString *error = nullptr) const;
    std::optional<std::vector<BookRecord>> books(QString *error = nullptr) const;
    // Book labels compare without regard to letter case, as in the original engine.
    std::optional<BookRecord> bookByLabel(const QString &label, QString *error = nullptr) const;
    // First column of every row of any SELECT; SQL null is an invalid QVariant.
    std::optional<QVariantList> column(const QString &sql, const QVariantList &binds = {},
                                       QString *error = nullptr) const;

    // Every read made while one lives sees the same state of the file, however another program writes it
    // meanwhile; reads of one command or one list belong in one. One made inside another joins the outer one.
    class ReadTransaction
    {
    public:
        explicit ReadTransaction(const PhotoDatabase &database) : ReadTransaction(database.handle()) {}
        explicit ReadTransaction(sqlite3 *db);
        ~ReadTransaction();
        ReadTransaction(const ReadTransaction &) = delete;
        ReadTransaction &operator=(const ReadTransaction &) = delete;

    private:
        sqlite3 *m_db = nullptr; // set when this one began the transaction and so ends it
    };

    // The failure of a statement on this database, naming the file; a file another program kept locked is
    // said to be so (and lockedOut() becomes true).
    QString readError(const SqliteStatement &statement) const;

private:
    sqlite3 *m_db = nullptr;
    QString m_fileName;
    int m_busyTimeoutMs = DefaultBusyTimeoutMs;
    mutable bool m_lockedOut = false;
};
