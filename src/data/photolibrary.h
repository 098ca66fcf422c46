// SPDX-License-Identifier: GPL-3.0-or-later
// The open photo database and the current photo set that the results list shows.
#pragma once

#include "data/photodatabase.h"
#include "data/photomatch.h"

#include <QObject>
#include <QTimer>

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
    // On failure the library stays closed with an empty set; the reason is returned. When the failure was
    // another program keeping the file locked, the library goes on trying in the background (see retrying()).
    bool OpenPhotoDatabase(const QString &programFolder, QString *error = nullptr);
    // Opens the same file again (after the photo manager ran) and the whole table as the current set.
    bool ReopenPhotoDatabase(QString *error = nullptr);

    // How long each read waits for another program's writing; a try in the background waits only
    // retryWaitMs, so that the window thread never stalls for long.
    void setBusyTimeout(int milliseconds) { m_database.setBusyTimeout(milliseconds); }
    static constexpr int RetryIntervalMs = 1000;
    static constexpr int RetryWaitMs = 50;
    // The last open failed on a locked file and is being tried again every RetryIntervalMs.
    bool retrying() const { return m_retry.isActive(); }

    PhotoSetPtr currentPhotoSet() const { return m_current; }
    // Every photo of the database as the last open read it; photos are matched against all of them.
    PhotoSetPtr allPhotos() const { return m_all; }
    // The spread of each match value over allPhotos(), worked out at the first match after an open.
    const PhotoMatch::Spread &matchSpread();
    void setCurrentPhotoSet(PhotoSetPtr photos);
    QString lastError() const { return m_lastError; }

Q_SIGNALS:
    void currentPhotoSetChanged();
    // The background tries have ended: the file is open (isOpen()), or it failed for another reason
    // (lastError()).
    void retryFinished();

private:
    bool openFile(const QString &path, QString *error);
    void retryOpen();

    PhotoDatabase m_database;
    PhotoSetPtr m_current;
    PhotoSetPtr m_all;
    std::optional<PhotoMatch::Spread> m_spread;
    QString m_path;
    QString m_lastError;
    QTimer m_retry;
};

// Writes an SQLite photo database with the same tables as `source` (any readable format).
bool writeSqliteCopy(const PhotoDatabase &source, const QString &targetPath, QString *error);
