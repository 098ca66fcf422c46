// SPDX-License-Identifier: GPL-3.0-or-later
// A new photo database made beside the program folder's Photo.mdb and renamed over it only when complete.
#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

// Opens a photo database file read-only for the manager: an Access file is converted (by fenwyx-mdbread, into
// workFolder) first. Refuses a damaged file and one whose Photos or Books lacks a column the program reads.
class SeriesDatabase
{
public:
    SeriesDatabase() = default;
    ~SeriesDatabase();
    SeriesDatabase(const SeriesDatabase &) = delete;
    SeriesDatabase &operator=(const SeriesDatabase &) = delete;

    bool open(const QString &path, const QString &workFolder, QString *error);
    sqlite3 *handle() const { return m_db; }
    bool wasAccess() const { return m_access; }

    // Empty when the database's structure is sound and Photos and Books hold every column the program reads,
    // else the problem.
    static QString problemsOf(sqlite3 *db);

private:
    sqlite3 *m_db = nullptr;
    bool m_access = false;
};

class DatabaseUpdate
{
public:
    explicit DatabaseUpdate(QString programFolder);
    // An update never finished leaves the old database as it was and its work file removed.
    ~DatabaseUpdate();
    DatabaseUpdate(const DatabaseUpdate &) = delete;
    DatabaseUpdate &operator=(const DatabaseUpdate &) = delete;

    // Makes the new database in a work file beside the old one: a copy of an SQLite Photo.mdb, the SQLite form
    // of an Access one, or an empty one with the program's tables; opens it for writing.
    bool begin(QString *error);
    sqlite3 *handle() const { return m_db; }
    // The old database was an Access file: it is kept as the backup once the update is in place.
    bool convertsAccess() const { return m_convertsAccess; }

    // Closes the new database and gets it onto the disk; the old one is still in place.
    bool finish(QString *error);
    // Renames the new database over the old one (keeping an Access original as backupName()). Once this has
    // returned true the update holds.
    bool replace(QString *error);
    QString backupName() const { return m_backup; }

    // The target: Photo.mdb of the program folder, or the file it links to.
    QString target() const { return m_target; }

    // Adds to table every column of sourceColumns (name, declared type) that it lacks.
    static bool addMissingColumns(sqlite3 *db, const QString &table,
                                  const QList<QPair<QString, QString>> &sourceColumns, QString *error);
    static QList<QPair<QString, QString>> columnsOf(sqlite3 *db, const QString &table);
    // The tables as the program reads them, for a database made from nothing.
    static const char *schema();

private:
    void abandon();

    QString m_programFolder;
    QString m_target;
    QString m_work;
    QString m_backup;
    sqlite3 *m_db = nullptr;
    bool m_convertsAccess = false;
    bool m_replaced = false;
};
