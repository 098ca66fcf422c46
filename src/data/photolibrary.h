// The open photo database and the current photo set that the results list shows.
#pragma once

#include "data/photodatabase.h"

#include <QObject>

class PhotoLibrary : public QObject
{
    Q_OBJECT
public:
    explicit PhotoLibrary(QObject *parent = nullptr);

    PhotoDatabase &database() { return m_database; }
    const PhotoDatabase &database() const { return m_database; }
    bool isOpen() const { return m_database.isOpen(); }

    static QString databasePath(const QString &programFolder);
    static QString dataFolder(const QString &programFolder);

    // Creates the data folder, opens Photo.mdb and makes the whole Photos table the current set.
    // On failure the library stays closed with an empty set; the reason is returned.
    bool OpenPhotoDatabase(const QString &programFolder, QString *error = nullptr);
    // Opens the same file again (after the photo manager ran) and the whole table as the current set.
    bool ReopenPhotoDatabase(QString *error = nullptr);

    PhotoSetPtr currentPhotoSet() const { return m_current; }
    void setCurrentPhotoSet(PhotoSetPtr photos);
    QString lastError() const { return m_lastError; }

Q_SIGNALS:
    void currentPhotoSetChanged();

private:
    bool openFile(const QString &path, QString *error);

    PhotoDatabase m_database;
    PhotoSetPtr m_current;
    QString m_path;
    QString m_lastError;
};

// Writes an SQLite photo database with the same tables as `source` (any readable format).
bool writeSqliteCopy(const PhotoDatabase &source, const QString &targetPath, QString *error);
